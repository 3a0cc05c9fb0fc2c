#pragma once

#include "sampling/chain.h"

#include <vector>

namespace Sampling {

/// The integrated autocorrelation time τ of one parameter, in steps, over
/// the chain's steps from firstStep on, every stride-th step (steps that are
/// multiples of stride, so that later calls reuse the same steps; τ in
/// thinned steps times stride, which stays within a percent of the unthinned
/// τ while stride ≤ τ/5), by the method of emcee
/// (Foreman-Mackey et al. 2013, its version 3): each walker's normalised
/// autocorrelation function by FFT, their mean over the walkers ρ(t), and
/// τ = 1 + 2 Σ_{t=1}^{M} ρ(t) with Sokal's automatic window, the smallest M
/// with M ≥ c τ(M). NaN when fewer than 2 steps are left.
double autocorrelationTime(const Chain &chain, int parameter, int firstStep, int stride = 1, double window = 5.0);

/// The split potential scale reduction R̂ of one parameter (Gelman et al.,
/// Bayesian Data Analysis, 3rd ed., 11.4) over four chains: the ensemble's two
/// halves of walkers, each over the first and the second half of the steps
/// from firstStep on; √(var⁺/W) with W the mean of the chains' variances and
/// var⁺ = (n − 1)/n W + B/n. Near 1 when the early and late steps and the two
/// halves of the ensemble sample the same distribution; an ensemble whose
/// walkers move together is judged as the one sampler it is, not as
/// independent chains. NaN when fewer than 4 steps are left.
double splitRHat(const Chain &chain, int parameter, int firstStep);

/// splitRHat of every parameter, from one pass over the chain (a check of a
/// long run reads the chain once, not once per parameter).
std::vector<double> splitRHats(const Chain &chain, int firstStep);

} // namespace Sampling
