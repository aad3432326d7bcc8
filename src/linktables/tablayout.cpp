#include "tablayout.h"

#include <algorithm>

TabLayout TabLayout::compute(double innerWidth, double innerHeight, double bar0Width, double bar1Width)
{
    const double w = innerWidth, h = innerHeight;
    const double right = std::max(cmdBar1Width, bar1Width);
    TabLayout l;
    l.picLab = QRectF(0, 0, w, picLabHeight);
    l.cmdBar1 = QRectF(w - right, 0, right, picLabHeight);
    l.cmdBar0 = QRectF(0, 0, w - right, picLabHeight);

    const double left = std::max(titleLeft, bar0Width + 100);
    const double text1Top = (picLabHeight - text1Height) / 2 - 20;
    l.text1 = QRectF(left, text1Top, titleWidth, text1Height);
    l.label1 = QRectF(left, text1Top + 40, titleWidth, label1Height);
    l.lblMove = QRectF(left, 70, std::max(0.0, w - right - left), picLabHeight - 70);

    // Strip 6 is the top one; each lower strip lies 230 below the one above it.
    const double firstTop = picLabHeight + 50;
    for (int g = 0; g < stripCount; ++g)
        l.strips[g] = QRectF(100, firstTop + (stripCount - 1 - g) * stripHeight, w - 250, stripHeight);

    const QRectF &lowest = l.strips[0];
    const double gridTop = lowest.bottom();
    // The grid ends 120 above the window's bottom edge.
    l.gridList = QRectF(100, gridTop, lowest.width() - 10, std::max(0.0, h - 120 - gridTop));
    return l;
}
