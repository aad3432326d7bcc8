#pragma once

#include <QRect>
#include <QSizeF>

struct ProgramState;

// The link-table window's place and size as the window settings keep them, in twips: where it
// opens, and what is kept of where it went.
class LinkTableGeometry
{
public:
    // The primary screen's size.
    static QSizeF screenTwips();
    // Where the window opens, in pixels. All four values 0 centre it at its designed size on the
    // screen; a size too small for a pixel becomes the designed size. The values are kept so.
    static QRect opening(ProgramState &state);
    // window: the window's geometry, in pixels.
    static void store(ProgramState &state, const QRect &window);
};
