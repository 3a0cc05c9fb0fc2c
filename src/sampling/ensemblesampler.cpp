#include "sampling/ensemblesampler.h"

#include "sampling/randomstream.h"

#include <cmath>

namespace Sampling {

namespace {

constexpr double stretch = 2.0; ///< a of the stretch move, the value its authors recommend
/// The share of steps that take the differential-evolution move, as emcee's
/// documentation suggests mixing it.
constexpr double differentialShare = 0.8;
/// σ of the relative jitter of the differential-evolution move's scale.
constexpr double scaleJitter = 1e-5;
/// The walker index whose random stream picks each step's move.
constexpr std::uint64_t moveChooser = ~std::uint64_t(0);

} // namespace

EnsembleSampler::EnsembleSampler(const LogDensity &density, int walkers, std::uint64_t seed, WorkerPool &pool)
    : m_density(density)
    , m_walkers(walkers)
    , m_dimension(density.dimension())
    , m_seed(seed)
    , m_pool(pool)
    , m_moved(std::size_t(walkers / 2))
{
    m_chain.walkers = walkers;
    m_chain.dimension = m_dimension;
}

void EnsembleSampler::start(std::vector<double> positions)
{
    m_positions = std::move(positions);
    m_proposals.assign(m_positions.size(), 0.0);
    m_logDensity.resize(std::size_t(m_walkers));
    for (int k = 0; k < m_walkers; ++k)
        m_logDensity[std::size_t(k)] =
            m_density.logDensity({m_positions.data() + std::size_t(k * m_dimension), std::size_t(m_dimension)});
    m_chain.values = m_positions;
    m_chain.logDensities = m_logDensity;
}

void EnsembleSampler::advance(int steps)
{
    // No reserve for just these steps: the chain grows by a few steps at a
    // time, and growing it geometrically copies it a few times in all, where
    // an exact reserve per call would copy all of it on every call.
    for (int s = 0; s < steps; ++s) {
        const auto step = std::uint64_t(m_chain.steps());
        moveHalf(0, step);
        moveHalf(1, step);
        m_chain.values.insert(m_chain.values.end(), m_positions.begin(), m_positions.end());
        m_chain.logDensities.insert(m_chain.logDensities.end(), m_logDensity.begin(), m_logDensity.end());
    }
}

EnsembleSampler::Move EnsembleSampler::moveOf(std::uint64_t step) const
{
    RandomStream random(m_seed, step, moveChooser);
    return random.uniform() < differentialShare ? Move::DifferentialEvolution : Move::Stretch;
}

void EnsembleSampler::moveHalf(int half, std::uint64_t step)
{
    const int size = m_walkers / 2;
    const int first = half * size;
    const int other = (1 - half) * size;
    const int d = m_dimension;
    const Move kind = moveOf(step);
    const double differentialScale = 2.38 / std::sqrt(2.0 * d);
    auto move = [&](int i) {
        const int k = first + i;
        RandomStream random(m_seed, step, std::uint64_t(k));
        const double *xk = m_positions.data() + std::size_t(k * d);
        double *y = m_proposals.data() + std::size_t(k * d);
        double logJacobian = 0;
        if (kind == Move::Stretch) {
            const double root = (stretch - 1) * random.uniform() + 1;
            const double z = root * root / stretch;
            const double *xj = m_positions.data() + std::size_t((other + random.below(size)) * d);
            for (int p = 0; p < d; ++p)
                y[p] = xj[p] + z * (xk[p] - xj[p]);
            logJacobian = (d - 1) * std::log(z);
        } else {
            const int a = random.below(size);
            const int b = (a + 1 + random.below(size - 1)) % size;
            const double *xa = m_positions.data() + std::size_t((other + a) * d);
            const double *xb = m_positions.data() + std::size_t((other + b) * d);
            const double scale = differentialScale * (1 + scaleJitter * random.normal());
            for (int p = 0; p < d; ++p)
                y[p] = xk[p] + scale * (xa[p] - xb[p]);
        }
        const double proposed = m_density.logDensity({y, std::size_t(d)});
        const double logRatio = logJacobian + proposed - m_logDensity[std::size_t(k)];
        if (std::isfinite(proposed) && std::log(random.uniform()) < logRatio) {
            std::copy(y, y + d, m_positions.data() + std::size_t(k * d));
            m_logDensity[std::size_t(k)] = proposed;
            m_moved[std::size_t(i)] = 1;
        } else {
            m_moved[std::size_t(i)] = 0;
        }
    };
    m_pool.run(size, move);
    m_proposed += std::uint64_t(size);
    for (char moved : m_moved)
        m_accepted += std::uint64_t(moved);
}

double EnsembleSampler::acceptanceFraction() const
{
    return m_proposed > 0 ? double(m_accepted) / double(m_proposed) : 0.0;
}

} // namespace Sampling
