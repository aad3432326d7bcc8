#pragma once

#include <QRect>
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
} // namespace Twips
