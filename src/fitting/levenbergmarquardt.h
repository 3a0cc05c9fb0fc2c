#pragma once

#include "fitting/rvmodel.h"

#include <atomic>
#include <vector>

/// Levenberg–Marquardt on −ln L of an RvModel: each step solves
/// (F + λ diag F) δ = −∇ over the free parameters, F the Fisher matrix; a
/// step that lowers −ln L is taken and λ shrinks, one that does not is
/// retried with a larger λ.
namespace Fitting {

/// Every tuning number of the minimiser.
struct MinimiserSettings
{
    int maxIterations = 150;       ///< accepted steps before the fit reports Stalled
    double initialDamping = 1e-3;  ///< λ at the start
    double dampingDecrease = 3;    ///< λ is divided by this after a step that lowers −ln L
    double dampingIncrease = 5;    ///< λ is multiplied by this after a step that does not
    double smallestDamping = 1e-9; ///< λ never falls below this
    double largestDamping = 1e10;  ///< past this no step can lower −ln L: the optimum is reached
    double costTolerance = 1e-9;   ///< a decrease of −ln L below this ends the fit
    double diagonalFloor = 1e-12;  ///< the damping's smallest diagonal entry, for parameters the data barely move
};

enum class MinimiserOutcome { Converged, Stalled, Cancelled };

/// Which parameters a minimisation moves; the rest are held.
using FreeParameters = std::vector<bool>;

/// The stopping tests, each named for what it says about the optimum.
bool decreaseNegligible(double decrease, const MinimiserSettings &settings);
bool dampingExhausted(double damping, const MinimiserSettings &settings);
bool iterationsExhausted(int iterations, const MinimiserSettings &settings);

/// Moves x to a minimum of the model's −ln L over the free parameters. A trial
/// step is projected onto s_k² ≥ 0 first, so a negative jitter variance never
/// reaches the likelihood. A raised *cancel ends it between steps.
MinimiserOutcome minimise(RvModel &model, Eigen::VectorXd &x, const FreeParameters &free,
                          const std::atomic<bool> *cancel, const MinimiserSettings &settings = {});

bool cancelled(const std::atomic<bool> *cancel);

} // namespace Fitting
