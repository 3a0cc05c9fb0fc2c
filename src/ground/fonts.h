#pragma once

#include <QFont>

/// The windows were designed in "ＭＳ Ｐゴシック"; where that font is missing
/// (every Linux desktop) a CJK sans serif takes its place so the Japanese
/// texts still render.
namespace Fonts {

QFont gothic(qreal pointSize, bool bold = false);

} // namespace Fonts
