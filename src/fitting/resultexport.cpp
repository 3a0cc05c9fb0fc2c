#include "fitting/resultexport.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace Fitting {

namespace {

/// Ten significant digits, '.' as decimal point whatever the locale says
/// (the C locale of printf is never changed by this program's numeric floor).
std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string statusName(Status status)
{
    switch (status) {
    case Status::Converged: return "converged";
    case Status::Stalled: return "stalled";
    case Status::Refused: return "refused";
    case Status::Cancelled: return "cancelled";
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

void addField(std::string &json, const std::string &name, double value, bool comma = true)
{
    json += jsonString(name) + ": " + number(value) + (comma ? ", " : "");
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
    {"omegaDegrees", "omega_deg", "omega_err", [](const PlanetElements &p) { return degreesFromRadians(p.omegaRadians); }},
    {"periastronTime", "tp", "tp_err", [](const PlanetElements &p) { return p.periastronTime; }},
    {"conjunctionTime", "tc", "tc_err", [](const PlanetElements &p) { return p.conjunctionTime; }},
    {"minimumMassJupiter", "msini_mjup", "msini_mjup_err", [](const PlanetElements &p) { return p.minimumMassJupiter; }},
    {"minimumMassEarth", "msini_mearth", "msini_mearth_err", [](const PlanetElements &p) { return p.minimumMassEarth; }},
};

} // namespace

double degreesFromRadians(double radians)
{
    return radians * 180 / std::numbers::pi;
}

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += char(c);
            }
        }
    }
    return out + '"';
}

std::string resultCsv(const Result &result)
{
    std::string csv = "kind,name";
    for (const Element &element : Elements)
        csv += std::string(",") + element.csvName + "," + element.csvUncertaintyName;
    csv += "\n";
    for (std::size_t j = 0; j < result.planets.size(); ++j) {
        csv += "planet," + std::string(1, char('b' + j));
        for (const Element &element : Elements)
            csv += "," + number(element.of(result.planets[j].value)) + ","
                + number(element.of(result.planets[j].uncertainty));
        csv += "\n";
    }
    csv += "\nkind,name,points,offset_ms,offset_err,jitter_ms,jitter_err,rms_ms\n";
    for (const auto &instrument : result.instruments)
        csv += "instrument," + csvField(instrument.name) + "," + std::to_string(instrument.points) + ","
            + number(instrument.offset) + "," + number(instrument.offsetUncertainty) + "," + number(instrument.jitter)
            + "," + number(instrument.jitterUncertainty) + "," + number(instrument.rms) + "\n";
    csv += "\nkind,status,neg_log_likelihood,chi_square,rms_ms,bic,points,parameters,trend_ms_per_day,trend_err,"
           "star_mass_solar\n";
    csv += "summary," + statusName(result.status) + "," + number(result.negativeLogLikelihood) + ","
        + number(result.chiSquare) + "," + number(result.rms) + "," + number(result.bic) + ","
        + std::to_string(result.pointCount) + "," + std::to_string(result.parameterCount) + ","
        + (result.trendFitted ? number(result.trend) + "," + number(result.trendUncertainty) : std::string(","))
        + "," + number(result.starMassSolar) + "\n";
    return csv;
}

std::string resultJson(const Result &result)
{
    std::string json = "{\"status\": " + jsonString(statusName(result.status)) + ", \"message\": "
        + jsonString(result.message) + ", \"planets\": [";
    for (std::size_t j = 0; j < result.planets.size(); ++j) {
        const PlanetResult &planet = result.planets[j];
        const bool bootstrapped = result.bootstrapRuns > 0;
        json += j ? ", {" : "{";
        for (const Element &element : Elements) {
            addField(json, element.jsonName, element.of(planet.value));
            const bool last = &element == std::end(Elements) - 1;
            addField(json, element.jsonName + std::string("Uncertainty"), element.of(planet.uncertainty),
                     !last || bootstrapped);
        }
        if (bootstrapped) {
            for (const Element &element : Elements)
                addField(json, element.jsonName + std::string("BootstrapUncertainty"),
                         element.of(planet.bootstrapUncertainty), &element != std::end(Elements) - 1);
        }
        json += "}";
    }
    json += "], \"instruments\": [";
    for (std::size_t k = 0; k < result.instruments.size(); ++k) {
        const auto &instrument = result.instruments[k];
        json += (k ? ", {\"name\": " : "{\"name\": ") + jsonString(instrument.name) + ", ";
        addField(json, "points", instrument.points);
        addField(json, "offset", instrument.offset);
        addField(json, "offsetUncertainty", instrument.offsetUncertainty);
        addField(json, "jitter", instrument.jitter);
        addField(json, "jitterUncertainty", instrument.jitterUncertainty);
        addField(json, "rms", instrument.rms, false);
        json += "}";
    }
    json += "], ";
    if (result.trendFitted) {
        addField(json, "trend", result.trend);
        addField(json, "trendUncertainty", result.trendUncertainty);
    }
    addField(json, "negativeLogLikelihood", result.negativeLogLikelihood);
    addField(json, "chiSquare", result.chiSquare);
    addField(json, "rms", result.rms);
    addField(json, "bic", result.bic);
    addField(json, "points", result.pointCount);
    addField(json, "parameters", result.parameterCount);
    addField(json, "bootstrapRuns", result.bootstrapRuns);
    addField(json, "starMass", result.starMassSolar, false);
    return json + "}";
}

std::string residualsCsv(const Result &result, const Observations::DataSet &data)
{
    const std::vector<double> model = modelVelocities(result, data);
    std::string csv = "time,velocity,uncertainty,instrument,model,residual\n";
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        const std::string name = m.instrument >= 0 && std::size_t(m.instrument) < data.instruments.size()
            ? data.instruments[std::size_t(m.instrument)] : std::string();
        csv += number(m.time) + "," + number(m.velocity) + "," + number(m.uncertainty) + "," + csvField(name) + ","
            + number(model[i]) + "," + number(m.velocity - model[i]) + "\n";
    }
    return csv;
}

} // namespace Fitting
