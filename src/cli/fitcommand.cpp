#include "cli/fitcommand.h"

#include "cli/commands.h"
#include "cli/posteriorreport.h"
#include "fitting/resultexport.h"
#include "fitting/rvmodel.h"
#include "observations/nights.h"
#include "sampling/posteriorexport.h"

#include <iostream>

namespace Cli {

namespace {

/// Every option group of the fit, in the order the help lists them.
constexpr FitOptionGroup OptionGroups[] = {addModelOptions, addSearchOptions, addOutputOptions, addPosteriorOptions};

/// The fit's posterior, or a UsageError when the sampler refuses the request
/// (too many planets, an odd number of walkers).
Sampling::Result sampled(const Loaded &loaded, const Fitting::Result &fit, const FitRequest &request)
{
    Sampling::Result posterior = Sampling::samplePosterior(loaded.data, fit, request.options, request.sampler);
    if (posterior.status == Sampling::Status::Refused)
        throw UsageError{"--mcmc: " + posterior.message};
    return posterior;
}

/// The fit's JSON with, under "posterior", the sampling run's.
std::string fitAndPosteriorJson(const Fitting::Result &fit, const Sampling::Result &posterior)
{
    Json json = Json::parse(Fitting::resultJson(fit));
    json["posterior"] = Json::parse(Sampling::posteriorJson(posterior));
    return jsonLine(json);
}

/// The most planets a search of these data looks for unless told: as many as
/// the data can hold beside offsets, jitters and trend, at most maxPlanets,
/// so that a small data set is searched rather than refused.
int searchablePlanets(const Observations::DataSet &data, const Fitting::Options &asked)
{
    const Fitting::Options options = Fitting::effectiveOptions(data, asked);
    const int instruments = Fitting::Measurements::from(data).instruments;
    int planets = Fitting::maxPlanets;
    while (planets > 1
           && Fitting::ParameterLayout{planets, instruments, options.fitTrend, options.fitJitter,
                                       !options.decorrelateAgainst.empty()}
                   .freeCount(0)
               >= int(data.measurements.size()))
        --planets;
    return planets;
}

/// The file's data, or with --offset-per-night its nights of two or more
/// measurements, each an instrument of its own.
Loaded loadForFit(const FitRequest &request)
{
    Loaded loaded = load(request.path, request.read);
    if (!request.offsetPerNight)
        return loaded;
    const std::size_t all = loaded.data.measurements.size();
    loaded.data = Observations::offsetPerNight(loaded.data);
    if (loaded.data.instruments.empty())
        throw DataError{request.path + ": --offset-per-night: no night holds two measurements of one instrument"};
    if (const std::size_t single = all - loaded.data.measurements.size())
        std::cerr << "orbiquest9-cli: " << request.path << ": --offset-per-night leaves out " << single
                  << (single == 1 ? " measurement alone in its night" : " measurements alone in their nights") << "\n";
    return loaded;
}

void runFit(FitRequest request, std::ostream &out)
{
    const Loaded loaded = loadForFit(request);
    Fitting::Options &options = request.options;
    options.planets = request.planets.value_or(request.find ? searchablePlanets(loaded.data, options) : 1);
    options.starMassSolar = request.starMass ? *request.starMass
        : loaded.starMassSolar > 0           ? loaded.starMassSolar
                                             : 1.0;
    options.grid = request.limits.gridFor(loaded.data);
    const Fitting::Result result =
        request.find ? Fitting::findPlanets(loaded.data, options) : Fitting::fit(loaded.data, options);
    if (!result.ok())
        throw DataError{result.message};
    if (request.residualsPath)
        writeFile(*request.residualsPath, Fitting::residualsCsv(result, loaded.data));
    const std::optional<Sampling::Result> posterior =
        request.mcmc ? std::optional(sampled(loaded, result, request)) : std::nullopt;
    if (request.json && posterior)
        out << fitAndPosteriorJson(result, *posterior);
    else if (request.json)
        out << Fitting::resultJson(result) << "\n";
    else if (request.csv)
        out << Fitting::resultCsv(result);
    else
        printFit(result, request.path, request.starMass || loaded.starMassSolar > 0, out);
    if (posterior && !request.json)
        out << "\n" << posteriorReport(*posterior);
    if (posterior)
        writePosteriorFiles(request, *posterior);
}

} // namespace

void addModelOptions(CLI::App &fit, FitRequest &request)
{
    fit.add_option("--planets", request.planets,
                   "planets to fit (default 1); with --find, the most to find (default: as many as the data can hold, "
                   "at most 8)")
        ->check(wholeWithin(1, Fitting::maxPlanets));
    fit.add_flag("--jitter", request.options.fitJitter, "fit one jitter s per instrument");
    fit.add_flag("--trend", request.options.fitTrend, "fit a linear trend");
    fit.add_flag("--circular", request.options.circular, "hold every eccentricity at 0");
    fit.add_option("--decorrelate", request.options.decorrelateAgainst,
                   "fit one coefficient per instrument on the activity index NAME (a column of the file); "
                   "measurements without it are left out");
    fit.add_flag("--offset-per-night", request.offsetPerNight,
                 "give each night of two or more measurements its own offset, so that only the changes within "
                 "nights count (a star's activity, slower than a night, drops out); single measurements are left out");
    fit.add_option("--star-mass", request.starMass,
                   "star's mass, solar masses, for m sin i (default: the .sys file's, else 1)")
        ->check(numberWithin(1e-6, 1e6));
}

void addSearchOptions(CLI::App &fit, FitRequest &request)
{
    fit.add_flag("--find", request.find,
                 "add planets while the best of the next peaks lowers the BIC and its false-alarm probability "
                 "is below --fap");
    fit.add_option("--fap", request.options.falseAlarmThreshold, "false-alarm threshold of --find (default 0.001)")
        ->check(numberWithin(1e-300, 1));
    fit.add_option("--bootstrap", request.options.bootstrapRuns,
                   "also give bootstrap uncertainties from N refits (10-100000)")
        ->check(wholeWithin(10, 100000));
    request.limits.addTo(fit);
}

void addOutputOptions(CLI::App &fit, FitRequest &request)
{
    fit.add_option("--residuals", request.residualsPath,
                   "write time, velocity, uncertainty, instrument, model and residual of every measurement to "
                   "this file (CSV)");
    auto *json = fit.add_flag("--json", request.json, "print JSON instead of a table");
    fit.add_flag("--csv", request.csv, "print CSV instead of a table (not with --mcmc)")->excludes(json);
}

void registerFit(CLI::App &app, std::ostream &out)
{
    auto request = std::make_shared<FitRequest>();
    CLI::App *fit = app.add_subcommand("fit", "maximum-likelihood Keplerian fit of 1 to 8 planets");
    fit->footer(
        "Maximum-likelihood fit of N Keplerian orbits, one offset per instrument,\n"
        "-ln L = 1/2 sum [ r^2/(sigma^2 + s^2) + ln(2 pi (sigma^2 + s^2)) ].\n"
        "Each planet starts at the highest periodogram peak of the residuals.");
    fit->add_option("FILE", request->path, "velocity file or .sys system file")->required();
    addUnitOption(*fit, request->read);
    for (const FitOptionGroup add : OptionGroups)
        add(*fit, *request);
    fit->callback([request, &out] { runFit(*request, out); });
}

} // namespace Cli
