#pragma once

#include <QRect>
#include <algorithm>
#include <cmath>

// Window measures are kept in twips: 15 twips make a pixel at 96 dots per inch.
namespace Twips {
constexpr int perPixel = 15;
inline int toPixels(double twips) { return static_cast<int>(std::lround(twips / perPixel)); }
inline int fromPixels(int pixels) { return pixels * perPixel; }
inline QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
// A place laid out in twips; a size that came out negative is none.
inline QRect toPixels(const QRectF &twips)
{
    return toPixels(twips.left(), twips.top(), std::max(0.0, twips.width()), std::max(0.0, twips.height()));
}
} // namespace Twips
