#pragma once

#include <QString>

class QAction;
class QWidget;

// What screen readers announce for the controls: a name (the caption, or the tooltip of a button
// that shows only its picture) and a description (the tooltip), in the language shown.
namespace AccessibleText {

// Names the buttons that show a command, now and whenever its caption or tooltip changes; called
// once per action, after it has joined its bars.
void follow(QAction *action);
// Names one control.
void describe(QWidget *control, const QString &name, const QString &description);

} // namespace AccessibleText
