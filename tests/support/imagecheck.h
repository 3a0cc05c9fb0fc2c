#pragma once

#include <QColor>
#include <QImage>

/// How many pixels of `image` are exactly `color`.
inline int countColor(const QImage &image, const QColor &color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color.rgb();
    }
    return count;
}
