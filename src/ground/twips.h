#pragma once

#include <QRect>
#include <QtMath>

/// The windows were laid out in twips, 15 to a pixel on a usual screen.
namespace Twips {

inline constexpr double PerPixel = 15.0;

inline int toPixels(double twips)
{
    return qRound(twips / PerPixel);
}

/// A designed place and size (left, top, width, height) in pixels.
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline QSize size(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

} // namespace Twips
