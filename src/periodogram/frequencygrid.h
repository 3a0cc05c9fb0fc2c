#pragma once

#include "observations/rvdata.h"

#include <cstddef>
#include <vector>

/// The frequencies a periodogram is evaluated on, and the values found there.
/// Frequencies are in cycles per day. The grids are made in periodogram.cpp,
/// beside the refusal they share.
namespace Periodogram {

/// A uniform grid of frequencies, cycles per day: count ≥ 2 points from
/// minFrequency to maxFrequency inclusive, 0 < minFrequency < maxFrequency.
struct FrequencyGrid
{
    double minFrequency = 0; ///< cycles/day
    double maxFrequency = 0; ///< cycles/day
    std::size_t count = 0;

    double step() const { return (maxFrequency - minFrequency) / double(count - 1); }
};

/// The grid a user sees first:
/// - f_min = 1 / (2 T), T the time span: periods up to twice the span still
///   leave a peak a fit can start from;
/// - f_max = 1 / (2 Δ), Δ the smallest spacing of distinct times that is at
///   least 0.1 day (Nyquist-like for the densest regular cadence), but never
///   below 1.2 cycles/day, so nightly data still show the one-day alias and
///   periods down to 0.83 day, and never above 10 cycles/day — but at
///   least 20 f_min, so a span of hours still has periods from 2T to T/10;
/// - 10 points per 1/T, so no peak of width ~1/T falls between points;
/// - at most 2,000,000 points.
/// Assumes data the refusal below accepts; returns a zero grid otherwise.
FrequencyGrid automaticGrid(const Observations::DataSet &data);

/// The grid from minFrequency to maxFrequency (cycles/day) with the
/// automatic grid's 10 points per 1/T for a time span T (days), 2 to
/// 2,000,000 points.
FrequencyGrid gridBetween(double minFrequency, double maxFrequency, double spanDays);

/// Frequencies (cycles/day) and the normalised power there.
struct Spectrum
{
    std::vector<double> frequencies;
    std::vector<double> power;
};

} // namespace Periodogram
