#include "challenge/answerkey.h"

#include "challenge/goodness.h"
#include "challenge/rounding.h"
#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"
#include "numeric/mathconstants.h"
#include "numeric/numbertext.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace Challenge {

namespace {

using Json = nlohmann::ordered_json;

std::string cadenceName(Cadence cadence)
{
    return cadence == Cadence::Nightly ? "nightly" : "random";
}

Numeric::Outcome<Fitting::Result> fitted(const Observations::DataSet &data, int planets, double starMass, bool jitter,
                                         std::vector<Kepler::Orbit> start)
{
    Fitting::Options options;
    options.planets = planets;
    options.starMassSolar = starMass;
    options.fitJitter = jitter;
    options.startingOrbits = std::move(start);
    Fitting::Result result = Fitting::fit(data, options);
    if (!result.ok())
        return Numeric::Refusal{"the best fit of the challenge's data failed: " + result.message};
    return result;
}

double roundedUncertainty(double uncertainty)
{
    return roundedToUncertainty(uncertainty, uncertainty);
}

Json measured(double value, double uncertainty)
{
    return Json{{"value", roundedToUncertainty(value, uncertainty)}, {"uncertainty", roundedUncertainty(uncertainty)}};
}

Json truthJson(const KeyElements &e)
{
    return Json{{"period", e.periodDays},
                {"semiAmplitude", e.semiAmplitude},
                {"eccentricity", e.eccentricity},
                {"omegaDegrees", e.omegaDegrees},
                {"periastronTime", e.periastronTime},
                {"minimumMassJupiter", e.minimumMassJupiter}};
}

Json fitJson(const Fitting::Result &fit)
{
    Json planets = Json::array();
    for (const Fitting::PlanetResult &p : fit.planets) {
        const auto &v = p.value;
        const auto &u = p.uncertainty;
        planets.push_back(Json{{"period", measured(v.periodDays, u.periodDays)},
                               {"semiAmplitude", measured(v.semiAmplitude, u.semiAmplitude)},
                               {"eccentricity", measured(v.eccentricity, u.eccentricity)},
                               {"omegaDegrees",
                                measured(v.omegaRadians * MathConstants::degreesPerRadian,
                                         u.omegaRadians * MathConstants::degreesPerRadian)},
                               {"periastronTime", measured(v.periastronTime, u.periastronTime)},
                               {"minimumMassJupiter", measured(v.minimumMassJupiter, u.minimumMassJupiter)}});
    }
    Json instruments = Json::array();
    for (const Fitting::InstrumentResult &i : fit.instruments)
        instruments.push_back(Json{{"name", i.name},
                                   {"offset", measured(i.offset, i.offsetUncertainty)},
                                   {"jitter", measured(i.jitter, i.jitterUncertainty)}});
    const int freedom = fit.pointCount - fit.parameterCount;
    return Json{{"chiSquare", roundedTo(fit.chiSquare, 0.01)},
                {"reducedChiSquare", freedom > 0 ? Json(roundedTo(fit.chiSquare / freedom, 0.001)) : Json()},
                {"rms", roundedTo(fit.rms, 0.01)},
                {"planets", planets},
                {"instruments", instruments}};
}

void csvRow(std::string &csv, const std::string &source, int planet, const std::string &quantity, double value,
            std::optional<double> uncertainty = std::nullopt)
{
    csv += source + ',' + (planet > 0 ? std::to_string(planet) : std::string()) + ',' + quantity + ','
        + Numeric::shortestText(uncertainty ? roundedToUncertainty(value, *uncertainty) : value) + ','
        + (uncertainty ? Numeric::shortestText(roundedUncertainty(*uncertainty)) : std::string()) + '\n';
}

} // namespace

KeyElements keyElements(const Kepler::Orbit &orbit, double starMassSolar)
{
    KeyElements e;
    e.periodDays = orbit.periodDays;
    e.semiAmplitude = orbit.semiAmplitude;
    e.eccentricity = orbit.eccentricity;
    const double degrees = std::fmod(orbit.omegaRadians * MathConstants::degreesPerRadian, 360.0);
    e.omegaDegrees = roundedTo(degrees < 0 ? degrees + 360 : degrees, 0.1);
    e.periastronTime = orbit.periastronTime;
    e.minimumMassJupiter =
        roundedTo(Kepler::minimumMass(orbit.periodDays, orbit.semiAmplitude, orbit.eccentricity, starMassSolar)
                      * Kepler::jupiterMassesPerSolarMass,
                  1e-4);
    return e;
}

Numeric::Outcome<AnswerKey> makeAnswerKey(const ChallengeData &challenge)
{
    AnswerKey key;
    key.settings = challenge.settings;
    key.starName = challenge.starName;
    key.starMassSolar = challenge.starMassSolar;
    std::vector<Kepler::Orbit> truth = challenge.planets;
    const bool realStar = challenge.settings.level == Level::RealStar;
    if (realStar) {
        const auto published = fitted(challenge.published, 1, challenge.starMassSolar, true, {});
        if (!published)
            return Numeric::Refusal{published.reason()};
        truth = {published->planets.front().orbit()};
        // The published fit's elements, to the precision its uncertainties earn.
        const auto &v = published->planets.front().value;
        const auto &u = published->planets.front().uncertainty;
        truth.front() = {roundedToUncertainty(v.periodDays, u.periodDays),
                         roundedToUncertainty(v.semiAmplitude, u.semiAmplitude),
                         roundedToUncertainty(v.eccentricity, u.eccentricity), v.omegaRadians,
                         roundedToUncertainty(v.periastronTime, u.periastronTime)};
        key.truthSource = "the fit of all " + std::to_string(challenge.published.measurements.size())
            + " published measurements of the star";
    } else {
        key.truthSource = "the planets the challenge's data were made from";
    }
    for (const Kepler::Orbit &orbit : truth)
        key.truth.push_back(keyElements(orbit, challenge.starMassSolar));
    auto best = fitted(challenge.data, planetCount(challenge), challenge.starMassSolar, realStar, truth);
    if (!best)
        return Numeric::Refusal{best.reason()};
    key.bestFit = std::move(best).value();
    StudentModel bestModel;
    for (const Fitting::PlanetResult &planet : key.bestFit.planets)
        bestModel.planets.push_back(planet.orbit());
    for (const Fitting::InstrumentResult &instrument : key.bestFit.instruments)
        bestModel.offsets.push_back(instrument.offset);
    const auto meter = goodness(challenge.data, bestModel);
    if (!meter)
        return Numeric::Refusal{"the best fit cannot be measured: " + meter.reason()};
    key.meterChiSquare = meter->chiSquare;
    return key;
}

std::string keyJson(const AnswerKey &key)
{
    Json planets = Json::array();
    for (const KeyElements &e : key.truth)
        planets.push_back(truthJson(e));
    const Json json{{"challenge",
                     {{"level", int(key.settings.level)},
                      {"title", levelTitle(key.settings.level)},
                      {"points", key.settings.points},
                      {"noise", key.settings.noiseSigma()},
                      {"cadence", cadenceName(key.settings.cadence)},
                      {"seed", key.settings.seed},
                      {"closenessHelp", key.settings.closenessHelp}}},
                    {"starName", key.starName.empty() ? Json() : Json(key.starName)},
                    {"starMassSolar", key.starMassSolar},
                    {"truthSource", key.truthSource},
                    {"planets", planets},
                    {"bestFit", fitJson(key.bestFit)}};
    return json.dump(2) + "\n";
}

std::string keyCsv(const AnswerKey &key)
{
    std::string csv = "source,planet,quantity,value,uncertainty\n";
    csvRow(csv, "true", 0, "starMassSolar", key.starMassSolar);
    for (std::size_t i = 0; i < key.truth.size(); ++i) {
        const KeyElements &e = key.truth[i];
        const int planet = int(i) + 1;
        csvRow(csv, "true", planet, "period", e.periodDays);
        csvRow(csv, "true", planet, "semiAmplitude", e.semiAmplitude);
        csvRow(csv, "true", planet, "eccentricity", e.eccentricity);
        csvRow(csv, "true", planet, "omegaDegrees", e.omegaDegrees);
        csvRow(csv, "true", planet, "periastronTime", e.periastronTime);
        csvRow(csv, "true", planet, "minimumMassJupiter", e.minimumMassJupiter);
    }
    for (std::size_t i = 0; i < key.bestFit.planets.size(); ++i) {
        const auto &v = key.bestFit.planets[i].value;
        const auto &u = key.bestFit.planets[i].uncertainty;
        const int planet = int(i) + 1;
        csvRow(csv, "fit", planet, "period", v.periodDays, u.periodDays);
        csvRow(csv, "fit", planet, "semiAmplitude", v.semiAmplitude, u.semiAmplitude);
        csvRow(csv, "fit", planet, "eccentricity", v.eccentricity, u.eccentricity);
        csvRow(csv, "fit", planet, "omegaDegrees", v.omegaRadians * MathConstants::degreesPerRadian,
               u.omegaRadians * MathConstants::degreesPerRadian);
        csvRow(csv, "fit", planet, "periastronTime", v.periastronTime, u.periastronTime);
        csvRow(csv, "fit", planet, "minimumMassJupiter", v.minimumMassJupiter, u.minimumMassJupiter);
    }
    csvRow(csv, "fit", 0, "chiSquare", roundedTo(key.bestFit.chiSquare, 0.01));
    csvRow(csv, "fit", 0, "rms", roundedTo(key.bestFit.rms, 0.01));
    return csv;
}

} // namespace Challenge
