#pragma once

#include <span>

/// Posterior sampling of radial-velocity fits: an affine-invariant ensemble
/// sampler, its convergence diagnostics and the posterior of a Keplerian fit.
/// Pure C++, no Qt.
namespace Sampling {

/// A log probability density up to a constant, the sampler's target. It is
/// called from several threads at once, so it must not change any state.
class LogDensity
{
public:
    virtual ~LogDensity() = default;
    virtual int dimension() const = 0;
    /// ln p(θ) + constant for θ of dimension() values; −∞ where p is 0.
    virtual double logDensity(std::span<const double> theta) const = 0;
};

} // namespace Sampling
