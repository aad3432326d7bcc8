#pragma once

#include <QHash>
#include <QString>

class QAction;

// The texts of the buttons of one bar (or of the main window's whole collection), by command key:
// the caption ("&" shows as itself) and the tooltip; the buttons showing an action are named for
// screen readers from them.
class ButtonTexts
{
public:
    void add(const QString &key, QAction *action) { m_actions.insert(key, action); }
    // Names the buttons showing each action now and whenever its texts change; once the bars are built.
    void followAll() const;
    QAction *action(const QString &key) const { return m_actions.value(key); }
    bool contains(const QString &key) const { return m_actions.contains(key); }

    void setCaption(const QString &key, const QString &caption);
    void setTooltip(const QString &key, const QString &tooltip);

private:
    QHash<QString, QAction *> m_actions;
};
