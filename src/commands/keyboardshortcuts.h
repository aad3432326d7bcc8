#pragma once

#include <QObject>

class Dispatcher;
class QComboBox;
class QWidget;

// The keys users of every browser expect, each running the command of its menu or toolbar entry
// through the dispatcher (so each also stops travel): Ctrl+L and F6 put the focus in the address
// box with its text selected, F5 and Ctrl+R reload, Ctrl+F finds, Alt+Left and Alt+Right go back
// and forward, Escape stops loading, Ctrl+P prints. They work wherever the focus is in the window.
class KeyboardShortcuts : public QObject
{
    Q_OBJECT
public:
    // The command of Ctrl+L and F6, which no menu has.
    static inline const QString addressKey = QStringLiteral("KEY:ADDRESS");
    // The zoom commands, which no menu has either.
    static inline const QString zoomInKey = QStringLiteral("KEY:ZOOMIN");
    static inline const QString zoomOutKey = QStringLiteral("KEY:ZOOMOUT");
    static inline const QString zoomResetKey = QStringLiteral("KEY:ZOOMRESET");

    KeyboardShortcuts(Dispatcher &dispatcher, QWidget *window, QComboBox *addressBox);
};
