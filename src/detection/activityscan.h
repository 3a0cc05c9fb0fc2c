#pragma once

#include "detection/activity.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// Each activity index of a data set analysed as a reader of the velocities
/// needs it: where it was measured, its periodogram on the velocities' grid,
/// how the velocities follow it, and which velocity peaks it may explain.
/// Pure C++, no Qt.
namespace Detection {

/// An index at the measurements where it has a finite value.
struct IndexSeries
{
    std::string name;
    /// The index in place of the velocity (indexAsData), those rows only.
    Observations::DataSet data;
    /// The measured velocities at the same rows.
    std::vector<double> velocities;
    /// Each row's position in the data set the series was taken from.
    std::vector<std::size_t> rows;
    /// Rows of that data set without a finite value of the index.
    std::size_t missing = 0;
};

/// Index `which` of `data.activity`, its missing values left out.
IndexSeries indexSeries(const Observations::DataSet &data, std::size_t which);

/// Pearson's r of velocity against index, each instrument's mean removed
/// from both first: an offset between instruments, in velocity or in an
/// index's calibration, says nothing of the star. These are the values the
/// correlation is of, in the series' order.
struct CenteredPairs
{
    std::vector<double> index;
    std::vector<double> velocity;
};
CenteredPairs centeredPairs(const IndexSeries &series);

/// What the analysis of one index found. A part that could not be made (too
/// few values, an index without scatter) carries its refusal's sentence.
struct IndexAnalysis
{
    IndexSeries series;
    std::optional<Correlation> correlation;
    std::string correlationRefused;
    Periodogram::Spectrum spectrum;
    std::vector<Periodogram::Peak> peaks;
    std::string periodogramRefused;
};

/// Index `which` of `data`: its correlation with the velocities, and its
/// generalised Lomb–Scargle periodogram on `grid` (the velocities' own, so
/// that peaks compare) with its `peakCount` highest peaks. Raising *cancel
/// stops the periodogram and leaves its spectrum empty.
IndexAnalysis analyseIndex(const Observations::DataSet &data, std::size_t which, const Periodogram::FrequencyGrid &grid,
                           std::size_t peakCount, const std::atomic<bool> *cancel = nullptr);

/// The index, and its peak, a velocity peak may owe itself to.
struct ActivityFlag
{
    std::string indexName;
    Periodogram::Peak indexPeak;
};

/// The false-alarm probability an index peak must reach before a velocity
/// peak near it is suspected: the level a planet's peak is commonly held to.
inline constexpr double activityFlagProbability = 0.01;

/// For each velocity peak, the first index with a peak of false-alarm
/// probability ≤ indexThreshold within one peak width (1/spanDays) of it
/// (activityCoincidences), or nothing.
std::vector<std::optional<ActivityFlag>> activityFlags(std::span<const Periodogram::Peak> velocityPeaks,
                                                       std::span<const IndexAnalysis> indices, double spanDays,
                                                       double indexThreshold = activityFlagProbability);

/// The normalised power at which a peak of `data`'s periodogram up to
/// maxFrequency has false-alarm probability `probability`: the inverse of
/// Periodogram::falseAlarmProbability, which falls monotonically with the
/// power, found by bisection to 1e-6 in power. 1 when no power reaches it.
double falseAlarmLevel(double probability, const Observations::DataSet &data, double maxFrequency);

} // namespace Detection
