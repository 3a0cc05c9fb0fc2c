#include "sampling/posteriormodel.h"

#include "numeric/mathconstants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace Sampling {

namespace {

using MathConstants::twoPi;

/// A usable step scale: the uncertainty when it is positive and finite, else a
/// small fraction of the value, else `fallback`.
double scaleOr(double uncertainty, double value, double fallback)
{
    if (std::isfinite(uncertainty) && uncertainty > 0)
        return uncertainty;
    if (std::isfinite(value) && value != 0)
        return 1e-3 * std::abs(value);
    return fallback;
}

/// What one planet's velocity needs, worked out once per call:
/// v = (A (cos E − e) − B sin E) / (1 − e cos E) + C, with A = K cos ω,
/// B = K √(1 − e²) sin ω and C = K e cos ω, which is K [cos(ν + ω) + e cos ω]
/// without the true anomaly.
struct PreparedPlanet
{
    double meanMotion = 0;
    double periastron = 0;
    double e = 0;
    double a = 0;
    double b = 0;
    double c = 0;
};

} // namespace

void PosteriorModel::addParameter(std::string name, std::string unit, double lower, double upper, double best,
                                  double scale)
{
    m_parameters.push_back({std::move(name), std::move(unit), lower, upper});
    m_bestFit.push_back(std::clamp(best, lower, upper));
    m_scales.push_back(scale);
}

Numeric::Outcome<PosteriorModel> PosteriorModel::build(const Observations::DataSet &data, const Fitting::Result &fit,
                                                       const Fitting::Options &options)
{
    if (!fit.ok())
        return Numeric::Refusal{"The posterior needs a successful fit; fit the data first."};
    if (fit.planets.empty() || int(fit.planets.size()) > maxPlanets)
        return Numeric::Refusal{"The posterior is sampled for fits of 1 to 4 planets; this fit has "
                                + std::to_string(fit.planets.size()) + "."};
    if (data.measurements.size() < 2 || fit.instruments.size() != data.instruments.size()
        || fit.pointCount != int(data.measurements.size()))
        return Numeric::Refusal{"The fit does not belong to these measurements; fit them again."};

    PosteriorModel model;
    model.m_planets = int(fit.planets.size());
    model.m_instruments = int(data.instruments.size());
    model.m_circular = options.circular;
    model.m_trend = fit.trendFitted;
    model.m_jitter = options.fitJitter;
    model.m_referenceTime = fit.referenceTime;

    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    double first = lowest;
    double last = -lowest;
    for (const auto &m : data.measurements) {
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !(m.uncertainty > 0) || m.instrument < 0
            || m.instrument >= model.m_instruments)
            return Numeric::Refusal{"A measurement at time " + std::to_string(m.time)
                                    + " has no finite velocity, no positive uncertainty or no instrument."};
        lowest = std::min(lowest, m.velocity);
        highest = std::max(highest, m.velocity);
        first = std::min(first, m.time);
        last = std::max(last, m.time);
        model.m_times.push_back(m.time - fit.referenceTime);
        model.m_velocities.push_back(m.velocity);
        model.m_variances.push_back(m.uncertainty * m.uncertainty);
        model.m_instrumentOf.push_back(m.instrument);
    }
    const double range = std::max(highest - lowest, 1e-3);
    const double span = std::max(last - first, 1.0);

    for (int j = 0; j < model.m_planets; ++j) {
        const auto &value = fit.planets[std::size_t(j)].value;
        const auto &sigma = fit.planets[std::size_t(j)].uncertainty;
        const std::string n = std::to_string(j + 1);
        const double lnP = std::log(value.periodDays);
        const double lnK = std::log(std::max(value.semiAmplitude, 0.02));
        model.addParameter("ln P" + n, "ln d", lnP - std::log(2.0), lnP + std::log(2.0), lnP,
                           scaleOr(sigma.periodDays / value.periodDays, 0, 1e-4));
        model.addParameter("ln K" + n, "ln(m/s)", std::log(0.01), std::log(2 * range), lnK,
                           scaleOr(sigma.semiAmplitude / std::max(value.semiAmplitude, 0.02), 0, 0.05));
        if (!model.m_circular) {
            const double root = std::sqrt(value.eccentricity);
            const double c = std::cos(value.omegaRadians);
            const double s = std::sin(value.omegaRadians);
            const double spread = std::clamp(
                std::hypot(sigma.eccentricity / (2 * std::max(root, 0.1)), root * sigma.omegaRadians), 1e-3, 0.2);
            model.addParameter("sqrt(e) cos w" + n, "", -1, 1, root * c, spread);
            model.addParameter("sqrt(e) sin w" + n, "", -1, 1, root * s, spread);
        }
        model.addParameter("Tc" + n, "d", value.conjunctionTime - value.periodDays / 2,
                           value.conjunctionTime + value.periodDays / 2, value.conjunctionTime,
                           scaleOr(sigma.conjunctionTime, 0, 1e-3 * value.periodDays));
    }
    for (int k = 0; k < model.m_instruments; ++k) {
        const auto &instrument = fit.instruments[std::size_t(k)];
        model.addParameter("offset " + data.instruments[std::size_t(k)], "m/s", lowest - range, highest + range,
                           instrument.offset, scaleOr(instrument.offsetUncertainty, 0, 0.1));
    }
    if (model.m_trend)
        model.addParameter("trend", "m/s/d", -10 * range / span, 10 * range / span, fit.trend,
                           scaleOr(fit.trendUncertainty, fit.trend, 1e-3 * range / span));
    if (model.m_jitter) {
        for (int k = 0; k < model.m_instruments; ++k) {
            const auto &instrument = fit.instruments[std::size_t(k)];
            model.addParameter("jitter " + data.instruments[std::size_t(k)], "m/s", 0, range, instrument.jitter,
                               scaleOr(instrument.jitterUncertainty, instrument.jitter, 0.1));
        }
    }
    return model;
}

double PosteriorModel::logDensity(std::span<const double> theta) const
{
    constexpr double minusInfinity = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < m_parameters.size(); ++i)
        if (!(theta[i] >= m_parameters[i].lower && theta[i] <= m_parameters[i].upper))
            return minusInfinity;

    // The prepared Kepler equations live on the stack, never on the heap,
    // built only for the planets there are.
    std::array<PreparedPlanet, maxPlanets> planets;
    std::array<std::optional<Kepler::KeplerEquation>, maxPlanets> equations;
    const int stride = parametersPerPlanet();
    for (int j = 0; j < m_planets; ++j) {
        const double *p = theta.data() + j * stride;
        const double period = std::exp(p[0]);
        const double amplitude = std::exp(p[1]);
        double e = 0;
        double omega = 0;
        if (!m_circular) {
            e = p[2] * p[2] + p[3] * p[3];
            if (!(e < 1))
                return minusInfinity;
            omega = e > 0 ? std::atan2(p[3], p[2]) : 0.0;
        }
        const double conjunction = p[stride - 1] - m_referenceTime;
        PreparedPlanet &planet = planets[std::size_t(j)];
        planet.meanMotion = twoPi / period;
        planet.periastron = Kepler::periastronFromConjunction(conjunction, period, e, omega);
        planet.e = e;
        planet.a = amplitude * std::cos(omega);
        planet.b = amplitude * std::sqrt(1 - e * e) * std::sin(omega);
        planet.c = planet.a * e;
        equations[std::size_t(j)].emplace(e);
    }

    const double *offsets = theta.data() + m_planets * stride;
    const double trend = m_trend ? offsets[m_instruments] : 0.0;
    const double *jitters = m_jitter ? offsets + m_instruments + (m_trend ? 1 : 0) : nullptr;
    double chiSquare = 0;
    double logVariance = 0;
    const std::size_t n = m_times.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double t = m_times[i];
        const int k = m_instrumentOf[i];
        double model = offsets[k] + trend * t;
        for (int j = 0; j < m_planets; ++j) {
            const PreparedPlanet &planet = planets[std::size_t(j)];
            const double eccentricAnomaly =
                equations[std::size_t(j)]->eccentricAnomaly(planet.meanMotion * (t - planet.periastron));
            const double cosE = std::cos(eccentricAnomaly);
            const double sinE = std::sin(eccentricAnomaly);
            model += (planet.a * (cosE - planet.e) - planet.b * sinE) / (1 - planet.e * cosE) + planet.c;
        }
        const double residual = m_velocities[i] - model;
        double variance = m_variances[i];
        if (jitters)
            variance += jitters[k] * jitters[k];
        chiSquare += residual * residual / variance;
        logVariance += std::log(variance);
    }
    return -0.5 * (chiSquare + logVariance + double(n) * std::log(twoPi));
}

} // namespace Sampling
