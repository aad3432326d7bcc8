#include "barkeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace {

bool isBarKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

bool dropsMenu(const QToolButton *button) { return button->menu() || (button->defaultAction() && button->defaultAction()->menu()); }

} // namespace

BarKeys::BarKeys(QWidget *window, QList<QToolBar *> bars, std::function<void()> leave)
    : QObject(window), m_bars(std::move(bars)), m_leave(std::move(leave))
{
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, this, [this] {
        if (inBars())
            m_leave();
        else
            enter();
    });
}

QList<QToolButton *> BarKeys::buttons() const
{
    QList<QToolButton *> reached;
    for (QToolBar *bar : m_bars) {
        if (!bar->isVisible())
            continue;
        for (QAction *action : bar->actions()) {
            auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
            if (button && button->isVisible() && button->isEnabled())
                reached.append(button);
        }
    }
    return reached;
}

bool BarKeys::inBars() const
{
    for (QToolButton *button : buttons()) {
        if (button->hasFocus())
            return true;
    }
    return false;
}

void BarKeys::enter()
{
    const QList<QToolButton *> reached = buttons();
    if (reached.isEmpty())
        return;
    QToolButton *first = reached.first();
    for (QToolButton *button : reached) {
        if (dropsMenu(button)) {
            first = button;
            break;
        }
    }
    for (QToolButton *button : reached)
        button->installEventFilter(this);
    first->setFocus(Qt::ShortcutFocusReason);
}

bool BarKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    if (keyEvent->modifiers() & ~Qt::KeypadModifier)
        return false;
    const int key = keyEvent->key();
    if (auto *menu = qobject_cast<QMenu *>(watched))
        return event->type() == QEvent::KeyPress && leaveMenuSideways(menu, key);
    auto *button = qobject_cast<QToolButton *>(watched);
    if (!button || !button->hasFocus() || !isBarKey(key))
        return false;
    // The window's own shortcuts (Escape stops the page) wait while the keys move in the bars.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return handleButtonKey(button, key);
}

bool BarKeys::handleButtonKey(QToolButton *button, int key)
{
    switch (key) {
    case Qt::Key_Left:
        move(button, -1);
        break;
    case Qt::Key_Right:
        move(button, 1);
        break;
    case Qt::Key_Home:
        move(nullptr, 1);
        break;
    case Qt::Key_End:
        move(nullptr, -1);
        break;
    case Qt::Key_Down:
        if (dropsMenu(button))
            openMenus(button);
        break;
    case Qt::Key_Escape:
        m_leave();
        break;
    default:
        run(button);
        break;
    }
    return true;
}

// From nowhere, a step forward reaches the first button and a step back the last.
void BarKeys::move(QToolButton *from, int step)
{
    const QList<QToolButton *> reached = buttons();
    if (reached.isEmpty())
        return;
    const qsizetype at = reached.indexOf(from);
    const qsizetype count = reached.size();
    const qsizetype next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    reached.at(next)->setFocus(Qt::TabFocusReason);
}

void BarKeys::run(QToolButton *button)
{
    if (dropsMenu(button))
        openMenus(button);
    else
        button->click();
}

// Left and Right in an open menu close it for its neighbour's, except where Right opens a submenu.
bool BarKeys::leaveMenuSideways(QMenu *menu, int key)
{
    if (menu != m_openMenu || (key != Qt::Key_Left && key != Qt::Key_Right))
        return false;
    if (key == Qt::Key_Right && menu->activeAction() && menu->activeAction()->menu())
        return false;
    m_menuStep = key == Qt::Key_Left ? -1 : 1;
    menu->close();
    return true;
}

// A menu shows until it is closed; Left or Right closed it to open the next menu title's.
void BarKeys::openMenus(QToolButton *button)
{
    QPointer<QToolButton> current = button;
    while (current) {
        QMenu *menu = current->menu() ? current->menu() : current->defaultAction()->menu();
        menu->installEventFilter(this);
        m_openMenu = menu;
        m_menuStep = 0;
        // A menu opened from the keyboard starts on its first entry.
        QMetaObject::invokeMethod(menu, [menu] {
            if (menu->isVisible() && !menu->activeAction()) {
                for (QAction *action : menu->actions()) {
                    if (!action->isSeparator() && action->isEnabled() && action->isVisible()) {
                        menu->setActiveAction(action);
                        break;
                    }
                }
            }
        }, Qt::QueuedConnection);
        current->showMenu();
        const int step = std::exchange(m_menuStep, 0);
        if (!current)
            return;
        // A closed menu hands the keyboard back to its title, unless its command took it elsewhere;
        // the window is not always made active again by the time the menu returns.
        if (!QApplication::focusWidget()) {
            current->activateWindow();
            current->setFocus(Qt::PopupFocusReason);
        }
        if (step == 0)
            return;
        move(current, step);
        auto *next = qobject_cast<QToolButton *>(current->window()->focusWidget());
        current = next && dropsMenu(next) ? next : nullptr;
    }
}
