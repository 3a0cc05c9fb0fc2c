#include "fitting/resultexport.h"

#include "numeric/numbertext.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <numbers>

namespace Fitting {

namespace {

using Json = nlohmann::ordered_json;

/// A CSV cell: the shortest text that reads back to the same double; null
/// where there is no number, as in the JSON.
std::string number(double value)
{
    return std::isfinite(value) ? Numeric::shortestText(value) : std::string("null");
}

/// A JSON number, or null where there is none (JSON has no NaN).
Json jsonNumber(double value)
{
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

std::string statusName(Status status)
{
    switch (status) {
    case Status::Converged:
        return "converged";
    case Status::Stalled:
        return "stalled";
    case Status::Refused:
        return "refused";
    case Status::Cancelled:
        return "cancelled";
    }
    return "refused";
}

/// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

/// One element of a planet as both files name it, in the order they list it.
struct Element
{
    const char *jsonName;
    const char *csvName;
    const char *csvUncertaintyName;
    double (*of)(const PlanetElements &);
};

constexpr Element Elements[] = {
    {"period", "period_d", "period_err", [](const PlanetElements &p) { return p.periodDays; }},
    {"semiAmplitude", "k_ms", "k_err", [](const PlanetElements &p) { return p.semiAmplitude; }},
    {"eccentricity", "e", "e_err", [](const PlanetElements &p) { return p.eccentricity; }},
    {"omegaDegrees", "omega_deg", "omega_err",
     [](const PlanetElements &p) { return degreesFromRadians(p.omegaRadians); }},
    {"periastronTime", "tp", "tp_err", [](const PlanetElements &p) { return p.periastronTime; }},
    {"conjunctionTime", "tc", "tc_err", [](const PlanetElements &p) { return p.conjunctionTime; }},
    {"minimumMassJupiter", "msini_mjup", "msini_mjup_err",
     [](const PlanetElements &p) { return p.minimumMassJupiter; }},
    {"minimumMassEarth", "msini_mearth", "msini_mearth_err",
     [](const PlanetElements &p) { return p.minimumMassEarth; }},
};

Json planetJson(const PlanetResult &planet, bool bootstrapped)
{
    Json json = Json::object();
    for (const Element &element : Elements) {
        json[element.jsonName] = jsonNumber(element.of(planet.value));
        json[element.jsonName + std::string("Uncertainty")] = jsonNumber(element.of(planet.uncertainty));
        json[element.jsonName + std::string("Unconstrained")] =
            unconstrained(element.of(planet.value), element.of(planet.uncertainty));
    }
    if (bootstrapped)
        for (const Element &element : Elements)
            json[element.jsonName + std::string("BootstrapUncertainty")] =
                jsonNumber(element.of(planet.bootstrapUncertainty));
    return json;
}

} // namespace

double degreesFromRadians(double radians)
{
    return radians * 180 / std::numbers::pi;
}

std::string searchStopName(SearchStop stop)
{
    switch (stop) {
    case SearchStop::NotSearched:
        return "notSearched";
    case SearchStop::PlanetCap:
        return "planetCap";
    case SearchStop::FalseAlarmThreshold:
        return "falseAlarmThreshold";
    case SearchStop::NoBicGain:
        return "noBicGain";
    case SearchStop::NoPeak:
        return "noPeak";
    }
    return "notSearched";
}

std::string resultCsv(const Result &result)
{
    std::string csv = "kind,name";
    for (const Element &element : Elements)
        csv += std::string(",") + element.csvName + "," + element.csvUncertaintyName;
    csv += ",unconstrained\n";
    for (std::size_t j = 0; j < result.planets.size(); ++j) {
        csv += "planet," + std::string(1, char('b' + j));
        std::string loose;
        for (const Element &element : Elements) {
            const double value = element.of(result.planets[j].value);
            const double uncertainty = element.of(result.planets[j].uncertainty);
            csv += "," + number(value) + "," + number(uncertainty);
            if (unconstrained(value, uncertainty))
                loose += (loose.empty() ? "" : ";") + std::string(element.csvName);
        }
        csv += "," + loose + "\n";
    }
    const bool decorrelated = !result.decorrelatedAgainst.empty();
    csv += "\nkind,name,points,offset_ms,offset_err,jitter_ms,jitter_err,rms_ms";
    csv += decorrelated ? ",decorrelated_against,decorrelation_ms_per_unit,decorrelation_err,index_mean\n" : "\n";
    for (const auto &instrument : result.instruments) {
        csv += "instrument," + csvField(instrument.name) + "," + std::to_string(instrument.points) + ","
            + number(instrument.offset) + "," + number(instrument.offsetUncertainty) + "," + number(instrument.jitter)
            + "," + number(instrument.jitterUncertainty) + "," + number(instrument.rms);
        if (decorrelated)
            csv += "," + csvField(result.decorrelatedAgainst) + "," + number(instrument.decorrelation) + ","
                + number(instrument.decorrelationUncertainty) + "," + number(instrument.indexMean);
        csv += "\n";
    }
    csv +=
        "\nkind,status,neg_log_likelihood,chi_square,rms_ms,bic,points,parameters,trend_ms_per_day,trend_err,"
        "star_mass_solar\n";
    csv += "summary," + statusName(result.status) + "," + number(result.negativeLogLikelihood) + ","
        + number(result.chiSquare) + "," + number(result.rms) + "," + number(result.bic) + ","
        + std::to_string(result.pointCount) + "," + std::to_string(result.parameterCount) + ","
        + (result.trendFitted ? number(result.trend) + "," + number(result.trendUncertainty) : std::string(",")) + ","
        + number(result.starMassSolar) + "\n";
    return csv;
}

std::string resultJson(const Result &result)
{
    Json json = {{"status", statusName(result.status)}, {"message", result.message}};
    json["planets"] = Json::array();
    for (const PlanetResult &planet : result.planets)
        json["planets"].push_back(planetJson(planet, result.bootstrapRuns > 0));
    json["instruments"] = Json::array();
    for (const auto &instrument : result.instruments) {
        Json row = {{"name", instrument.name},
                    {"points", instrument.points},
                    {"offset", jsonNumber(instrument.offset)},
                    {"offsetUncertainty", jsonNumber(instrument.offsetUncertainty)},
                    {"jitter", jsonNumber(instrument.jitter)},
                    {"jitterUncertainty", jsonNumber(instrument.jitterUncertainty)},
                    {"rms", jsonNumber(instrument.rms)}};
        if (!result.decorrelatedAgainst.empty()) {
            row["decorrelation"] = jsonNumber(instrument.decorrelation);
            row["decorrelationUncertainty"] = jsonNumber(instrument.decorrelationUncertainty);
            row["decorrelationUnconstrained"] =
                unconstrained(instrument.decorrelation, instrument.decorrelationUncertainty);
            row["indexMean"] = jsonNumber(instrument.indexMean);
        }
        json["instruments"].push_back(row);
    }
    if (!result.decorrelatedAgainst.empty())
        json["decorrelatedAgainst"] = result.decorrelatedAgainst;
    if (result.trendFitted) {
        json["trend"] = jsonNumber(result.trend);
        json["trendUncertainty"] = jsonNumber(result.trendUncertainty);
    }
    json["negativeLogLikelihood"] = jsonNumber(result.negativeLogLikelihood);
    json["chiSquare"] = jsonNumber(result.chiSquare);
    json["rms"] = jsonNumber(result.rms);
    json["bic"] = jsonNumber(result.bic);
    json["points"] = result.pointCount;
    json["parameters"] = result.parameterCount;
    json["bootstrapRuns"] = result.bootstrapRuns;
    json["starMass"] = jsonNumber(result.starMassSolar);
    if (result.searchStop != SearchStop::NotSearched) {
        json["searchStop"] = searchStopName(result.searchStop);
        json["searchStopReason"] = result.searchStopSentence;
    }
    json["notes"] = result.notes;
    // A message or an instrument name from a file may hold bytes that are not UTF-8: replaced, never thrown.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string residualsCsv(const Result &result, const Observations::DataSet &data)
{
    const std::vector<double> model = modelVelocities(result, data);
    std::string csv = "time,velocity,uncertainty,instrument,model,residual\n";
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        const std::string name = m.instrument >= 0 && std::size_t(m.instrument) < data.instruments.size()
            ? data.instruments[std::size_t(m.instrument)]
            : std::string();
        csv += number(m.time) + "," + number(m.velocity) + "," + number(m.uncertainty) + "," + csvField(name) + ","
            + number(model[i]) + "," + number(m.velocity - model[i]) + "\n";
    }
    return csv;
}

} // namespace Fitting
