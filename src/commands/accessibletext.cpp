#include "accessibletext.h"

#include <QAbstractButton>
#include <QAction>

namespace {

// A caption marks its shortcut letter with "&" and writes a plain "&" as "&&".
QString withoutMarks(QString caption)
{
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&')
            caption.remove(i, 1);
    }
    return caption;
}

void describeButtons(const QAction *action)
{
    const QString caption = withoutMarks(action->text());
    const QString tooltip = action->toolTip();
    // Menus name their entries from the action's caption themselves; the bars holding the action
    // keep their own names.
    for (QObject *shown : action->associatedObjects()) {
        if (auto *button = qobject_cast<QAbstractButton *>(shown))
            AccessibleText::describe(button, caption.isEmpty() ? tooltip : caption, tooltip);
    }
}

} // namespace

void AccessibleText::follow(QAction *action)
{
    describeButtons(action);
    QObject::connect(action, &QAction::changed, action, [action] { describeButtons(action); });
}

void AccessibleText::describe(QWidget *control, const QString &name, const QString &description)
{
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}
