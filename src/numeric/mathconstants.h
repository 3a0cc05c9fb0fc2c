#pragma once

#include <numbers>

/// Exact mathematical constants, as near as a double holds them, for every
/// computation that must be right to the digits a research tool gives. The
/// seed windows' own stored values (their π, their 318 Earth masses per
/// Jupiter mass) are not these: they live with those windows' constants, kept
/// as the windows always computed with them.
namespace MathConstants {

inline constexpr double pi = std::numbers::pi;
inline constexpr double twoPi = 2 * std::numbers::pi;
inline constexpr double radiansPerDegree = std::numbers::pi / 180;
inline constexpr double degreesPerRadian = 180 / std::numbers::pi;

} // namespace MathConstants
