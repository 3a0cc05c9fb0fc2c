#pragma once

#include "detection/spectralwindow.h"
#include "fitting/searchstate.h"

#include <atomic>
#include <span>
#include <vector>

/// Where a search looks for its next planet, and how much a fitted planet
/// explains. Internal to the fitting library.
namespace Fitting::Search {

/// The strong peaks of the sampling's spectral window (at most four with
/// W ≥ 0.2), which every signal copies to |f ± k f_w|.
std::vector<Detection::WindowPeak> samplingPeaks(const Observations::DataSet &data, const std::atomic<bool> *cancel);

/// The frequencies the next planet may start from: the highest distinct
/// peaks of each weighting's periodogram; for the highest of them f/2 and
/// f/3 (an eccentric orbit puts much of its power into its harmonics, and
/// its own period may show no peak at all); and their alias families |f ± f_w| under the window peaks (each moved to the local
/// maximum of the periodogram within one peak width). A family matters when
/// the sampling makes an alias outshine the signal. Left out: the band
/// nearTheDay(), frequencies within one peak width of a planet found or of
/// its aliases under the window peaks of those bands (aliasOfPlanet), and
/// frequencies off the grid.
std::vector<double> candidateFrequencies(const State &state, std::span<const Observations::DataSet> weightings,
                                         std::span<const Detection::WindowPeak> window,
                                         const std::atomic<bool> *cancel);

/// Whether a frequency (cycles/day) lies within 0.01 c/d of 1–4 cycles per
/// day or per sidereal day. Nightly sampling folds every
/// signal slower than 100 days there; the search tries those slow
/// frequencies themselves (the alias families bring them) and never keeps a
/// planet in this band, where nightly data cannot tell one from the other.
bool nearTheDay(double frequency);

/// The aliases |f ± k f_w| (k = 1, 2) of the best fit's frequency, and 2f
/// and f/2, that no start has tried yet, on the grid and outside the bands
/// above: the signal itself when the sampling made every start an alias of
/// it, or when a very eccentric orbit of twice the period fitted it through
/// sparse phases (HD 17156 b, e = 0.68, 21.2 d, fits as e = 0.78 at 42.4 d).
std::vector<double> untriedRelatives(const State &state, double frequency, std::span<const double> tried,
                                     std::span<const Detection::WindowPeak> window);

/// Whether a frequency (cycles/day) lies on a window peak: within its width
/// 1/T, widened by the slowest frequency searched (1/2T), where a drift too
/// slow to be searched shows too. Such a frequency is not refused as a start:
/// a planet may lie there (HD 17156 b was observed at the phases of its
/// 21.2-day transits, HD 202206 b's 256 days lie within a peak width of the
/// yearly peak of 2.2 years of data); the search keeps it only when it
/// outshines a drift.
bool onWindowPeak(double frequency, std::span<const Detection::WindowPeak> window, double spanDays);

/// Whether a frequency (cycles/day) lies within one peak width of one of the
/// planets' frequencies or of their aliases (k = 1, 2).
bool aliasOfPlanet(double frequency, std::span<const double> planetFrequencies,
                   std::span<const Detection::WindowPeak> window, double spanDays);

/// The share of the scatter that `after`'s newest planet explains, the
/// Keplerian counterpart of the periodogram's normalised power:
///   p = 1 − exp(−2 Δ / n),
/// Δ the fall of −ln L with the noise's scale fitted: the likelihood's own
/// where jitters are fitted, else −ln L maximised over one common factor of
/// the σ_i, Δ = (n/2) ln(χ²_before / χ²_after), so that p = 1 − χ²_after /
/// χ²_before as in the periodogram. Relative to the scatter, not to σ, so
/// error bars that are too small do not make every ripple significant. The
/// m = ⌈3n/100⌉ measurements whose share of −ln L falls most are left out
/// (n becomes n − m): an orbit with e → 1 that owes its gain to a spike
/// through a handful of points then gains little, while a planet seen at
/// every phase hardly loses.
double explainedShare(const State &before, const State &after);

} // namespace Fitting::Search
