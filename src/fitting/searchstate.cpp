#include "fitting/searchstate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace Fitting::Search {

using Eigen::VectorXd;

namespace {

/// Iterations of the quick fit of a new planet alone, before all are refined together.
constexpr int newPlanetIterations = 40;

std::vector<Kepler::Orbit> startsAround(const Kepler::Orbit &start, StartShapes shapes, OrbitShape shape)
{
    std::vector<Kepler::Orbit> starts{start};
    if (shapes == StartShapes::AsGiven || shape == OrbitShape::Circular)
        return starts;
    const double conjunction = Kepler::conjunctionFromPeriastron(start.periastronTime, start.periodDays,
                                                                 start.eccentricity, start.omegaRadians);
    for (double e : {0.05, 0.3, 0.6})
        for (int quarter = 0; quarter < (e < 0.1 ? 1 : 4); ++quarter) {
            Kepler::Orbit o = start;
            o.eccentricity = e;
            o.omegaRadians = quarter * std::numbers::pi / 2;
            o.periastronTime = Kepler::periastronFromConjunction(conjunction, o.periodDays, e, o.omegaRadians);
            starts.push_back(o);
        }
    return starts;
}

} // namespace

double State::cost() const
{
    return RvModel(data, layout).negativeLogLikelihood(x);
}

int State::circularPlanets() const
{
    return int(std::count(shapes.begin(), shapes.end(), OrbitShape::Circular));
}

int State::freeCount() const
{
    return layout.freeCount(circularPlanets());
}

double State::period(int j) const
{
    return std::exp(x(layout.planet(j)));
}

FreeParameters freeParameters(const ParameterLayout &layout, const std::vector<OrbitShape> &shapes)
{
    FreeParameters free(std::size_t(layout.size()), true);
    for (int j = 0; j < layout.planets; ++j)
        if (shapes[std::size_t(j)] == OrbitShape::Circular)
            free[std::size_t(layout.planet(j) + 2)] = free[std::size_t(layout.planet(j) + 3)] = false;
    return free;
}

double bicOf(int parameters, int points, double cost)
{
    return parameters * std::log(double(points)) + 2 * cost;
}

double bicOf(const State &state)
{
    return bicOf(state.freeCount(), int(state.data.size()), state.cost());
}

Observations::DataSet residualSet(const State &state, Weights weights)
{
    RvModel model(state.data, state.layout);
    model.negativeLogLikelihood(state.x);
    Observations::DataSet residuals = state.original;
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i) {
        residuals.measurements[i].velocity = state.data.velocity[i] - model.mean()[i];
        residuals.measurements[i].uncertainty =
            std::sqrt(weights == Weights::WithJitter ? model.variance()[i] : state.data.variance[i]);
    }
    return residuals;
}

MinimiserOutcome fitBaseline(State &state, const std::atomic<bool> *cancel)
{
    state.layout = {0, state.data.instruments, state.options.fitTrend, state.options.fitJitter,
                    !state.options.decorrelateAgainst.empty()};
    state.x = VectorXd::Zero(state.layout.size());
    for (int k = 0; k < state.data.instruments; ++k) {
        double sw = 0, swy = 0;
        for (std::size_t i = 0; i < state.data.size(); ++i)
            if (state.data.instrument[i] == k) {
                sw += 1 / state.data.variance[i];
                swy += state.data.velocity[i] / state.data.variance[i];
            }
        state.x(state.layout.offset(k)) = sw > 0 ? swy / sw : 0.0;
    }
    RvModel model(state.data, state.layout);
    return minimise(model, state.x, freeParameters(state.layout, state.shapes), cancel);
}

Kepler::Orbit circularStart(const Observations::DataSet &residuals, double frequency, double referenceTime)
{
    Eigen::Matrix3d normal = Eigen::Matrix3d::Zero();
    Eigen::Vector3d right = Eigen::Vector3d::Zero();
    for (const auto &m : residuals.measurements) {
        const double w = 1 / (m.uncertainty * m.uncertainty);
        const double phase = 2 * std::numbers::pi * frequency * (m.time - referenceTime);
        const Eigen::Vector3d row(1, std::cos(phase), std::sin(phase));
        normal += w * row * row.transpose();
        right += w * m.velocity * row;
    }
    const Eigen::Vector3d ab = normal.ldlt().solve(right);
    // K cos(2πf(t − t_ref) − φ) = −K sin(2πf(t − T_c)) with T_c = t_ref + (φ + π/2) / (2πf).
    Kepler::Orbit orbit;
    orbit.periodDays = 1 / frequency;
    orbit.semiAmplitude = std::max(std::hypot(ab(1), ab(2)), 1e-3);
    const double conjunction =
        referenceTime + (std::atan2(ab(2), ab(1)) + std::numbers::pi / 2) / (2 * std::numbers::pi * frequency);
    orbit.periastronTime = Kepler::periastronFromConjunction(conjunction, orbit.periodDays, 0.0, 0.0);
    return orbit;
}

MinimiserOutcome addPlanet(State &state, const Kepler::Orbit &start, StartShapes shapes, OrbitShape shape,
                           const std::atomic<bool> *cancel)
{
    ParameterLayout to = state.layout;
    to.planets += 1;
    VectorXd base = VectorXd::Zero(to.size());
    base.head(state.layout.planet(state.layout.planets)) = state.x.head(state.layout.planet(state.layout.planets));
    base.tail(state.layout.size() - state.layout.offset(0)) =
        state.x.tail(state.layout.size() - state.layout.offset(0));
    const int first = to.planet(to.planets - 1);
    FreeParameters newOnly(std::size_t(to.size()), false);
    for (int q = 0; q < PlanetParameters::count; ++q)
        newOnly[std::size_t(first + q)] = shape == OrbitShape::Free || q < 2 || q == 4;
    for (int k = 0; k < to.instruments; ++k)
        newOnly[std::size_t(to.offset(k))] = true;
    if (to.trend)
        newOnly[std::size_t(to.trendIndex())] = true;
    RvModel model(state.data, to);
    VectorXd best;
    double bestCost = std::numeric_limits<double>::infinity();
    MinimiserSettings quick;
    quick.maxIterations = newPlanetIterations;
    for (Kepler::Orbit orbit : startsAround(start, shapes, shape)) {
        VectorXd x = base;
        // √e cos ω and √e sin ω have no slope at e = 0.
        orbit.eccentricity = shape == OrbitShape::Circular ? 0.0 : std::max(orbit.eccentricity, 0.01);
        PlanetParameters::of(orbit).write(x.data() + first);
        if (minimise(model, x, newOnly, cancel, quick) == MinimiserOutcome::Cancelled)
            return MinimiserOutcome::Cancelled;
        if (const double cost = model.negativeLogLikelihood(x); cost < bestCost) {
            bestCost = cost;
            best = x;
        }
    }
    if (!std::isfinite(bestCost))
        return MinimiserOutcome::Stalled;
    state.layout = to;
    state.x = best;
    state.shapes.push_back(shape);
    return minimise(model, state.x, freeParameters(state.layout, state.shapes), cancel);
}

double timeSpan(const Measurements &data)
{
    const auto [first, last] = std::minmax_element(data.time.begin(), data.time.end());
    return *last - *first;
}

std::string periodText(double days)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.6g d", days);
    return text;
}

} // namespace Fitting::Search
