#pragma once

#include "sampling/chain.h"
#include "sampling/logdensity.h"
#include "sampling/workerpool.h"

#include <cstdint>
#include <vector>

namespace Sampling {

/// An affine-invariant ensemble sampler in the parallel form of
/// Foreman-Mackey et al. (2013): the ensemble is split into two halves and
/// each half moves in turn, every walker X_k proposing a point Y built from
/// walkers of the other half. Each step takes one of two moves, both
/// affine invariant (emcee's DEMove and StretchMove, mixed 0.8 : 0.2):
/// - differential evolution (ter Braak 2006; Nelson et al. 2014):
///   Y = X_k + γ (X_a − X_b) for two distinct walkers a, b, γ = 2.38/√(2d)
///   (times 1 + 10⁻⁵ N(0, 1)), accepted with probability min(1, p(Y)/p(X_k));
///   its autocorrelation time grows far more slowly with the dimension;
/// - the stretch move of Goodman & Weare (2010), a = 2: Y = X_j + z (X_k − X_j),
///   z drawn from g(z) ∝ 1/√z on [1/a, a], accepted with probability
///   min(1, z^(d−1) p(Y)/p(X_k)); it lets the ensemble change its scale.
/// The walkers of a half are spread over the threads; each walker's random
/// numbers in each step, and each step's move, come from the seed alone
/// (RandomStream), so the chain is the same for any number of threads.
class EnsembleSampler
{
public:
    /// walkers: even, ≥ 2 × density.dimension() and ≥ 6 (three per half, as
    /// the differential-evolution move needs two besides); the pool's threads share
    /// the walkers of each half.
    EnsembleSampler(const LogDensity &density, int walkers, std::uint64_t seed, WorkerPool &pool);

    /// Places the walkers (walkers × dimension values, walker by walker), each
    /// where the density is finite, as the chain's first step.
    void start(std::vector<double> positions);

    /// Moves the ensemble `steps` times, appending every step to the chain.
    void advance(int steps);

    const Chain &chain() const { return m_chain; }
    Chain takeChain() { return std::move(m_chain); }
    /// The fraction of proposals accepted so far.
    double acceptanceFraction() const;

private:
    enum class Move { Stretch, DifferentialEvolution };
    Move moveOf(std::uint64_t step) const;
    void moveHalf(int half, std::uint64_t step);

    const LogDensity &m_density;
    int m_walkers;
    int m_dimension;
    std::uint64_t m_seed;
    WorkerPool &m_pool;
    std::vector<double> m_positions;  ///< the current point of each walker
    std::vector<double> m_logDensity; ///< at each current point
    std::vector<double> m_proposals;  ///< one proposal per walker, reused every step
    std::vector<char> m_moved;        ///< whether each walker of the half just moved
    std::uint64_t m_proposed = 0;
    std::uint64_t m_accepted = 0;
    Chain m_chain;
};

} // namespace Sampling
