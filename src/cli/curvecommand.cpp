#include "cli/commandkit.h"
#include "cli/commands.h"
#include "cli/orbitoptions.h"
#include "cli/texttable.h"

#include <cmath>

namespace Cli {

namespace {

struct CurveRequest
{
    OrbitOptions orbit;
    long long points = 100;
    std::optional<double> from, to;
    bool json = false;
};

/// The fraction of an orbit since the last periastron, in [0, 1).
double phaseAt(const Kepler::Orbit &orbit, double t)
{
    const double turns = (t - orbit.periastronTime) / orbit.periodDays;
    const double phase = turns - std::floor(turns);
    // A phase a rounding below 1 prints as 1; it is the next orbit's start.
    return phase < 1 ? phase : 0.0;
}

void runCurve(const CurveRequest &request, std::ostream &out)
{
    const Kepler::Orbit orbit = request.orbit.orbit(0);
    const long long points = request.points;
    const double from = request.from.value_or(orbit.periastronTime);
    const double to = request.to.value_or(from + orbit.periodDays);
    if (!(to > from) && points > 1)
        throw UsageError{"--to must be later than --from"};
    Json json = {{"points", Json::array()}};
    TextTable table({"Time (d)", "Phase", "Velocity (m/s)"});
    for (long long i = 0; i < points; ++i) {
        const double t = points > 1 ? from + (to - from) * double(i) / double(points - 1) : from;
        const double phase = phaseAt(orbit, t);
        const double v = Kepler::radialVelocity(orbit, t);
        if (request.json)
            json["points"].push_back(
                {{"time", jsonNumber(t)}, {"phase", jsonNumber(phase)}, {"velocity", jsonNumber(v)}});
        else
            table.addRow({significant(t, 10), significant(phase, 5), significant(v, 6)});
    }
    out << (request.json ? jsonLine(json) : table.text());
}

} // namespace

void registerCurve(CLI::App &app, std::ostream &out)
{
    auto request = std::make_shared<CurveRequest>();
    CLI::App *command = app.add_subcommand("curve", "the velocity curve of one planet");
    command->footer(
        "The star's radial velocity v = K [cos(nu + omega) + e cos omega]: time, phase\n"
        "(0 at periastron) and velocity at N evenly spaced times from --from to --to.");
    request->orbit.addTo(*command, "time of periastron, days (default 0)");
    command->add_option("--points", request->points, "how many times (default 100)")->check(wholeWithin(1, 1'000'000));
    command->add_option("--from", request->from, "first time, days (default T_p)")->check(numberWithin(-1e9, 1e9));
    command->add_option("--to", request->to, "last time, days (default T_p + P)")->check(numberWithin(-1e9, 1e9));
    command->add_flag("--json", request->json, "print JSON instead of a table");
    command->callback([request, &out] { runCurve(*request, out); });
}

} // namespace Cli
