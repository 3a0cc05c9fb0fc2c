#pragma once

#include "sampling/posterior.h"

#include <string>

namespace Sampling {

/// The run as a JSON object (camelCase keys, numbers shortest round-trip,
/// null for a number that is not finite): status, message, priors, seed,
/// walkers, steps, burnIn, maxAutocorrelationTime, maxSplitRHat,
/// independentSamples, acceptanceFraction, starMassUncertainty,
/// posteriorAndCovarianceDisagree and disagreement, then "parameters"
/// [{name, unit, priorLower, priorUpper, median, lower68, upper68, lower95,
/// upper95, fit, autocorrelationTime, splitRHat}] and "derived" [{name, unit,
/// median, …, fit, fitUncertainty}] (both empty unless converged).
std::string posteriorJson(const Result &result);

/// The kept chain as CSV: a header "step,walker,lnPosterior,<parameter
/// names>", then one row per walker of every thin-th step after the burn-in
/// (thin ≥ 1), numbers via Numeric::shortestText.
std::string chainCsv(const Result &result, int thin = 1);

/// The summaries as CSV: a header "quantity,unit,median,lower68,upper68,
/// lower95,upper95,fit,fitUncertainty,autocorrelationTime,splitRHat", then the
/// derived quantities and the sampled parameters, one row each (the last two
/// columns empty for derived quantities, fitUncertainty empty where the
/// covariance gives none); only the header unless converged.
std::string summaryCsv(const Result &result);

/// "converged", "not converged", "cancelled" or "refused".
std::string statusName(Status status);

} // namespace Sampling
