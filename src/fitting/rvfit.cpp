#include "fitting/rvfit.h"

#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace Fitting {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double twoPi = 2 * std::numbers::pi;

/// Above this eccentricity a step is refused: the Keplerian's derivatives
/// grow without bound towards e = 1 and no planet found by radial velocities
/// alone is that eccentric.
constexpr double maxEccentricity = 0.95;
constexpr int maxIterations = 150;

/// The measurements as the likelihood needs them.
struct Data
{
    std::vector<double> time, velocity, variance;
    std::vector<int> instrument;
    int instruments = 0;
    double referenceTime = 0;
    std::size_t size() const { return time.size(); }
};

/// Where each parameter sits in the parameter vector.
struct Layout
{
    int planets = 0;
    int instruments = 0;
    bool trend = false;
    bool jitter = false;

    static constexpr int perPlanet = 5; ///< ln P, ln K, √e cos ω, √e sin ω, T_c
    int planet(int j) const { return perPlanet * j; }
    int offset(int k) const { return perPlanet * planets + k; }
    int trendIndex() const { return perPlanet * planets + instruments; }
    int jitter2(int k) const { return perPlanet * planets + instruments + (trend ? 1 : 0) + k; }
    int size() const { return perPlanet * planets + instruments + (trend ? 1 : 0) + (jitter ? instruments : 0); }
};

Kepler::Orbit orbitOf(const double *p)
{
    Kepler::Orbit orbit;
    orbit.periodDays = std::exp(p[0]);
    orbit.semiAmplitude = std::exp(p[1]);
    orbit.eccentricity = p[2] * p[2] + p[3] * p[3];
    orbit.omegaRadians = orbit.eccentricity > 0 ? std::atan2(p[3], p[2]) : 0.0;
    orbit.periastronTime = Kepler::periastronFromConjunction(p[4], orbit.periodDays, orbit.eccentricity,
                                                             orbit.omegaRadians);
    return orbit;
}

void setPlanet(double *p, const Kepler::Orbit &orbit)
{
    p[0] = std::log(orbit.periodDays);
    p[1] = std::log(std::max(orbit.semiAmplitude, 1e-6));
    const double root = std::sqrt(orbit.eccentricity);
    p[2] = root * std::cos(orbit.omegaRadians);
    p[3] = root * std::sin(orbit.omegaRadians);
    p[4] = Kepler::conjunctionFromPeriastron(orbit.periastronTime, orbit.periodDays, orbit.eccentricity,
                                             orbit.omegaRadians);
}

bool plausible(const VectorXd &x, const Layout &layout)
{
    if (!x.allFinite())
        return false;
    for (int j = 0; j < layout.planets; ++j) {
        const double *p = x.data() + layout.planet(j);
        if (p[2] * p[2] + p[3] * p[3] > maxEccentricity || std::abs(p[0]) > 20 || std::abs(p[1]) > 20)
            return false;
    }
    return true;
}

/// The model at one parameter vector.
struct Evaluation
{
    std::vector<std::vector<double>> planetVelocity; ///< per planet, per point
    std::vector<double> mean;                        ///< μ_i
    std::vector<double> variance;                    ///< σ_i² + s_k²
    double cost = std::numeric_limits<double>::infinity(); ///< −ln L
};

void planetVelocities(const Data &data, const double *p, std::vector<double> &out)
{
    const Kepler::Orbit orbit = orbitOf(p);
    out = Kepler::radialVelocities(std::span<const Kepler::Orbit>(&orbit, 1), data.time);
}

void finish(const Data &data, const Layout &layout, const VectorXd &x, Evaluation &e)
{
    e.mean.assign(data.size(), 0.0);
    e.variance.resize(data.size());
    std::vector<double> residual(data.size()), sigma(data.size()), jitter(data.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        double m = x(layout.offset(data.instrument[i]));
        if (layout.trend)
            m += x(layout.trendIndex()) * (data.time[i] - data.referenceTime);
        for (const auto &v : e.planetVelocity)
            m += v[i];
        e.mean[i] = m;
        const double s2 = layout.jitter ? std::max(x(layout.jitter2(data.instrument[i])), 0.0) : 0.0;
        e.variance[i] = data.variance[i] + s2;
        residual[i] = data.velocity[i] - m;
        sigma[i] = std::sqrt(data.variance[i]);
        jitter[i] = std::sqrt(s2);
    }
    e.cost = negativeLogLikelihood(residual, sigma, jitter);
}

Evaluation evaluate(const Data &data, const Layout &layout, const VectorXd &x)
{
    Evaluation e;
    if (!plausible(x, layout))
        return e;
    e.planetVelocity.resize(std::size_t(layout.planets));
    for (int j = 0; j < layout.planets; ++j)
        planetVelocities(data, x.data() + layout.planet(j), e.planetVelocity[std::size_t(j)]);
    finish(data, layout, x, e);
    return e;
}

/// ∂v/∂(ln P, √e cos ω, √e sin ω, T_c) of one planet at every point, into
/// the Jacobian's columns column + 0, 2, 3, 4. With M = 2π (t − T_c)/P + M_c(e, ω),
/// M_c the mean anomaly at conjunction (ν_c = π/2 − ω):
///   dν/dM|e = (1 + e cos ν)² / (1 − e²)^{3/2},  dν/de|M = sin ν (2 + e cos ν) / (1 − e²),
/// and for M_c the inverse relations at ν_c (dM/dν = 1 / (dν/dM), dM/de|ν = −(dν/de|M)(dM/dν)).
void planetDerivatives(const Data &data, const double *p, MatrixXd &jacobian, int column)
{
    const Kepler::Orbit o = orbitOf(p);
    const double period = o.periodDays, k = o.semiAmplitude, e = o.eccentricity, w = o.omegaRadians;
    const double conjunction = p[4];
    const double oneMinusE2 = 1 - e * e;
    const double root3 = oneMinusE2 * std::sqrt(oneMinusE2);
    const double nuC = std::numbers::pi / 2 - w;
    const double qC = 1 + e * std::cos(nuC);
    const double meanCPerOmega = -root3 / (qC * qC);
    const double meanCPerE = -std::sin(nuC) * (2 + e * std::cos(nuC)) * std::sqrt(oneMinusE2) / (qC * qC);
    const Kepler::KeplerEquation equation(e);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double t = data.time[i];
        const double mean = twoPi * (t - o.periastronTime) / period;
        const double nu = Kepler::trueAnomaly(equation.eccentricAnomaly(mean), e);
        const double q = 1 + e * std::cos(nu);
        const double nuPerMean = q * q / root3;
        const double nuPerE = std::sin(nu) * (2 + e * std::cos(nu)) / oneMinusE2;
        const double vPerNu = -k * std::sin(nu + w);
        const auto row = Eigen::Index(i);
        jacobian(row, column) = vPerNu * nuPerMean * (-twoPi * (t - conjunction) / period);
        jacobian(row, column + 4) = vPerNu * nuPerMean * (-twoPi / period);
        if (e > 1e-14) {
            const double vPerE = vPerNu * (nuPerMean * meanCPerE + nuPerE) + k * std::cos(w);
            const double vPerOmega = vPerNu * nuPerMean * meanCPerOmega - k * std::sin(nu + w) - k * e * std::sin(w);
            jacobian(row, column + 2) = vPerE * 2 * p[2] - vPerOmega * p[3] / e;
            jacobian(row, column + 3) = vPerE * 2 * p[3] + vPerOmega * p[2] / e;
        }
    }
}

/// The gradient of −ln L and its Fisher matrix over all parameters.
void linearise(const Data &data, const Layout &layout, const VectorXd &x, const Evaluation &e, VectorXd &gradient,
               MatrixXd &fisher)
{
    const int m = layout.size();
    const std::size_t n = data.size();
    MatrixXd jacobian = MatrixXd::Zero(Eigen::Index(n), m); // ∂μ/∂θ
    for (int j = 0; j < layout.planets; ++j) {
        const int base = layout.planet(j);
        const auto &v = e.planetVelocity[std::size_t(j)];
        for (std::size_t i = 0; i < n; ++i)
            jacobian(Eigen::Index(i), base + 1) = v[i];
        planetDerivatives(data, x.data() + base, jacobian, base);
    }
    for (std::size_t i = 0; i < n; ++i) {
        jacobian(Eigen::Index(i), layout.offset(data.instrument[i])) = 1;
        if (layout.trend)
            jacobian(Eigen::Index(i), layout.trendIndex()) = data.time[i] - data.referenceTime;
    }
    gradient = VectorXd::Zero(m);
    const auto rows = Eigen::Index(n);
    VectorXd weight(rows), weightedResidual(rows);
    for (std::size_t i = 0; i < n; ++i) {
        weight(Eigen::Index(i)) = 1 / e.variance[i];
        weightedResidual(Eigen::Index(i)) = (data.velocity[i] - e.mean[i]) / e.variance[i];
    }
    gradient = -jacobian.transpose() * weightedResidual;
    fisher = jacobian.transpose() * weight.asDiagonal() * jacobian;
    if (layout.jitter)
        for (std::size_t i = 0; i < n; ++i) {
            const int q = layout.jitter2(data.instrument[i]);
            const double r = data.velocity[i] - e.mean[i];
            const double v = e.variance[i];
            gradient(q) += 0.5 * (1 / v - r * r / (v * v));
            fisher(q, q) += 0.5 / (v * v);
        }
}

enum class Outcome { Converged, Stalled, Cancelled };

bool cancelled(const std::atomic<bool> *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

/// Levenberg–Marquardt over the parameters whose mask entry is true.
Outcome minimise(const Data &data, const Layout &layout, VectorXd &x, const std::vector<bool> &free,
                 const std::atomic<bool> *cancel, int iterations = maxIterations)
{
    Evaluation current = evaluate(data, layout, x);
    if (!std::isfinite(current.cost))
        return Outcome::Stalled;
    std::vector<int> index;
    for (int p = 0; p < layout.size(); ++p)
        if (free[std::size_t(p)])
            index.push_back(p);
    const int m = int(index.size());
    double lambda = 1e-3;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        if (cancelled(cancel))
            return Outcome::Cancelled;
        VectorXd fullGradient;
        MatrixXd fullFisher;
        linearise(data, layout, x, current, fullGradient, fullFisher);
        VectorXd gradient(m);
        MatrixXd fisher(m, m);
        for (int a = 0; a < m; ++a) {
            gradient(a) = fullGradient(index[std::size_t(a)]);
            for (int b = 0; b < m; ++b)
                fisher(a, b) = fullFisher(index[std::size_t(a)], index[std::size_t(b)]);
        }
        bool improved = false;
        while (!improved) {
            MatrixXd damped = fisher;
            for (int a = 0; a < m; ++a)
                damped(a, a) += lambda * std::max(fisher(a, a), 1e-12);
            const VectorXd step = damped.ldlt().solve(-gradient);
            VectorXd trial = x;
            for (int a = 0; a < m; ++a)
                trial(index[std::size_t(a)]) += step(a);
            if (layout.jitter)
                for (int k = 0; k < layout.instruments; ++k)
                    trial(layout.jitter2(k)) = std::max(trial(layout.jitter2(k)), 0.0);
            Evaluation next = evaluate(data, layout, trial);
            if (next.cost < current.cost) {
                const double decrease = current.cost - next.cost;
                x = trial;
                current = std::move(next);
                lambda = std::max(lambda / 3, 1e-9);
                improved = true;
                if (decrease < 1e-9)
                    return Outcome::Converged;
            } else {
                lambda *= 5;
                if (lambda > 1e10)
                    return Outcome::Converged;
            }
        }
    }
    return Outcome::Stalled;
}

Data prepare(const Observations::DataSet &set)
{
    Data data;
    data.instruments = int(set.instruments.size());
    double sum = 0;
    for (const auto &m : set.measurements) {
        data.time.push_back(m.time);
        data.velocity.push_back(m.velocity);
        data.variance.push_back(m.uncertainty * m.uncertainty);
        data.instrument.push_back(m.instrument);
        data.instruments = std::max(data.instruments, m.instrument + 1);
        sum += m.time;
    }
    data.referenceTime = data.size() ? sum / double(data.size()) : 0.0;
    return data;
}

/// A parameter vector for more planets, keeping what the old one holds.
VectorXd widen(const VectorXd &x, const Layout &from, const Layout &to)
{
    VectorXd wide = VectorXd::Zero(to.size());
    for (int j = 0; j < from.planets; ++j)
        wide.segment(to.planet(j), Layout::perPlanet) = x.segment(from.planet(j), Layout::perPlanet);
    for (int k = 0; k < from.instruments; ++k) {
        wide(to.offset(k)) = x(from.offset(k));
        if (from.jitter)
            wide(to.jitter2(k)) = x(from.jitter2(k));
    }
    if (from.trend)
        wide(to.trendIndex()) = x(from.trendIndex());
    return wide;
}

/// The search so far: parameters of the planets found, and the peaks.
struct State
{
    Data data;
    Observations::DataSet original;
    Options options;
    Layout layout;
    VectorXd x;
    Periodogram::FrequencyGrid grid;
    std::vector<Periodogram::Peak> peaks;
    std::vector<bool> circular; ///< per planet: e held at 0
    Outcome outcome = Outcome::Converged;
};

/// Data whose velocities are the residuals and whose uncertainties include the jitters.
Observations::DataSet residualSet(const State &state)
{
    const Evaluation e = evaluate(state.data, state.layout, state.x);
    Observations::DataSet residuals = state.original;
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i) {
        residuals.measurements[i].velocity = state.data.velocity[i] - e.mean[i];
        residuals.measurements[i].uncertainty = std::sqrt(e.variance[i]);
    }
    return residuals;
}

/// Every parameter but √e cos ω and √e sin ω of circular orbits.
std::vector<bool> freeParameters(const State &state)
{
    std::vector<bool> free(std::size_t(state.layout.size()), true);
    for (int j = 0; j < state.layout.planets; ++j)
        if (state.circular[std::size_t(j)])
            free[std::size_t(state.layout.planet(j) + 2)] = free[std::size_t(state.layout.planet(j) + 3)] = false;
    return free;
}

/// Below this period (days) a new planet's orbit is held circular: tides
/// circularise such orbits within far less than a star's age (51 Peg b,
/// 4.23 d, has e < 0.02), and a free eccentricity there lets an orbit of
/// about one day, seen at the same hour every night, mimic slow drifts.
constexpr double tidallyCircularDays = 3.0;

/// Fits a model without planets: offsets, and jitters and trend when asked.
Outcome fitBaseline(State &state, const std::atomic<bool> *cancel)
{
    state.layout = {0, state.data.instruments, state.options.fitTrend, state.options.fitJitter};
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
    return minimise(state.data, state.layout, state.x, freeParameters(state), cancel);
}

/// The sinusoid a + b cos 2πft + c sin 2πft of the residuals at frequency f,
/// read as a circular orbit.
Kepler::Orbit circularStart(const Observations::DataSet &residuals, double frequency, double referenceTime)
{
    Eigen::Matrix3d normal = Eigen::Matrix3d::Zero();
    Eigen::Vector3d right = Eigen::Vector3d::Zero();
    for (const auto &m : residuals.measurements) {
        const double w = 1 / (m.uncertainty * m.uncertainty);
        const double phase = twoPi * frequency * (m.time - referenceTime);
        const Eigen::Vector3d row(1, std::cos(phase), std::sin(phase));
        normal += w * row * row.transpose();
        right += w * m.velocity * row;
    }
    const Eigen::Vector3d ab = normal.ldlt().solve(right);
    // K cos(2πf(t − t_ref) − φ) = −K sin(2πf(t − T_c)) with T_c = t_ref + (φ + π/2) / (2πf).
    const double amplitude = std::hypot(ab(1), ab(2));
    const double phi = std::atan2(ab(2), ab(1));
    Kepler::Orbit orbit;
    orbit.periodDays = 1 / frequency;
    orbit.semiAmplitude = std::max(amplitude, 1e-3);
    orbit.eccentricity = 0;
    orbit.omegaRadians = 0;
    const double conjunction = referenceTime + (phi + std::numbers::pi / 2) / (twoPi * frequency);
    orbit.periastronTime = Kepler::periastronFromConjunction(conjunction, orbit.periodDays, 0.0, 0.0);
    return orbit;
}

/// Adds one planet starting near the given orbit: several eccentricities and
/// ω with the others held, the best refined with everything free; with
/// circular, its e stays 0.
Outcome addPlanet(State &state, const Kepler::Orbit &start, bool varyShape, bool circular,
                  const std::atomic<bool> *cancel)
{
    const Layout from = state.layout;
    Layout to = from;
    to.planets += 1;
    const VectorXd base = widen(state.x, from, to);
    const int j = to.planets - 1;
    const double conjunction = Kepler::conjunctionFromPeriastron(start.periastronTime, start.periodDays,
                                                                 start.eccentricity, start.omegaRadians);
    std::vector<Kepler::Orbit> starts{start};
    if (varyShape && !circular)
        for (double e : {0.05, 0.3, 0.6})
            for (int quarter = 0; quarter < (e < 0.1 ? 1 : 4); ++quarter) {
                Kepler::Orbit o = start;
                o.eccentricity = e;
                o.omegaRadians = quarter * std::numbers::pi / 2;
                o.periastronTime = Kepler::periastronFromConjunction(conjunction, o.periodDays, e, o.omegaRadians);
                starts.push_back(o);
            }
    // The new planet alone first (with offsets and trend), which is cheap.
    std::vector<bool> newOnly(std::size_t(to.size()), false);
    for (int q = 0; q < Layout::perPlanet; ++q)
        newOnly[std::size_t(to.planet(j) + q)] = !circular || q < 2 || q == 4;
    for (int k = 0; k < to.instruments; ++k)
        newOnly[std::size_t(to.offset(k))] = true;
    if (to.trend)
        newOnly[std::size_t(to.trendIndex())] = true;
    VectorXd best;
    double bestCost = std::numeric_limits<double>::infinity();
    for (const auto &orbit : starts) {
        VectorXd x = base;
        Kepler::Orbit o = orbit;
        // √e cos ω and √e sin ω have no slope at e = 0.
        o.eccentricity = circular ? 0.0 : std::max(o.eccentricity, 0.01);
        setPlanet(x.data() + to.planet(j), o);
        if (minimise(state.data, to, x, newOnly, cancel, 40) == Outcome::Cancelled)
            return Outcome::Cancelled;
        const double cost = evaluate(state.data, to, x).cost;
        if (cost < bestCost) {
            bestCost = cost;
            best = x;
        }
    }
    if (!std::isfinite(bestCost))
        return Outcome::Stalled;
    state.layout = to;
    state.x = best;
    state.circular.push_back(circular);
    return minimise(state.data, state.layout, state.x, freeParameters(state), cancel);
}

/// BIC = k ln n + 2 (−ln L).
double bicOf(int parameters, int points, double cost)
{
    return parameters * std::log(double(points)) + 2 * cost;
}

double bicOf(const State &state)
{
    return bicOf(state.layout.size(), int(state.data.size()), evaluate(state.data, state.layout, state.x).cost);
}

/// How many distinct residual peaks each periodogram offers as starts.
constexpr std::size_t candidatePeaks = 5;

/// The residuals with each measurement's own uncertainty σ_i alone.
Observations::DataSet withoutJitter(Observations::DataSet residuals, const State &state)
{
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i)
        residuals.measurements[i].uncertainty = std::sqrt(state.data.variance[i]);
    return residuals;
}

/// The residuals of the model before weighted as the candidate's model
/// weights them, σ_i² + s_k² with the candidate's jitters.
Observations::DataSet weightedAs(Observations::DataSet residuals, const State &candidate)
{
    const Evaluation e = evaluate(candidate.data, candidate.layout, candidate.x);
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i)
        residuals.measurements[i].uncertainty = std::sqrt(e.variance[i]);
    return residuals;
}

double timeSpan(const Data &data)
{
    const auto [first, last] = std::minmax_element(data.time.begin(), data.time.end());
    return *last - *first;
}

enum class Step { Added, Stopped, Cancelled };

/// One step of findPlanets. Starts: the highest distinct peaks of the
/// residual periodogram and, with jitters fitted, of the residuals weighted
/// by σ alone (a jitter fitted without a planet has absorbed its signal and
/// can hide its peak). Each start is fitted; the best likelihood wins, and
/// it is added only when it lowers the BIC and its peak, in the residuals
/// weighted by the winner's own jitters, has FAP ≤ the threshold.
Step addSignificantPlanet(State &state, const std::function<void(double)> &stepProgress,
                          const std::atomic<bool> *cancel)
{
    const Observations::DataSet residuals = residualSet(state);
    if (Periodogram::refusal(residuals, state.grid))
        return Step::Stopped;
    const double width = 1 / std::max(timeSpan(state.data), 1e-9);
    std::vector<Periodogram::Peak> candidates;
    std::vector<Observations::DataSet> weightings{residuals};
    if (state.layout.jitter)
        weightings.push_back(withoutJitter(residuals, state));
    for (const auto &set : weightings) {
        const auto spectrum = Periodogram::generalisedLombScargle(set, state.grid, cancel).value();
        if (cancelled(cancel))
            return Step::Cancelled;
        for (const auto &peak : Periodogram::highestPeaks(spectrum, set, candidatePeaks))
            if (std::none_of(candidates.begin(), candidates.end(),
                             [&](const auto &c) { return std::abs(c.frequency - peak.frequency) < width; }))
                candidates.push_back(peak);
    }
    std::optional<State> best;
    std::size_t bestIndex = 0;
    double bestCost = std::numeric_limits<double>::infinity();
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        State trial = state;
        const Kepler::Orbit start = circularStart(residuals, candidates[c].frequency, state.data.referenceTime);
        trial.outcome = addPlanet(trial, start, true,
                                  state.options.circular || start.periodDays < tidallyCircularDays, cancel);
        if (trial.outcome == Outcome::Cancelled)
            return Step::Cancelled;
        // A period beyond the grid's range is a trend or curvature the data
        // cannot tell from a planet, not a planet found.
        const double period = std::exp(trial.x(trial.layout.planet(trial.layout.planets - 1)));
        const bool inRange = period * state.grid.minFrequency <= 1 && period * state.grid.maxFrequency >= 1;
        const double cost = inRange ? evaluate(trial.data, trial.layout, trial.x).cost
                                    : std::numeric_limits<double>::infinity();
        if (cost < bestCost) {
            bestCost = cost;
            best = std::move(trial);
            bestIndex = c;
        }
        stepProgress(0.9 * double(c + 1) / double(candidates.size()));
    }
    if (!best || !(bicOf(*best) < bicOf(state)))
        return Step::Stopped;
    // The peak's power in the residuals weighted by the winner's noise model.
    const Observations::DataSet reweighted = weightedAs(residuals, *best);
    const auto spectrum = Periodogram::generalisedLombScargle(reweighted, state.grid, cancel).value();
    if (cancelled(cancel))
        return Step::Cancelled;
    Periodogram::Peak peak = candidates[bestIndex];
    peak.power = 0;
    for (std::size_t f = 0; f < spectrum.frequencies.size(); ++f)
        if (std::abs(spectrum.frequencies[f] - candidates[bestIndex].frequency) < width
            && spectrum.power[f] > peak.power) {
            peak.power = spectrum.power[f];
            peak.frequency = spectrum.frequencies[f];
        }
    peak.periodDays = 1 / peak.frequency;
    peak.falseAlarmProbability = Periodogram::falseAlarmProbability(peak.power, reweighted, state.grid.maxFrequency);
    if (peak.falseAlarmProbability > state.options.falseAlarmThreshold)
        return Step::Stopped;
    best->peaks.push_back(peak);
    state = std::move(*best);
    stepProgress(1);
    return Step::Added;
}

/// A symmetric positive semi-definite matrix's pseudo-inverse, scaled so that
/// parameters of very different sizes do not decide the cut-off.
/// Held parameters get zero rows and columns.
MatrixXd covarianceOf(MatrixXd fisher, const std::vector<bool> &free)
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

/// The elements a user reads, from the five internal parameters; T_c is
/// moved to the conjunction nearest the reference time.
std::array<double, 8> elementsOf(const double *p, double referenceTime, double starMass)
{
    const Kepler::Orbit o = orbitOf(p);
    const double conjunction = p[4] + o.periodDays * std::round((referenceTime - p[4]) / o.periodDays);
    const double periastron = Kepler::periastronFromConjunction(conjunction, o.periodDays, o.eccentricity,
                                                                o.omegaRadians);
    const double mass = Kepler::minimumMass(o.periodDays, o.semiAmplitude, o.eccentricity, starMass);
    double omega = std::fmod(o.omegaRadians, twoPi);
    if (omega < 0)
        omega += twoPi;
    return {o.periodDays, o.semiAmplitude, o.eccentricity, omega, periastron, conjunction,
            mass * Kepler::jupiterMassesPerSolarMass, mass * Kepler::earthMassesPerSolarMass};
}

PlanetElements toElements(const std::array<double, 8> &a)
{
    return {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]};
}

/// Differences of elements: ω on the circle, T_p modulo the period.
std::array<double, 8> difference(const std::array<double, 8> &a, const std::array<double, 8> &b)
{
    std::array<double, 8> d{};
    for (std::size_t q = 0; q < 8; ++q)
        d[q] = a[q] - b[q];
    d[3] = std::remainder(d[3], twoPi);
    d[4] = std::remainder(d[4], a[0]);
    d[5] = std::remainder(d[5], a[0]);
    return d;
}

Result makeResult(const State &state, const MatrixXd &covariance)
{
    const Layout &layout = state.layout;
    const Data &data = state.data;
    const VectorXd &x = state.x;
    Result result;
    result.status = state.outcome == Outcome::Converged ? Status::Converged : Status::Stalled;
    result.referenceTime = data.referenceTime;
    result.starMassSolar = state.options.starMassSolar;
    result.peaks = state.peaks;
    for (int j = 0; j < layout.planets; ++j) {
        const int base = layout.planet(j);
        const auto value = elementsOf(x.data() + base, data.referenceTime, state.options.starMassSolar);
        // Linear propagation: Σ_ext = G Σ_int Gᵀ with G by central differences.
        Eigen::Matrix<double, 8, 5> g;
        for (int q = 0; q < 5; ++q) {
            const double h = q == 4 ? 1e-6 * std::exp(x(base)) : 1e-6;
            VectorXd up = x, down = x;
            up(base + q) += h;
            down(base + q) -= h;
            const auto d = difference(elementsOf(up.data() + base, data.referenceTime, state.options.starMassSolar),
                                      elementsOf(down.data() + base, data.referenceTime, state.options.starMassSolar));
            for (int r = 0; r < 8; ++r)
                g(r, q) = d[std::size_t(r)] / (2 * h);
        }
        const Eigen::Matrix<double, 8, 8> external = g * covariance.block(base, base, 5, 5) * g.transpose();
        std::array<double, 8> sigma{};
        for (int r = 0; r < 8; ++r)
            sigma[std::size_t(r)] = std::sqrt(std::max(external(r, r), 0.0));
        if (state.circular[std::size_t(j)])
            sigma[2] = sigma[3] = 0; // held, not measured; ω = 0 by convention
        result.planets.push_back({toElements(value), toElements(sigma), {}});
    }
    const Evaluation e = evaluate(data, layout, x);
    std::vector<double> sumSquares(std::size_t(layout.instruments), 0.0);
    result.instruments.resize(std::size_t(layout.instruments));
    double total = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double r = data.velocity[i] - e.mean[i];
        result.chiSquare += r * r / e.variance[i];
        total += r * r;
        sumSquares[std::size_t(data.instrument[i])] += r * r;
        result.instruments[std::size_t(data.instrument[i])].points += 1;
    }
    for (int k = 0; k < layout.instruments; ++k) {
        auto &instrument = result.instruments[std::size_t(k)];
        instrument.name = k < int(state.original.instruments.size()) ? state.original.instruments[std::size_t(k)]
                                                                     : "instrument " + std::to_string(k + 1);
        instrument.offset = x(layout.offset(k));
        instrument.offsetUncertainty = std::sqrt(std::max(covariance(layout.offset(k), layout.offset(k)), 0.0));
        instrument.rms = instrument.points ? std::sqrt(sumSquares[std::size_t(k)] / instrument.points) : 0.0;
        if (layout.jitter) {
            const double s2 = x(layout.jitter2(k));
            const double sigma = std::sqrt(std::max(covariance(layout.jitter2(k), layout.jitter2(k)), 0.0));
            instrument.jitter = std::sqrt(s2);
            instrument.jitterUncertainty = s2 > 0 ? sigma / (2 * instrument.jitter) : std::sqrt(sigma);
        }
    }
    result.trendFitted = layout.trend;
    if (layout.trend) {
        result.trend = x(layout.trendIndex());
        result.trendUncertainty = std::sqrt(std::max(covariance(layout.trendIndex(), layout.trendIndex()), 0.0));
    }
    result.pointCount = int(data.size());
    result.parameterCount = layout.size();
    result.negativeLogLikelihood = e.cost;
    result.rms = std::sqrt(total / double(data.size()));
    result.bic = bicOf(result.parameterCount, result.pointCount, e.cost);
    return result;
}

Result cancelledResult()
{
    Result result;
    result.status = Status::Cancelled;
    result.message = "The fit was cancelled.";
    return result;
}

/// Refits resampled residuals from the optimum and records each element's spread.
Outcome bootstrap(const State &state, Result &result, const Progress &progress, const std::atomic<bool> *cancel)
{
    const int runs = state.options.bootstrapRuns;
    if (runs <= 0 || state.layout.planets == 0)
        return Outcome::Converged;
    const Evaluation best = evaluate(state.data, state.layout, state.x);
    std::vector<double> normalised(state.data.size());
    for (std::size_t i = 0; i < normalised.size(); ++i)
        normalised[i] = (state.data.velocity[i] - best.mean[i]) / std::sqrt(best.variance[i]);
    std::mt19937_64 random(state.options.bootstrapSeed);
    std::uniform_int_distribution<std::size_t> pick(0, normalised.size() - 1);
    const std::size_t planets = std::size_t(state.layout.planets);
    std::vector<std::array<double, 8>> sum(planets), sumSquares(planets), reference(planets);
    for (std::size_t j = 0; j < planets; ++j)
        reference[j] = elementsOf(state.x.data() + state.layout.planet(int(j)), state.data.referenceTime,
                                  state.options.starMassSolar);
    int used = 0;
    for (int run = 0; run < runs; ++run) {
        if (cancelled(cancel))
            return Outcome::Cancelled;
        Data resampled = state.data;
        for (std::size_t i = 0; i < resampled.size(); ++i)
            resampled.velocity[i] = best.mean[i] + normalised[pick(random)] * std::sqrt(best.variance[i]);
        VectorXd x = state.x;
        const Outcome outcome = minimise(resampled, state.layout, x, freeParameters(state), cancel);
        if (outcome == Outcome::Cancelled)
            return Outcome::Cancelled;
        for (std::size_t j = 0; j < planets; ++j) {
            const auto d = difference(elementsOf(x.data() + state.layout.planet(int(j)), state.data.referenceTime,
                                                 state.options.starMassSolar),
                                      reference[j]);
            for (std::size_t q = 0; q < 8; ++q) {
                sum[j][q] += d[q];
                sumSquares[j][q] += d[q] * d[q];
            }
        }
        ++used;
        if (progress)
            progress(0.5 + 0.5 * double(run + 1) / runs, "bootstrap");
    }
    for (std::size_t j = 0; j < planets; ++j) {
        std::array<double, 8> spread{};
        for (std::size_t q = 0; q < 8; ++q) {
            const double mean = sum[j][q] / used;
            spread[q] = std::sqrt(std::max(sumSquares[j][q] / used - mean * mean, 0.0) * used / std::max(used - 1, 1));
        }
        result.planets[j].bootstrapUncertainty = toElements(spread);
    }
    result.bootstrapRuns = used;
    return Outcome::Converged;
}

/// Shared by fit and findPlanets: planets added one by one.
Result search(const Observations::DataSet &data, const Options &options, bool stopAtFalseAlarm,
              const Progress &progress, const std::atomic<bool> *cancel)
{
    if (const auto reason = refusal(data, options)) {
        Result refused;
        refused.message = *reason;
        return refused;
    }
    State state;
    state.data = prepare(data);
    state.original = data;
    state.options = options;
    state.grid = options.grid ? *options.grid : Periodogram::automaticGrid(data);
    if (progress)
        progress(0, "offsets");
    if (fitBaseline(state, cancel) == Outcome::Cancelled)
        return cancelledResult();
    const double fitShare = options.bootstrapRuns > 0 ? 0.5 : 1.0;
    for (int j = 0; j < options.planets; ++j) {
        const auto stepProgress = [&](double fraction) {
            if (progress)
                progress(fitShare * (j + fraction) / options.planets, "fit");
        };
        if (stopAtFalseAlarm) {
            const Step step = addSignificantPlanet(state, stepProgress, cancel);
            if (step == Step::Cancelled)
                return cancelledResult();
            if (step == Step::Stopped)
                break;
            continue;
        }
        Outcome outcome;
        if (j < int(options.startingOrbits.size())) {
            outcome = addPlanet(state, options.startingOrbits[std::size_t(j)], false, options.circular, cancel);
        } else {
            const Observations::DataSet residuals = residualSet(state);
            if (Periodogram::refusal(residuals, state.grid))
                break;
            const auto spectrum = Periodogram::generalisedLombScargle(residuals, state.grid, cancel).value();
            if (cancelled(cancel))
                return cancelledResult();
            const auto peaks = Periodogram::highestPeaks(spectrum, residuals, 1);
            if (peaks.empty())
                break;
            state.peaks.push_back(peaks.front());
            const Kepler::Orbit start = circularStart(residuals, peaks.front().frequency, state.data.referenceTime);
            outcome = addPlanet(state, start, true, options.circular, cancel);
        }
        if (outcome == Outcome::Cancelled)
            return cancelledResult();
        state.outcome = outcome;
        stepProgress(1);
    }
    if (cancelled(cancel))
        return cancelledResult();
    const Evaluation e = evaluate(state.data, state.layout, state.x);
    VectorXd gradient;
    MatrixXd fisher;
    linearise(state.data, state.layout, state.x, e, gradient, fisher);
    Result result = makeResult(state, covarianceOf(fisher, freeParameters(state)));
    if (bootstrap(state, result, progress, cancel) == Outcome::Cancelled)
        return cancelledResult();
    if (progress)
        progress(1, "done");
    return result;
}

} // namespace

Kepler::Orbit PlanetResult::orbit() const
{
    return {value.periodDays, value.semiAmplitude, value.eccentricity, value.omegaRadians, value.periastronTime};
}

double negativeLogLikelihood(std::span<const double> residuals, std::span<const double> uncertainties,
                             std::span<const double> jitters)
{
    double sum = 0;
    for (std::size_t i = 0; i < residuals.size(); ++i) {
        const double variance = uncertainties[i] * uncertainties[i] + jitters[i] * jitters[i];
        sum += residuals[i] * residuals[i] / variance + std::log(twoPi * variance);
    }
    return 0.5 * sum;
}

std::optional<std::string> refusal(const Observations::DataSet &data, const Options &options)
{
    if (options.planets < 1 || options.planets > 4)
        return "The number of planets must be between 1 and 4 (asked: " + std::to_string(options.planets) + ").";
    if (!(std::isfinite(options.starMassSolar) && options.starMassSolar > 0))
        return "The star's mass must be a number of solar masses above zero.";
    if (!(options.falseAlarmThreshold > 0 && options.falseAlarmThreshold <= 1))
        return "The false-alarm threshold must lie above 0 and at most 1.";
    if (options.bootstrapRuns != 0 && (options.bootstrapRuns < 10 || options.bootstrapRuns > 100000))
        return "A bootstrap needs between 10 and 100000 runs.";
    if (data.measurements.empty())
        return "There are no measurements to fit.";
    for (const auto &m : data.measurements) {
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !std::isfinite(m.uncertainty))
            return "A measurement holds a value that is not a finite number.";
        if (!(m.uncertainty > 0))
            return "Every uncertainty must be greater than zero.";
        if (m.instrument < 0 || m.instrument >= int(std::max<std::size_t>(data.instruments.size(), 1)))
            return "A measurement names an instrument the data set does not list.";
    }
    for (const auto &orbit : options.startingOrbits)
        if (const auto reason = Kepler::refusal(orbit))
            return "A starting orbit is not valid: " + reason->reason;
    const Layout largest{options.planets, int(std::max<std::size_t>(data.instruments.size(), 1)), options.fitTrend,
                         options.fitJitter};
    if (int(data.measurements.size()) <= largest.size())
        return "Fitting " + std::to_string(largest.size()) + " parameters needs more than that many measurements; "
            "these data have " + std::to_string(data.measurements.size()) + ".";
    if (const auto reason = Periodogram::refusal(data, options.grid ? *options.grid : Periodogram::FrequencyGrid{1, 2, 2}))
        return reason->reason;
    return std::nullopt;
}

Result fit(const Observations::DataSet &data, const Options &options, const Progress &progress,
           const std::atomic<bool> *cancel)
{
    return search(data, options, false, progress, cancel);
}

Result findPlanets(const Observations::DataSet &data, const Options &options, const Progress &progress,
                   const std::atomic<bool> *cancel)
{
    return search(data, options, true, progress, cancel);
}

std::vector<double> modelVelocities(const Result &result, const Observations::DataSet &data)
{
    std::vector<Kepler::Orbit> orbits;
    for (const auto &planet : result.planets)
        orbits.push_back(planet.orbit());
    std::vector<double> model;
    for (const auto &m : data.measurements) {
        double v = Kepler::radialVelocity(orbits, m.time);
        if (m.instrument >= 0 && std::size_t(m.instrument) < result.instruments.size())
            v += result.instruments[std::size_t(m.instrument)].offset;
        if (result.trendFitted)
            v += result.trend * (m.time - result.referenceTime);
        model.push_back(v);
    }
    return model;
}

} // namespace Fitting
