#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"
#include "sampling/chain.h"
#include "sampling/posteriormodel.h"
#include "sampling/posteriorsummary.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Sampling {

/// How a sampling run ends.
enum class Status {
    Converged,    ///< every convergence test passed; the summaries are the posterior
    NotConverged, ///< the step limit came first; no summary is given, only the chain
    Cancelled,    ///< the cancel flag was raised
    Refused       ///< bad input or options; see Result::message
};

struct SamplerOptions
{
    int walkers = 0;                     ///< even, ≥ 2 × parameters; 0: three per parameter, at least 32
    int maxSteps = 20000;                ///< the step limit, ≥ 100
    std::uint64_t seed = 1;              ///< the whole run, and so its result, follows from it
    int threads = 0;                     ///< 0: every core
    double starMassUncertaintySolar = 0; ///< σ of M★ for m sin i and a, solar masses, ≥ 0
};

/// What the progress report tells while the walkers move.
struct ProgressReport
{
    int steps = 0;
    int maxSteps = 0;
    double autocorrelationTime = 0; ///< the largest τ of the last check, steps; 0 before the first
    double rHat = 0;                ///< the largest split-R̂ of the last check; 0 before the first
};

/// Called on the sampling thread after each check and every few steps.
using Progress = std::function<void(const ProgressReport &)>;

/// The convergence tests: after the burn-in of twice the largest τ, every
/// parameter's chain is longer than 50 τ, τ changed by less than 1 % since
/// the previous check, and split-R̂ < 1.01.
inline constexpr double lengthInTimes = 50;
inline constexpr double settledChange = 0.01;
inline constexpr double rHatLimit = 1.01;
inline constexpr double burnInTimes = 2;

struct Result
{
    Status status = Status::Refused;
    std::string message; ///< one or two sentences for the user, always set
    std::string priors;  ///< the priors in words
    std::vector<Parameter> parameters;
    std::vector<Summary> sampled; ///< per parameter, converged runs only
    std::vector<Summary> derived; ///< P, K, e, ω, T_p, m sin i and a per planet, converged runs only
    std::string disagreement;     ///< empty when the posterior and the covariance agree
    /// The kept samples of every parameter and derived quantity, thinned for
    /// plots (converged runs only).
    std::vector<SampleColumn> plotColumns;
    Chain chain;    ///< every step, burn-in included
    int burnIn = 0; ///< steps discarded before the summaries
    double maxAutocorrelationTime = 0;
    double maxRHat = 0;
    double independentSamples = 0; ///< walkers × kept steps / largest τ
    double acceptanceFraction = 0;
    std::uint64_t seed = 1;
    double starMassUncertaintySolar = 0;

    bool converged() const { return status == Status::Converged; }
    bool disagrees() const { return !disagreement.empty(); }
};

/// The priors of this model in words, as the outputs print them.
std::string priorsText();

/// Samples the posterior of `fit` (a successful Fitting::fit of `data` with
/// `fitOptions`) until it converges, the step limit is reached or *cancel is
/// raised, and summarises it.
Result samplePosterior(const Observations::DataSet &data, const Fitting::Result &fit,
                       const Fitting::Options &fitOptions, const SamplerOptions &options, const Progress &progress = {},
                       const std::atomic<bool> *cancel = nullptr);

} // namespace Sampling
