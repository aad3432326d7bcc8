#include "linktablegeometry.h"

#include "core/programstate.h"
#include "platform/twips.h"
#include "tablayout.h"

#include <QGuiApplication>
#include <QScreen>

QSizeF LinkTableGeometry::screenTwips()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QSizeF(Twips::fromPixels(screen.width()), Twips::fromPixels(screen.height()));
}

QRect LinkTableGeometry::opening(ProgramState &state)
{
    if (state.linkTableTop == 0 && state.linkTableLeft == 0 && state.linkTableHeight == 0 &&
        state.linkTableWidth == 0) {
        const QSizeF screen = screenTwips();
        state.linkTableHeight = TabLayout::designedHeight;
        state.linkTableWidth = TabLayout::designedWidth;
        state.linkTableTop = (screen.height() - TabLayout::designedHeight) / 2;
        state.linkTableLeft = (screen.width() - TabLayout::designedWidth) / 2;
    }
    // A size that was never stored opens as designed rather than as a window of nothing.
    if (Twips::toPixels(state.linkTableHeight) < 1 || Twips::toPixels(state.linkTableWidth) < 1) {
        state.linkTableHeight = TabLayout::designedHeight;
        state.linkTableWidth = TabLayout::designedWidth;
    }
    return Twips::toPixels(state.linkTableLeft, state.linkTableTop, state.linkTableWidth, state.linkTableHeight);
}

void LinkTableGeometry::store(ProgramState &state, const QRect &window)
{
    state.linkTableTop = Twips::fromPixels(window.top());
    state.linkTableLeft = Twips::fromPixels(window.left());
    state.linkTableHeight = Twips::fromPixels(window.height());
    state.linkTableWidth = Twips::fromPixels(window.width());
}
