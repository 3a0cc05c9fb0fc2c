#pragma once

#include "detection/spectralwindow.h"
#include "periodogram/periodogram.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

/// Which peaks of a periodogram are aliases rather than signals. Pure C++,
/// no Qt.
///
/// Sampling at times t_i multiplies the signal by the sampling pattern, so
/// the periodogram is the true spectrum convolved with the spectral window: a
/// signal at f₀ also raises peaks at |f₀ ± k f_w| for every strong window peak
/// f_w (Dawson & Fabrycky 2010, ApJ 722, 937, section 2). A negative
/// frequency shows at its absolute value, which is how a 1.5-day signal seen
/// nightly has aliases at 3.0 days (|1/1.5 − 1|) and 0.6 days (1/1.5 + 1).
/// Two frequencies are taken as equal within one peak width, 1/T.
namespace Detection {

enum class AliasKind {
    None,         ///< not explained by the window: a candidate signal
    WindowPeak,   ///< the window's own peak (the sampling, not the star)
    AliasOfPeak,  ///< |f_parent ± k f_w| of a stronger peak that is not an alias itself
    AliasOfPlanet ///< |f_parent ± k f_w| of a planet already found
};

/// What one peak is.
struct AliasLabel
{
    AliasKind kind = AliasKind::None;
    std::size_t parent = 0;     ///< index into the peaks or the planets (AliasOf…)
    double parentFrequency = 0; ///< cycles/day (AliasOf…)
    int order = 0;              ///< k with its sign: f = |f_parent + order f_w| (AliasOf…)
    double windowFrequency = 0; ///< f_w, cycles/day (all but None)
    std::string windowName;     ///< the window peak's name, possibly empty
};

/// Labels each peak. A peak is
/// - WindowPeak when it lies within 1/T of a window peak;
/// - else AliasOfPlanet when it lies within 1/T of |f_p + k f_w| for a
///   planet frequency f_p, k = ±1, ±2 and a window peak f_w;
/// - else AliasOfPeak when the same holds for a stronger peak that is
///   labelled None (peaks are judged from the strongest down);
/// - else None.
/// The lowest |k| wins, then the stronger window peak, then the nearer match.
/// Peaks in any order; the labels follow the peaks' order.
std::vector<AliasLabel> labelAliases(std::span<const Periodogram::Peak> peaks,
                                     std::span<const double> planetFrequencies, std::span<const WindowPeak> windowPeaks,
                                     double spanDays);

/// The frequencies |f ± k f_w| (k = 1, 2) a signal at f would raise under
/// each window peak, those below 1/(2T) left out (they merge with the mean).
std::vector<double> aliasFrequencies(double frequency, std::span<const WindowPeak> windowPeaks, double spanDays,
                                     int maxOrder = 2);

/// A sentence for the user: "alias of the 1.5 d planet under the 1 day
/// window peak (f − 1 f_w)", "window peak (sidereal day)", or empty for None.
std::string describe(const AliasLabel &label);

} // namespace Detection
