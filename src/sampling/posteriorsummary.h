#pragma once

#include "fitting/rvfit.h"
#include "sampling/chain.h"
#include "sampling/posteriormodel.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Sampling {

/// The median and the central 68.3 % and 95 % intervals of a posterior.
struct Interval
{
    double median = 0;
    double lower68 = 0; ///< the 15.87 % quantile
    double upper68 = 0; ///< the 84.13 % quantile
    double lower95 = 0; ///< the 2.5 % quantile
    double upper95 = 0; ///< the 97.5 % quantile
};

/// One quantity's posterior beside what the fit's covariance said of it.
struct Summary
{
    std::string name; ///< the column name, "ln P1", "e2", "m sin i1", …
    std::string unit;
    Interval posterior;
    double fitValue = 0;
    double fitUncertainty = 0;      ///< the covariance's 1σ; 0 where it gives none
    double autocorrelationTime = 0; ///< sampled parameters only, steps
    double rHat = 0;                ///< sampled parameters only
};

/// One column of kept samples, for plots.
struct SampleColumn
{
    std::string name;
    std::string unit;
    std::vector<double> samples;
};

/// The median with the distances to the 68.3 % interval's ends, rounded to
/// the place the smaller of them keeps: "0.31 +0.12 −0.10".
std::string medianText(const Interval &interval);
/// The interval [low, high] to the place medianText keeps: "[0.08, 0.55]".
std::string intervalText(const Interval &interval, double low, double high);

/// The fit's value ± its covariance σ, or without one, the value to the
/// place the posterior's interval keeps.
std::string fitText(const Summary &summary);

/// The intervals of samples (reordered in place); circular: angles in degrees
/// whose intervals are taken around their circular mean, the median wrapped
/// into [0, 360) and the bounds shifted with it.
Interval intervalOf(std::span<double> samples, bool circular = false);

/// The derived quantities of each planet, per planet in this order: P (d),
/// K (m/s), e, ω (deg), T_p (d), m sin i (Jupiter masses), a (AU), summarised
/// over the chain's steps from firstStep on. m sin i and a take, for each
/// sample, a star mass drawn from N(M★, σ_M★) (kept above 0), reproducibly
/// from the seed. Each quantity's samples, thinned to at most plotSamples,
/// are added to *columns when given.
std::vector<Summary> derivedSummaries(const PosteriorModel &model, const Chain &chain, int firstStep,
                                      const Fitting::Result &fit, double starMassUncertainty, std::uint64_t seed,
                                      std::vector<SampleColumn> *columns = nullptr);

/// The most samples per column kept for plots.
inline constexpr std::size_t plotSamples = 20000;
/// samples thinned evenly to at most plotSamples, in their order.
std::vector<double> thinnedForPlots(std::span<const double> samples);

/// A sentence naming the quantities whose posterior the covariance describes
/// badly — widths differing by more than half, a median more than one
/// posterior σ from the fit, a lopsided interval, or a covariance interval
/// crossing e = 0 — or an empty string when they agree. Looks at P, K and e.
std::string disagreement(std::span<const Summary> derived);

} // namespace Sampling
