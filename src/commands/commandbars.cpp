#include "commandbars.h"

#include "accessibletext.h"
#include "commandcatalogue.h"
#include "imagelist.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

CommandBars::CommandBars(const CommandCatalogue &catalogue, QToolBar *cmdBar0, QWidget *cmdBar1, QToolBar *cmdBar2,
                         QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_cmdBar0(cmdBar0), m_cmdBar1(cmdBar1), m_cmdBar2(cmdBar2)
{
    for (const CommandButton &button : catalogue.buttons()) {
        auto *action = new QAction(ImageList::icon(button.icon), QString(), this);
        action->setObjectName(button.key);
        action->setSeparator(button.kind == ButtonKind::Separator);
        action->setCheckable(isMarked(button));
        action->setIconVisibleInMenu(true);
        m_texts.add(button.key, action);
        setCaption(button.key, button.caption);
        setTooltip(button.key, button.tooltip);
    }
    for (const QString &title : CommandCatalogue::menuTitles)
        m_texts.action(title)->setMenu(buildMenu(title, catalogue.bar(title)));
    // The language entries' tooltips name their files; a travel entry says more in its own.
    m_menus.value(QStringLiteral("LANG"))->setToolTipsVisible(true);
    m_menus.value(QStringLiteral("TRAVEL"))->setToolTipsVisible(true);
    fillToolBar(cmdBar0, catalogue.bar(QStringLiteral("STANDARD0")), 0);
    fillToolBar(cmdBar2, catalogue.bar(QStringLiteral("STANDARD2")), 2);
    m_texts.followAll();
}

void CommandBars::fillToolBar(QToolBar *toolBar, const QStringList &keys, int instance)
{
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    for (const QString &key : keys) {
        QAction *action = m_texts.action(key);
        toolBar->addAction(action);
        if (QMenu *menu = action->menu()) {
            // A menu title drops its menu down. Opening it to look is no command: only an entry
            // chosen from it is, so travel goes on while the menu is open and after it closed unused.
            if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(action)))
                button->setPopupMode(QToolButton::InstantPopup);
            connect(menu, &QMenu::aboutToShow, this, &CommandBars::menuShown);
            connect(menu, &QMenu::aboutToHide, this, &CommandBars::menuClosed);
            // The open menu took the pointer, so the title never heard it leave: it would stay lit.
            if (QWidget *button = toolBar->widgetForAction(action)) {
                m_titleButtons.append(button);
                connect(menu, &QMenu::aboutToHide, button, [button] { showPointer(button); });
            }
        } else if (!action->isSeparator()) {
            connect(action, &QAction::triggered, this, [this, instance, key] { emit clicked(instance, key); });
        }
    }
}

QMenu *CommandBars::buildMenu(const QString &title, const QStringList &keys)
{
    QMenu *menu = m_ownedMenus.emplace_back(std::make_unique<QMenu>()).get();
    menu->setObjectName(title);
    QActionGroup *options = nullptr;
    for (const QString &key : keys) {
        QAction *action = m_texts.action(key);
        menu->addAction(action);
        if (const CommandButton *button = m_catalogue.button(key); button->kind == ButtonKind::Option && isMarked(*button)) {
            // At most one option of a bar is checked.
            if (!options)
                options = new QActionGroup(menu);
            options->addAction(action);
        }
        if (!action->isSeparator())
            connect(action, &QAction::triggered, this, [this, key] { runMenuEntry(key); });
    }
    m_menus.insert(title, menu);
    return menu;
}

void CommandBars::showPointer(QWidget *title)
{
    title->setAttribute(Qt::WA_UnderMouse, title->rect().contains(title->mapFromGlobal(QCursor::pos())));
    title->update();
}

// An entry's command may open a window, which takes the pointer while the menu's title still
// counts it as over itself, and no leaving is told when the window closes elsewhere: once the
// command and the title's click have ended, the titles show where the pointer really is.
void CommandBars::runMenuEntry(const QString &key)
{
    emit clicked(menuInstance, key);
    QTimer::singleShot(0, this, [this] {
        for (QWidget *title : std::as_const(m_titleButtons))
            showPointer(title);
    });
}

// Check items and options carry a check mark; a language entry marks the language in use.
bool CommandBars::isMarked(const CommandButton &button)
{
    return button.kind == ButtonKind::Option || button.kind == ButtonKind::Check;
}

void CommandBars::addLanguageEntry(const QString &key)
{
    const CommandButton *button = m_catalogue.button(key);
    QMenu *languages = m_menus.value(QStringLiteral("LANG"));
    if (!button || !languages || m_texts.contains(key))
        return;
    auto *action = new QAction(ImageList::icon(button->icon), QString(), this);
    action->setObjectName(key);
    action->setIconVisibleInMenu(true);
    action->setCheckable(isMarked(*button));
    if (auto *options = languages->findChild<QActionGroup *>())
        options->addAction(action);
    m_texts.add(key, action);
    setCaption(key, button->caption);
    setTooltip(key, button->tooltip);
    languages->insertAction(m_texts.action(CommandCatalogue::newLanguageKey), action);
    AccessibleText::follow(action);
    connect(action, &QAction::triggered, this, [this, key] { runMenuEntry(key); });
}

QString CommandBars::styleSheet(int barStyle)
{
    switch (barStyle) {
    case 1: // office: pale blue, orange when pointed at
        return QStringLiteral(
            "QToolBar, QWidget#cmdBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f8fd, stop:1 #c9dbf2);"
            " border: 1px solid #9fb8d8; }"
            "QToolButton { border: 1px solid transparent; border-radius: 2px; padding: 1px; }"
            "QToolButton:hover { background: #ffe8a6; border-color: #e3b04b; }"
            "QToolButton:pressed, QToolButton:checked { background: #ffc96b; border-color: #c88a1f; }"
            "QToolButton:focus { border: 2px solid #1c4f9c; padding: 0px; }");
    case 2: // money: green banknote tones
        return QStringLiteral(
            "QToolBar, QWidget#cmdBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef5e4, stop:1 #b9d3a0);"
            " border: 1px solid #6f9a50; }"
            "QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 1px; }"
            "QToolButton:hover { background: #fdf6d8; border-color: #b59a3b; }"
            "QToolButton:pressed, QToolButton:checked { background: #e4cf7a; border-color: #8b7322; }"
            "QToolButton:focus { border: 2px solid #2d5a17; padding: 0px; }");
    case 3: // XP: saturated blue with rounded, raised buttons
        return QStringLiteral(
            "QToolBar, QWidget#cmdBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a81f3, stop:1 #1e54c9);"
            " border: 1px solid #123f9c; }"
            "QToolButton { border: 1px solid transparent; border-radius: 5px; padding: 1px; color: white; }"
            "QToolButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7fb1ff, stop:1 #4c86e8);"
            " border-color: #cde0ff; }"
            "QToolButton:pressed, QToolButton:checked { background: #163f99; border-color: #0b2766; }"
            "QToolButton:focus { border: 2px solid #ffd23f; padding: 0px; }");
    default: // system: the desktop's own look, where the keyboard focus is too faint to see
        return QStringLiteral("QToolButton:focus { border: 2px solid palette(highlight); border-radius: 2px; }");
    }
}

void CommandBars::applyStyle(int barStyle)
{
    const QString sheet = styleSheet(barStyle);
    for (QWidget *bar : {static_cast<QWidget *>(m_cmdBar0), m_cmdBar1, static_cast<QWidget *>(m_cmdBar2)})
        bar->setStyleSheet(sheet);
}
