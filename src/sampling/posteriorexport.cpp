#include "sampling/posteriorexport.h"

#include "numeric/numbertext.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace Sampling {

namespace {

using Json = nlohmann::ordered_json;

Json number(double value)
{
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

void addInterval(Json &row, const Interval &interval)
{
    row["median"] = number(interval.median);
    row["lower68"] = number(interval.lower68);
    row["upper68"] = number(interval.upper68);
    row["lower95"] = number(interval.lower95);
    row["upper95"] = number(interval.upper95);
}

/// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string &text)
{
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

/// A number for a CSV cell: empty when it is not finite or, where `given`
/// says so, not given.
std::string csvNumber(double value, bool given = true)
{
    return given && std::isfinite(value) ? Numeric::shortestText(value) : std::string();
}

void addSummaryRow(std::string &csv, const Summary &s, bool sampled)
{
    const Interval &p = s.posterior;
    csv += csvField(s.name) + "," + csvField(s.unit);
    for (double value : {p.median, p.lower68, p.upper68, p.lower95, p.upper95, s.fitValue})
        csv += "," + csvNumber(value);
    csv += "," + csvNumber(s.fitUncertainty, s.fitUncertainty > 0);
    csv += "," + csvNumber(s.autocorrelationTime, sampled) + "," + csvNumber(s.rHat, sampled) + "\n";
}

} // namespace

std::string summaryCsv(const Result &result)
{
    std::string csv =
        "quantity,unit,median,lower68,upper68,lower95,upper95,fit,fitUncertainty,autocorrelationTime,splitRHat\n";
    for (const Summary &s : result.derived)
        addSummaryRow(csv, s, false);
    for (const Summary &s : result.sampled)
        addSummaryRow(csv, s, true);
    return csv;
}

std::string statusName(Status status)
{
    switch (status) {
    case Status::Converged:
        return "converged";
    case Status::NotConverged:
        return "not converged";
    case Status::Cancelled:
        return "cancelled";
    case Status::Refused:
        break;
    }
    return "refused";
}

std::string posteriorJson(const Result &result)
{
    Json json;
    json["status"] = statusName(result.status);
    json["message"] = result.message;
    json["priors"] = result.priors;
    json["seed"] = result.seed;
    json["walkers"] = result.chain.walkers;
    json["steps"] = result.chain.steps();
    json["burnIn"] = result.burnIn;
    json["maxAutocorrelationTime"] = number(result.maxAutocorrelationTime);
    json["maxSplitRHat"] = number(result.maxRHat);
    json["independentSamples"] = number(result.independentSamples);
    json["acceptanceFraction"] = number(result.acceptanceFraction);
    json["starMassUncertainty"] = number(result.starMassUncertaintySolar);
    json["posteriorAndCovarianceDisagree"] = result.disagrees();
    json["disagreement"] = result.disagreement;
    json["parameters"] = Json::array();
    for (std::size_t p = 0; p < result.sampled.size(); ++p) {
        const Summary &summary = result.sampled[p];
        Json row;
        row["name"] = summary.name;
        row["unit"] = summary.unit;
        row["priorLower"] = number(result.parameters[p].lower);
        row["priorUpper"] = number(result.parameters[p].upper);
        addInterval(row, summary.posterior);
        row["fit"] = number(summary.fitValue);
        row["autocorrelationTime"] = number(summary.autocorrelationTime);
        row["splitRHat"] = number(summary.rHat);
        json["parameters"].push_back(std::move(row));
    }
    json["derived"] = Json::array();
    for (const Summary &summary : result.derived) {
        Json row;
        row["name"] = summary.name;
        row["unit"] = summary.unit;
        addInterval(row, summary.posterior);
        row["fit"] = number(summary.fitValue);
        row["fitUncertainty"] = number(summary.fitUncertainty);
        json["derived"].push_back(std::move(row));
    }
    return json.dump(2) + "\n";
}

std::string chainCsv(const Result &result, int thin)
{
    const Chain &chain = result.chain;
    thin = std::max(thin, 1);
    std::string csv = "step,walker,lnPosterior";
    for (const Parameter &parameter : result.parameters)
        csv += "," + csvField(parameter.name);
    csv += "\n";
    for (int s = result.burnIn; s < chain.steps(); s += thin) {
        for (int k = 0; k < chain.walkers; ++k) {
            csv += std::to_string(s) + "," + std::to_string(k) + ","
                + Numeric::shortestText(
                       chain.logDensities[std::size_t(s) * std::size_t(chain.walkers) + std::size_t(k)]);
            for (double value : chain.point(s, k))
                csv += "," + Numeric::shortestText(value);
            csv += "\n";
        }
    }
    return csv;
}

} // namespace Sampling
