#include "mainlayout.h"

#include <algorithm>

MainLayout MainLayout::compute(double innerWidth, double innerHeight, double tabWidth, double rightBarNeeds)
{
    // The right bar is wide enough for every one of its buttons, the part beyond the top bar included.
    const double rightBarWidth = std::max(cmdBar2Width, rightBarNeeds + 150);
    MainLayout l;
    l.picBar = QRectF(picBarLeft, 0, innerWidth - 20, picBarHeight);
    l.cmdBar0 = QRectF(0, 0, cmdBar0Width, commandBarHeight);
    // The three bars tile the top bar; the right one reaches 150 beyond its right edge.
    l.cmdBar1 = QRectF(cmdBar0Width, -10, l.picBar.width() - cmdBar0Width - rightBarWidth + 150,
                       commandBarHeight);
    l.cmdBar2 = QRectF(l.picBar.width() - rightBarWidth + 150, 0, rightBarWidth, commandBarHeight);
    l.tab1 = QRectF(0, 0, tabWidth, commandBarHeight);
    l.text1 = QRectF(tabWidth + 60, text1Top, l.cmdBar1.width() - tabWidth - 110, text1Height);

    l.picStat = QRectF(0, innerHeight - picStatHeight, innerWidth - 20, picStatHeight);
    l.cmdMoveL = QRectF(0, 0, moveButtonWidth, picStatHeight);
    const double statusWidth =
        innerWidth - progressBarWidth - moveButtonWidth - moveButtonWidth - timeBarWidth - 60;
    l.statusBar = QRectF(l.cmdMoveL.width(), 0, statusWidth, picStatHeight);
    l.timeBar = QRectF(l.statusBar.left() + l.statusBar.width(), 0, timeBarWidth, picStatHeight);
    l.progressBar = QRectF(l.timeBar.left() + l.timeBar.width(), 0, progressBarWidth, picStatHeight);
    l.cmdMove = QRectF(innerWidth - moveButtonWidth - 50, 0, moveButtonWidth, picStatHeight);
    return l;
}
