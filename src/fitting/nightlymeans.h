#pragma once

#include "fitting/searchstate.h"

#include <optional>

/// A planet judged night by night. Internal to the fitting library.
///
/// Nights as Observations::nightNumbers counts them. Measurements of one
/// night share whatever the star does that night, so its activity counts
/// once a night, not once a measurement: K2-131's forest of activity peaks, each significant if its seventy velocities were
/// independent, is judged by its fourteen nights and holds no planet. A planet
/// slower than four times the longest night is judged on the nightly means (a
/// night's mean keeps sinc(π w/P) ≥ 90 % of its swing); a faster one on the
/// changes within the nights of two or more measurements, which take out
/// everything slower than a night, the star's activity with it, and which
/// sampling at the same hour every night cannot alias.
namespace Fitting::Search {

/// The false-alarm probability of `after`'s newest planet judged by the
/// nights: the share p = 1 − χ²_after/χ²_before of the scatter of `before`'s
/// residuals that it explains, weighted by 1/(σ_i² + s_k²), taken as a
/// periodogram power of the nightly means, or of the measurements less their
/// night's mean with one mean per night counted as a parameter. Nothing when
/// no night holds two measurements or fewer than three nights count.
std::optional<double> falseAlarmByNights(const State &before, const State &after);

} // namespace Fitting::Search
