#include "fitting/rvfit.h"

#include "fitting/decorrelation.h"
#include "fitting/rvmodel.h"

#include <algorithm>
#include <cmath>

namespace Fitting {

Kepler::Orbit PlanetResult::orbit() const
{
    return {value.periodDays, value.semiAmplitude, value.eccentricity, value.omegaRadians, value.periastronTime};
}

double negativeLogLikelihood(std::span<const double> residuals, std::span<const double> uncertainties,
                             std::span<const double> jitters)
{
    double sum = 0;
    for (std::size_t i = 0; i < residuals.size(); ++i)
        sum += likelihoodTerm(residuals[i], uncertainties[i] * uncertainties[i] + jitters[i] * jitters[i]);
    return sum;
}

Options effectiveOptions(const Observations::DataSet &data, Options options)
{
    if (!data.instrumentsWithoutUncertainties.empty())
        options.fitJitter = true;
    return options;
}

std::optional<Numeric::Refusal> refusal(const Observations::DataSet &data, const Options &options)
{
    if (options.fitJitter != effectiveOptions(data, options).fitJitter)
        return refusal(data, effectiveOptions(data, options));
    const auto no = [](std::string reason) { return Numeric::Refusal{std::move(reason)}; };
    if (options.planets < 1 || options.planets > maxPlanets)
        return no("The number of planets must be between 1 and " + std::to_string(maxPlanets)
                  + " (asked: " + std::to_string(options.planets) + ").");
    if (!(std::isfinite(options.starMassSolar) && options.starMassSolar > 0))
        return no("The star's mass must be a number of solar masses above zero.");
    if (!(options.falseAlarmThreshold > 0 && options.falseAlarmThreshold <= 1))
        return no("The false-alarm threshold must lie above 0 and at most 1.");
    if (options.bootstrapRuns != 0 && (options.bootstrapRuns < 10 || options.bootstrapRuns > 100000))
        return no("A bootstrap needs between 10 and 100000 runs.");
    if (data.measurements.empty())
        return no("There are no measurements to fit.");
    const int instruments = int(std::max<std::size_t>(data.instruments.size(), 1));
    for (const auto &m : data.measurements) {
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !std::isfinite(m.uncertainty))
            return no("A measurement holds a value that is not a finite number.");
        if (!(m.uncertainty > 0))
            return no("Every uncertainty must be greater than zero.");
        if (m.instrument < 0 || m.instrument >= instruments)
            return no("A measurement names an instrument the data set does not list.");
    }
    for (const auto &orbit : options.startingOrbits)
        if (const auto reason = Kepler::refusal(orbit))
            return no("A starting orbit is not valid: " + reason->reason);
    const bool decorrelate = !options.decorrelateAgainst.empty();
    if (decorrelate)
        if (auto reason = decorrelationRefusal(data, options.decorrelateAgainst))
            return reason;
    const ParameterLayout largest{options.planets, instruments, options.fitTrend, options.fitJitter, decorrelate};
    const int parameters = largest.freeCount(options.circular ? options.planets : 0);
    const std::size_t points = decorrelate ? measurementsWithIndex(data, options.decorrelateAgainst).measurements.size()
                                           : data.measurements.size();
    if (int(points) <= parameters)
        return no("Fitting " + std::to_string(parameters) + " parameters needs more than that many measurements; "
                  "these data have " + std::to_string(points) + (decorrelate ? " with the activity index." : "."));
    if (const auto reason =
            Periodogram::refusal(data, options.grid ? *options.grid : Periodogram::FrequencyGrid{1, 2, 2}))
        return no(reason->reason);
    return std::nullopt;
}

std::vector<double> modelVelocities(const Result &result, const Observations::DataSet &data)
{
    std::vector<Kepler::Orbit> orbits;
    for (const auto &planet : result.planets)
        orbits.push_back(planet.orbit());
    const Observations::ActivityIndex *index =
        result.decorrelatedAgainst.empty() ? nullptr : activityIndex(data, result.decorrelatedAgainst);
    std::vector<double> model;
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        double v = Kepler::radialVelocity(orbits, m.time);
        if (m.instrument >= 0 && std::size_t(m.instrument) < result.instruments.size()) {
            const InstrumentResult &instrument = result.instruments[std::size_t(m.instrument)];
            v += instrument.offset;
            if (index && i < index->values.size() && std::isfinite(index->values[i]))
                v += instrument.decorrelation * (index->values[i] - instrument.indexMean);
        }
        if (result.trendFitted)
            v += result.trend * (m.time - result.referenceTime);
        model.push_back(v);
    }
    return model;
}

} // namespace Fitting
