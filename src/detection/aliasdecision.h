#pragma once

#include "detection/spectralwindow.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

/// Which of two candidates that are aliases of each other is the signal,
/// after Dawson & Fabrycky (2010, ApJ 722, 937, section 4). Pure C++, no Qt.
///
/// Power alone cannot tell f from |f ± f_w| when both peaks are about as
/// high. But each candidate, sampled at the real times, predicts the whole
/// pattern of peaks: the heights of itself and of its aliases, and the phase
/// of the best sinusoid at each. The candidate whose simulations reproduce
/// the observed pattern is the signal.
///
/// Procedure, for candidates f_A and f_B:
/// 1. The compared frequencies: f_A, f_B and |f ± f_w| of each under every
///    given window peak (k = 1), duplicates within 1/(2T) merged.
/// 2. The observed pattern: at each compared frequency f_j the best sinusoid
///    (sinusoid.h) gives its amplitude A_j and phase φ_j, as z_j = A_j e^{iφ_j}.
///    Amplitudes rather than normalised powers: a power is relative to the
///    whole scatter, which slow signals not yet fitted inflate in the data
///    but not in the simulations.
/// 3. Each candidate's model: its best sinusoid, plus white noise of
///    √(σ_i² + s²). s² is the scatter beyond the error bars at short time
///    scales: the mean of ½(r_i − r_j)² − ½(σ_i² + σ_j²) over measurements
///    less than a day apart (r the model's residuals), where slow signals
///    cancel; with fewer than 10 such pairs, mean r² − mean σ² over all.
///    It is never below 0.
/// 4. Realisation r draws one set of standard normal deviates (seeded) and
///    simulates both candidates with the same deviates; each simulation's
///    pattern z'_j is compared with the observed one by
///      D = Σ_j |z'_j − z_j|²   (heights and phases at once, m²/s²).
/// 5. The preferred candidate is the one whose D is smaller in most
///    realisations; `preferredFraction` is that share, the strength of the
///    preference (0.5: the data cannot tell; 1: every realisation agrees).
namespace Detection {

struct AliasDecisionOptions
{
    int realisations = 200; ///< 10 … 100000
    std::uint64_t seed = 1; ///< fixes the noise draws
};

/// How strongly the data prefer one candidate.
enum class PreferenceStrength {
    Undecided, ///< preferredFraction < 0.75
    Favoured,  ///< 0.75 ≤ preferredFraction < 0.95
    Decisive   ///< preferredFraction ≥ 0.95
};

struct AliasDecision
{
    std::array<double, 2> frequencies{}; ///< the two candidates, cycles/day, in the order given
    std::size_t preferred = 0;           ///< 0 or 1
    double preferredFraction = 0.5;      ///< share of realisations in which the preferred one matched better
    PreferenceStrength strength = PreferenceStrength::Undecided;
    std::array<double, 2> meanDistance{};    ///< mean D of each candidate's simulations
    std::vector<double> comparedFrequencies; ///< cycles/day

    double preferredFrequency() const { return frequencies[preferred]; }
};

/// Decides between the candidates f_A and f_B (cycles/day, > 0, different by
/// more than 1/T) in these data (usually the residuals of the planets found
/// so far). Refused, with a sentence, for fewer than 5 measurements, values
/// that are not finite, uncertainties not > 0, bad frequencies or options,
/// or when *cancel is raised.
Numeric::Outcome<AliasDecision> decideBetweenAliases(const Observations::DataSet &data, double firstFrequency,
                                                     double secondFrequency, std::span<const WindowPeak> windowPeaks,
                                                     const AliasDecisionOptions &options = {},
                                                     const std::atomic<bool> *cancel = nullptr);

} // namespace Detection
