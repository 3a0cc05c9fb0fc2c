#pragma once

#include "numeric/outcome.h"

#include <cstdint>
#include <optional>
#include <string>

/// What a teacher chooses for a mystery-planet challenge: everything a class
/// code carries. Pure C++, no Qt.
namespace Challenge {

/// The difficulty levels.
enum class Level : int {
    BigCircular = 1, ///< one big planet on a circular orbit
    Eccentric = 2,   ///< one planet on an eccentric orbit
    SmallNoisy = 3,  ///< one small planet whose signal is a few times the noise
    TwoPlanets = 4,  ///< two planets
    RealStar = 5     ///< a real star's published velocities, its name and planet hidden
};

/// When the star is observed.
enum class Cadence : int {
    Nightly = 0, ///< one point a night at most, lost to weather and to the season when the star is behind the Sun
    Random = 1   ///< times drawn uniformly over the span
};

inline constexpr int firstLevel = 1;
inline constexpr int lastLevel = 5;
inline constexpr int minimumPoints = 10;
inline constexpr int maximumPoints = 400;
/// Two Keplerians and an offset are eleven parameters: fewer points than
/// about twice that leave the answer key's fit without meaning.
inline constexpr int minimumPointsForTwoPlanets = 20;
/// The noise is carried in tenths of a m/s: 0.1 … 102.3 m/s.
inline constexpr int minimumNoiseTenths = 1;
inline constexpr int maximumNoiseTenths = 1023;
/// Seeds are 22 bits, so the code stays twelve characters.
inline constexpr std::uint32_t maximumSeed = (1u << 22) - 1;

/// One challenge's parameters. The data follow from these alone.
struct ChallengeSettings
{
    Level level = Level::BigCircular;
    int points = 40;      ///< number of measurements
    int noiseTenths = 30; ///< σ of the measurements, tenths of a m/s (synthetic levels; unused by RealStar)
    Cadence cadence = Cadence::Nightly;
    bool closenessHelp = true; ///< whether "how close am I?" may answer for this challenge
    std::uint32_t seed = 1;    ///< 0 … maximumSeed

    double noiseSigma() const { return noiseTenths / 10.0; }
    bool operator==(const ChallengeSettings &) const = default;
};

/// A level's usual number of points, noise and cadence, with seed 1.
ChallengeSettings defaultSettings(Level level);

/// Why these parameters make no challenge (a sentence naming the value), or nothing.
std::optional<Numeric::Refusal> refusal(const ChallengeSettings &settings);

/// The level for a number 1 … 5, or a refusal naming it.
Numeric::Outcome<Level> levelFromNumber(int number);

/// The cadence for "nightly" or "random", or a refusal naming the word.
Numeric::Outcome<Cadence> cadenceFromName(const std::string &name);

/// A short English description of the level, for a menu or a worksheet.
std::string levelTitle(Level level);

} // namespace Challenge
