#pragma once

#include "observations/rvdata.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
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
/// False-alarm probability (Baluev 2008, MNRAS 385, 1279, the
/// "Davies bound" for the floating-mean periodogram, d = 3 parameters under
/// the alternative, 1 under the null): with N points, N_H = N − 1,
/// N_K = N − 3 and the power p of the peak,
///   Ψ(p) = (1 − p)^{N_K / 2}                       (one fixed frequency)
///   τ(p) = γ_H W (1 − p)^{(N_K − 1)/2} √(N_H p / 2),
///   γ_H  = √(2/N_H) Γ(N_H/2) / Γ((N_H − 1)/2),
///   W    = f_max T_eff,  T_eff = √(4π D_t),  D_t = weighted variance of the times,
///   FAP  = min(1, Ψ + τ),
/// with f_max the highest frequency of the grid. The bound is tight for small
/// FAP, which is where a decision is taken. With fewer than 5 points nothing
/// is significant: FAP = 1.
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

/// Why no periodogram of these data on this grid exists (a sentence for the
/// user), or nothing: fewer than 3 points, non-finite values, uncertainties
/// not > 0, values that cannot be days and m/s (|t| > 1e8 days, |v| or σ
/// above the speed of light, σ < 1e-6 m/s), all times equal (zero span), all velocities equal after
/// subtracting each instrument's mean, or a grid not as documented above.
std::optional<std::string> refusal(const Observations::DataSet &data, const FrequencyGrid &grid);

/// Frequencies (cycles/day) and the normalised power there.
struct Spectrum
{
    std::vector<double> frequencies;
    std::vector<double> power;
};

/// The generalised Lomb–Scargle power on every point of the grid. Throws
/// std::invalid_argument with the refusal's sentence for refused input.
/// Runs on up to two threads; 400 points × 200,000 frequencies take some
/// tens of milliseconds (see bench/bench_periodogram.cpp). Raising *cancel
/// stops it within a few hundred frequencies and gives an empty spectrum.
Spectrum generalisedLombScargle(const Observations::DataSet &data, const FrequencyGrid &grid,
                                const std::atomic<bool> *cancel = nullptr);

/// One peak of a spectrum.
struct Peak
{
    double periodDays = 0;            ///< 1 / frequency
    double frequency = 0;             ///< cycles/day
    double power = 0;                 ///< normalised power, [0, 1]
    double falseAlarmProbability = 1; ///< Baluev's bound above, [0, 1]
};

/// The count highest local maxima of the spectrum, highest first. Distinct:
/// a maximum closer than one peak width (1/T in frequency) to a higher one
/// that was already taken is skipped. The false-alarm probabilities use the
/// data's times and uncertainties and the spectrum's highest frequency.
std::vector<Peak> highestPeaks(const Spectrum &spectrum, const Observations::DataSet &data, std::size_t count);

/// Baluev's bound above for a peak of normalised power p found on a grid up
/// to maxFrequency (cycles/day) in these data.
double falseAlarmProbability(double power, const Observations::DataSet &data, double maxFrequency);

} // namespace Periodogram
