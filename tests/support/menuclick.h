#pragma once

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>

// A user's click on a menu title of a toolbar and then on one of the entries of the menu that
// drops down. The title's menu runs until it closes, so the entry is clicked from the event loop;
// a menu the click left open (a disabled entry) is closed. The pointer rests on the title, opens the
// menu there and moves onto the entry before it clicks: Qt 6.8's menu takes a press only once the
// pointer has moved since it opened, and closes without choosing otherwise.
// Returns once the entry's command has run: whether the menu closed.
inline bool chooseFromMenu(QToolBar *bar, QAction *title, QAction *entry)
{
    QMenu *menu = title->menu();
    QTimer pick;
    QObject::connect(&pick, &QTimer::timeout, menu, [&pick, menu, entry] {
        if (!menu->isVisible())
            return;
        pick.stop();
        // The click may open a window that runs until it closes: it must not hold this timer.
        QTimer::singleShot(0, menu, [menu, entry] {
            const QPoint at = menu->actionGeometry(entry).center();
            QTest::mouseMove(menu, at);
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
            if (menu->isVisible())
                menu->close();
        });
    });
    pick.start(10);
    QWidget *button = bar->widgetForAction(title);
    QTest::mouseMove(button, button->rect().center());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    return QTest::qWaitFor([menu] { return !menu->isVisible(); });
}

// A user's click on a menu title of a toolbar, a look at the menu that drops down, and Escape,
// which closes it without choosing. Returns whether the menu opened and closed.
inline bool lookIntoMenu(QToolBar *bar, QAction *title)
{
    QMenu *menu = title->menu();
    bool opened = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, menu, [&look, &opened, menu] {
        if (!menu->isVisible())
            return;
        look.stop();
        opened = true;
        QTimer::singleShot(0, menu, [menu] { QTest::keyClick(menu, Qt::Key_Escape); });
    });
    look.start(10);
    QWidget *button = bar->widgetForAction(title);
    QTest::mouseMove(button, button->rect().center());
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    return QTest::qWaitFor([&] { return opened && !menu->isVisible(); });
}
