#pragma once

#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "periodogram/frequencygrid.h"
#include "periodogram/peaks.h"

#include <atomic>
#include <optional>
#include <vector>

/// The generalised Lomb–Scargle periodogram of radial velocities and the
/// significance of its peaks. Pure double precision, no Qt.
///
/// Power (Zechmeister & Kürster 2009, A&A 496, 577, section 2): with
/// normalised weights w_i = (1/σ_i²) / Σ_j 1/σ_j², a floating mean and
///   Y = Σ w y, C = Σ w cos ωt, S = Σ w sin ωt,
///   YY = Σ w y² − Y², YC = Σ w y cos − Y C, YS = Σ w y sin − Y S,
///   CC = Σ w cos² − C², SS = Σ w sin² − S², CS = Σ w cos sin − C S,
///   D = CC SS − CS²,
/// the normalised power is
///   p(ω) = (SS YC² + CC YS² − 2 CS YC YS) / (YY D)   ∈ [0, 1],
/// i.e. p = 1 − χ²(ω)/χ²₀: the fraction of the weighted scatter about the
/// mean that the best sinusoid a + b cos ωt + c sin ωt explains. Frequencies
/// are in cycles per day (ω = 2π f).
///
/// Several instruments: each instrument's weighted mean is subtracted first,
/// so an offset between instruments does not show as a long period.
///
///
/// The grid lives in frequencygrid.h, the peaks and their significance in
/// peaks.h.
namespace Periodogram {

/// Why no periodogram of these data on this grid exists (a sentence for the
/// user), or nothing: fewer than 3 points, non-finite values, uncertainties
/// not > 0, values that cannot be days and m/s (|t| > 1e8 days, |v| or σ
/// above the speed of light, σ < 1e-6 m/s), all times equal (zero span), all velocities equal after
/// subtracting each instrument's mean, or a grid not as documented above.
std::optional<Numeric::Refusal> refusal(const Observations::DataSet &data, const FrequencyGrid &grid);

/// How many threads a spectrum may use.
enum class Threads { One, UpToTwo };

/// The generalised Lomb–Scargle power on every point of the grid, or the
/// refusal above. Runs on up to two threads (the same spectrum, bit for
/// bit, as on one); 400 points × 200,000 frequencies take some
/// tens of milliseconds (see bench/bench_periodogram.cpp). Raising *cancel
/// stops it within a few hundred frequencies and gives an empty spectrum.
Numeric::Outcome<Spectrum> generalisedLombScargle(const Observations::DataSet &data, const FrequencyGrid &grid,
                                                  const std::atomic<bool> *cancel = nullptr,
                                                  Threads threads = Threads::UpToTwo);

/// The normalised power p(ω) above from Y, YY and the raw sums Σ w cos,
/// Σ w sin, Σ w y cos, Σ w y sin, Σ w cos², Σ w cos sin at one frequency;
/// 0 when YY ≤ 0.
double normalisedPower(double meanVelocity, double scatter, double sumCos, double sumSin, double sumYCos,
                       double sumYSin, double sumCosCos, double sumCosSin);

/// The raw sums of the power at every frequency of a grid, and the weights
/// and centred velocities (each instrument's weighted mean removed) they
/// come from. The velocity sums are linear in the velocities: for data sets
/// with the same times, uncertainties and instruments, those of y + K z are
/// those of y plus K times those of z, so the periodograms of many such sums
/// cost one pass over the grid each, not one over the grid and the points.
/// Assumes data and a grid the refusal accepts, except that the velocities
/// need not vary.
struct PowerSums
{
    std::vector<double> weight;                                             ///< w_i, normalised to sum 1
    std::vector<double> velocity;                                           ///< y_i less its instrument's weighted mean
    std::vector<double> cos, sin, cosCos, cosSin, velocityCos, velocitySin; ///< per frequency
};
PowerSums powerSums(const Observations::DataSet &data, const FrequencyGrid &grid,
                    const std::atomic<bool> *cancel = nullptr);

} // namespace Periodogram
