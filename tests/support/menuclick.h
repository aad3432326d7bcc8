#pragma once

#include <QAction>
#include <QMenu>
#include <QTest>

// A user's click on a menu entry: the pointer rests on the window, the menu opens under it, the
// pointer moves onto the entry and clicks there. The pointer must have moved since the menu
// opened (Qt 6.8 checks): a press where the menu came up, or with the pointer never anywhere,
// closes the menu instead of choosing the entry.
inline bool clickMenuEntry(QWidget *window, QMenu *menu, QAction *entry)
{
    const QPoint opening(10, 10);
    QTest::mouseMove(window, opening);
    menu->popup(window->mapToGlobal(opening));
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return false;
    const QPoint over = menu->actionGeometry(entry).center();
    QTest::mouseMove(menu, over);
    QTest::mouseClick(menu, Qt::LeftButton, {}, over);
    return QTest::qWaitFor([menu] { return !menu->isVisible(); });
}
