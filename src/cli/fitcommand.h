#pragma once

#include "cli/commandkit.h"
#include "fitting/rvfit.h"
#include "sampling/posterior.h"

/// The fit command's request, filled by its option groups. Each group is a
/// function that adds its options to the fit's subcommand; a new group is one
/// such function in a file of its own and one line in fitcommand.cpp's list.
namespace Cli {

struct FitRequest
{
    std::string path;
    Observations::ReadOptions read;
    Fitting::Options options;
    std::optional<int> planets;     ///< default 1, or the most a search looks for
    std::optional<double> starMass; ///< else the .sys file's, else 1
    PeriodLimits limits;
    bool find = false;
    bool offsetPerNight = false; ///< fit the nights of two or more measurements, each with its own offset
    std::optional<std::string> residualsPath;
    bool json = false;
    bool csv = false;
    bool mcmc = false;                                      ///< sample the fit's posterior
    Sampling::SamplerOptions sampler;                       ///< its walkers, step limit and seed
    std::optional<std::string> posteriorCsvPath, chainPath; ///< where the posterior's tables go
};

using FitOptionGroup = void (*)(CLI::App &fit, FitRequest &request);

void addModelOptions(CLI::App &fit, FitRequest &request);
void addSearchOptions(CLI::App &fit, FitRequest &request);
void addOutputOptions(CLI::App &fit, FitRequest &request);
void addPosteriorOptions(CLI::App &fit, FitRequest &request);

/// Writes the posterior's summary and chain CSV where the request asks.
void writePosteriorFiles(const FitRequest &request, const Sampling::Result &posterior);

/// The result as a table: elements to the precision of their uncertainties,
/// instruments, the summary and, after a search, why it stopped.
void printFit(const Fitting::Result &result, const std::string &path, bool massGiven, std::ostream &out);

} // namespace Cli
