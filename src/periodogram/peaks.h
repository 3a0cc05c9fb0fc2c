#pragma once

#include "observations/rvdata.h"
#include "periodogram/frequencygrid.h"

#include <cstddef>
#include <vector>

/// The peaks of a spectrum and their significance. Pure double precision, no Qt.
namespace Periodogram {

/// One peak of a spectrum.
struct Peak
{
    double periodDays = 0;            ///< 1 / frequency
    double frequency = 0;             ///< cycles/day
    double power = 0;                 ///< normalised power, [0, 1]
    double falseAlarmProbability = 1; ///< falseAlarmProbability() below, [0, 1]
};

/// The count highest peaks of the spectrum, highest first, each peak once.
/// A local maximum is not listed when it belongs to a higher peak already
/// listed:
/// - it lies within one peak width (1/T in frequency, T the time span), or
/// - it is one of that peak's side lobes: the offset Δf is at most
///   1/(60 days) (the seasons' and years' lobes; the day's and the lunar
///   month's aliases stay peaks of their own), and the sampling's window
///   (the periodogram of the times alone, |Σ w_i e^{2πiΔf t_i}|² / (Σ w_i)²
///   with w_i = 1/σ_i²), at its highest within one peak width of Δf, is at
///   least a quarter, or carries over at least the maximum's power
///   (1.2 × window × the higher peak's power).
/// The false-alarm probabilities use the data's times and uncertainties and
/// the spectrum's highest frequency.
std::vector<Peak> highestPeaks(const Spectrum &spectrum, const Observations::DataSet &data, std::size_t count);

/// The probability that noise alone puts a peak of normalised power p or
/// higher anywhere on a grid up to maxFrequency (cycles/day), after Baluev
/// (2008, MNRAS 385, 1279, eq. 6 with the floating-mean periodogram's
/// "Davies bound"). With N points and d_H the parameters of the model without
/// a signal (one mean per instrument), d_K = d_H + 2 with it,
/// N_H = N − d_H and N_K = N − d_K:
///   Ψ(p) = (1 − p)^{N_K / 2}                          (one fixed frequency)
///   τ(p) = γ_H W (1 − p)^{(N_K − 1)/2} √(N_H p / 2),  (expected up-crossings)
///   γ_H  = √(2/N_H) Γ(N_H/2) / Γ((N_H − 1)/2),
///   W    = f_max T_eff,  T_eff = √(4π D_t),  D_t = the 1/σ²-weighted variance of the times,
///   FAP  = 1 − (1 − Ψ) e^{−τ},
/// which stays below 1 where the bare bound Ψ + τ overshoots (by 27 % at a
/// FAP of 0.5) and equals it for small FAP, where decisions are taken. With
/// N_K < 2 nothing is significant: FAP = 1.
double falseAlarmProbability(double power, const Observations::DataSet &data, double maxFrequency);

} // namespace Periodogram
