#pragma once

#include "sampling/posterior.h"

#include <string>

namespace Cli {

/// The posterior as the command line prints it: the verdict on convergence
/// (steps, walkers, largest τ, split-R̂, independent samples), the priors,
/// then a table of the derived quantities and the sampled parameters —
/// median with its 68.3 % interval, the 68.3 % and 95 % intervals, and the
/// fit's value ± its covariance σ (Numeric::measuredText) — and the
/// sentence saying where the posterior and the covariance disagree. A run
/// that did not converge prints its message and no table.
std::string posteriorReport(const Sampling::Result &result);

} // namespace Cli
