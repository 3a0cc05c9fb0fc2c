#include "cli/commandkit.h"
#include "cli/commands.h"
#include "cli/orbitoptions.h"
#include "detection/spottedstar.h"
#include "observations/rvwriter.h"
#include "observations/synthetic.h"

namespace Cli {

namespace {

struct SimulateRequest
{
    OrbitOptions orbit;
    Observations::SyntheticPlan plan;
    long long points = 60;
    long long seed = 1;
    std::string cadence = "nightly";
    std::optional<std::string> outputPath;
    bool json = false;
    /// A spotted star when its rotation period is given.
    std::optional<double> spotPeriod;
    Detection::SpottedStar star;
};

std::string measurementsJson(const Observations::DataSet &data)
{
    Json json = {{"measurements", Json::array()}};
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        Json row = {{"time", jsonNumber(m.time)},
                    {"velocity", jsonNumber(m.velocity)},
                    {"uncertainty", jsonNumber(m.uncertainty)},
                    {"instrument", data.instruments[std::size_t(m.instrument)]}};
        for (const auto &index : data.activity)
            row[index.name] = jsonNumber(index.values[i]);
        json["measurements"].push_back(row);
    }
    return jsonLine(json);
}

Observations::DataSet observe(const SimulateRequest &request, const std::vector<Kepler::Orbit> &planets)
{
    if (!request.spotPeriod)
        return Observations::simulate(planets, request.plan);
    Detection::SpottedStar star = request.star;
    star.rotationPeriodDays = *request.spotPeriod;
    star.seed = Detection::spotSeedFor(request.plan.seed);
    auto spotted = Detection::simulateSpottedStar(planets, request.plan, star);
    if (!spotted)
        throw UsageError{spotted.reason()};
    return Detection::withSIndex(std::move(spotted).value());
}

void runSimulate(SimulateRequest request, std::ostream &out)
{
    Observations::SyntheticPlan &plan = request.plan;
    const std::vector<Kepler::Orbit> planets{request.orbit.orbit(plan.startTime)};
    plan.count = std::size_t(request.points);
    plan.seed = std::uint64_t(request.seed);
    plan.cadence = request.cadence == "random" ? Observations::Cadence::Uniform : Observations::Cadence::Nightly;
    if (const auto reason = Observations::refusal(plan))
        throw UsageError{*reason};
    const Observations::DataSet data = observe(request, planets);
    const std::string text = request.json ? measurementsJson(data) : Observations::toText(data);
    if (request.outputPath)
        writeFile(*request.outputPath, text);
    else
        out << text;
}

} // namespace

void registerSimulate(CLI::App &app, std::ostream &out)
{
    auto request = std::make_shared<SimulateRequest>();
    CLI::App *command = app.add_subcommand("simulate", "synthetic measurements of one planet, in the text format");
    command->footer(
        "Synthetic measurements of one planet, written in the 'time mnvel errvel tel'\n"
        "text format (to FILE with -o, else to the standard output). With --spot-period\n"
        "the star is spotted: its rotation moves the velocities, and an S-index column\n"
        "follows the same spots.");
    request->orbit.addTo(*command, "time of periastron, days (default: the start)");
    Observations::SyntheticPlan &plan = request->plan;
    command->add_option("--points", request->points, "measurements (default 60)")->check(wholeWithin(1, 1'000'000));
    command->add_option("--span", plan.spanDays, "days (default 365.25)")->check(numberWithin(1e-6, 1e7));
    command->add_option("--start", plan.startTime, "first day (default 2460000)")->check(numberWithin(-1e9, 1e9));
    command->add_option("--sigma", plan.noiseSigma, "uncertainty and noise, m/s (default 2)")
        ->check(numberWithin(1e-6, 1e6));
    command->add_option("--jitter", plan.jitter, "extra scatter, m/s (default 0)")->check(numberWithin(0, 1e6));
    command->add_option("--seed", request->seed, "random seed (default 1)")
        ->check(wholeWithin(0, 9'000'000'000'000'000'000LL));
    command->add_option("--cadence", request->cadence, "random (uniform times) or nightly (default nightly)")
        ->check(oneOf({"random", "nightly"}));
    command->add_option("--instrument", plan.instrument, "instrument name (default Synthetic)");
    CLI::Option *spotPeriod = command
                                  ->add_option("--spot-period", request->spotPeriod,
                                               "a spotted star: its rotation period, days; its S-index is written too")
                                  ->check(numberWithin(1e-3, 1e7));
    command->add_option("--spot-lifetime", request->star.spotLifetimeDays, "days a spot lives (default 60)")
        ->check(numberWithin(1e-3, 1e7))
        ->needs(spotPeriod);
    command
        ->add_option("--spot-amplitude", request->star.velocityAmplitude,
                     "the spots' velocity semi-amplitude, m/s (default 10)")
        ->check(numberWithin(0, 1e6))
        ->needs(spotPeriod);
    command->add_option("-o", request->outputPath, "write to this file instead of the standard output");
    command->add_flag("--json", request->json, "print JSON instead of the text format");
    command->callback([request, &out] { runSimulate(*request, out); });
}

} // namespace Cli
