#include "fitting/nightlymeans.h"

#include "observations/nights.h"
#include "periodogram/peaks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace Fitting::Search {

namespace {

/// A planet slower than this many of the longest nights is judged on the
/// nightly means.
constexpr double nightsPerPeriod = 4;
constexpr int fewestNights = 3;

/// One night's weighted sums of the residuals before and after a planet.
struct NightSums
{
    double weight = 0, time = 0, before = 0, after = 0;
    double first = std::numeric_limits<double>::infinity(), last = -first;
    int instrument = 0, count = 0;

    void add(const Observations::Measurement &residualAfter, double residualBefore)
    {
        const double w = 1 / (residualAfter.uncertainty * residualAfter.uncertainty);
        weight += w;
        time += w * residualAfter.time;
        before += w * residualBefore;
        after += w * residualAfter.velocity;
        instrument = residualAfter.instrument;
        ++count;
        first = std::min(first, residualAfter.time);
        last = std::max(last, residualAfter.time);
    }
    double length() const { return last - first; }
};

/// Every night's sums.
std::vector<NightSums> nightSums(const std::vector<int> &night, const Observations::DataSet &before,
                                 const Observations::DataSet &after)
{
    std::vector<NightSums> sums(night.empty() ? 0 : std::size_t(*std::ranges::max_element(night) + 1));
    for (std::size_t i = 0; i < night.size(); ++i)
        sums[std::size_t(night[i])].add(after.measurements[i], before.measurements[i].velocity);
    return sums;
}

/// The measurements of nights of two or more less their night's mean
/// (`before`'s, or `after`'s for the returned χ²), each night an instrument.
struct WithinNightResiduals
{
    Observations::DataSet set;
    double chiBefore = 0, chiAfter = 0;
};

WithinNightResiduals withinNightResiduals(const std::vector<int> &night, const std::vector<NightSums> &sums,
                                          const Observations::DataSet &before, const Observations::DataSet &after)
{
    WithinNightResiduals within;
    within.set.instrumentsWithoutUncertainties.clear();
    std::vector<int> group(sums.size(), -1);
    for (std::size_t i = 0; i < night.size(); ++i) {
        const NightSums &s = sums[std::size_t(night[i])];
        if (s.count < 2)
            continue;
        int &g = group[std::size_t(night[i])];
        if (g < 0) {
            g = int(within.set.instruments.size());
            within.set.instruments.push_back("night " + std::to_string(g + 1));
        }
        const auto &m = after.measurements[i];
        const double w = 1 / (m.uncertainty * m.uncertainty);
        const double residualBefore = before.measurements[i].velocity - s.before / s.weight;
        const double residualAfter = m.velocity - s.after / s.weight;
        within.set.measurements.push_back({m.time, residualBefore, m.uncertainty, g});
        within.chiBefore += w * residualBefore * residualBefore;
        within.chiAfter += w * residualAfter * residualAfter;
    }
    return within;
}

double longestNight(const std::vector<NightSums> &sums)
{
    return std::ranges::max(sums, {}, &NightSums::length).length();
}

} // namespace

std::optional<double> falseAlarmByNights(const State &before, const State &after)
{
    const Observations::DataSet residualsBefore = residualSet(before, Weights::WithJitter);
    const Observations::DataSet residualsAfter = residualSet(after, Weights::WithJitter);
    const std::vector<int> night = Observations::nightNumbers(residualsAfter);
    const std::vector<NightSums> sums = nightSums(night, residualsBefore, residualsAfter);
    if (sums.size() < std::size_t(fewestNights) || sums.size() == night.size())
        return std::nullopt;
    const bool fast = after.lastPeriod() < nightsPerPeriod * longestNight(sums);
    Observations::DataSet judged = residualsBefore;
    judged.activity.clear();
    double chiBefore = 0, chiAfter = 0;
    if (fast) {
        auto within = withinNightResiduals(night, sums, residualsBefore, residualsAfter);
        if (within.set.instruments.size() < std::size_t(fewestNights))
            return std::nullopt;
        judged = std::move(within.set);
        chiBefore = within.chiBefore;
        chiAfter = within.chiAfter;
    } else {
        judged.measurements.clear();
        for (const NightSums &s : sums) {
            judged.measurements.push_back(
                {s.time / s.weight, s.before / s.weight, 1 / std::sqrt(s.weight), s.instrument});
            chiBefore += s.before * s.before / s.weight;
            chiAfter += s.after * s.after / s.weight;
        }
    }
    if (!(chiBefore > 0))
        return std::nullopt;
    const double share = std::clamp(1 - chiAfter / chiBefore, 0.0, 1.0);
    return Periodogram::falseAlarmProbability(share, judged, after.grid.maxFrequency);
}

} // namespace Fitting::Search
