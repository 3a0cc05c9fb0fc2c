#include "fitting/keplerianlikelihood.h"

#include "numeric/mathconstants.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Fitting {

namespace {

/// Σ ln V_i with one logarithm per block of 32 values instead of one per
/// value: V = m·2^x with m in [1, 2) gives ln V = ln m + x ln 2, and the
/// product of 32 mantissas stays below 2^32, off by at most 32 roundings
/// (ln off by 4e-15). Any value that is not a positive normal double (zero,
/// infinite, NaN) takes the logarithm of each value, which says so.
double sumOfLogarithms(std::span<const double> values)
{
    constexpr std::size_t block = 32;
    constexpr std::uint64_t mantissaBits = (std::uint64_t(1) << 52) - 1;
    constexpr std::uint64_t exponentOfOne = 1023;
    double sum = 0;
    std::int64_t exponents = 0;
    bool normal = true;
    for (std::size_t begin = 0; begin < values.size(); begin += block) {
        const std::size_t end = std::min(values.size(), begin + block);
        double product = 1;
        for (std::size_t i = begin; i < end; ++i) {
            const auto bits = std::bit_cast<std::uint64_t>(values[i]);
            const std::uint64_t exponent = bits >> 52; // the sign bit too: a negative value is not normal
            normal &= exponent - 1 < 2046;
            exponents += std::int64_t(exponent) - std::int64_t(exponentOfOne);
            product *= std::bit_cast<double>((bits & mantissaBits) | (exponentOfOne << 52));
        }
        sum += std::log(product);
    }
    if (!normal) {
        sum = 0;
        for (double value : values)
            sum += std::log(value);
        return sum;
    }
    return sum + double(exponents) * std::numbers::ln2;
}

} // namespace

PreparedPlanet PreparedPlanet::of(const Kepler::Orbit &orbit, double conjunctionTime, double referenceTime)
{
    const double e = orbit.eccentricity;
    PreparedPlanet prepared;
    prepared.meanMotion = MathConstants::twoPi / orbit.periodDays;
    // From the conjunction relative to t_ref, so that T_p keeps its digits.
    prepared.periastron =
        Kepler::periastronFromConjunction(conjunctionTime - referenceTime, orbit.periodDays, e, orbit.omegaRadians);
    prepared.eccentricity = e;
    prepared.a = orbit.semiAmplitude * std::cos(orbit.omegaRadians);
    prepared.b = orbit.semiAmplitude * std::sqrt(1 - e * e) * std::sin(orbit.omegaRadians);
    prepared.c = prepared.a * e;
    return prepared;
}

KeplerianLikelihood::KeplerianLikelihood(std::span<const double> times, std::span<const double> velocities,
                                         std::span<const double> variances, std::span<const int> instruments,
                                         double referenceTime, std::span<const double> centredIndex)
    : m_velocities(velocities.begin(), velocities.end())
    , m_variances(variances.begin(), variances.end())
    , m_instruments(instruments.begin(), instruments.end())
    , m_centredIndex(centredIndex.begin(), centredIndex.end())
{
    m_times.reserve(times.size());
    for (double t : times)
        m_times.push_back(t - referenceTime);
}

void KeplerianLikelihood::fit(Workspace &space, std::size_t planets) const
{
    while (space.equations.size() < planets)
        space.equations.emplace_back(0.0);
    for (auto *array : {&space.anomalies, &space.sines, &space.cosines, &space.mean, &space.variance})
        array->resize(size());
}

double KeplerianLikelihood::negativeLogLikelihood(const Parameters &parameters, Workspace &space) const
{
    const std::size_t n = m_times.size();
    const double *times = m_times.data();
    double *mean = space.mean.data();
    double *variance = space.variance.data();
    for (std::size_t i = 0; i < n; ++i) {
        const int k = m_instruments[i];
        mean[i] = parameters.offsets[k] + parameters.trend * times[i];
        variance[i] = m_variances[i] + (parameters.jitterVariances ? parameters.jitterVariances[k] : 0.0);
    }
    if (parameters.decorrelation && !m_centredIndex.empty())
        for (std::size_t i = 0; i < n; ++i)
            mean[i] += parameters.decorrelation[m_instruments[i]] * m_centredIndex[i];
    double *anomalies = space.anomalies.data();
    const double *sines = space.sines.data();
    const double *cosines = space.cosines.data();
    for (std::size_t j = 0; j < parameters.planets.size(); ++j) {
        const PreparedPlanet &p = parameters.planets[j];
        for (std::size_t i = 0; i < n; ++i)
            anomalies[i] = p.meanMotion * (times[i] - p.periastron);
        Kepler::KeplerEquation &equation = space.equations[j];
        equation.prepare(p.eccentricity);
        equation.sinesAndCosines({anomalies, n}, space.sines.data(), space.cosines.data());
        for (std::size_t i = 0; i < n; ++i)
            mean[i] += (p.a * (cosines[i] - p.eccentricity) - p.b * sines[i]) / (1 - p.eccentricity * cosines[i]) + p.c;
    }
    // −ln L = ½ Σ r_i²/V_i + ½ Σ ln V_i + ½ n ln 2π, the logarithms summed
    // apart, one call per block of points.
    double squares = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double residual = m_velocities[i] - mean[i];
        squares += residual * residual / variance[i];
    }
    return 0.5 * (squares + sumOfLogarithms({variance, n}) + double(n) * std::log(MathConstants::twoPi));
}

} // namespace Fitting
