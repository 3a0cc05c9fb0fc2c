#pragma once

#include <cmath>
#include <numbers>

/// Reducing mean anomalies and phases to one turn, shared by the solver of
/// Kepler's equation and the orbits built on it. Internal to the kepler library.
namespace Kepler::Angles {

inline constexpr double pi = std::numbers::pi;

// 2π in three parts for Cody and Waite's reduction: the first two have 27
// significant bits, so k·part is exact for |k| < 2^26 turns, M − k·first is
// exact too (the two are within a factor 2), and the reduced M is good to
// about 5e-16 rad.
inline constexpr double twoPiFirst = 0x1.921fb54p+2;
inline constexpr double twoPiSecond = 0x1.10b461p-28;
inline constexpr double twoPiThird = 2.2884754904439327e-17;
inline constexpr double twoPi = 2 * std::numbers::pi; // the double nearest 2π
inline constexpr double exactTurnsBelow = 67108864.0; // 2^26

// The integer nearest x, inline: adding and subtracting 1.5·2^52 rounds any
// |x| < 2^51 (std::nearbyint is a library call on plain x86-64).
inline double nearestInteger(double x)
{
    constexpr double shift = 6755399441055744.0;
    return std::fabs(x) < 0x1p51 ? (x + shift) - shift : std::nearbyint(x);
}

// M reduced into [−π, π] (it may end up within 1e-15 beyond ±π).
[[gnu::always_inline]] inline double reducedMeanAnomaly(double meanAnomaly)
{
    const double turns = nearestInteger(meanAnomaly * (1 / twoPi));
    // Reduced whether or not M already lies in [−π, π], and chosen after, so
    // that a stream of mean anomalies never waits on a mispredicted branch
    // (M = ±π itself stays, whichever way the product rounds).
    if (std::fabs(turns) < exactTurnsBelow) {
        const double reduced = ((meanAnomaly - turns * twoPiFirst) - turns * twoPiSecond) - turns * twoPiThird;
        return std::fabs(meanAnomaly) <= pi ? meanAnomaly : reduced;
    }
    // Beyond 2^26 turns (|M| > 4e8), reduce exactly by the double 2π: its
    // error costs |M|·4e-17, less than the spacing of doubles near M, so M
    // itself is the coarser of the two. Infinity and NaN come out as NaN.
    return std::remainder(meanAnomaly, twoPi);
}

} // namespace Kepler::Angles
