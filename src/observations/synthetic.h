#pragma once

#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// Synthetic radial-velocity measurements of known planets, for teaching and
/// for testing the analysis on data whose answer is known. Pure C++, no Qt.
///
/// Reproducible: the random numbers come from std::mt19937_64 (whose sequence
/// the C++ standard fixes) through our own uniform and normal transforms, so a
/// seed gives the same data on every machine whose libm rounds log, sin and
/// cos alike (the orbits need those anyway).
namespace Observations {

/// When the measurements are taken.
enum class Cadence {
    Uniform, ///< times drawn uniformly over the span
    Nightly  ///< at most one point per night, within a few hours' window, with weather gaps and a seasonal gap
};

/// Length of the nightly observing window, days (6 hours): a nightly point
/// falls at startTime + n + u·nightWindowDays for night n and u uniform in [0, 1).
inline constexpr double nightWindowDays = 0.25;

/// How the star is observed by one instrument.
struct SyntheticPlan
{
    std::size_t count =
        60; ///< number of measurements, 1 … maxMeasurements; with Cadence::Nightly at most one per whole day of the span
    double spanDays = 365.25;     ///< days, finite and > 0 (≥ 1 for Cadence::Nightly)
    double startTime = 2460000.0; ///< days, start of the span, on the time scale of the orbits' T_p
    Cadence cadence = Cadence::Nightly;
    double noiseSigma = 2.0; ///< m/s, finite and > 0: the reported uncertainty and the measurement noise
    double jitter =
        0.0; ///< m/s, finite and ≥ 0: the star's extra scatter, added in quadrature to the noise but not to the reported uncertainty
    std::uint64_t seed = 1; ///< seeds std::mt19937_64
    std::string instrument = "Synthetic";
    double instrumentOffset = 0.0; ///< m/s, finite: this instrument's zero point, added to each of its velocities
};

/// Why this plan cannot be simulated (a sentence for the user), or nothing.
std::optional<std::string> refusal(const SyntheticPlan &plan);

/// The measurements of one instrument, sorted by time: velocity =
/// Σ planets' v(t) + instrumentOffset + N(0, noiseSigma² + jitter²),
/// uncertainty = noiseSigma. Nightly cadence: nights are lost to a seasonal
/// gap (about a third of each 365.25-day year, at a random phase) and to runs
/// of bad weather; if the plan asks for more nights than remain, the weather
/// and then the seasonal gap are given back. An empty set when refusal(plan)
/// or Kepler::refusal of a planet is not empty.
DataSet simulate(std::span<const Kepler::Orbit> planets, const SyntheticPlan &plan);

/// Several instruments observing the same planets: each plan simulated as
/// above, then merged and sorted by time; instruments in the plans' order,
/// plans that name the same instrument sharing it. Empty when any plan or
/// planet is refused.
DataSet simulate(std::span<const Kepler::Orbit> planets, std::span<const SyntheticPlan> plans);

/// One of the program's named synthetic examples.
struct ExampleSet
{
    std::string name;                   ///< shown in the menu, e.g. "two planets"
    std::vector<Kepler::Orbit> planets; ///< the truth a fit should recover
    std::vector<SyntheticPlan> plans;   ///< one per instrument
};

/// The examples: "one planet, circular", "one planet, eccentric" (e = 0.6),
/// "two planets", "two instruments with an offset". Their data is
/// simulate(example.planets, example.plans).
const std::vector<ExampleSet> &exampleSets();

} // namespace Observations
