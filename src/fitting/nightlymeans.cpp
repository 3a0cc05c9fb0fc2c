#include "fitting/nightlymeans.h"

#include "observations/nights.h"
#include "periodogram/peaks.h"

#include <algorithm>
#include <cmath>

namespace Fitting::Search {

namespace {

/// A mean over at most this share of a period keeps sinc(π/4) ≥ 90 % of a
/// planet's swing.
constexpr double periodShare = 0.25;
constexpr std::size_t fewestMeans = 3;

} // namespace

std::optional<double> falseAlarmByNights(const Observations::DataSet &residualsBefore, const State &after)
{
    const Observations::DataSet residualsAfter = residualSet(after, Weights::WithJitter);
    const std::vector<int> stretch = Observations::nightNumbers(residualsAfter, periodShare * after.lastPeriod());
    const std::size_t count = stretch.empty() ? 0 : std::size_t(*std::ranges::max_element(stretch) + 1);
    if (count < fewestMeans || count == stretch.size())
        return std::nullopt;
    struct Sums
    {
        double weight = 0, time = 0, before = 0, after = 0;
        int instrument = 0;
    };
    std::vector<Sums> sums(count);
    for (std::size_t i = 0; i < stretch.size(); ++i) {
        const auto &m = residualsAfter.measurements[i];
        const double w = 1 / (m.uncertainty * m.uncertainty);
        Sums &s = sums[std::size_t(stretch[i])];
        s.weight += w;
        s.time += w * m.time;
        s.before += w * residualsBefore.measurements[i].velocity;
        s.after += w * m.velocity;
        s.instrument = m.instrument;
    }
    Observations::DataSet means = residualsBefore;
    means.measurements.clear();
    means.activity.clear();
    double chiBefore = 0, chiAfter = 0;
    for (const Sums &s : sums) {
        means.measurements.push_back({s.time / s.weight, s.before / s.weight, 1 / std::sqrt(s.weight), s.instrument});
        chiBefore += s.before * s.before / s.weight;
        chiAfter += s.after * s.after / s.weight;
    }
    if (!(chiBefore > 0))
        return std::nullopt;
    const double share = std::clamp(1 - chiAfter / chiBefore, 0.0, 1.0);
    return Periodogram::falseAlarmProbability(share, means, after.grid.maxFrequency);
}

} // namespace Fitting::Search
