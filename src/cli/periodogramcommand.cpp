#include "cli/commandkit.h"
#include "cli/commands.h"
#include "cli/texttable.h"
#include "detection/activityscan.h"
#include "detection/aliases.h"
#include "detection/spectralwindow.h"

namespace Cli {

namespace {

/// The strong window peaks an alias is judged against: the few highest are
/// the ones that raise aliases worth naming.
constexpr std::size_t windowPeaksForAliases = 5;

struct PeriodogramRequest
{
    std::string path;
    Observations::ReadOptions read;
    PeriodLimits limits;
    long long peaks = 5;
    bool window = false;
    bool json = false;
};

/// The head every JSON of this command shares: the file, its span and the grid.
Json jsonHead(const PeriodogramRequest &request, const Loaded &loaded, const Periodogram::FrequencyGrid &grid)
{
    return {{"file", request.path},
            {"points", loaded.data.measurements.size()},
            {"spanDays", jsonNumber(spanOf(loaded.data))},
            {"grid",
             {{"minFrequency", jsonNumber(grid.minFrequency)},
              {"maxFrequency", jsonNumber(grid.maxFrequency)},
              {"count", grid.count}}}};
}

std::string periodRange(const Periodogram::FrequencyGrid &grid)
{
    return "periods " + significant(1 / grid.maxFrequency, 4) + " to " + significant(1 / grid.minFrequency, 6)
        + " days";
}

/// The peaks of the file's spectral window, the sampling's own periodogram.
std::vector<Detection::WindowPeak> windowPeaksOf(const Observations::DataSet &data, std::size_t count)
{
    const auto window = Detection::spectralWindow(data, Detection::windowGrid(data));
    return Detection::windowPeaks(window, Detection::timeSpan(data), count);
}

Json aliasJson(const Detection::AliasLabel &label, std::span<const Periodogram::Peak> peaks)
{
    if (label.kind == Detection::AliasKind::None)
        return nullptr;
    const bool ofPeak = label.kind == Detection::AliasKind::AliasOfPeak;
    return {{"of", ofPeak ? jsonNumber(peaks[label.parent].periodDays) : Json(nullptr)},
            {"order", label.order},
            {"window",
             {{"name", label.windowName.empty() ? Json(nullptr) : Json(label.windowName)},
              {"period", jsonNumber(1 / label.windowFrequency)}}}};
}

/// How many peaks of each activity index are compared with the velocities'.
constexpr std::size_t indexPeakCount = 5;

/// Each activity index of the file on the velocities' grid, and the index
/// peak, if any, each velocity peak may owe itself to.
struct ActivityCheck
{
    std::vector<Detection::IndexAnalysis> indices;
    std::vector<std::optional<Detection::ActivityFlag>> flags;
};

ActivityCheck checkActivity(const Observations::DataSet &data, const Periodogram::FrequencyGrid &grid,
                            std::span<const Periodogram::Peak> peaks)
{
    ActivityCheck check;
    for (std::size_t k = 0; k < data.activity.size(); ++k)
        check.indices.push_back(Detection::analyseIndex(data, k, grid, indexPeakCount));
    check.flags = Detection::activityFlags(peaks, check.indices, Detection::timeSpan(data));
    return check;
}

Json activityJson(const std::optional<Detection::ActivityFlag> &flag)
{
    if (!flag)
        return nullptr;
    return {{"index", flag->indexName},
            {"period", jsonNumber(flag->indexPeak.periodDays)},
            {"falseAlarmProbability", jsonNumber(flag->indexPeak.falseAlarmProbability)}};
}

std::string activityText(const std::optional<Detection::ActivityFlag> &flag)
{
    return flag ? "may be activity (" + flag->indexName + ", " + significant(flag->indexPeak.periodDays, 3) + " d)"
                : "-";
}

void runWindow(const PeriodogramRequest &request, const Loaded &loaded, std::ostream &out)
{
    const auto grid = Detection::windowGrid(loaded.data);
    const auto peaks = windowPeaksOf(loaded.data, std::size_t(request.peaks));
    if (request.json) {
        Json json = jsonHead(request, loaded, grid);
        json["window"] = true;
        json["peaks"] = Json::array();
        for (const auto &peak : peaks)
            json["peaks"].push_back({{"period", jsonNumber(1 / peak.frequency)},
                                     {"frequency", jsonNumber(peak.frequency)},
                                     {"power", jsonNumber(peak.power)},
                                     {"name", peak.name.empty() ? Json(nullptr) : Json(peak.name)}});
        out << jsonLine(json);
        return;
    }
    out << "Spectral window of " << request.path << "\n"
        << loaded.data.measurements.size() << " measurements over " << significant(spanOf(loaded.data), 6) << " days; "
        << grid.count << " frequencies, " << periodRange(grid) << "\n\n";
    TextTable table({"Peak", "Period (d)", "Frequency (1/d)", "Window power", "Named after"});
    for (std::size_t k = 0; k < peaks.size(); ++k)
        table.addRow({std::to_string(k + 1), significant(1 / peaks[k].frequency, 7), significant(peaks[k].frequency, 6),
                      significant(peaks[k].power, 4), peaks[k].name.empty() ? "-" : peaks[k].name});
    out << table.text();
}

void runPeriodogram(const PeriodogramRequest &request, std::ostream &out)
{
    const Loaded loaded = load(request.path, request.read);
    if (request.window)
        return runWindow(request, loaded, out);
    const auto grid = request.limits.gridFor(loaded.data);
    const auto computed = Periodogram::generalisedLombScargle(loaded.data, grid);
    if (!computed)
        throw DataError{computed.reason()};
    const Periodogram::Spectrum &spectrum = *computed;
    const auto peaks = Periodogram::highestPeaks(spectrum, loaded.data, std::size_t(request.peaks));
    const auto labels = Detection::labelAliases(peaks, {}, windowPeaksOf(loaded.data, windowPeaksForAliases),
                                                Detection::timeSpan(loaded.data));
    const bool hasIndices = !loaded.data.activity.empty();
    const ActivityCheck activity = hasIndices ? checkActivity(loaded.data, grid, peaks) : ActivityCheck{};
    if (request.json) {
        Json json = jsonHead(request, loaded, grid);
        json["peaks"] = Json::array();
        for (std::size_t k = 0; k < peaks.size(); ++k) {
            Json peak = {{"period", jsonNumber(peaks[k].periodDays)},
                         {"frequency", jsonNumber(peaks[k].frequency)},
                         {"power", jsonNumber(peaks[k].power)},
                         {"falseAlarmProbability", jsonNumber(peaks[k].falseAlarmProbability)},
                         {"alias", aliasJson(labels[k], peaks)}};
            if (hasIndices)
                peak["activity"] = activityJson(activity.flags[k]);
            json["peaks"].push_back(std::move(peak));
        }
        out << jsonLine(json);
        return;
    }
    out << "Generalised Lomb-Scargle periodogram of " << request.path << "\n"
        << loaded.data.measurements.size() << " measurements over " << significant(spanOf(loaded.data), 6) << " days; "
        << grid.count << " frequencies, " << periodRange(grid) << "\n\n";
    std::vector<std::string> columns{"Peak", "Period (d)", "Frequency (1/d)", "Power", "False-alarm probability",
                                     "Alias"};
    if (hasIndices)
        columns.push_back("Activity");
    TextTable table(columns);
    for (std::size_t k = 0; k < peaks.size(); ++k) {
        const std::string alias = Detection::describe(labels[k]);
        std::vector<std::string> row{std::to_string(k + 1),
                                     significant(peaks[k].periodDays, 7),
                                     significant(peaks[k].frequency, 6),
                                     significant(peaks[k].power, 4),
                                     significant(peaks[k].falseAlarmProbability, 3),
                                     alias.empty() ? "-" : alias};
        if (hasIndices)
            row.push_back(activityText(activity.flags[k]));
        table.addRow(row);
    }
    out << table.text();
}

} // namespace

void registerPeriodogram(CLI::App &app, std::ostream &out)
{
    auto request = std::make_shared<PeriodogramRequest>();
    CLI::App *command = app.add_subcommand("periodogram", "generalised Lomb-Scargle periodogram and its highest peaks");
    command->footer(
        "Generalised Lomb-Scargle periodogram (Zechmeister & Kuerster 2009): floating mean,\n"
        "weights 1/sigma^2, power in [0, 1]; each instrument's mean is removed first.\n"
        "False-alarm probabilities: Baluev (2008), the Davies bound. A peak within one\n"
        "peak width of |f +- k f_w| of a stronger one, f_w a strong peak of the spectral\n"
        "window W(f) = |sum w_i exp(2 pi i f t_i)|^2, is marked as its alias. When the file\n"
        "has activity indices, a peak within one peak width of a peak of an index's own\n"
        "periodogram (same grid, false-alarm probability <= 1 %) is marked \"may be activity\".");
    command->add_option("FILE", request->path, "velocity file or .sys system file")->required();
    addUnitOption(*command, request->read);
    request->limits.addTo(*command);
    command->add_option("--peaks", request->peaks, "how many distinct peaks to list (default 5)")
        ->check(wholeWithin(1, 100));
    command
        ->add_flag("--window", request->window,
                   "list the peaks of the spectral window of the times instead (the 1-day, sidereal, "
                   "lunar and yearly peaks named)")
        ->excludes(command->get_option("--min-period"))
        ->excludes(command->get_option("--max-period"));
    command->add_flag("--json", request->json, "print JSON instead of a table");
    command->callback([request, &out] { runPeriodogram(*request, out); });
}

} // namespace Cli
