#pragma once

#include "challenge/challengesettings.h"
#include "challenge/randomstream.h"
#include "kepler/keplerorbit.h"

#include <vector>

/// The hidden planets of the synthetic levels, drawn from the challenge's
/// random stream within each level's ranges. Pure C++, no Qt.
///
/// | level | planets | P, days (log-uniform) | K, m/s | e | span, days |
/// |---|---|---|---|---|---|
/// | 1 big circular | 1 | 3 – 40 | 40 – 150 | 0 | 120 |
/// | 2 eccentric | 1 | 5 – 60 | 30 – 120 | 0.3 – 0.7 | 240 |
/// | 3 small, noisy | 1 | 2 – 20 | 1.2 – 2.5 × the noise σ | 0 – 0.15 | 200 |
/// | 4 two planets | 2 | 3 – 15 and 40 – 150 | 20 – 80 each | 0 – 0.3 each | 400 |
///
/// Every level: ω uniform in [0°, 360°) (0° on a circular orbit), T_p uniform
/// over the first period after the start, the star's mass 0.7 – 1.3 M☉ and
/// the star's systemic velocity −50 – 50 m/s. Every drawn value is rounded
/// (P to 1e-4 d, K and γ to 0.01 m/s, e to 0.001, ω to 0.1°, T_p to 1e-5 d,
/// M★ to 0.01 M☉), so the key shows the very values the data were made from.
namespace Challenge {

/// The start of the observations is drawn between firstStartTime and
/// firstStartTime + 999 days, on whole days.
inline constexpr double firstStartTime = 2460000.0;

struct MysterySystem
{
    std::vector<Kepler::Orbit> planets;
    double starMassSolar = 1.0;
    double systemicVelocity = 0; ///< m/s, added to every velocity
    double startTime = firstStartTime;
    double spanDays = 120;
};

/// The system of a synthetic level (not Level::RealStar), drawn from `random`.
MysterySystem drawSystem(const ChallengeSettings &settings, RandomStream &random);

} // namespace Challenge
