#pragma once

#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

/// The spectral window: the periodogram of the sampling alone, which shows
/// where a true signal's power leaks to (its aliases). Pure C++, no Qt.
///
/// Definition (Deeming 1975, Ap&SS 36, 137; Roberts, Lehár & Dreher 1987,
/// AJ 93, 968, with the periodogram's weights): with normalised weights
/// w_i = (1/σ_i²) / Σ_j 1/σ_j²,
///   W(f) = |Σ_i w_i e^{2πi f t_i}|² = (Σ w cos 2πft)² + (Σ w sin 2πft)²,
/// so W(0) = 1 and 0 ≤ W ≤ 1. A signal at f₀ shows, besides its own peak,
/// peaks at f₀ ± f_w for every strong window peak f_w; a window peak of height
/// W(f_w) near 1 makes an alias almost as strong as the signal itself.
/// Frequencies are in cycles per day.
namespace Detection {

/// Window peaks that recur in ground-based data, with their names.
struct NamedWindowFrequency
{
    double frequency; ///< cycles/day
    const char *name;
};

/// 1 day (a solar day, 1 c/d), the sidereal day (1.0027379 c/d: a star is
/// observed near the same sidereal time each night), 1 year (1/365.25 c/d)
/// and the lunar month (1/29.53 c/d: bright time is given to other work).
inline constexpr NamedWindowFrequency namedWindowFrequencies[] = {
    {1.0, "1 day"},
    {1.00273790935, "sidereal day"},
    {1.0 / 365.25, "1 year"},
    {1.0 / 29.530589, "lunar month"},
};

/// W(f) on every point of the grid; frequencies and window power in the
/// periodogram's Spectrum. Empty when the data have no measurement or an
/// uncertainty that is not finite and > 0, and when *cancel is raised
/// (checked every 512 frequencies). Cost: measurements × grid points complex
/// rotations (about a second for 500 points × 700,000 frequencies).
Periodogram::Spectrum spectralWindow(const Observations::DataSet &data, const Periodogram::FrequencyGrid &grid,
                                     const std::atomic<bool> *cancel = nullptr);

/// The grid a window is drawn on: the automatic periodogram grid of these
/// data, but reaching at least 1.2 c/d so that the daily peaks show.
Periodogram::FrequencyGrid windowGrid(const Observations::DataSet &data);

/// One strong peak of the window.
struct WindowPeak
{
    double frequency = 0; ///< cycles/day
    double power = 0;     ///< W(f), [0, 1]
    std::string name;     ///< of namedWindowFrequencies, or empty when it matches none
};

/// The `count` highest local maxima of the window with W ≥ minPower, highest
/// first, distinct by one peak width (1/T, T the time span) and outside the
/// central peak (f < 1/T). Each is named after the named window frequency
/// nearest to it within one peak width, if any.
std::vector<WindowPeak> windowPeaks(const Periodogram::Spectrum &window, double spanDays, std::size_t count,
                                    double minPower = 0.2);

/// The time span T of the data, days (0 without measurements).
double timeSpan(const Observations::DataSet &data);

} // namespace Detection
