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

/// "converged", "not converged", "cancelled" or "refused".
std::string statusName(Status status);

} // namespace Sampling
