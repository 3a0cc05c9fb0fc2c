#include "cli/commands.h"

#include "cli/arguments.h"
#include "cli/texttable.h"
#include "fitting/resultexport.h"
#include "fitting/rvfit.h"
#include "kepler/keplerorbit.h"
#include "observations/rvreader.h"
#include "observations/rvwriter.h"
#include "observations/synthetic.h"
#include "periodogram/periodogram.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace Cli {

namespace {

/// A file or its data cannot be used; the reason is one line.
struct DataError
{
    std::string reason;
};

constexpr const char *generalHelp =
    "Usage: orbiquest9-cli COMMAND [OPTIONS]\n"
    "\n"
    "Radial velocities of stars with planets.\n"
    "\n"
    "Commands:\n"
    "  periodogram FILE   generalised Lomb-Scargle periodogram and its highest peaks\n"
    "  fit FILE           maximum-likelihood Keplerian fit of 1 to 4 planets\n"
    "  simulate           synthetic measurements of one planet, in the text format\n"
    "  curve              the velocity curve of one planet\n"
    "\n"
    "FILE is a velocity file (time, velocity, uncertainty, instrument; text or CSV)\n"
    "or a .sys system file. Every command takes --json and --help.\n"
    "Exit status: 0 success, 1 unusable file or data, 2 bad command line.\n";

constexpr const char *periodogramHelp =
    "Usage: orbiquest9-cli periodogram FILE [--min-period D] [--max-period D] [--peaks N] [--json]\n"
    "\n"
    "Generalised Lomb-Scargle periodogram (Zechmeister & Kuerster 2009): floating mean,\n"
    "weights 1/sigma^2, power in [0, 1]; each instrument's mean is removed first.\n"
    "False-alarm probabilities: Baluev (2008), the Davies bound.\n"
    "\n"
    "  --min-period D   shortest period searched, days (default: from the sampling)\n"
    "  --max-period D   longest period searched, days (default: twice the time span)\n"
    "  --peaks N        how many distinct peaks to list, 1-100 (default 5)\n"
    "  --json           print JSON instead of a table\n";

constexpr const char *fitHelp =
    "Usage: orbiquest9-cli fit FILE [--planets N] [--jitter] [--trend] [--circular]\n"
    "                              [--star-mass M] [--find] [--fap X] [--bootstrap N]\n"
    "                              [--min-period D] [--max-period D] [--residuals FILE]\n"
    "                              [--json | --csv]\n"
    "\n"
    "Maximum-likelihood fit of N Keplerian orbits, one offset per instrument,\n"
    "-ln L = 1/2 sum [ r^2/(sigma^2 + s^2) + ln(2 pi (sigma^2 + s^2)) ].\n"
    "Each planet starts at the highest periodogram peak of the residuals.\n"
    "\n"
    "  --planets N      planets to fit, 1-4 (default 1); with --find, the most to\n"
    "                   find (default 4)\n"
    "  --jitter         fit one jitter s per instrument\n"
    "  --trend          fit a linear trend\n"
    "  --circular       hold every eccentricity at 0\n"
    "  --star-mass M    star's mass, solar masses, for m sin i (default: the .sys\n"
    "                   file's, else 1)\n"
    "  --find           add planets while the best of the next peaks lowers the BIC\n"
    "                   and its false-alarm probability\n"
    "                   is below --fap (default 0.001)\n"
    "  --bootstrap N    also give bootstrap uncertainties from N refits (10-100000)\n"
    "  --min-period D, --max-period D   limit the periods searched, days\n"
    "  --residuals FILE write time, velocity, uncertainty, instrument, model and\n"
    "                   residual of every measurement to FILE (CSV)\n"
    "  --json           print JSON instead of a table\n"
    "  --csv            print CSV instead of a table\n";

constexpr const char *simulateHelp =
    "Usage: orbiquest9-cli simulate --period P --k K [--e E] [--omega DEG] [--tp T]\n"
    "                               [--points N] [--span D] [--start T] [--sigma S]\n"
    "                               [--jitter J] [--seed S] [--cadence random|nightly]\n"
    "                               [--instrument NAME] [-o FILE] [--json]\n"
    "\n"
    "Synthetic measurements of one planet, written in the 'time mnvel errvel tel'\n"
    "text format (to FILE with -o, else to the standard output).\n"
    "\n"
    "  --period P       days, > 0            --k K        semi-amplitude, m/s, >= 0\n"
    "  --e E            eccentricity, [0, 1) --omega DEG  star's argument of periastron\n"
    "  --tp T           time of periastron, days (default: the start)\n"
    "  --points N       measurements (default 60)\n"
    "  --span D         days (default 365.25)  --start T  first day (default 2460000)\n"
    "  --sigma S        uncertainty and noise, m/s (default 2)\n"
    "  --jitter J       extra scatter, m/s (default 0)\n"
    "  --seed S         random seed (default 1)\n"
    "  --cadence C      random (uniform times) or nightly (default nightly)\n"
    "  --instrument N   instrument name (default Synthetic)\n";

constexpr const char *curveHelp =
    "Usage: orbiquest9-cli curve --period P --k K [--e E] [--omega DEG] [--tp T]\n"
    "                            [--points N] [--from T] [--to T] [--json]\n"
    "\n"
    "The star's radial velocity v = K [cos(nu + omega) + e cos omega]: time, phase\n"
    "(0 at periastron) and velocity at N evenly spaced times (default 100) from\n"
    "--from (default T_p) to --to (default T_p + P).\n";

std::string quoted(const std::string &text)
{
    return Fitting::jsonString(text);
}

std::string jsonNumber(double value)
{
    return std::isfinite(value) ? shortest(value) : std::string("null");
}

/// A data set and, for a .sys file, the star's mass.
struct Loaded
{
    Observations::DataSet data;
    double starMassSolar = 0; ///< 0 when the file does not say
};

Loaded load(const std::string &path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw DataError{path + ": no such file"};
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    Loaded loaded;
    if (extension == ".sys") {
        const auto system = Observations::loadSystemFile(path);
        if (!system.ok())
            throw DataError{path + ": " + system.reason()};
        loaded.data = system->data;
        loaded.starMassSolar = system->starMassSolar;
    } else {
        const auto result = Observations::loadFile(path);
        if (!result.ok())
            throw DataError{path + ": " + result.reason()};
        loaded.data = result->data;
    }
    if (loaded.data.measurements.empty())
        throw DataError{path + ": the file holds no measurements"};
    return loaded;
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << text;
    stream.close();
    if (!stream)
        throw DataError{path + ": cannot be written"};
}

double spanOf(const Observations::DataSet &data)
{
    const auto [first, last] = std::minmax_element(data.measurements.begin(), data.measurements.end(),
                                                   [](const auto &a, const auto &b) { return a.time < b.time; });
    return last->time - first->time;
}

/// The automatic grid, narrowed by --min-period and --max-period.
Periodogram::FrequencyGrid gridFor(const Arguments &arguments, const Observations::DataSet &data)
{
    if (const auto reason = Periodogram::refusal(data, Periodogram::FrequencyGrid{1, 2, 2}))
        throw DataError{reason->reason};
    const auto automatic = Periodogram::automaticGrid(data);
    const double huge = 1e9;
    const double minPeriod = arguments.number("--min-period", 1 / automatic.maxFrequency, 1e-3, huge);
    const double maxPeriod = arguments.number("--max-period", 1 / automatic.minFrequency, 1e-3, huge);
    if (!(minPeriod < maxPeriod))
        throw UsageError{"--min-period must be shorter than --max-period"};
    if (!arguments.has("--min-period") && !arguments.has("--max-period"))
        return automatic;
    return Periodogram::gridBetween(1 / maxPeriod, 1 / minPeriod, spanOf(data));
}

int periodogram(const std::vector<std::string> &words, std::ostream &out)
{
    const Arguments arguments(words, {"--min-period", "--max-period", "--peaks"}, {"--json", "--help"});
    if (arguments.flag("--help")) {
        out << periodogramHelp;
        return Success;
    }
    if (arguments.positional().size() != 1)
        throw UsageError{"periodogram needs exactly one FILE (see --help)"};
    const long long count = arguments.whole("--peaks", 5, 1, 100);
    const std::string &path = arguments.positional().front();
    const Loaded loaded = load(path);
    const auto grid = gridFor(arguments, loaded.data);
    if (const auto reason = Periodogram::refusal(loaded.data, grid))
        throw DataError{reason->reason};
    const auto spectrum = Periodogram::generalisedLombScargle(loaded.data, grid).value();
    const auto peaks = Periodogram::highestPeaks(spectrum, loaded.data, std::size_t(count));
    if (arguments.flag("--json")) {
        out << "{\"file\": " << quoted(path) << ", \"points\": " << loaded.data.measurements.size()
            << ", \"spanDays\": " << jsonNumber(spanOf(loaded.data)) << ", \"grid\": {\"minFrequency\": "
            << jsonNumber(grid.minFrequency) << ", \"maxFrequency\": " << jsonNumber(grid.maxFrequency)
            << ", \"count\": " << grid.count << "}, \"peaks\": [";
        for (std::size_t k = 0; k < peaks.size(); ++k)
            out << (k ? ", " : "") << "{\"period\": " << jsonNumber(peaks[k].periodDays) << ", \"frequency\": "
                << jsonNumber(peaks[k].frequency) << ", \"power\": " << jsonNumber(peaks[k].power)
                << ", \"falseAlarmProbability\": " << jsonNumber(peaks[k].falseAlarmProbability) << "}";
        out << "]}\n";
        return Success;
    }
    out << "Generalised Lomb-Scargle periodogram of " << path << "\n"
        << loaded.data.measurements.size() << " measurements over " << withError(spanOf(loaded.data), 0, 6)
        << " days; " << grid.count << " frequencies, periods " << withError(1 / grid.maxFrequency, 0, 4) << " to "
        << withError(1 / grid.minFrequency, 0, 6) << " days\n\n";
    TextTable table({"Peak", "Period (d)", "Frequency (1/d)", "Power", "False-alarm probability"});
    for (std::size_t k = 0; k < peaks.size(); ++k)
        table.addRow({std::to_string(k + 1), withError(peaks[k].periodDays, 0, 7), withError(peaks[k].frequency, 0, 6),
                      withError(peaks[k].power, 0, 4), withError(peaks[k].falseAlarmProbability, 0, 3)});
    out << table.text();
    return Success;
}

void printFit(const Fitting::Result &result, const std::string &path, bool massGiven, std::ostream &out)
{
    out << "Keplerian fit of " << path << ": " << result.planets.size() << " planet"
        << (result.planets.size() == 1 ? "" : "s") << (result.status == Fitting::Status::Stalled ? " (the optimiser stopped before converging)" : "")
        << "\nStar mass " << withError(result.starMassSolar, 0, 4) << " solar masses" << (massGiven ? "" : " (assumed)")
        << "\n\n";
    if (!result.planets.empty()) {
        TextTable planets({"Planet", "P (d)", "K (m/s)", "e", "ω (°)", "T_p (d)", "m sin i (M_J)", "m sin i (M_⊕)"});
        for (std::size_t j = 0; j < result.planets.size(); ++j) {
            const auto &v = result.planets[j].value;
            const auto &u = result.planets[j].bootstrapUncertainty.periodDays > 0 ? result.planets[j].bootstrapUncertainty
                                                                                  : result.planets[j].uncertainty;
            planets.addRow({std::string(1, char('b' + j)), withError(v.periodDays, u.periodDays, 8),
                            withError(v.semiAmplitude, u.semiAmplitude, 4), withError(v.eccentricity, u.eccentricity, 3),
                            withError(Fitting::degreesFromRadians(v.omegaRadians), Fitting::degreesFromRadians(u.omegaRadians), 4),
                            withError(v.periastronTime, u.periastronTime, 10),
                            withError(v.minimumMassJupiter, u.minimumMassJupiter, 4),
                            withError(v.minimumMassEarth, u.minimumMassEarth, 4)});
        }
        out << planets.text() << "\n";
    }
    TextTable instruments({"Instrument", "Points", "Offset (m/s)", "Jitter (m/s)", "rms (m/s)"});
    for (const auto &instrument : result.instruments)
        instruments.addRow({instrument.name, std::to_string(instrument.points),
                            withError(instrument.offset, instrument.offsetUncertainty, 5),
                            withError(instrument.jitter, instrument.jitterUncertainty, 3), withError(instrument.rms, 0, 3)});
    out << instruments.text() << "\n";
    if (result.trendFitted)
        out << "Trend: " << withError(result.trend, result.trendUncertainty, 4) << " m/s per day\n";
    out << "-ln L = " << withError(result.negativeLogLikelihood, 0, 8) << ", chi² = " << withError(result.chiSquare, 0, 6)
        << ", rms = " << withError(result.rms, 0, 4) << " m/s, BIC = " << withError(result.bic, 0, 8) << " (n = "
        << result.pointCount << ", k = " << result.parameterCount << ")\n";
    if (result.bootstrapRuns > 0)
        out << "Uncertainties from " << result.bootstrapRuns << " bootstrap refits.\n";
}

int fit(const std::vector<std::string> &words, std::ostream &out)
{
    const Arguments arguments(words,
                              {"--planets", "--star-mass", "--fap", "--bootstrap", "--min-period", "--max-period",
                               "--residuals"},
                              {"--jitter", "--trend", "--circular", "--find", "--json", "--csv", "--help"});
    if (arguments.flag("--help")) {
        out << fitHelp;
        return Success;
    }
    if (arguments.positional().size() != 1)
        throw UsageError{"fit needs exactly one FILE (see --help)"};
    if (arguments.flag("--json") && arguments.flag("--csv"))
        throw UsageError{"choose either --json or --csv"};
    Fitting::Options options;
    options.planets = int(arguments.whole("--planets", arguments.flag("--find") ? 4 : 1, 1, 4));
    options.fitJitter = arguments.flag("--jitter");
    options.fitTrend = arguments.flag("--trend");
    options.circular = arguments.flag("--circular");
    options.falseAlarmThreshold = arguments.number("--fap", 1e-3, 1e-300, 1);
    options.bootstrapRuns = int(arguments.whole("--bootstrap", 0, 0, 100000));
    if (options.bootstrapRuns != 0 && options.bootstrapRuns < 10)
        throw UsageError{"option --bootstrap must lie in [10, 100000] (found " + *arguments.text("--bootstrap") + ")"};
    const double starMass = arguments.number("--star-mass", 0, 1e-6, 1e6);
    const std::string &path = arguments.positional().front();
    const Loaded loaded = load(path);
    options.starMassSolar = starMass > 0 ? starMass : loaded.starMassSolar > 0 ? loaded.starMassSolar : 1.0;
    options.grid = gridFor(arguments, loaded.data);
    const Fitting::Result result = arguments.flag("--find") ? Fitting::findPlanets(loaded.data, options)
                                                            : Fitting::fit(loaded.data, options);
    if (!result.ok())
        throw DataError{result.message};
    if (const auto file = arguments.text("--residuals"))
        writeFile(*file, Fitting::residualsCsv(result, loaded.data));
    if (arguments.flag("--json"))
        out << Fitting::resultJson(result) << "\n";
    else if (arguments.flag("--csv"))
        out << Fitting::resultCsv(result);
    else
        printFit(result, path, starMass > 0 || loaded.starMassSolar > 0, out);
    return Success;
}

/// The orbit given by --period, --k, --e, --omega (degrees) and --tp.
Kepler::Orbit orbitFrom(const Arguments &arguments, double defaultPeriastron)
{
    if (!arguments.has("--period") || !arguments.has("--k"))
        throw UsageError{"--period and --k are required (see --help)"};
    Kepler::Orbit orbit;
    orbit.periodDays = arguments.number("--period", 0, 1e-6, 1e9);
    orbit.semiAmplitude = arguments.number("--k", 0, 0, 1e7);
    orbit.eccentricity = arguments.number("--e", 0, 0, 0.99);
    orbit.omegaRadians = arguments.number("--omega", 0, -360, 360) * std::numbers::pi / 180;
    orbit.periastronTime = arguments.number("--tp", defaultPeriastron, -1e9, 1e9);
    if (const auto reason = Kepler::refusal(orbit))
        throw UsageError{reason->reason};
    return orbit;
}

int simulate(const std::vector<std::string> &words, std::ostream &out)
{
    const Arguments arguments(words,
                              {"--period", "--k", "--e", "--omega", "--tp", "--points", "--span", "--start", "--sigma",
                               "--jitter", "--seed", "--cadence", "--instrument", "-o"},
                              {"--json", "--help"});
    if (arguments.flag("--help")) {
        out << simulateHelp;
        return Success;
    }
    if (!arguments.positional().empty())
        throw UsageError{"simulate takes no file name; write to one with -o FILE"};
    Observations::SyntheticPlan plan;
    plan.startTime = arguments.number("--start", plan.startTime, -1e9, 1e9);
    const Kepler::Orbit orbit = orbitFrom(arguments, plan.startTime);
    plan.count = std::size_t(arguments.whole("--points", 60, 1, 1'000'000));
    plan.spanDays = arguments.number("--span", plan.spanDays, 1e-6, 1e7);
    plan.noiseSigma = arguments.number("--sigma", plan.noiseSigma, 1e-6, 1e6);
    plan.jitter = arguments.number("--jitter", 0, 0, 1e6);
    plan.seed = std::uint64_t(arguments.whole("--seed", 1, 0, 9'000'000'000'000'000'000LL));
    plan.instrument = arguments.text("--instrument").value_or("Synthetic");
    const std::string cadence = arguments.text("--cadence").value_or("nightly");
    if (cadence != "random" && cadence != "nightly")
        throw UsageError{"option --cadence must be random or nightly (found " + cadence + ")"};
    plan.cadence = cadence == "random" ? Observations::Cadence::Uniform : Observations::Cadence::Nightly;
    if (const auto reason = Observations::refusal(plan))
        throw UsageError{*reason};
    const std::vector<Kepler::Orbit> planets{orbit};
    const Observations::DataSet data = Observations::simulate(planets, plan);
    std::string text;
    if (arguments.flag("--json")) {
        text = "{\"measurements\": [";
        for (std::size_t i = 0; i < data.measurements.size(); ++i) {
            const auto &m = data.measurements[i];
            text += (i ? ", " : "") + std::string("{\"time\": ") + jsonNumber(m.time) + ", \"velocity\": "
                + jsonNumber(m.velocity) + ", \"uncertainty\": " + jsonNumber(m.uncertainty) + ", \"instrument\": "
                + quoted(data.instruments[std::size_t(m.instrument)]) + "}";
        }
        text += "]}\n";
    } else {
        text = Observations::toText(data);
    }
    if (const auto file = arguments.text("-o"))
        writeFile(*file, text);
    else
        out << text;
    return Success;
}

int curve(const std::vector<std::string> &words, std::ostream &out)
{
    const Arguments arguments(words, {"--period", "--k", "--e", "--omega", "--tp", "--points", "--from", "--to"},
                              {"--json", "--help"});
    if (arguments.flag("--help")) {
        out << curveHelp;
        return Success;
    }
    if (!arguments.positional().empty())
        throw UsageError{"curve takes no file name (see --help)"};
    const Kepler::Orbit orbit = orbitFrom(arguments, 0);
    const long long points = arguments.whole("--points", 100, 1, 1'000'000);
    const double from = arguments.number("--from", orbit.periastronTime, -1e9, 1e9);
    const double to = arguments.number("--to", from + orbit.periodDays, -1e9, 1e9);
    if (!(to > from) && points > 1)
        throw UsageError{"--to must be later than --from"};
    const bool json = arguments.flag("--json");
    TextTable table({"Time (d)", "Phase", "Velocity (m/s)"});
    if (json)
        out << "{\"points\": [";
    for (long long i = 0; i < points; ++i) {
        const double t = points > 1 ? from + (to - from) * double(i) / double(points - 1) : from;
        const double turns = (t - orbit.periastronTime) / orbit.periodDays;
        const double phase = turns - std::floor(turns);
        const double v = Kepler::radialVelocity(orbit, t);
        if (json)
            out << (i ? ", " : "") << "{\"time\": " << jsonNumber(t) << ", \"phase\": " << jsonNumber(phase)
                << ", \"velocity\": " << jsonNumber(v) << "}";
        else
            table.addRow({withError(t, 0, 10), withError(phase, 0, 5), withError(v, 0, 6)});
    }
    if (json)
        out << "]}\n";
    else
        out << table.text();
    return Success;
}

} // namespace

int run(const std::vector<std::string> &words, std::ostream &out, std::ostream &err)
{
    try {
        if (words.empty()) {
            err << "orbiquest9-cli: a command is needed: periodogram, fit, simulate or curve (see --help)\n";
            return UsageFailure;
        }
        const std::string &command = words.front();
        const std::vector<std::string> rest(words.begin() + 1, words.end());
        if (command == "--help" || command == "-h" || command == "help") {
            out << generalHelp;
            return Success;
        }
        if (command == "periodogram")
            return periodogram(rest, out);
        if (command == "fit")
            return fit(rest, out);
        if (command == "simulate")
            return simulate(rest, out);
        if (command == "curve")
            return curve(rest, out);
        err << "orbiquest9-cli: unknown command \"" << command << "\" (see --help)\n";
        return UsageFailure;
    } catch (const UsageError &error) {
        err << "orbiquest9-cli: " << error.reason << "\n";
        return UsageFailure;
    } catch (const DataError &error) {
        err << "orbiquest9-cli: " << error.reason << "\n";
        return DataFailure;
    } catch (const std::exception &error) {
        err << "orbiquest9-cli: " << error.what() << "\n";
        return DataFailure;
    }
}

} // namespace Cli
