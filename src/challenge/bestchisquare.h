#pragma once

#include "challenge/goodness.h"

#include <atomic>

/// The other half of "How close am I?": the least χ² the student's kind of
/// model reaches on the data. Pure C++, no Qt; it runs a fit, so a window
/// calls it on a worker thread.
namespace Challenge {

/// The least χ² of as many Keplerians as `studentPlanets` holds plus one
/// offset per instrument (no jitter, no trend: the model the student's
/// sliders make), measured as goodness() measures the student's. The fit
/// starts once from the student's planets and once from the periodogram's
/// highest peaks, and the better of the two counts. A refusal says why no
/// fit was possible (too few points, no planet, a cancelled run).
Numeric::Outcome<double> bestChiSquare(const Observations::DataSet &data,
                                       const std::vector<Kepler::Orbit> &studentPlanets,
                                       const std::atomic<bool> *cancel = nullptr);

} // namespace Challenge
