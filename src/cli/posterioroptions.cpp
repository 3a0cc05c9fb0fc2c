#include "cli/fitcommand.h"

#include "sampling/posteriorexport.h"

#include <limits>

namespace Cli {

void addPosteriorOptions(CLI::App &fit, FitRequest &request)
{
    auto *mcmc = fit.add_flag("--mcmc", request.mcmc,
                              "after the fit, sample its posterior with an affine-invariant ensemble sampler "
                              "until it converges or --max-steps is reached");
    mcmc->excludes(fit.get_option("--csv")); // the posterior has no CSV of its own here
    fit.add_option("--walkers", request.sampler.walkers,
                   "walkers of --mcmc, even and at least twice the parameters (default: three per parameter, "
                   "at least 32)")
        ->check(wholeWithin(2, 100000))
        ->needs(mcmc);
    fit.add_option("--max-steps", request.sampler.maxSteps, "the step limit of --mcmc (default 20000)")
        ->check(wholeWithin(100, 100000000))
        ->needs(mcmc);
    fit.add_option("--seed", request.sampler.seed,
                   "the seed of --mcmc; the same seed gives the same posterior "
                   "(default 1)")
        ->check(wholeWithin(0, std::numeric_limits<long long>::max()))
        ->needs(mcmc);
    fit.add_option("--star-mass-sigma", request.sampler.starMassUncertaintySolar,
                   "the star mass's 1-sigma uncertainty, solar masses, carried into the posterior's m sin i and a "
                   "(default 0)")
        ->check(numberWithin(0, 1e6))
        ->needs(mcmc);
    fit.add_option("--posterior-csv", request.posteriorCsvPath,
                   "write the posterior's median, 68.3 % and 95 % intervals of every quantity to this file (CSV)")
        ->needs(mcmc);
    fit.add_option("--chain", request.chainPath, "write the chain after its burn-in to this file (CSV)")->needs(mcmc);
}

void writePosteriorFiles(const FitRequest &request, const Sampling::Result &posterior)
{
    if (request.posteriorCsvPath)
        writeFile(*request.posteriorCsvPath, Sampling::summaryCsv(posterior));
    if (request.chainPath)
        writeFile(*request.chainPath, Sampling::chainCsv(posterior));
}

} // namespace Cli
