#pragma once

#include "fitting/levenbergmarquardt.h"
#include "fitting/rvfit.h"

#include <atomic>
#include <functional>

/// What the fit says about its own precision: the covariance of the internal
/// parameters, its propagation to the elements a user reads, and a bootstrap.
namespace Fitting {

/// The elements a user reads from one planet's internal parameters; T_c is
/// moved to the conjunction nearest the reference time, ω into [0, 2π).
PlanetElements elementsOf(const PlanetParameters &planet, double referenceTime, double starMassSolar);

/// a − b element by element, ω on the circle and the times modulo a's period.
PlanetElements difference(const PlanetElements &a, const PlanetElements &b);

/// The pseudo-inverse of a Fisher matrix, scaled so that parameters of very
/// different sizes do not decide the cut-off; held parameters get zero rows
/// and columns.
Eigen::MatrixXd covarianceOf(Eigen::MatrixXd fisher, const FreeParameters &free);

/// 1σ of each element of the planet whose parameters start at `first` in x,
/// by linear propagation Σ_ext = G Σ_int Gᵀ, G by central differences. A
/// circular planet's e and ω are held, not measured: their σ is 0.
PlanetElements propagatedUncertainty(const Eigen::VectorXd &x, int first, const Eigen::MatrixXd &covariance,
                                     double referenceTime, double starMassSolar, OrbitShape shape);

/// The spread of each planet's elements over refits of resampled residuals.
struct BootstrapSpread
{
    std::vector<PlanetElements> spread; ///< per planet, standard deviations
    int runs = 0;                       ///< refits that entered the spread
};

struct BootstrapPlan
{
    int runs = 0;
    unsigned seed = 1;
    double starMassSolar = 1;
};

/// Refits residuals drawn with replacement (normalised by their σ_i² + s_k²)
/// from the optimum x; progress gets the fraction of runs done.
MinimiserOutcome bootstrap(const Measurements &data, const ParameterLayout &layout, const Eigen::VectorXd &x,
                           const FreeParameters &free, const BootstrapPlan &plan,
                           const std::function<void(double)> &progress, const std::atomic<bool> *cancel,
                           BootstrapSpread &result);

} // namespace Fitting
