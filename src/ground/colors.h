#pragma once

#include <QColor>

/// The two ways the program names colours: red, green and blue from 0 to
/// 255, or an index into the classic 16-colour palette.
namespace Colors {

QColor rgb(int red, int green, int blue);

/// Palette colour `index` (0 black … 7 light grey, 8 dark grey … 15 white).
/// Indices outside 0 to 15 give black.
QColor qbColor(int index);

} // namespace Colors
