#include "sampling/posterior.h"

#include "sampling/diagnostics.h"
#include "sampling/ensemblesampler.h"
#include "sampling/randomstream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

namespace Sampling {

namespace {

constexpr int firstCheck = 100;
constexpr int checkEvery = 100;             ///< steps between checks, as emcee's own recipe checks
constexpr int autocorrelationSamples = 512; ///< per walker, at most, in a check's τ
constexpr int progressEvery = 25;

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

/// The walkers' starting points: the fit's optimum moved by a normal step of
/// each parameter's scale, drawn again (up to 100 times) until the posterior
/// is finite there, which a fit's optimum guarantees in the end.
std::vector<double> startingPoints(const PosteriorModel &model, int walkers, std::uint64_t seed)
{
    const int d = model.dimension();
    std::vector<double> points(std::size_t(walkers * d));
    for (int k = 0; k < walkers; ++k) {
        double *x = points.data() + std::size_t(k * d);
        RandomStream random(seed ^ 0x243f6a8885a308d3ULL, 0, std::uint64_t(k));
        for (int attempt = 0; attempt < 100; ++attempt) {
            const double shrink = attempt < 50 ? 1.0 : 0.01;
            for (int p = 0; p < d; ++p)
                x[p] =
                    model.bestFit()[std::size_t(p)] + shrink * model.startingScales()[std::size_t(p)] * random.normal();
            if (std::isfinite(model.logDensity({x, std::size_t(d)})))
                break;
            std::copy(model.bestFit().begin(), model.bestFit().end(), x);
        }
    }
    return points;
}

/// One look at the chain: τ and R̂ of every parameter after the burn-in.
struct Check
{
    std::vector<double> times;
    std::vector<double> rHats;
    int burnIn = 0;
    double maxTime = 0;
    double maxRHat = 0;
};

Check checkChain(const Chain &chain, int burnIn, WorkerPool &pool)
{
    Check check;
    check.burnIn = burnIn;
    check.times.resize(std::size_t(chain.dimension));
    // A power of two, so that consecutive checks thin to the same steps.
    int stride = 1;
    while ((chain.steps() - burnIn) / stride > autocorrelationSamples)
        stride *= 2;
    auto diagnose = [&](int p) { check.times[std::size_t(p)] = autocorrelationTime(chain, p, burnIn, stride); };
    pool.run(chain.dimension, diagnose);
    check.rHats = splitRHats(chain, burnIn);
    for (int p = 0; p < chain.dimension; ++p) {
        check.maxTime = std::max(check.maxTime, check.times[std::size_t(p)]);
        check.maxRHat = std::max(check.maxRHat, check.rHats[std::size_t(p)]);
    }
    return check;
}

bool passes(const Check &check, const Check &previous, int steps)
{
    if (previous.times.empty())
        return false;
    for (std::size_t p = 0; p < check.times.size(); ++p) {
        const double tau = check.times[p];
        if (!(double(steps - check.burnIn) > lengthInTimes * tau)
            || !(std::abs(tau - previous.times[p]) < settledChange * tau) || !(check.rHats[p] < rHatLimit))
            return false;
    }
    return true;
}

std::string optionsRefusal(const SamplerOptions &options, int dimension)
{
    if (options.walkers != 0 && (options.walkers % 2 != 0 || options.walkers < 2 * dimension))
        return "The number of walkers must be even and at least twice the " + std::to_string(dimension)
            + " parameters (" + std::to_string(2 * dimension) + ").";
    if (options.walkers > 10000)
        return "At most 10000 walkers.";
    if (options.maxSteps < firstCheck || options.maxSteps > 10'000'000)
        return "The step limit must lie between " + std::to_string(firstCheck) + " and 10000000.";
    if (!(options.starMassUncertaintySolar >= 0) || !std::isfinite(options.starMassUncertaintySolar))
        return "The star mass's uncertainty must be a finite number ≥ 0.";
    return {};
}

void summarise(Result &result, const PosteriorModel &model, const Check &check, const Fitting::Result &fit)
{
    const Chain &chain = result.chain;
    std::vector<double> samples;
    for (int p = 0; p < chain.dimension; ++p) {
        samples.clear();
        for (int s = check.burnIn; s < chain.steps(); ++s)
            for (int k = 0; k < chain.walkers; ++k)
                samples.push_back(chain.at(s, k, p));
        Summary summary;
        summary.name = model.parameters()[std::size_t(p)].name;
        summary.unit = model.parameters()[std::size_t(p)].unit;
        result.plotColumns.push_back({summary.name, summary.unit, thinnedForPlots(samples)});
        summary.posterior = intervalOf(samples);
        summary.fitValue = model.bestFit()[std::size_t(p)];
        summary.autocorrelationTime = check.times[std::size_t(p)];
        summary.rHat = check.rHats[std::size_t(p)];
        result.sampled.push_back(std::move(summary));
    }
    result.derived = derivedSummaries(model, chain, check.burnIn, fit, result.starMassUncertaintySolar, result.seed,
                                      &result.plotColumns);
    result.disagreement = disagreement(result.derived);
}

} // namespace

std::string priorsText()
{
    return "Uniform priors: in ln P within a factor 2 of the fit's period; in ln K from 0.01 m/s to twice the "
           "velocity range; in sqrt(e) cos w and sqrt(e) sin w with e < 1 (uniform in e and w); in Tc within half "
           "a period of the fit's; in each offset within the velocity range widened by that range on both sides; "
           "in the trend within ten times range/span; in each jitter from 0 to the velocity range.";
}

Result samplePosterior(const Observations::DataSet &data, const Fitting::Result &fit,
                       const Fitting::Options &fitOptions, const SamplerOptions &options, const Progress &progress,
                       const std::atomic<bool> *cancel)
{
    Result result;
    result.priors = priorsText();
    result.seed = options.seed;
    result.starMassUncertaintySolar = options.starMassUncertaintySolar;
    auto model = PosteriorModel::build(data, fit, fitOptions);
    if (!model) {
        result.message = model.reason();
        return result;
    }
    const int d = model->dimension();
    result.parameters = model->parameters();
    if (const std::string refusal = optionsRefusal(options, d); !refusal.empty()) {
        result.message = refusal;
        return result;
    }
    const int walkers = options.walkers != 0 ? options.walkers : std::max(32, 2 * ((3 * d + 1) / 2));
    const int threads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));

    WorkerPool pool(threads);
    EnsembleSampler sampler(*model, walkers, options.seed, pool);
    sampler.start(startingPoints(*model, walkers, options.seed));
    Check previous;
    Check current;
    int nextCheck = firstCheck;
    ProgressReport report{0, options.maxSteps, 0, 0};
    bool converged = false;
    while (!converged && sampler.chain().steps() < options.maxSteps) {
        if (cancel && cancel->load()) {
            result.status = Status::Cancelled;
            result.message = "Sampling was cancelled after " + std::to_string(sampler.chain().steps()) + " steps.";
            return result;
        }
        const int steps = sampler.chain().steps();
        sampler.advance(std::min({progressEvery, nextCheck - steps, options.maxSteps - steps}));
        report.steps = sampler.chain().steps();
        if (report.steps >= nextCheck || report.steps >= options.maxSteps) {
            const int burnIn = previous.times.empty()
                ? report.steps / 2
                : std::min(int(std::ceil(burnInTimes * previous.maxTime)), report.steps / 2);
            current = checkChain(sampler.chain(), burnIn, pool);
            converged = passes(current, previous, report.steps);
            previous = current;
            report.autocorrelationTime = current.maxTime;
            report.rHat = current.maxRHat;
            nextCheck = report.steps + checkEvery;
        }
        if (progress)
            progress(report);
    }
    result.acceptanceFraction = sampler.acceptanceFraction();
    result.chain = sampler.takeChain();
    result.maxAutocorrelationTime = current.maxTime;
    result.maxRHat = current.maxRHat;
    if (!converged) {
        result.status = Status::NotConverged;
        result.burnIn = current.burnIn;
        result.message = "Not converged within the limit of " + std::to_string(options.maxSteps)
            + " steps (largest autocorrelation time " + std::to_string(int(std::ceil(current.maxTime)))
            + " steps, split-R̂ " + fixed(current.maxRHat, 3)
            + "): no posterior is reported. Raise the step limit or check the fit.";
        return result;
    }
    // The final burn-in follows the final τ, and the summaries are taken after it.
    const Check final = checkChain(result.chain, int(std::ceil(burnInTimes * current.maxTime)), pool);
    result.status = Status::Converged;
    result.burnIn = final.burnIn;
    result.maxAutocorrelationTime = final.maxTime;
    result.maxRHat = final.maxRHat;
    result.independentSamples = double(walkers) * (result.chain.steps() - final.burnIn) / final.maxTime;
    summarise(result, *model, final, fit);
    result.message = "Converged after " + std::to_string(result.chain.steps()) + " steps of " + std::to_string(walkers)
        + " walkers: every chain is longer than 50 autocorrelation times (largest "
        + std::to_string(int(std::ceil(final.maxTime))) + " steps), the times settled and split-R̂ < 1.01; "
        + std::to_string(int(result.independentSamples)) + " independent samples.";
    return result;
}

} // namespace Sampling
