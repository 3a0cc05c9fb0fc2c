#pragma once

#include "sampling/chain.h"
#include "sampling/logdensity.h"
#include "sampling/workerpool.h"

#include <cstdint>
#include <vector>

namespace Sampling {

/// The affine-invariant ensemble sampler of Goodman & Weare (2010) with the
/// stretch move (a = 2), in the parallel form of Foreman-Mackey et al. (2013):
/// the ensemble is split into two halves and each half moves in turn, every
/// walker proposing Y = X_j + z (X_k − X_j) towards a walker X_j of the other
/// half, z drawn from g(z) ∝ 1/√z on [1/a, a], accepted with probability
/// min(1, z^(d−1) p(Y)/p(X_k)). The walkers of a half are spread over the
/// threads; each walker's random numbers in each step come from the seed alone
/// (RandomStream), so the chain is the same for any number of threads.
class EnsembleSampler
{
public:
    /// walkers: even and ≥ 2 × density.dimension(); the pool's threads share
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
