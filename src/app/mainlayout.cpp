#include "mainlayout.h"

#include "platform/twips.h"

#include <QWidget>
#include <algorithm>

MainLayout MainLayout::compute(double innerWidth, double innerHeight, double tabWidth, double rightBarNeeds,
                               double tabStripNeeds)
{
    // The right bar is wide enough for every one of its buttons, the part beyond the top bar included.
    const double rightBarWidth = std::max(cmdBar2Width, rightBarNeeds + 150);
    const double tabStripFloor = std::clamp(tabStripNeeds, 0.0, std::max(0.0, tabWidth));
    MainLayout l;
    l.picBar = QRectF(picBarLeft, 0, innerWidth - 20, picBarHeight);
    const double leftAndMiddle = l.picBar.width() - rightBarWidth + 150;
    const double middleFloor = tabStripFloor > 0 ? 110 + tabStripFloor + narrowText1Width : 0;
    const double leftWidth = std::clamp(leftAndMiddle - middleFloor, narrowCmdBar0Width, cmdBar0Width);
    l.cmdBar0 = QRectF(0, 0, leftWidth, commandBarHeight);
    // The three bars tile the top bar; the right one reaches 150 beyond its right edge.
    l.cmdBar1 = QRectF(leftWidth, -10, leftAndMiddle - leftWidth, commandBarHeight);
    l.cmdBar2 = QRectF(l.picBar.width() - rightBarWidth + 150, 0, rightBarWidth, commandBarHeight);
    // The tab strip gives way before the address box, which keeps a usable width, but keeps the
    // first letters of its captions.
    const double room = std::max(0.0, l.cmdBar1.width() - 110);
    const double boxNeeds = std::min(room, std::max(minimumText1Width, l.cmdBar1.width() / 3));
    const double tabStripWidth = std::min(std::max(room - boxNeeds, std::min(tabStripFloor, room - narrowText1Width)),
                                          std::max(0.0, tabWidth));
    l.tab1 = QRectF(0, 0, tabStripWidth, commandBarHeight);
    l.text1 = QRectF(tabStripWidth + 60, text1Top, room - tabStripWidth, text1Height);

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

void MainLayout::applyTo(const Controls &c) const
{
    const QList<std::pair<QWidget *, QRectF>> places = {
        {c.picBar, picBar},     {c.picStat, picStat},     {c.cmdBar0, cmdBar0},     {c.cmdBar1, cmdBar1},
        {c.cmdBar2, cmdBar2},   {c.tab1, tab1},           {c.text1, text1},         {c.cmdMoveL, cmdMoveL},
        {c.statusBar, statusBar}, {c.timeBar, timeBar}, {c.progressBar, progressBar}, {c.cmdMove, cmdMove}};
    for (const auto &[control, r] : places)
        control->setGeometry(Twips::toPixels(r));
}
