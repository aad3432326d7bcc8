#include "commandbar.h"

#include "commandbars.h"
#include "commandcatalogue.h"

#include <QAction>
#include <QHBoxLayout>

CommandBar::CommandBar(const CommandCatalogue &catalogue, const QString &barName, int instance,
                       const std::function<QIcon(int)> &icons, QWidget *parent)
    : QToolBar(parent), m_instance(instance)
{
    setObjectName(barName);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const QString &key : catalogue.bar(barName)) {
        const CommandButton *button = catalogue.button(key);
        if (!button)
            continue;
        QAction *action = nullptr;
        if (button->kind == ButtonKind::Separator) {
            action = addSeparator();
        } else if (button->kind == ButtonKind::Panel) {
            auto *panel = new QWidget(this);
            auto *layout = new QHBoxLayout(panel);
            layout->setContentsMargins(0, 0, 0, 0);
            m_panels.insert(key, panel);
            action = addWidget(panel);
        } else {
            action = addAction(button->icon >= 0 ? icons(button->icon) : QIcon(), button->caption);
            action->setToolTip(button->tooltip);
            connect(action, &QAction::triggered, this, [this, key] { emit clicked(m_instance, key); });
        }
        action->setObjectName(key);
        m_texts.add(key, action);
    }
    m_texts.followAll();
}

void CommandBar::showCaptions(bool shown)
{
    setToolButtonStyle(shown ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
}

void CommandBar::hostInPanel(const QString &key, QWidget *control)
{
    if (QWidget *panel = m_panels.value(key))
        panel->layout()->addWidget(control);
}

void CommandBar::applyStyle(int barStyle) { setStyleSheet(CommandBars::styleSheet(barStyle)); }
