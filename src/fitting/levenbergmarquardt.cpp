#include "fitting/levenbergmarquardt.h"

#include <algorithm>
#include <cmath>

namespace Fitting {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

/// A jitter's variance below zero is no variance: the trial sits on the boundary instead.
void projectOntoNonNegativeJitters(const ParameterLayout &layout, VectorXd &trial)
{
    if (layout.jitter)
        for (int k = 0; k < layout.instruments; ++k)
            trial(layout.jitterSquared(k)) = std::max(trial(layout.jitterSquared(k)), 0.0);
}

std::vector<int> indicesOf(const FreeParameters &free)
{
    std::vector<int> index;
    for (std::size_t p = 0; p < free.size(); ++p)
        if (free[p])
            index.push_back(int(p));
    return index;
}

} // namespace

bool cancelled(const std::atomic<bool> *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

bool decreaseNegligible(double decrease, const MinimiserSettings &settings)
{
    return decrease < settings.costTolerance;
}

bool dampingExhausted(double damping, const MinimiserSettings &settings)
{
    return damping > settings.largestDamping;
}

bool iterationsExhausted(int iterations, const MinimiserSettings &settings)
{
    return iterations >= settings.maxIterations;
}

MinimiserOutcome minimise(RvModel &model, VectorXd &x, const FreeParameters &free, const std::atomic<bool> *cancel,
                          const MinimiserSettings &settings)
{
    double cost = model.negativeLogLikelihood(x);
    if (!std::isfinite(cost))
        return MinimiserOutcome::Stalled;
    const std::vector<int> index = indicesOf(free);
    const auto m = Eigen::Index(index.size());
    double damping = settings.initialDamping;
    VectorXd fullGradient, gradient(m), trial;
    MatrixXd fullFisher, fisher(m, m);
    for (int iteration = 0; !iterationsExhausted(iteration, settings); ++iteration) {
        if (cancelled(cancel))
            return MinimiserOutcome::Cancelled;
        model.linearise(x, fullGradient, fullFisher);
        for (Eigen::Index a = 0; a < m; ++a) {
            gradient(a) = fullGradient(index[std::size_t(a)]);
            for (Eigen::Index b = 0; b < m; ++b)
                fisher(a, b) = fullFisher(index[std::size_t(a)], index[std::size_t(b)]);
        }
        for (;;) {
            MatrixXd damped = fisher;
            for (Eigen::Index a = 0; a < m; ++a)
                damped(a, a) += damping * std::max(fisher(a, a), settings.diagonalFloor);
            const VectorXd step = damped.ldlt().solve(-gradient);
            trial = x;
            for (Eigen::Index a = 0; a < m; ++a)
                trial(index[std::size_t(a)]) += step(a);
            projectOntoNonNegativeJitters(model.layout(), trial);
            const double trialCost = model.negativeLogLikelihood(trial);
            if (trialCost < cost) {
                const double decrease = cost - trialCost;
                x = trial;
                cost = trialCost;
                damping = std::max(damping / settings.dampingDecrease, settings.smallestDamping);
                if (decreaseNegligible(decrease, settings))
                    return MinimiserOutcome::Converged;
                break;
            }
            damping *= settings.dampingIncrease;
            if (dampingExhausted(damping, settings))
                return MinimiserOutcome::Converged;
        }
    }
    return MinimiserOutcome::Stalled;
}

} // namespace Fitting
