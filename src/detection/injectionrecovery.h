#pragma once

#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

/// "What could these data have found?": an injection–recovery map over
/// period and amplitude. Pure C++, no Qt; runs on a pool of worker threads.
///
/// At each cell (P, K) of the map, `trials` circular planets
///   v_i += K cos(2π t_i/P + φ_j),  φ_j = 2π (j + u)/trials,
/// (phases evenly spread, u drawn once per cell) are injected into the
/// noise: either the given velocities (the residuals of the planets already
/// found) or, per trial, fresh Gaussian noise N(0, σ_i²) at the real times and
/// uncertainties. A trial is recovered when the highest peak of the
/// generalised Lomb–Scargle periodogram of the injected data lies within one
/// peak width (1/T) of 1/P and its false-alarm probability (Baluev 2008, as
/// periodogram.h computes it on the search's grid) is ≤ the threshold.
///
/// Reproducible: each cell draws from its own stream, seeded from the plan's
/// seed and the cell's index, so the map is the same whatever the number of
/// threads and whichever thread takes which cell.
namespace Detection {

/// Where the planets are injected.
enum class InjectionNoise {
    Residuals, ///< into the given velocities
    Simulated  ///< into fresh noise of the given uncertainties, each trial
};

/// What the map's second axis holds.
enum class AmplitudeAxis {
    SemiAmplitude, ///< K, m/s
    MinimumMass    ///< m sin i, Jupiter masses, turned into K with the star's mass (Kepler::semiAmplitude, e = 0)
};

struct InjectionPlan
{
    std::vector<double> periodsDays; ///< the first axis, each finite and > 0
    std::vector<double> amplitudes;  ///< the second axis, ascending, each finite and > 0
    AmplitudeAxis axis = AmplitudeAxis::SemiAmplitude;
    double starMassSolar = 1.0;        ///< for AmplitudeAxis::MinimumMass, > 0
    int trials = 10;                   ///< planets (phases) per cell, 1 … 10000
    double falseAlarmThreshold = 0.01; ///< (0, 1]
    InjectionNoise noise = InjectionNoise::Residuals;
    std::uint64_t seed = 1;
    unsigned threads = 0; ///< 0: one per core
    /// The search's grid; empty: the automatic grid of the data, widened to
    /// reach 0.8/P_max and 1.25/P_min.
    std::optional<Periodogram::FrequencyGrid> grid;
};

struct DetectabilityMap
{
    std::vector<double> periodsDays;
    std::vector<double> amplitudes;
    AmplitudeAxis axis = AmplitudeAxis::SemiAmplitude;
    int trials = 0;
    Periodogram::FrequencyGrid grid; ///< the search's grid
    std::vector<int> recovered;      ///< per cell, period-major: [p · amplitudes.size() + a]

    /// The share of trials recovered at period p and amplitude a, [0, 1].
    double fraction(std::size_t p, std::size_t a) const;
};

/// Called on a worker thread (one call at a time) after each finished cell.
using MapProgress = std::function<void(std::size_t cellsDone, std::size_t cellCount)>;

/// The map. Refused, with a sentence, for a bad plan, data the periodogram
/// refuses, or when *cancel is raised (checked before every trial).
Numeric::Outcome<DetectabilityMap> injectionRecoveryMap(const Observations::DataSet &data, const InjectionPlan &plan,
                                                        const MapProgress &progress = {},
                                                        const std::atomic<bool> *cancel = nullptr);

/// For each period, the amplitude at which the recovered share first reaches
/// `level` (0.5, 0.9), interpolated linearly in the share against ln
/// amplitude between the grid's amplitudes; the first amplitude when it is
/// reached there already, nothing when it is never reached.
std::vector<std::optional<double>> recoveryContour(const DetectabilityMap &map, double level);

/// `count` values from first to last, evenly spaced in ln (count ≥ 2,
/// 0 < first < last); {first} for count 1.
std::vector<double> evenlySpacedInLog(double first, double last, std::size_t count);

} // namespace Detection
