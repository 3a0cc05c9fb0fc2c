#include "fitting/uncertainties.h"

#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"

#include <cmath>
#include <numbers>
#include <random>

namespace Fitting {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double twoPi = 2 * std::numbers::pi;

/// The elements as a vector for the propagation's matrices, and back.
using ElementVector = Eigen::Matrix<double, 8, 1>;

ElementVector vectorOf(const PlanetElements &p)
{
    ElementVector v;
    v << p.periodDays, p.semiAmplitude, p.eccentricity, p.omegaRadians, p.periastronTime, p.conjunctionTime,
        p.minimumMassJupiter, p.minimumMassEarth;
    return v;
}

PlanetElements elementsFrom(const ElementVector &v)
{
    return {v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7)};
}

} // namespace

PlanetElements elementsOf(const PlanetParameters &planet, double referenceTime, double starMassSolar)
{
    const Kepler::Orbit o = planet.orbit();
    const double conjunction =
        planet.conjunctionTime + o.periodDays * std::round((referenceTime - planet.conjunctionTime) / o.periodDays);
    const double mass = Kepler::minimumMass(o.periodDays, o.semiAmplitude, o.eccentricity, starMassSolar);
    double omega = std::fmod(o.omegaRadians, twoPi);
    if (omega < 0)
        omega += twoPi;
    PlanetElements elements;
    elements.periodDays = o.periodDays;
    elements.semiAmplitude = o.semiAmplitude;
    elements.eccentricity = o.eccentricity;
    elements.omegaRadians = omega;
    elements.periastronTime =
        Kepler::periastronFromConjunction(conjunction, o.periodDays, o.eccentricity, o.omegaRadians);
    elements.conjunctionTime = conjunction;
    elements.minimumMassJupiter = mass * Kepler::jupiterMassesPerSolarMass;
    elements.minimumMassEarth = mass * Kepler::earthMassesPerSolarMass;
    return elements;
}

PlanetElements difference(const PlanetElements &a, const PlanetElements &b)
{
    PlanetElements d = elementsFrom(vectorOf(a) - vectorOf(b));
    d.omegaRadians = std::remainder(d.omegaRadians, twoPi);
    d.periastronTime = std::remainder(d.periastronTime, a.periodDays);
    d.conjunctionTime = std::remainder(d.conjunctionTime, a.periodDays);
    return d;
}

MatrixXd covarianceOf(MatrixXd fisher, const FreeParameters &free)
{
    const Eigen::Index m = fisher.rows();
    for (Eigen::Index a = 0; a < m; ++a)
        if (!free[std::size_t(a)]) {
            fisher.row(a).setZero();
            fisher.col(a).setZero();
        }
    VectorXd scale(m);
    for (Eigen::Index a = 0; a < m; ++a)
        scale(a) = fisher(a, a) > 0 ? 1 / std::sqrt(fisher(a, a)) : 1.0;
    const MatrixXd scaled = scale.asDiagonal() * fisher * scale.asDiagonal();
    Eigen::SelfAdjointEigenSolver<MatrixXd> solver(scaled);
    VectorXd inverse = solver.eigenvalues();
    for (Eigen::Index a = 0; a < m; ++a)
        inverse(a) = inverse(a) > 1e-12 * solver.eigenvalues().maxCoeff() ? 1 / inverse(a) : 0.0;
    return scale.asDiagonal() * (solver.eigenvectors() * inverse.asDiagonal() * solver.eigenvectors().transpose())
        * scale.asDiagonal();
}

PlanetElements propagatedUncertainty(const VectorXd &x, int first, const MatrixXd &covariance, double referenceTime,
                                     double starMassSolar, OrbitShape shape)
{
    constexpr int count = PlanetParameters::count;
    Eigen::Matrix<double, 8, count> g;
    for (int q = 0; q < count; ++q) {
        // T_c moves by days, the others by dimensionless amounts.
        const double h = q == 4 ? 1e-6 * std::exp(x(first)) : 1e-6;
        VectorXd up = x.segment(first, count), down = up;
        up(q) += h;
        down(q) -= h;
        const PlanetElements d =
            difference(elementsOf(PlanetParameters::read(up.data()), referenceTime, starMassSolar),
                       elementsOf(PlanetParameters::read(down.data()), referenceTime, starMassSolar));
        g.col(q) = vectorOf(d) / (2 * h);
    }
    const Eigen::Matrix<double, 8, 8> external = g * covariance.block(first, first, count, count) * g.transpose();
    PlanetElements sigma = elementsFrom(external.diagonal().cwiseMax(0.0).cwiseSqrt());
    if (shape == OrbitShape::Circular)
        sigma.eccentricity = sigma.omegaRadians = 0; // ω = 0 by convention
    return sigma;
}

MinimiserOutcome bootstrap(const Measurements &data, const ParameterLayout &layout, const VectorXd &x,
                           const FreeParameters &free, const BootstrapPlan &plan,
                           const std::function<void(double)> &progress, const std::atomic<bool> *cancel,
                           BootstrapSpread &result)
{
    RvModel model(data, layout);
    model.negativeLogLikelihood(x);
    const std::vector<double> best = model.mean(), variance = model.variance();
    std::vector<double> normalised(data.size());
    for (std::size_t i = 0; i < normalised.size(); ++i)
        normalised[i] = (data.velocity[i] - best[i]) / std::sqrt(variance[i]);
    std::mt19937_64 random(plan.seed);
    std::uniform_int_distribution<std::size_t> pick(0, normalised.size() - 1);
    const auto planets = std::size_t(layout.planets);
    const auto elementsAt = [&](const VectorXd &at, std::size_t j) {
        return elementsOf(PlanetParameters::read(at.data() + layout.planet(int(j))), data.referenceTime,
                          plan.starMassSolar);
    };
    std::vector<PlanetElements> reference(planets);
    std::vector<ElementVector> sum(planets, ElementVector::Zero()), sumSquares(planets, ElementVector::Zero());
    for (std::size_t j = 0; j < planets; ++j)
        reference[j] = elementsAt(x, j);
    Measurements resampled = data;
    int used = 0;
    for (int run = 0; run < plan.runs; ++run) {
        if (cancelled(cancel))
            return MinimiserOutcome::Cancelled;
        for (std::size_t i = 0; i < resampled.size(); ++i)
            resampled.velocity[i] = best[i] + normalised[pick(random)] * std::sqrt(variance[i]);
        RvModel refit(resampled, layout);
        VectorXd fitted = x;
        if (minimise(refit, fitted, free, cancel) == MinimiserOutcome::Cancelled)
            return MinimiserOutcome::Cancelled;
        for (std::size_t j = 0; j < planets; ++j) {
            const ElementVector d = vectorOf(difference(elementsAt(fitted, j), reference[j]));
            sum[j] += d;
            sumSquares[j] += d.cwiseProduct(d);
        }
        ++used;
        if (progress)
            progress(double(run + 1) / plan.runs);
    }
    result.spread.resize(planets);
    for (std::size_t j = 0; j < planets; ++j) {
        const ElementVector mean = sum[j] / used;
        const ElementVector variances =
            (sumSquares[j] / used - mean.cwiseProduct(mean)).cwiseMax(0.0) * (double(used) / std::max(used - 1, 1));
        result.spread[j] = elementsFrom(variances.cwiseSqrt());
    }
    result.runs = used;
    return MinimiserOutcome::Converged;
}

} // namespace Fitting
