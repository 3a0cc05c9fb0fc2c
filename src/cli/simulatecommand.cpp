#include "cli/commandkit.h"
#include "cli/commands.h"
#include "cli/orbitoptions.h"
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
};

std::string measurementsJson(const Observations::DataSet &data)
{
    Json json = {{"measurements", Json::array()}};
    for (const auto &m : data.measurements)
        json["measurements"].push_back({{"time", jsonNumber(m.time)},
                                        {"velocity", jsonNumber(m.velocity)},
                                        {"uncertainty", jsonNumber(m.uncertainty)},
                                        {"instrument", data.instruments[std::size_t(m.instrument)]}});
    return jsonLine(json);
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
    const Observations::DataSet data = Observations::simulate(planets, plan);
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
        "text format (to FILE with -o, else to the standard output).");
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
    command->add_option("-o", request->outputPath, "write to this file instead of the standard output");
    command->add_flag("--json", request->json, "print JSON instead of the text format");
    command->callback([request, &out] { runSimulate(*request, out); });
}

} // namespace Cli
