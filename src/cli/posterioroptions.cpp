#include "cli/fitcommand.h"

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
}

} // namespace Cli
