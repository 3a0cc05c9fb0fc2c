#include "ground/colors.h"

#include <array>

namespace Colors {

QColor rgb(int red, int green, int blue)
{
    return QColor(red, green, blue);
}

QColor qbColor(int index)
{
    static constexpr std::array<QRgb, 16> palette = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    if (index < 0 || index >= int(palette.size()))
        return QColor(Qt::black);
    return QColor::fromRgb(palette[size_t(index)]);
}

} // namespace Colors
