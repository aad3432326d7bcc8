#pragma once

#include <QRectF>
#include <array>

class QWidget;

// Where the link-table window's controls go for an inner size, in twips: the top band with the
// two bars, the title label, the title box and the drag label; seven strips of table tabs stacked
// from strip 6 at the top down to strip 0; the grid below them.
struct TabLayout
{
    static constexpr double designedWidth = 14325;
    static constexpr double designedHeight = 6030;
    // Narrower than this the window keeps the layout it was loaded with.
    static constexpr double minimumWidth = 13400;
    static constexpr double picLabHeight = 390;
    static constexpr double cmdBar1Width = 530;
    static constexpr double titleLeft = 3500;
    static constexpr double titleWidth = 2500;
    static constexpr double text1Height = 285;
    static constexpr double label1Height = 255;
    static constexpr double stripHeight = 230;
    static constexpr int stripCount = 7;
    // Columns 0 to 6 as designed; column 5 takes what is left of the grid's width.
    static constexpr std::array<double, 7> columnWidths = {400, 4000, 0, 2000, 1600, 0, 1100};

    QRectF picLab, cmdBar0, cmdBar1, label1, text1, lblMove, gridList;
    std::array<QRectF, stripCount> strips;

    // bar0Width, bar1Width: the widths the two bars' buttons need. The title sits right of the left
    // bar's buttons; the right bar is never narrower than its buttons.
    static TabLayout compute(double innerWidth, double innerHeight, double bar0Width, double bar1Width);

    struct Controls
    {
        QWidget *picLab, *cmdBar0, *cmdBar1, *label1, *text1, *lblMove;
        std::array<QWidget *, stripCount> strips;
        QWidget *gridList;
    };
    // tabsHeight: the height the strips' tabs need. A strip is never lower than designed; a higher
    // one moves the strips above it up and the grid down.
    void applyTo(const Controls &controls, double tabsHeight) const;
};
