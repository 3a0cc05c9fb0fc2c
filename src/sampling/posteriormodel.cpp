#include "sampling/posteriormodel.h"

#include "fitting/rvmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Sampling {

namespace {

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

/// What one evaluation hands the likelihood, one per thread: logDensity()
/// runs on several threads at once and allocates nothing after a thread's
/// first call on a model of this size.
struct Workspace
{
    Fitting::KeplerianLikelihood::Workspace likelihood;
    std::vector<Fitting::PreparedPlanet> planets;
    std::vector<double> jitterVariances;
};

Workspace &workspace(const Fitting::KeplerianLikelihood &likelihood, int planets, int instruments)
{
    thread_local Workspace space;
    likelihood.fit(space.likelihood, std::size_t(planets));
    space.planets.resize(std::size_t(planets));
    space.jitterVariances.resize(std::size_t(instruments));
    return space;
}

} // namespace

PosteriorModel::PosteriorModel(const Fitting::Measurements &m)
    : m_likelihood(m.time, m.velocity, m.variance, m.instrument, m.referenceTime)
{ }

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
        return Numeric::Refusal{"The posterior is sampled for fits of 1 to " + std::to_string(maxPlanets)
                                + " planets; this fit has " + std::to_string(fit.planets.size()) + "."};
    if (!fit.decorrelatedAgainst.empty())
        return Numeric::Refusal{
            "The posterior is not sampled for a fit decorrelated against an activity index;"
            " fit without the decorrelation to sample it."};
    if (data.measurements.size() < 2 || fit.instruments.size() != data.instruments.size()
        || fit.pointCount != int(data.measurements.size()))
        return Numeric::Refusal{"The fit does not belong to these measurements; fit them again."};

    const int instruments = int(data.instruments.size());
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    double first = lowest;
    double last = -lowest;
    for (const auto &m : data.measurements) {
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !(m.uncertainty > 0) || m.instrument < 0
            || m.instrument >= instruments)
            return Numeric::Refusal{"A measurement at time " + std::to_string(m.time)
                                    + " has no finite velocity, no positive uncertainty or no instrument."};
        lowest = std::min(lowest, m.velocity);
        highest = std::max(highest, m.velocity);
        first = std::min(first, m.time);
        last = std::max(last, m.time);
    }
    Fitting::Measurements measurements = Fitting::Measurements::from(data);
    measurements.referenceTime = fit.referenceTime;
    PosteriorModel model(measurements);
    model.m_planets = int(fit.planets.size());
    model.m_instruments = instruments;
    model.m_circular = options.circular;
    model.m_trend = fit.trendFitted;
    model.m_jitter = options.fitJitter;
    model.m_referenceTime = fit.referenceTime;
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
    Workspace &space = workspace(m_likelihood, m_planets, m_instruments);
    const int stride = parametersPerPlanet();
    for (int j = 0; j < m_planets; ++j) {
        const double *p = theta.data() + j * stride;
        Fitting::PlanetParameters planet{p[0], p[1], 0.0, 0.0, p[stride - 1]};
        if (!m_circular) {
            planet.rootECosOmega = p[2];
            planet.rootESinOmega = p[3];
            if (!(planet.eccentricity() < 1))
                return minusInfinity;
        }
        space.planets[std::size_t(j)] =
            Fitting::PreparedPlanet::of(planet.orbit(), planet.conjunctionTime, m_referenceTime);
    }
    const double *offsets = theta.data() + m_planets * stride;
    Fitting::KeplerianLikelihood::Parameters parameters;
    parameters.planets = space.planets;
    parameters.offsets = offsets;
    parameters.trend = m_trend ? offsets[m_instruments] : 0.0;
    if (m_jitter) {
        const double *jitters = offsets + m_instruments + (m_trend ? 1 : 0);
        for (int k = 0; k < m_instruments; ++k)
            space.jitterVariances[std::size_t(k)] = jitters[k] * jitters[k];
        parameters.jitterVariances = space.jitterVariances.data();
    }
    return -m_likelihood.negativeLogLikelihood(parameters, space.likelihood);
}

} // namespace Sampling
