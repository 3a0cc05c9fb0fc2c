#include "detection/aliasdecision.h"
#include "fitting/candidates.h"
#include "fitting/decorrelation.h"
#include "fitting/nightlymeans.h"
#include "fitting/resultassembly.h"
#include "fitting/uncertainties.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace Fitting {

namespace {

using namespace Search;

/// An alias whose fit explains at least this share of what the best
/// candidate explains is close enough for the data to have to decide
/// between them by their whole pattern of peaks.
constexpr double rivalAliasShare = 0.5;

/// Whether the number of planets is the one asked for, or the search's to decide.
enum class PlanetCount { AsAsked, WhileSignificant };

enum class Step { Added, Stopped, Cancelled };

Step stopped(State &state, SearchStop stop, std::string sentence)
{
    state.stop = stop;
    state.stopSentence = std::move(sentence);
    return Step::Stopped;
}

/// One candidate fitted with all planets so far.
struct Trial
{
    State state;
    double frequency = 0; ///< of the new planet after the fit, cycles/day
    double share = 0;     ///< explainedShare()
};

/// The trial that explains most; trials must not be empty.
std::size_t bestOf(const std::vector<Trial> &trials)
{
    return std::size_t(
        std::max_element(trials.begin(), trials.end(), [](const auto &a, const auto &b) { return a.share < b.share; })
        - trials.begin());
}

/// Whether the newest planet sits within one peak width of an older one.
bool crowdsAnOlderPlanet(const State &state)
{
    const double width = 1 / timeSpan(state.data);
    const double newest = 1 / state.lastPeriod();
    for (int j = 0; j + 1 < state.layout.planets; ++j)
        if (std::abs(1 / state.period(j) - newest) < width)
            return true;
    return false;
}

/// The candidate at `frequency` fitted with all planets so far, wherever
/// its orbit ends.
Trial fittedTrial(const State &state, const Observations::DataSet &residuals, double frequency,
                  const std::atomic<bool> *cancel)
{
    Trial trial{state, 0, 0};
    const Kepler::Orbit start = circularStart(residuals, frequency, state.data.referenceTime);
    const OrbitShape shape =
        state.options.circular || start.periodDays < tidallyCircularDays ? OrbitShape::Circular : OrbitShape::Free;
    trial.state.outcome = addPlanet(trial.state, start, StartShapes::Varied, shape, cancel);
    if (trial.state.outcome == MinimiserOutcome::Cancelled)
        return trial;
    trial.frequency = 1 / trial.state.lastPeriod();
    if (std::isfinite(trial.state.cost()))
        trial.share = explainedShare(state, trial.state);
    return trial;
}

/// The candidate at `frequency` fitted with all planets so far, or nothing
/// when its orbit leaves the grid's range (a trend or curvature the data
/// cannot tell from a planet) or lands on a planet already found.
std::optional<Trial> fitCandidate(const State &state, const Observations::DataSet &residuals, double frequency,
                                  const std::atomic<bool> *cancel)
{
    Trial trial = fittedTrial(state, residuals, frequency, cancel);
    if (trial.state.outcome == MinimiserOutcome::Cancelled)
        return trial;
    const bool inRange = trial.frequency >= state.grid.minFrequency && trial.frequency <= state.grid.maxFrequency;
    if (!inRange || nearTheDay(trial.frequency) || crowdsAnOlderPlanet(trial.state)
        || !std::isfinite(trial.state.cost()))
        return std::nullopt;
    return trial;
}

/// Between the best trial and its strongest alias, when that explains
/// nearly as much: the one whose simulated pattern of peaks matches the
/// observed one, when the simulations decide; else the better fit.
std::size_t settleAliases(const std::vector<Trial> &trials, std::size_t best, const Observations::DataSet &residuals,
                          std::span<const Detection::WindowPeak> window, std::vector<std::string> &notes,
                          const std::atomic<bool> *cancel)
{
    const double span = timeSpan(trials[best].state.data);
    const double bestFrequency[] = {trials[best].frequency};
    std::optional<std::size_t> rival;
    for (std::size_t t = 0; t < trials.size(); ++t)
        if (t != best && trials[t].share >= rivalAliasShare * trials[best].share
            && aliasOfPlanet(trials[t].frequency, bestFrequency, window, span)
            && (!rival || trials[t].share > trials[*rival].share))
            rival = t;
    if (!rival)
        return best;
    const auto decision = Detection::decideBetweenAliases(residuals, trials[best].frequency, trials[*rival].frequency,
                                                          window, {}, cancel);
    if (!decision)
        return best;
    const bool decisive = decision->strength == Detection::PreferenceStrength::Decisive;
    const std::size_t chosen = decision->preferred == 0 || !decisive ? best : *rival;
    const std::size_t other = chosen == best ? *rival : best;
    const std::size_t favoured = decision->preferred == 0 ? best : *rival;
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, "%.0f %%", 100 * decision->preferredFraction);
    notes.push_back("P = " + periodText(1 / trials[chosen].frequency) + " rather than its alias P = "
                    + periodText(1 / trials[other].frequency) + ": simulations of each at the real times match the"
                    + " observed peaks better with P = " + periodText(1 / trials[favoured].frequency) + " in "
                    + fraction + " of the trials" + (decisive ? "." : ", not decisive; the better fit is kept."));
    return chosen;
}

/// The best trial's index once trials on a window peak that do not outshine
/// a drift are dropped, or nothing when none is left. A window peak is the
/// alias of frequency zero: a drift the offsets and the trend leave raises
/// it. A trial there is a planet only when its fall of −ln L, ∝ −ln(1 − p),
/// is more than twice that of the slow orbits (the slowest on the grid, and
/// any trial within a window peak's reach of zero), the rivals a drift would
/// be, wherever its orbit ends. Compared as falls, not as shares: a strong planet and a slow orbit
/// through part of its swing may both explain most of the scatter.
std::optional<std::size_t> bestBesideDrifts(std::vector<Trial> &trials, const State &state,
                                            const Observations::DataSet &residuals,
                                            std::span<const Detection::WindowPeak> window,
                                            const std::atomic<bool> *cancel)
{
    const double span = timeSpan(state.data);
    const auto onWindow = [&](const Trial &t) { return onWindowPeak(t.frequency, window, span); };
    if (!onWindow(trials[bestOf(trials)]))
        return bestOf(trials);
    const auto fall = [](double share) { return -std::log1p(-std::min(share, 1 - 1e-15)); };
    double drift = fall(fittedTrial(state, residuals, state.grid.minFrequency, cancel).share);
    for (const auto &trial : trials)
        if (trial.frequency <= 1.5 / span)
            drift = std::max(drift, fall(trial.share));
    if (drift < rivalAliasShare * fall(trials[bestOf(trials)].share))
        return bestOf(trials);
    std::erase_if(trials, onWindow);
    return trials.empty() ? std::nullopt : std::optional(bestOf(trials));
}

/// Drops the trials their nights do not confirm (falseAlarmByNights above
/// the threshold), or says why the search stops when none is left.
std::optional<std::string> dropTrialsTheNightsReject(std::vector<Trial> &trials, const State &state,
                                                     const Observations::DataSet &residuals)
{
    const std::size_t best = bestOf(trials);
    const std::string bestPeriod = periodText(trials[best].state.lastPeriod());
    std::optional<double> bestFalseAlarm;
    std::vector<Trial> kept;
    for (std::size_t t = 0; t < trials.size(); ++t) {
        const auto falseAlarm = falseAlarmByNights(residuals, trials[t].state);
        if (t == best)
            bestFalseAlarm = falseAlarm;
        if (!falseAlarm || *falseAlarm <= state.options.falseAlarmThreshold)
            kept.push_back(std::move(trials[t]));
    }
    trials = std::move(kept);
    if (!trials.empty() || !bestFalseAlarm)
        return std::nullopt;
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%.3g judged by its nights, above the threshold %.3g.", *bestFalseAlarm,
                  state.options.falseAlarmThreshold);
    return "The search stopped: the best next planet (P = " + bestPeriod + ") has a false-alarm probability of "
        + numbers;
}

/// One step of findPlanets; see rvfit.h for the criteria.
Step addSignificantPlanet(State &state, std::span<const Detection::WindowPeak> window,
                          const std::function<void(double)> &stepProgress, const std::atomic<bool> *cancel)
{
    const Observations::DataSet residuals = residualSet(state, Weights::WithJitter);
    if (Periodogram::refusal(residuals, state.grid))
        return stopped(state, SearchStop::NoPeak, "The search stopped: the residuals are too few for a periodogram.");
    std::vector<Observations::DataSet> weightings{residuals};
    if (state.layout.jitter)
        weightings.push_back(residualSet(state, Weights::MeasurementOnly));
    std::vector<double> candidates = candidateFrequencies(state, weightings, window, cancel);
    std::vector<Trial> trials;
    std::size_t next = 0;
    for (int round = 0; round < 2 && !cancelled(cancel); ++round) {
        for (; next < candidates.size() && !cancelled(cancel); ++next) {
            if (auto trial = fitCandidate(state, residuals, candidates[next], cancel))
                trials.push_back(std::move(*trial));
            stepProgress(0.45 * (round + double(next + 1) / double(candidates.size())));
        }
        if (trials.empty())
            break;
        // The second round tries the aliases, 2f and f/2 of the best fit not yet tried.
        std::vector<double> tried = candidates;
        for (const auto &trial : trials)
            tried.push_back(trial.frequency);
        for (double alias : untriedRelatives(state, trials[bestOf(trials)].frequency, tried, window))
            candidates.push_back(alias);
    }
    if (cancelled(cancel))
        return Step::Cancelled;
    if (trials.empty())
        return stopped(state, SearchStop::NoPeak,
                       "The search stopped: the residuals hold no peak to fit in the periods searched.");
    if (auto sentence = dropTrialsTheNightsReject(trials, state, residuals))
        return stopped(state, SearchStop::FalseAlarmThreshold, std::move(*sentence));
    const std::optional<std::size_t> beside = bestBesideDrifts(trials, state, residuals, window, cancel);
    if (cancelled(cancel))
        return Step::Cancelled;
    if (!beside)
        return stopped(state, SearchStop::NoPeak,
                       "The search stopped: the residuals hold no peak to fit in the periods searched"
                       " but the window's own peaks, which a slow drift explains as well.");
    std::vector<std::string> notes = state.notes;
    const std::size_t best = settleAliases(trials, *beside, residuals, window, notes, cancel);
    State &winner = trials[best].state;
    const std::string period = periodText(winner.lastPeriod());
    if (!(bicOf(winner) < bicOf(state)))
        return stopped(state, SearchStop::NoBicGain,
                       "The search stopped: the best next planet (P = " + period + ") does not lower the BIC.");
    Periodogram::Peak peak{winner.lastPeriod(), trials[best].frequency, trials[best].share, 1};
    peak.falseAlarmProbability = Periodogram::falseAlarmProbability(peak.power, residuals, state.grid.maxFrequency);
    if (peak.falseAlarmProbability > state.options.falseAlarmThreshold) {
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "%.3g, above the threshold %.3g.", peak.falseAlarmProbability,
                      state.options.falseAlarmThreshold);
        return stopped(state, SearchStop::FalseAlarmThreshold,
                       "The search stopped: the best next planet (P = " + period + ") has a false-alarm probability of "
                           + numbers);
    }
    winner.peaks.push_back(peak);
    winner.notes = std::move(notes);
    state = std::move(winner);
    stepProgress(1);
    return Step::Added;
}

/// A sentence when two planets of a fit sit within one peak width of each
/// other: the data cannot tell them apart and they trade amplitude freely.
void warnOfCrowdedPlanets(State &state)
{
    const double width = 1 / timeSpan(state.data);
    for (int a = 0; a < state.layout.planets; ++a)
        for (int b = a + 1; b < state.layout.planets; ++b)
            if (std::abs(1 / state.period(a) - 1 / state.period(b)) < width) {
                state.notes.push_back("The planets at P = " + periodText(state.period(a)) + " and P = "
                                      + periodText(state.period(b))
                                      + " lie within one peak width of each other: the data cannot tell them apart."
                                        " Fit fewer planets.");
                return;
            }
}

/// A search fits a jitter per instrument when the data ask for one: when the
/// model without planets has a lower BIC with jitters than without.
/// Published error bars often understate the scatter many times over (16 Cyg
/// B's 450 HJS velocities: σ ≈ 5 m/s, scatter ≈ 100 m/s); weighted by σ alone,
/// such an instrument steers every fit and a planet the others see clearly
/// is lost to its noise.
MinimiserOutcome fitJitterWhenNeeded(State &state, const std::atomic<bool> *cancel)
{
    State withJitter = state;
    withJitter.options.fitJitter = true;
    if (state.options.fitJitter || refusal(state.original, withJitter.options))
        return MinimiserOutcome::Converged;
    const MinimiserOutcome outcome = fitBaseline(withJitter, cancel);
    if (outcome != MinimiserOutcome::Cancelled && bicOf(withJitter) < bicOf(state)) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%.1f to %.1f", bicOf(state), bicOf(withJitter));
        withJitter.notes.push_back(std::string("A jitter per instrument is fitted: the scatter exceeds the error bars")
                                   + " (the BIC without planets falls from " + numbers + ").");
        state = std::move(withJitter);
    }
    return outcome;
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
Result search(const Observations::DataSet &given, const Options &options, PlanetCount count, const Progress &progress,
              const std::atomic<bool> *cancel)
{
    if (const auto refused = refusal(given, options)) {
        Result result;
        result.message = refused->reason;
        return result;
    }
    const std::string &index = options.decorrelateAgainst;
    const Observations::DataSet data = index.empty() ? given : measurementsWithIndex(given, index);
    State state;
    state.data = Measurements::from(data, index);
    state.original = data;
    state.options = options;
    if (const std::size_t leftOut = given.measurements.size() - data.measurements.size())
        state.notes.push_back(leftOutSentence(leftOut, index));
    state.grid = options.grid ? *options.grid : Periodogram::automaticGrid(data);
    if (progress)
        progress(0, "offsets");
    if (fitBaseline(state, cancel) == MinimiserOutcome::Cancelled
        || (count == PlanetCount::WhileSignificant
            && fitJitterWhenNeeded(state, cancel) == MinimiserOutcome::Cancelled))
        return cancelledResult();
    const double fitShare = options.bootstrapRuns > 0 ? 0.5 : 1.0;
    const std::vector<Detection::WindowPeak> window =
        count == PlanetCount::WhileSignificant ? samplingPeaks(data, cancel) : std::vector<Detection::WindowPeak>{};
    for (int j = 0; j < options.planets; ++j) {
        const auto stepProgress = [&](double fraction) {
            if (progress)
                progress(fitShare * (j + fraction) / options.planets, "fit");
        };
        if (count == PlanetCount::WhileSignificant) {
            const Step step = addSignificantPlanet(state, window, stepProgress, cancel);
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
    if (count == PlanetCount::AsAsked)
        warnOfCrowdedPlanets(state);
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
