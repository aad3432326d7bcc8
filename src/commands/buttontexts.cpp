#include "buttontexts.h"

#include "accessibletext.h"

#include <QAction>

void ButtonTexts::followAll() const
{
    for (QAction *action : m_actions)
        AccessibleText::follow(action);
}

void ButtonTexts::setCaption(const QString &key, const QString &caption)
{
    if (QAction *action = m_actions.value(key)) {
        QString text = caption;
        action->setText(text.replace(u'&', QStringLiteral("&&")));
    }
}

void ButtonTexts::setTooltip(const QString &key, const QString &tooltip)
{
    if (QAction *action = m_actions.value(key))
        action->setToolTip(tooltip);
}
