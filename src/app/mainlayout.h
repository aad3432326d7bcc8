#pragma once

#include <QRectF>

class QWidget;

// Where the main window's controls go for a given inner size, in twips. The top bar holds
// three command bars (the middle one carries the tab strip and the address box); the status
// strip holds the two drag handles, the status text, the countdown and the progress bar.
struct MainLayout
{
    static constexpr double picBarLeft = 20;
    static constexpr double picBarHeight = 385;
    static constexpr double commandBarHeight = 375;
    static constexpr double cmdBar0Width = 5350;
    static constexpr double cmdBar2Width = 2800;
    static constexpr double text1Top = 30;
    static constexpr double text1Height = 315;
    static constexpr double picStatHeight = 355;
    static constexpr double moveButtonWidth = 375;
    static constexpr double timeBarWidth = 495;
    static constexpr double progressBarWidth = 1800;
    // 200 pixels; the address box also keeps a third of the middle bar when that is more.
    static constexpr double minimumText1Width = 3000;
    // 120 pixels: what the address box keeps when the window is too narrow for the tabs' first letters.
    static constexpr double narrowText1Width = 1800;
    // The left bar gives way to the tabs and the address box down to its first buttons.
    static constexpr double narrowCmdBar0Width = 1500;

    // Inside the window.
    QRectF picBar, picStat;
    // Inside picBar.
    QRectF cmdBar0, cmdBar1, cmdBar2;
    // Inside cmdBar1.
    QRectF tab1, text1;
    // Inside picStat.
    QRectF cmdMoveL, statusBar, timeBar, progressBar, cmdMove;

    // tabWidth: the tab strip's width when there is room for it.
    // rightBarNeeds: the width the right bar's buttons take; the bar is never narrower than that
    // and the 150 it reaches beyond the top bar.
    // tabStripNeeds: the width at which every tab still shows the first letter of its caption. A
    // window too narrow for it takes the room from the address box (down to narrowText1Width),
    // then from the left bar (down to narrowCmdBar0Width, its other buttons behind its extension
    // button); what is still missing the tab strip makes up by scrolling.
    static MainLayout compute(double innerWidth, double innerHeight, double tabWidth, double rightBarNeeds = 0,
                              double tabStripNeeds = 0);

    // The controls, in the order of the rectangles above.
    struct Controls
    {
        QWidget *picBar, *picStat, *cmdBar0, *cmdBar1, *cmdBar2, *tab1, *text1, *cmdMoveL, *statusBar, *timeBar,
            *progressBar, *cmdMove;
    };
    void applyTo(const Controls &controls) const;
};
