#pragma once

#include "challenge/challengesettings.h"
#include "challenge/randomstream.h"

#include <vector>

/// When a challenge's star is observed, in days, sorted and rounded to 1e-5 d.
/// Pure C++, no Qt.
///
/// Random cadence: `count` times uniform over [startTime, startTime + spanDays).
///
/// Nightly cadence: at most one point a night, at startTime + n + u·0.25 for
/// night n and u uniform in [0, 1) (a six-hour window). Nights are lost to the
/// season (120 nights of every 365.25, at a phase drawn from the stream, while
/// the star is too close to the Sun) and to the weather (a two-state chain:
/// a clear night is followed by a cloudy one with probability 0.25, a cloudy
/// one by another with probability 0.6). The nights observed are drawn among
/// the usable ones of the span; when the span has too few, the campaign runs
/// on past it until it has enough.
namespace Challenge {

inline constexpr double nightWindowDays = 0.25;

std::vector<double> observingTimes(Cadence cadence, int count, double startTime, double spanDays, RandomStream &random);

} // namespace Challenge
