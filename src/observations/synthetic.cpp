#include "observations/synthetic.h"

#include "numeric/seededrandom.h"
#include "observations/rvreader.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace Observations {

namespace {

constexpr double yearDays = 365.25;
// The star hides behind the Sun for about a third of each year.
constexpr double seasonalGapDays = 120.0;
// Weather as a two-state chain: a clear night turns cloudy with this
// probability, a cloudy one clears with the other, so bad spells last
// 2.5 nights on average and take about a quarter of the nights.
constexpr double clearToCloudy = 0.15;
constexpr double cloudyToClear = 0.4;
// A nightly plan lists its nights, so its span is bounded: a century.
constexpr double maxNightlySpanDays = 100 * yearDays;

using Random = Numeric::SeededRandom;

bool inSeasonalGap(std::size_t night, double gapPhase)
{
    double x = std::fmod(static_cast<double>(night) - gapPhase, yearDays);
    if (x < 0)
        x += yearDays;
    return x < seasonalGapDays;
}

std::vector<double> nightlyTimes(const SyntheticPlan &plan, Random &random)
{
    const auto nights = static_cast<std::size_t>(std::floor(plan.spanDays));
    const double gapPhase = random.uniform() * yearDays;
    std::vector<std::size_t> inSeason, clear;
    bool cloudy = false;
    for (std::size_t night = 0; night < nights; ++night) {
        cloudy = random.uniform() < (cloudy ? 1 - cloudyToClear : clearToCloudy);
        if (inSeasonalGap(night, gapPhase))
            continue;
        inSeason.push_back(night);
        if (!cloudy)
            clear.push_back(night);
    }
    std::vector<std::size_t> candidates;
    if (clear.size() >= plan.count) {
        candidates = std::move(clear);
    } else if (inSeason.size() >= plan.count) {
        candidates = std::move(inSeason);
    } else {
        candidates.resize(nights);
        for (std::size_t night = 0; night < nights; ++night)
            candidates[night] = night;
    }
    // The first `count` places of a partial Fisher–Yates shuffle: a uniform
    // choice of nights without repetition.
    for (std::size_t i = 0; i < plan.count; ++i)
        std::swap(candidates[i], candidates[i + random.below(candidates.size() - i)]);
    candidates.resize(plan.count);
    std::sort(candidates.begin(), candidates.end());

    std::vector<double> times;
    times.reserve(plan.count);
    for (const std::size_t night : candidates)
        times.push_back(plan.startTime + static_cast<double>(night) + random.uniform() * nightWindowDays);
    return times;
}

std::vector<double> uniformTimes(const SyntheticPlan &plan, Random &random)
{
    std::vector<double> times(plan.count);
    for (double &t : times)
        t = plan.startTime + random.uniform() * plan.spanDays;
    std::sort(times.begin(), times.end());
    return times;
}

bool planetsValid(std::span<const Kepler::Orbit> planets)
{
    return std::none_of(planets.begin(), planets.end(),
                        [](const Kepler::Orbit &orbit) { return Kepler::refusal(orbit).has_value(); });
}

} // namespace

std::optional<std::string> refusal(const SyntheticPlan &plan)
{
    if (plan.count == 0 || plan.count > maxMeasurements)
        return "The number of points must be between 1 and " + std::to_string(maxMeasurements) + ".";
    if (!std::isfinite(plan.spanDays) || !(plan.spanDays > 0))
        return std::string("The time span must be a positive number of days.");
    if (!std::isfinite(plan.startTime) || !std::isfinite(plan.startTime + plan.spanDays))
        return std::string("The start time must be a finite number of days.");
    if (!std::isfinite(plan.noiseSigma) || !(plan.noiseSigma > 0))
        return std::string("The noise σ must be a positive number of m/s.");
    if (!std::isfinite(plan.jitter) || plan.jitter < 0)
        return std::string("The jitter must be zero or a positive number of m/s.");
    if (!std::isfinite(plan.instrumentOffset))
        return std::string("The instrument's offset must be a finite number of m/s.");
    if (plan.cadence == Cadence::Nightly) {
        if (plan.spanDays > maxNightlySpanDays)
            return "A nightly plan spans at most " + std::to_string(static_cast<long>(maxNightlySpanDays)) + " days.";
        if (static_cast<double>(plan.count) > std::floor(plan.spanDays))
            return "One point per night allows at most " + std::to_string(static_cast<long>(plan.spanDays))
                + " points in this span.";
    }
    return std::nullopt;
}

DataSet simulate(std::span<const Kepler::Orbit> planets, const SyntheticPlan &plan)
{
    if (refusal(plan) || !planetsValid(planets))
        return {};
    Random random(plan.seed);
    const std::vector<double> times =
        plan.cadence == Cadence::Nightly ? nightlyTimes(plan, random) : uniformTimes(plan, random);
    const double scatter = std::hypot(plan.noiseSigma, plan.jitter);

    DataSet data;
    data.instruments.push_back(plan.instrument);
    data.measurements.reserve(times.size());
    for (const double t : times) {
        Measurement m;
        m.time = t;
        m.velocity = Kepler::radialVelocity(planets, t) + plan.instrumentOffset + scatter * random.normal();
        m.uncertainty = plan.noiseSigma;
        m.instrument = 0;
        data.measurements.push_back(m);
    }
    return data;
}

DataSet simulate(std::span<const Kepler::Orbit> planets, std::span<const SyntheticPlan> plans)
{
    DataSet merged;
    for (const SyntheticPlan &plan : plans) {
        DataSet part = simulate(planets, plan);
        if (part.measurements.empty())
            return {};
        const auto found = std::find(merged.instruments.begin(), merged.instruments.end(), plan.instrument);
        const int index = static_cast<int>(found - merged.instruments.begin());
        if (found == merged.instruments.end())
            merged.instruments.push_back(plan.instrument);
        for (Measurement m : part.measurements) {
            m.instrument = index;
            merged.measurements.push_back(m);
        }
    }
    std::stable_sort(merged.measurements.begin(), merged.measurements.end(),
                     [](const Measurement &a, const Measurement &b) { return a.time < b.time; });
    return merged;
}

const std::vector<ExampleSet> &exampleSets()
{
    // Planets like those the method found first: a hot Jupiter, an eccentric
    // giant, a pair, and one planet seen from two observatories whose zero
    // points differ. Periastron times are near the start, t0 = 2460000.
    static const std::vector<ExampleSet> examples = [] {
        SyntheticPlan nightly;
        nightly.startTime = 2460000.0;
        nightly.cadence = Cadence::Nightly;

        ExampleSet circular{"one planet, circular", {{4.2308, 56.0, 0.0, 0.0, 2460001.3}}, {nightly}};
        circular.plans[0].count = 40;
        circular.plans[0].spanDays = 120;
        circular.plans[0].noiseSigma = 5.0;
        circular.plans[0].jitter = 2.0;
        circular.plans[0].seed = 101;

        ExampleSet eccentric{"one planet, eccentric", {{111.4, 80.0, 0.6, 1.8, 2460030.0}}, {nightly}};
        eccentric.plans[0].count = 60;
        eccentric.plans[0].spanDays = 700;
        eccentric.plans[0].noiseSigma = 3.0;
        eccentric.plans[0].jitter = 1.0;
        eccentric.plans[0].seed = 202;

        ExampleSet pair{
            "two planets", {{14.65, 70.0, 0.05, 0.9, 2460003.0}, {260.0, 30.0, 0.2, 4.0, 2460100.0}}, {nightly}};
        pair.plans[0].count = 80;
        pair.plans[0].spanDays = 900;
        pair.plans[0].noiseSigma = 3.0;
        pair.plans[0].jitter = 1.5;
        pair.plans[0].seed = 303;

        SyntheticPlan north = nightly;
        north.count = 40;
        north.spanDays = 400;
        north.noiseSigma = 2.0;
        north.seed = 404;
        north.instrument = "North";
        SyntheticPlan south = north;
        south.count = 30;
        south.noiseSigma = 4.0;
        south.jitter = 1.0;
        south.seed = 405;
        south.instrument = "South";
        south.instrumentOffset = -35.0;
        ExampleSet twoInstruments{
            "two instruments with an offset", {{31.6, 25.0, 0.15, 2.5, 2460010.0}}, {north, south}};

        return std::vector<ExampleSet>{circular, eccentric, pair, twoInstruments};
    }();
    return examples;
}

} // namespace Observations
