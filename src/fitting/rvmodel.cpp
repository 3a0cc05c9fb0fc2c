#include "fitting/rvmodel.h"

#include "fitting/decorrelation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace Fitting {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// Where one planet stands at time t: ν and the phase (t − T_c)/P.
struct Anomaly
{
    double trueAnomaly;
    double conjunctionPhase; ///< (t − T_c)/P, days per day
};

/// The mean anomaly is taken from the phase reduced to [−½, ½] so that long
/// time spans keep their digits.
Anomaly anomalyAt(double t, const Kepler::Orbit &orbit, double conjunction, const Kepler::KeplerEquation &equation)
{
    double phase = (t - orbit.periastronTime) / orbit.periodDays;
    phase -= std::nearbyint(phase);
    const double nu = Kepler::trueAnomaly(equation.eccentricAnomaly(twoPi * phase), orbit.eccentricity);
    return {nu, (t - conjunction) / orbit.periodDays};
}

} // namespace

Measurements Measurements::from(const Observations::DataSet &set, const std::string &index)
{
    Measurements data;
    data.instruments = int(set.instruments.size());
    double sum = 0;
    for (const auto &m : set.measurements) {
        data.time.push_back(m.time);
        data.velocity.push_back(m.velocity);
        data.variance.push_back(m.uncertainty * m.uncertainty);
        data.instrument.push_back(m.instrument);
        data.instruments = std::max(data.instruments, m.instrument + 1);
        sum += m.time;
    }
    data.referenceTime = data.size() ? sum / double(data.size()) : 0.0;
    if (const Observations::ActivityIndex *series = activityIndex(set, index);
        series && series->values.size() == set.measurements.size()) {
        data.indexMeans = Fitting::indexMeans(set, index);
        data.indexMeans.resize(std::size_t(data.instruments), 0.0);
        for (std::size_t i = 0; i < data.size(); ++i) {
            const double x = series->values[i];
            data.centredIndex.push_back(std::isfinite(x) ? x - data.indexMeans[std::size_t(data.instrument[i])] : 0.0);
        }
    }
    return data;
}

PlanetParameters PlanetParameters::read(const double *slots)
{
    return {slots[0], slots[1], slots[2], slots[3], slots[4]};
}

PlanetParameters PlanetParameters::of(const Kepler::Orbit &orbit)
{
    const double root = std::sqrt(orbit.eccentricity);
    return {std::log(orbit.periodDays), std::log(std::max(orbit.semiAmplitude, 1e-6)),
            root * std::cos(orbit.omegaRadians), root * std::sin(orbit.omegaRadians),
            Kepler::conjunctionFromPeriastron(orbit.periastronTime, orbit.periodDays, orbit.eccentricity,
                                              orbit.omegaRadians)};
}

void PlanetParameters::write(double *slots) const
{
    slots[0] = logPeriod;
    slots[1] = logSemiAmplitude;
    slots[2] = rootECosOmega;
    slots[3] = rootESinOmega;
    slots[4] = conjunctionTime;
}

Kepler::Orbit PlanetParameters::orbit() const
{
    Kepler::Orbit orbit;
    orbit.periodDays = std::exp(logPeriod);
    orbit.semiAmplitude = std::exp(logSemiAmplitude);
    orbit.eccentricity = eccentricity();
    orbit.omegaRadians = orbit.eccentricity > 0 ? std::atan2(rootESinOmega, rootECosOmega) : 0.0;
    orbit.periastronTime =
        Kepler::periastronFromConjunction(conjunctionTime, orbit.periodDays, orbit.eccentricity, orbit.omegaRadians);
    return orbit;
}

RvModel::RvModel(const Measurements &data, const ParameterLayout &layout)
    : m_data(&data)
    , m_layout(layout)
    , m_likelihood(data.time, data.velocity, data.variance, data.instrument, data.referenceTime, data.centredIndex)
    , m_planets(std::size_t(layout.planets))
    , m_offsets(std::size_t(layout.instruments))
    , m_jitterVariances(std::size_t(layout.instruments))
    , m_coefficients(std::size_t(layout.instruments))
{
    m_likelihood.fit(m_space, std::size_t(layout.planets));
}

bool RvModel::plausible(const Eigen::VectorXd &x) const
{
    if (x.size() != m_layout.size() || !x.allFinite())
        return false;
    for (int j = 0; j < m_layout.planets; ++j) {
        const PlanetParameters p = PlanetParameters::read(x.data() + m_layout.planet(j));
        if (p.eccentricity() > maxEccentricity || std::abs(p.logPeriod) > maxLogScale
            || std::abs(p.logSemiAmplitude) > maxLogScale)
            return false;
    }
    if (m_layout.jitter)
        for (int k = 0; k < m_layout.instruments; ++k)
            if (x(m_layout.jitterSquared(k)) < 0)
                return false;
    return true;
}

double RvModel::negativeLogLikelihood(const Eigen::VectorXd &x)
{
    if (!plausible(x))
        return std::numeric_limits<double>::infinity();
    for (int j = 0; j < m_layout.planets; ++j) {
        const PlanetParameters planet = PlanetParameters::read(x.data() + m_layout.planet(j));
        m_planets[std::size_t(j)] = PreparedPlanet::of(planet.orbit(), planet.conjunctionTime, m_data->referenceTime);
    }
    for (int k = 0; k < m_layout.instruments; ++k) {
        m_offsets[std::size_t(k)] = x(m_layout.offset(k));
        m_jitterVariances[std::size_t(k)] = m_layout.jitter ? x(m_layout.jitterSquared(k)) : 0.0;
        m_coefficients[std::size_t(k)] = m_layout.decorrelation ? x(m_layout.coefficient(k)) : 0.0;
    }
    KeplerianLikelihood::Parameters parameters;
    parameters.planets = m_planets;
    parameters.offsets = m_offsets.data();
    parameters.jitterVariances = m_jitterVariances.data();
    parameters.trend = m_layout.trend ? x(m_layout.trendIndex()) : 0.0;
    parameters.decorrelation = m_layout.decorrelation ? m_coefficients.data() : nullptr;
    return m_likelihood.negativeLogLikelihood(parameters, m_space);
}

/// ∂v/∂(ln P, ln K, √e cos ω, √e sin ω, T_c) of one planet at every point,
/// into the Jacobian's columns column + 0 … 4. With M = 2π (t − T_c)/P + M_c(e, ω),
/// M_c the mean anomaly at conjunction (ν_c = π/2 − ω):
///   dν/dM|e = (1 + e cos ν)² / (1 − e²)^{3/2},  dν/de|M = sin ν (2 + e cos ν) / (1 − e²),
/// and for M_c the inverse relations at ν_c (dM/dν = 1 / (dν/dM), dM/de|ν = −(dν/de|M)(dM/dν)).
/// ∂v/∂ln K is v itself.
void RvModel::addPlanetDerivatives(const PlanetParameters &planet, int column)
{
    const Kepler::Orbit o = planet.orbit();
    const double period = o.periodDays, k = o.semiAmplitude, e = o.eccentricity, w = o.omegaRadians;
    const double oneMinusE2 = 1 - e * e;
    const double root3 = oneMinusE2 * std::sqrt(oneMinusE2);
    const double nuC = std::numbers::pi / 2 - w;
    const double qC = 1 + e * std::cos(nuC);
    const double meanCPerOmega = -root3 / (qC * qC);
    const double meanCPerE = -std::sin(nuC) * (2 + e * std::cos(nuC)) * std::sqrt(oneMinusE2) / (qC * qC);
    const Kepler::KeplerEquation equation(e);
    for (std::size_t i = 0; i < m_data->size(); ++i) {
        const Anomaly a = anomalyAt(m_data->time[i], o, planet.conjunctionTime, equation);
        const double nu = a.trueAnomaly;
        const double q = 1 + e * std::cos(nu);
        const double nuPerMean = q * q / root3;
        const double nuPerE = std::sin(nu) * (2 + e * std::cos(nu)) / oneMinusE2;
        const double vPerNu = -k * std::sin(nu + w);
        const auto row = Eigen::Index(i);
        m_jacobian(row, column) = vPerNu * nuPerMean * (-twoPi * a.conjunctionPhase);
        m_jacobian(row, column + 1) = k * (std::cos(nu + w) + e * std::cos(w));
        m_jacobian(row, column + 4) = vPerNu * nuPerMean * (-twoPi / period);
        // √e cos ω and √e sin ω have no slope at e = 0; their columns stay zero.
        if (e > 1e-14) {
            const double vPerE = vPerNu * (nuPerMean * meanCPerE + nuPerE) + k * std::cos(w);
            const double vPerOmega = vPerNu * nuPerMean * meanCPerOmega - k * std::sin(nu + w) - k * e * std::sin(w);
            m_jacobian(row, column + 2) = vPerE * 2 * planet.rootECosOmega - vPerOmega * planet.rootESinOmega / e;
            m_jacobian(row, column + 3) = vPerE * 2 * planet.rootESinOmega + vPerOmega * planet.rootECosOmega / e;
        }
    }
}

void RvModel::linearise(const Eigen::VectorXd &x, Eigen::VectorXd &gradient, Eigen::MatrixXd &fisher)
{
    negativeLogLikelihood(x);
    const Measurements &data = *m_data;
    const auto rows = Eigen::Index(data.size());
    m_jacobian.setZero(rows, m_layout.size());
    for (int j = 0; j < m_layout.planets; ++j)
        addPlanetDerivatives(PlanetParameters::read(x.data() + m_layout.planet(j)), m_layout.planet(j));
    Eigen::VectorXd weight(rows), weightedResidual(rows);
    for (Eigen::Index i = 0; i < rows; ++i) {
        const auto n = std::size_t(i);
        m_jacobian(i, m_layout.offset(data.instrument[n])) = 1;
        if (m_layout.trend)
            m_jacobian(i, m_layout.trendIndex()) = data.time[n] - data.referenceTime;
        if (m_layout.decorrelation && !data.centredIndex.empty())
            m_jacobian(i, m_layout.coefficient(data.instrument[n])) = data.centredIndex[n];
        weight(i) = 1 / m_space.variance[n];
        weightedResidual(i) = (data.velocity[n] - m_space.mean[n]) / m_space.variance[n];
    }
    gradient = -m_jacobian.transpose() * weightedResidual;
    fisher = m_jacobian.transpose() * weight.asDiagonal() * m_jacobian;
    if (m_layout.jitter)
        for (std::size_t i = 0; i < data.size(); ++i) {
            const int q = m_layout.jitterSquared(data.instrument[i]);
            const double r = data.velocity[i] - m_space.mean[i];
            const double v = m_space.variance[i];
            gradient(q) += 0.5 * (1 / v - r * r / (v * v));
            fisher(q, q) += 0.5 / (v * v);
        }
}

} // namespace Fitting
