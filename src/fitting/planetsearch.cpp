#include "fitting/levenbergmarquardt.h"
#include "fitting/rvfit.h"
#include "fitting/uncertainties.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace Fitting {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

/// Below this period (days) a new planet's orbit is held circular: tides
/// circularise such orbits within far less than a star's age (51 Peg b,
/// 4.23 d, has e < 0.02), and a free eccentricity there lets an orbit of
/// about one day, seen at the same hour every night, mimic slow drifts.
constexpr double tidallyCircularDays = 3.0;

/// How many distinct residual peaks each periodogram offers as starts.
constexpr std::size_t candidatePeaks = 5;

/// Iterations of the quick fit of a new planet alone, before all are refined together.
constexpr int newPlanetIterations = 40;

/// Whether the number of planets is the one asked for, or the search's to decide.
enum class PlanetCount { AsAsked, WhileSignificant };

/// Whether a new planet starts from the orbit given, or also from several
/// eccentricities and ω around it.
enum class StartShapes { AsGiven, Varied };

/// The model so far: the planets found, the peaks they started from and why the search ended.
struct State
{
    Measurements data;
    Observations::DataSet original;
    Options options;
    ParameterLayout layout;
    VectorXd x;
    Periodogram::FrequencyGrid grid;
    std::vector<Periodogram::Peak> peaks;
    std::vector<OrbitShape> shapes; ///< per planet
    MinimiserOutcome outcome = MinimiserOutcome::Converged;
    SearchStop stop = SearchStop::NotSearched;
    std::string stopSentence;

    double cost() const { return RvModel(data, layout).negativeLogLikelihood(x); }
    int circularPlanets() const { return int(std::count(shapes.begin(), shapes.end(), OrbitShape::Circular)); }
    int freeCount() const { return layout.freeCount(circularPlanets()); }
};

/// Every parameter but √e cos ω and √e sin ω of circular orbits.
FreeParameters freeParameters(const ParameterLayout &layout, const std::vector<OrbitShape> &shapes)
{
    FreeParameters free(std::size_t(layout.size()), true);
    for (int j = 0; j < layout.planets; ++j)
        if (shapes[std::size_t(j)] == OrbitShape::Circular)
            free[std::size_t(layout.planet(j) + 2)] = free[std::size_t(layout.planet(j) + 3)] = false;
    return free;
}

/// BIC = k ln n + 2 (−ln L), k the free parameters.
double bicOf(int parameters, int points, double cost)
{
    return parameters * std::log(double(points)) + 2 * cost;
}

double bicOf(const State &state)
{
    return bicOf(state.freeCount(), int(state.data.size()), state.cost());
}

/// Data whose velocities are the residuals and whose uncertainties are
/// √(σ_i² + s_k²) of the model's jitters, or σ_i alone.
enum class Weights { WithJitter, MeasurementOnly };

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

/// Fits a model without planets: offsets, and jitters and trend when asked.
MinimiserOutcome fitBaseline(State &state, const std::atomic<bool> *cancel)
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
    RvModel model(state.data, state.layout);
    return minimise(model, state.x, freeParameters(state.layout, state.shapes), cancel);
}

/// The sinusoid a + b cos 2πft + c sin 2πft of the residuals at frequency f,
/// read as a circular orbit.
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

/// Adds one planet starting near the given orbit: each start fitted with the
/// other planets held, the best refined with everything free.
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

enum class Step { Added, Stopped, Cancelled };

Step stopped(State &state, SearchStop stop, std::string sentence)
{
    state.stop = stop;
    state.stopSentence = std::move(sentence);
    return Step::Stopped;
}

/// The highest distinct peaks of the residual periodogram and, with jitters
/// fitted, of the residuals weighted by σ alone (a jitter fitted without a
/// planet has absorbed its signal and can hide its peak).
std::vector<Periodogram::Peak> candidatesOf(const State &state, const Observations::DataSet &residuals, double width,
                                            const std::atomic<bool> *cancel)
{
    std::vector<Periodogram::Peak> candidates;
    std::vector<Observations::DataSet> weightings{residuals};
    if (state.layout.jitter)
        weightings.push_back(residualSet(state, Weights::MeasurementOnly));
    for (const auto &set : weightings) {
        const auto spectrum = Periodogram::generalisedLombScargle(set, state.grid, cancel);
        if (cancelled(cancel))
            return {};
        if (!spectrum)
            continue;
        for (const auto &peak : Periodogram::highestPeaks(*spectrum, set, candidatePeaks))
            if (std::none_of(candidates.begin(), candidates.end(),
                             [&](const auto &c) { return std::abs(c.frequency - peak.frequency) < width; }))
                candidates.push_back(peak);
    }
    return candidates;
}

/// The candidate's peak in the residuals weighted by the winner's own noise
/// model, with its false-alarm probability.
Periodogram::Peak reweightedPeak(const State &winner, Observations::DataSet residuals, Periodogram::Peak candidate,
                                 double width, const std::atomic<bool> *cancel)
{
    const Observations::DataSet weighted = residualSet(winner, Weights::WithJitter);
    for (std::size_t i = 0; i < residuals.measurements.size(); ++i)
        residuals.measurements[i].uncertainty = weighted.measurements[i].uncertainty;
    const auto computed = Periodogram::generalisedLombScargle(residuals, winner.grid, cancel);
    const Periodogram::Spectrum spectrum = computed ? *computed : Periodogram::Spectrum{};
    Periodogram::Peak peak = candidate;
    peak.power = 0;
    for (std::size_t f = 0; f < spectrum.frequencies.size(); ++f)
        if (std::abs(spectrum.frequencies[f] - candidate.frequency) < width && spectrum.power[f] > peak.power) {
            peak.power = spectrum.power[f];
            peak.frequency = spectrum.frequencies[f];
        }
    peak.periodDays = 1 / peak.frequency;
    peak.falseAlarmProbability = Periodogram::falseAlarmProbability(peak.power, residuals, winner.grid.maxFrequency);
    return peak;
}

/// One step of findPlanets: each candidate is fitted with all planets so far;
/// the best likelihood wins and is added only when it lowers the BIC and its
/// peak has FAP ≤ the threshold.
Step addSignificantPlanet(State &state, const std::function<void(double)> &stepProgress,
                          const std::atomic<bool> *cancel)
{
    const Observations::DataSet residuals = residualSet(state, Weights::WithJitter);
    if (Periodogram::refusal(residuals, state.grid))
        return stopped(state, SearchStop::NoPeak, "The search stopped: the residuals are too few for a periodogram.");
    const double width = 1 / std::max(timeSpan(state.data), 1e-9);
    const std::vector<Periodogram::Peak> candidates = candidatesOf(state, residuals, width, cancel);
    if (cancelled(cancel))
        return Step::Cancelled;
    std::optional<State> best;
    std::size_t bestIndex = 0;
    double bestCost = std::numeric_limits<double>::infinity();
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        State trial = state;
        const Kepler::Orbit start = circularStart(residuals, candidates[c].frequency, state.data.referenceTime);
        const OrbitShape shape =
            state.options.circular || start.periodDays < tidallyCircularDays ? OrbitShape::Circular : OrbitShape::Free;
        trial.outcome = addPlanet(trial, start, StartShapes::Varied, shape, cancel);
        if (trial.outcome == MinimiserOutcome::Cancelled)
            return Step::Cancelled;
        // A period beyond the grid's range is a trend or curvature the data
        // cannot tell from a planet, not a planet found.
        const double period = std::exp(trial.x(trial.layout.planet(trial.layout.planets - 1)));
        const bool inRange = period * state.grid.minFrequency <= 1 && period * state.grid.maxFrequency >= 1;
        const double cost = inRange ? trial.cost() : std::numeric_limits<double>::infinity();
        if (cost < bestCost) {
            bestCost = cost;
            best = std::move(trial);
            bestIndex = c;
        }
        stepProgress(0.9 * double(c + 1) / double(candidates.size()));
    }
    if (!best)
        return stopped(state, SearchStop::NoPeak,
                       "The search stopped: the residuals hold no peak to fit in the periods searched.");
    const std::string period = periodText(std::exp(best->x(best->layout.planet(best->layout.planets - 1))));
    if (!(bicOf(*best) < bicOf(state)))
        return stopped(state, SearchStop::NoBicGain,
                       "The search stopped: the best next planet (P = " + period + ") does not lower the BIC.");
    const Periodogram::Peak peak = reweightedPeak(*best, residuals, candidates[bestIndex], width, cancel);
    if (cancelled(cancel))
        return Step::Cancelled;
    if (peak.falseAlarmProbability > state.options.falseAlarmThreshold) {
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "%.3g, above the threshold %.3g.", peak.falseAlarmProbability,
                      state.options.falseAlarmThreshold);
        return stopped(state, SearchStop::FalseAlarmThreshold,
                       "The search stopped: the next peak (P = " + period + ") has a false-alarm probability of "
                           + numbers);
    }
    best->peaks.push_back(peak);
    state = std::move(*best);
    stepProgress(1);
    return Step::Added;
}

void addInstruments(const State &state, RvModel &model, const MatrixXd &covariance, Result &result)
{
    const ParameterLayout &layout = state.layout;
    const Measurements &data = state.data;
    const auto sigmaOf = [&](int q) { return std::sqrt(std::max(covariance(q, q), 0.0)); };
    std::vector<double> sumSquares(std::size_t(layout.instruments), 0.0);
    result.instruments.resize(std::size_t(layout.instruments));
    double total = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double r = data.velocity[i] - model.mean()[i];
        result.chiSquare += r * r / model.variance()[i];
        total += r * r;
        sumSquares[std::size_t(data.instrument[i])] += r * r;
        result.instruments[std::size_t(data.instrument[i])].points += 1;
    }
    result.rms = std::sqrt(total / double(data.size()));
    for (int k = 0; k < layout.instruments; ++k) {
        auto &instrument = result.instruments[std::size_t(k)];
        instrument.name = k < int(state.original.instruments.size()) ? state.original.instruments[std::size_t(k)]
                                                                     : "instrument " + std::to_string(k + 1);
        instrument.offset = state.x(layout.offset(k));
        instrument.offsetUncertainty = sigmaOf(layout.offset(k));
        instrument.rms = instrument.points ? std::sqrt(sumSquares[std::size_t(k)] / instrument.points) : 0.0;
        if (layout.jitter) {
            const double s2 = state.x(layout.jitterSquared(k));
            instrument.jitter = std::sqrt(s2);
            // σ(s) = σ(s²) / (2 s), or √σ(s²) where s = 0 leaves no slope.
            instrument.jitterUncertainty = s2 > 0 ? sigmaOf(layout.jitterSquared(k)) / (2 * instrument.jitter)
                                                  : std::sqrt(sigmaOf(layout.jitterSquared(k)));
        }
    }
}

Result makeResult(const State &state)
{
    const ParameterLayout &layout = state.layout;
    const Measurements &data = state.data;
    RvModel model(data, layout);
    VectorXd gradient;
    MatrixXd fisher;
    model.linearise(state.x, gradient, fisher);
    const MatrixXd covariance = covarianceOf(fisher, freeParameters(layout, state.shapes));
    Result result;
    result.status = state.outcome == MinimiserOutcome::Converged ? Status::Converged : Status::Stalled;
    result.referenceTime = data.referenceTime;
    result.starMassSolar = state.options.starMassSolar;
    result.peaks = state.peaks;
    result.searchStop = state.stop;
    result.searchStopSentence = state.stopSentence;
    for (int j = 0; j < layout.planets; ++j) {
        const PlanetParameters planet = PlanetParameters::read(state.x.data() + layout.planet(j));
        result.planets.push_back({elementsOf(planet, data.referenceTime, state.options.starMassSolar),
                                  propagatedUncertainty(state.x, layout.planet(j), covariance, data.referenceTime,
                                                        state.options.starMassSolar, state.shapes[std::size_t(j)]),
                                  {}});
    }
    addInstruments(state, model, covariance, result);
    result.trendFitted = layout.trend;
    if (layout.trend) {
        result.trend = state.x(layout.trendIndex());
        result.trendUncertainty = std::sqrt(std::max(covariance(layout.trendIndex(), layout.trendIndex()), 0.0));
    }
    result.pointCount = int(data.size());
    result.parameterCount = state.freeCount();
    result.negativeLogLikelihood = model.negativeLogLikelihood(state.x);
    result.bic = bicOf(result.parameterCount, result.pointCount, result.negativeLogLikelihood);
    return result;
}

Result cancelledResult()
{
    Result result;
    result.status = Status::Cancelled;
    result.message = "The fit was cancelled.";
    return result;
}

/// The next planet of a fit of the asked count: from its starting orbit, or
/// from the highest peak of the residuals.
std::optional<MinimiserOutcome> addAskedPlanet(State &state, std::size_t j, const std::atomic<bool> *cancel)
{
    const OrbitShape shape = state.options.circular ? OrbitShape::Circular : OrbitShape::Free;
    if (j < state.options.startingOrbits.size())
        return addPlanet(state, state.options.startingOrbits[j], StartShapes::AsGiven, shape, cancel);
    const Observations::DataSet residuals = residualSet(state, Weights::WithJitter);
    if (Periodogram::refusal(residuals, state.grid))
        return std::nullopt;
    const auto spectrum = Periodogram::generalisedLombScargle(residuals, state.grid, cancel);
    if (cancelled(cancel))
        return MinimiserOutcome::Cancelled;
    if (!spectrum)
        return std::nullopt;
    const auto peaks = Periodogram::highestPeaks(*spectrum, residuals, 1);
    if (peaks.empty())
        return std::nullopt;
    state.peaks.push_back(peaks.front());
    const Kepler::Orbit start = circularStart(residuals, peaks.front().frequency, state.data.referenceTime);
    return addPlanet(state, start, StartShapes::Varied, shape, cancel);
}

/// fit() and findPlanets(): a model of offsets, jitters and trend, then planets added one at a time.
Result search(const Observations::DataSet &data, const Options &options, PlanetCount count, const Progress &progress,
              const std::atomic<bool> *cancel)
{
    if (const auto refused = refusal(data, options)) {
        Result result;
        result.message = refused->reason;
        return result;
    }
    State state;
    state.data = Measurements::from(data);
    state.original = data;
    state.options = options;
    state.grid = options.grid ? *options.grid : Periodogram::automaticGrid(data);
    if (progress)
        progress(0, "offsets");
    if (fitBaseline(state, cancel) == MinimiserOutcome::Cancelled)
        return cancelledResult();
    const double fitShare = options.bootstrapRuns > 0 ? 0.5 : 1.0;
    for (int j = 0; j < options.planets; ++j) {
        const auto stepProgress = [&](double fraction) {
            if (progress)
                progress(fitShare * (j + fraction) / options.planets, "fit");
        };
        if (count == PlanetCount::WhileSignificant) {
            const Step step = addSignificantPlanet(state, stepProgress, cancel);
            if (step == Step::Cancelled)
                return cancelledResult();
            if (step == Step::Stopped)
                break;
            continue;
        }
        const auto outcome = addAskedPlanet(state, std::size_t(j), cancel);
        if (!outcome)
            break;
        if (*outcome == MinimiserOutcome::Cancelled)
            return cancelledResult();
        state.outcome = *outcome;
        stepProgress(1);
    }
    if (count == PlanetCount::WhileSignificant && state.stop == SearchStop::NotSearched) {
        state.stop = SearchStop::PlanetCap;
        state.stopSentence = "The search stopped at " + std::to_string(options.planets)
            + (options.planets == 1 ? " planet" : " planets") + ", the most it was asked to look for.";
    }
    if (cancelled(cancel))
        return cancelledResult();
    Result result = makeResult(state);
    if (options.bootstrapRuns > 0 && state.layout.planets > 0) {
        BootstrapSpread spread;
        const auto bootstrapProgress = [&](double fraction) {
            if (progress)
                progress(0.5 + 0.5 * fraction, "bootstrap");
        };
        if (bootstrap(state.data, state.layout, state.x, freeParameters(state.layout, state.shapes),
                      {options.bootstrapRuns, options.bootstrapSeed, options.starMassSolar}, bootstrapProgress, cancel,
                      spread)
            == MinimiserOutcome::Cancelled)
            return cancelledResult();
        for (std::size_t j = 0; j < result.planets.size(); ++j)
            result.planets[j].bootstrapUncertainty = spread.spread[j];
        result.bootstrapRuns = spread.runs;
    }
    if (progress)
        progress(1, "done");
    return result;
}

} // namespace

Result fit(const Observations::DataSet &data, const Options &options, const Progress &progress,
           const std::atomic<bool> *cancel)
{
    return search(data, effectiveOptions(data, options), PlanetCount::AsAsked, progress, cancel);
}

Result findPlanets(const Observations::DataSet &data, const Options &options, const Progress &progress,
                   const std::atomic<bool> *cancel)
{
    return search(data, effectiveOptions(data, options), PlanetCount::WhileSignificant, progress, cancel);
}

} // namespace Fitting
