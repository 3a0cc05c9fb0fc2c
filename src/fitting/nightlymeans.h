#pragma once

#include "fitting/searchstate.h"

#include <optional>

/// A planet judged night by night. Internal to the fitting library.
namespace Fitting::Search {

/// The false-alarm probability of `after`'s newest planet judged on the
/// nightly means of the residuals (nights as Observations::nightNumbers
/// counts them, each cut into stretches of at most a quarter of the
/// planet's period, over which a mean keeps ≥ 90 % of its swing): the share
/// p = 1 − χ²_after/χ²_before of the scatter of the means of
/// `residualsBefore` (the model without it, as residualSet gives them) that it
/// explains, each mean weighted by Σ 1/(σ_i² + s_k²), taken as a periodogram
/// power of the means. Measurements of one night share whatever the star
/// does that night, so its activity counts once a night, not once a
/// measurement: K2-131's forest of activity peaks, each significant if its
/// seventy velocities were independent, is judged by its fourteen nights and
/// holds no planet. For white noise the means keep the significance of the
/// measurements. Nothing when no mean holds two measurements or fewer than
/// three means remain.
std::optional<double> falseAlarmByNights(const Observations::DataSet &residualsBefore, const State &after);

} // namespace Fitting::Search
