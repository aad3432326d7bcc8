#include "tablayout.h"

#include "platform/twips.h"

#include <QWidget>
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

void TabLayout::applyTo(const Controls &c, double tabsHeight) const
{
    for (const auto &[control, r] : {std::pair{c.picLab, picLab}, {c.cmdBar0, cmdBar0}, {c.cmdBar1, cmdBar1},
                                     {c.label1, label1}, {c.text1, text1}, {c.lblMove, lblMove}})
        control->setGeometry(Twips::toPixels(r));
    const double height = std::max(stripHeight, tabsHeight);
    const double shift = height - stripHeight;
    for (int g = 0; g < stripCount; ++g) {
        const QRectF &r = strips[g];
        c.strips[g]->setGeometry(Twips::toPixels(QRectF(r.left(), r.top() + (stripCount - 1 - g) * shift, r.width(), height)));
    }
    c.gridList->setGeometry(Twips::toPixels(gridList.adjusted(0, stripCount * shift, 0, 0)));
}
