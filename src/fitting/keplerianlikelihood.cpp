#include "fitting/keplerianlikelihood.h"

#include "numeric/mathconstants.h"

#include <cmath>

namespace Fitting {

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
    double cost = 0;
    for (std::size_t i = 0; i < n; ++i)
        cost += likelihoodTerm(m_velocities[i] - mean[i], variance[i]);
    return cost;
}

} // namespace Fitting
