#include "cli/commandkit.h"
#include "cli/commands.h"

#include "detection/injectionrecovery.h"
#include "detection/spectralwindow.h"
#include "fitting/rvfit.h"
#include "numeric/numbertext.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>

namespace {

struct Settings
{
    std::string path;
    Observations::ReadOptions read;
    std::string periods;
    std::string amplitudes;
    std::string masses;
    double starMassSolar = 0;
    int trials = 10;
    double falseAlarmThreshold = 0.01;
    std::uint64_t seed = 1;
    bool simulatedNoise = false;
    bool json = false;
};

[[noreturn]] void fail(const std::string &reason)
{
    throw Cli::DataError{reason};
}

/// "A:B:N": N values from A to B evenly spaced in ln, 0 < A < B, 2 ≤ N ≤ 200.
std::vector<double> axis(const std::string &text, const std::string &option)
{
    std::istringstream in(text);
    double first = 0, last = 0;
    long count = 0;
    char colon1 = 0, colon2 = 0;
    in.imbue(std::locale::classic());
    if (!(in >> first >> colon1 >> last >> colon2 >> count) || colon1 != ':' || colon2 != ':' || !in.eof()
        || !std::isfinite(first) || !std::isfinite(last) || !(first > 0) || !(last > first) || count < 2 || count > 200)
        throw CLI::ValidationError(option, "expected A:B:N with 0 < A < B and N from 2 to 200, found \"" + text + "\"");
    return Detection::evenlySpacedInLog(first, last, std::size_t(count));
}

/// The residuals of the planets the search finds, and those planets.
std::pair<Observations::DataSet, Fitting::Result> residualsOfFoundPlanets(const Observations::DataSet &data,
                                                                          const Settings &settings)
{
    Fitting::Options options;
    options.planets = 4;
    options.falseAlarmThreshold = settings.falseAlarmThreshold;
    if (const auto reason = Fitting::refusal(data, options))
        fail(settings.path + ": " + reason->reason);
    Fitting::Result found = Fitting::findPlanets(data, options);
    if (!found.ok())
        fail(settings.path + ": " + found.message);
    Observations::DataSet residuals = data;
    const auto model = Fitting::modelVelocities(found, data);
    for (std::size_t i = 0; i < model.size(); ++i)
        residuals.measurements[i].velocity -= model[i];
    return {residuals, found};
}

double rms(const Observations::DataSet &data)
{
    double sum = 0, squares = 0;
    for (const auto &m : data.measurements) {
        sum += m.velocity;
        squares += m.velocity * m.velocity;
    }
    const double n = double(data.measurements.size());
    return std::sqrt(std::max(0.0, squares / n - (sum / n) * (sum / n)));
}

Detection::InjectionPlan planFor(const Observations::DataSet &residuals, const Settings &settings, double starMass)
{
    Detection::InjectionPlan plan;
    const double span = Detection::timeSpan(residuals);
    plan.periodsDays = settings.periods.empty()
        ? Detection::evenlySpacedInLog(std::min(1.0, span / 20), std::max(span, 2.0), 20)
        : axis(settings.periods, "--periods");
    const double scatter = std::max(rms(residuals), 1e-3);
    if (!settings.masses.empty()) {
        plan.axis = Detection::AmplitudeAxis::MinimumMass;
        plan.amplitudes = axis(settings.masses, "--msini");
        plan.starMassSolar = starMass;
    } else
        plan.amplitudes = settings.amplitudes.empty() ? Detection::evenlySpacedInLog(0.1 * scatter, 5 * scatter, 20)
                                                      : axis(settings.amplitudes, "--k");
    plan.trials = settings.trials;
    plan.falseAlarmThreshold = settings.falseAlarmThreshold;
    plan.seed = settings.seed;
    plan.noise = settings.simulatedNoise ? Detection::InjectionNoise::Simulated : Detection::InjectionNoise::Residuals;
    return plan;
}

/// A number as Numeric::shortestText writes it (the JSON parser keeps its
/// text's value and its integer form), null when there is none.
nlohmann::ordered_json number(const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value))
        return nullptr;
    return nlohmann::ordered_json::parse(Numeric::shortestText(*value));
}

nlohmann::ordered_json numbers(const std::vector<double> &values)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (double value : values)
        list.push_back(number(value));
    return list;
}

void printJson(const Settings &settings, const Fitting::Result &found, const Detection::DetectabilityMap &map,
               std::ostream &out)
{
    nlohmann::ordered_json json;
    json["file"] = settings.path;
    json["noise"] = settings.simulatedNoise ? "simulated" : "residuals";
    json["falseAlarmThreshold"] = number(settings.falseAlarmThreshold);
    json["trials"] = map.trials;
    json["seed"] = settings.seed;
    json["foundPlanets"] = nlohmann::ordered_json::array();
    for (const auto &planet : found.planets)
        json["foundPlanets"].push_back({{"period", number(planet.value.periodDays)},
                                        {"semiAmplitude", number(planet.value.semiAmplitude)},
                                        {"minimumMassJupiter", number(planet.value.minimumMassJupiter)}});
    json["periods"] = numbers(map.periodsDays);
    json[map.axis == Detection::AmplitudeAxis::MinimumMass ? "minimumMassesJupiter" : "semiAmplitudes"] =
        numbers(map.amplitudes);
    nlohmann::ordered_json recovered = nlohmann::ordered_json::array();
    for (std::size_t p = 0; p < map.periodsDays.size(); ++p) {
        std::vector<double> row;
        for (std::size_t a = 0; a < map.amplitudes.size(); ++a)
            row.push_back(map.fraction(p, a));
        recovered.push_back(numbers(row));
    }
    json["recovered"] = recovered;
    for (const auto &[key, level] : {std::pair{"contour50", 0.5}, std::pair{"contour90", 0.9}}) {
        json[key] = nlohmann::ordered_json::array();
        for (const auto &value : Detection::recoveryContour(map, level))
            json[key].push_back(number(value));
    }
    out << json.dump(2) << "\n";
}

/// Four significant digits: a table to read, the JSON keeps every digit.
std::string readable(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(4) << value;
    return text.str();
}

void printTable(const Fitting::Result &found, const Detection::DetectabilityMap &map, std::ostream &out)
{
    for (const auto &planet : found.planets)
        out << "Found planet: P = " << readable(planet.value.periodDays)
            << " d, K = " << readable(planet.value.semiAmplitude) << " m/s (removed before injecting)\n";
    const std::string unit = map.axis == Detection::AmplitudeAxis::MinimumMass ? "M_J" : "m/s";
    const auto half = Detection::recoveryContour(map, 0.5);
    const auto most = Detection::recoveryContour(map, 0.9);
    const auto text = [](const std::optional<double> &v) { return v ? readable(*v) : std::string("-"); };
    out << std::left << std::setw(16) << "Period (d)" << std::setw(20) << ("50% at (" + unit + ")")
        << "90% at (" + unit + ")\n";
    for (std::size_t p = 0; p < map.periodsDays.size(); ++p)
        out << std::setw(16) << readable(map.periodsDays[p]) << std::setw(20) << text(half[p]) << text(most[p]) << "\n";
}

void run(const Settings &settings, std::ostream &out)
{
    const Cli::Loaded loaded = Cli::load(settings.path, settings.read);
    const auto [residuals, found] = residualsOfFoundPlanets(loaded.data, settings);
    const double starMass = settings.starMassSolar > 0 ? settings.starMassSolar
        : loaded.starMassSolar > 0                     ? loaded.starMassSolar
                                                       : 1.0;
    const auto map = Detection::injectionRecoveryMap(residuals, planFor(residuals, settings, starMass));
    if (!map.ok())
        fail(settings.path + ": " + map.reason());
    if (settings.json)
        printJson(settings, found, *map, out);
    else
        printTable(found, *map, out);
}

} // namespace

void Cli::registerDetectability(CLI::App &app, std::ostream &out)
{
    auto settings = std::make_shared<Settings>();
    CLI::App *command = app.add_subcommand(
        "detectability", "What the measurements could have found: an injection-recovery map over period and K");
    command->footer(""); // each command's help ends with its own words, not the program's footer
    command->add_option("FILE", settings->path, "velocity file or .sys system file")->required();
    addUnitOption(*command, settings->read);
    command->add_option("--periods", settings->periods,
                        "A:B:N, N periods from A to B days, evenly in log (default: 1 day to the time span, 20)");
    auto *k = command->add_option("--k", settings->amplitudes,
                                  "A:B:N, N semi-amplitudes from A to B m/s, evenly in log "
                                  "(default: 0.1 to 5 times the residuals' rms, 20)");
    command->add_option("--msini", settings->masses, "A:B:N, minimum masses in Jupiter masses instead of K")
        ->excludes(k);
    command
        ->add_option("--star-mass", settings->starMassSolar,
                     "star's mass, solar masses, for --msini (default: the .sys file's, else 1)")
        ->check(CLI::PositiveNumber);
    command->add_option("--trials", settings->trials, "planets (phases) injected per cell (default 10)")
        ->check(CLI::Range(1, 10000));
    command->add_option("--fap", settings->falseAlarmThreshold, "false-alarm probability to recover (default 0.01)")
        ->check(CLI::Range(1e-12, 1.0));
    command->add_option("--seed", settings->seed, "seed of the phases and the noise (default 1)");
    command->add_flag("--simulated-noise", settings->simulatedNoise,
                      "inject into fresh noise of the uncertainties instead of the residuals");
    command->add_flag("--json", settings->json, "print JSON instead of a table");
    command->callback([settings, &out] { run(*settings, out); });
}
