#include "cli/commandkit.h"
#include "cli/commands.h"
#include "cli/texttable.h"

namespace Cli {

namespace {

struct PeriodogramRequest
{
    std::string path;
    PeriodLimits limits;
    long long peaks = 5;
    bool json = false;
};

void runPeriodogram(const PeriodogramRequest &request, std::ostream &out)
{
    const Loaded loaded = load(request.path);
    const auto grid = request.limits.gridFor(loaded.data);
    const auto computed = Periodogram::generalisedLombScargle(loaded.data, grid);
    if (!computed)
        throw DataError{computed.reason()};
    const Periodogram::Spectrum &spectrum = *computed;
    const auto peaks = Periodogram::highestPeaks(spectrum, loaded.data, std::size_t(request.peaks));
    if (request.json) {
        Json json = {{"file", request.path},
                     {"points", loaded.data.measurements.size()},
                     {"spanDays", jsonNumber(spanOf(loaded.data))},
                     {"grid", {{"minFrequency", jsonNumber(grid.minFrequency)},
                               {"maxFrequency", jsonNumber(grid.maxFrequency)},
                               {"count", grid.count}}}};
        json["peaks"] = Json::array();
        for (const auto &peak : peaks)
            json["peaks"].push_back({{"period", jsonNumber(peak.periodDays)},
                                     {"frequency", jsonNumber(peak.frequency)},
                                     {"power", jsonNumber(peak.power)},
                                     {"falseAlarmProbability", jsonNumber(peak.falseAlarmProbability)}});
        out << jsonLine(json);
        return;
    }
    out << "Generalised Lomb-Scargle periodogram of " << request.path << "\n"
        << loaded.data.measurements.size() << " measurements over " << significant(spanOf(loaded.data), 6)
        << " days; " << grid.count << " frequencies, periods " << significant(1 / grid.maxFrequency, 4) << " to "
        << significant(1 / grid.minFrequency, 6) << " days\n\n";
    TextTable table({"Peak", "Period (d)", "Frequency (1/d)", "Power", "False-alarm probability"});
    for (std::size_t k = 0; k < peaks.size(); ++k)
        table.addRow({std::to_string(k + 1), significant(peaks[k].periodDays, 7), significant(peaks[k].frequency, 6),
                      significant(peaks[k].power, 4), significant(peaks[k].falseAlarmProbability, 3)});
    out << table.text();
}

} // namespace

void registerPeriodogram(CLI::App &app, std::ostream &out)
{
    auto request = std::make_shared<PeriodogramRequest>();
    CLI::App *command = app.add_subcommand("periodogram", "generalised Lomb-Scargle periodogram and its highest peaks");
    command->footer("Generalised Lomb-Scargle periodogram (Zechmeister & Kuerster 2009): floating mean,\n"
                    "weights 1/sigma^2, power in [0, 1]; each instrument's mean is removed first.\n"
                    "False-alarm probabilities: Baluev (2008), the Davies bound.");
    command->add_option("FILE", request->path, "velocity file or .sys system file")->required();
    request->limits.addTo(*command);
    command->add_option("--peaks", request->peaks, "how many distinct peaks to list (default 5)")
        ->check(wholeWithin(1, 100));
    command->add_flag("--json", request->json, "print JSON instead of a table");
    command->callback([request, &out] { runPeriodogram(*request, out); });
}

} // namespace Cli
