#include "observations/nights.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>

namespace Observations {

namespace {

constexpr double nightGapDays = 0.5;
constexpr double nightLengthDays = 0.7;

} // namespace

std::vector<int> nightNumbers(const DataSet &data, double longestStretchDays)
{
    const auto &m = data.measurements;
    std::vector<std::size_t> order(m.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::ranges::sort(order, [&](std::size_t a, std::size_t b) {
        return std::tie(m[a].instrument, m[a].time) < std::tie(m[b].instrument, m[b].time);
    });
    std::vector<int> night(m.size(), -1);
    int current = -1;
    double nightStart = 0, stretchStart = 0;
    for (std::size_t n = 0; n < order.size(); ++n) {
        const Measurement &here = m[order[n]];
        const bool sameNight = n > 0 && m[order[n - 1]].instrument == here.instrument
            && here.time - m[order[n - 1]].time < nightGapDays && here.time - nightStart < nightLengthDays;
        if (!sameNight)
            nightStart = here.time;
        if (!sameNight || here.time - stretchStart > longestStretchDays) {
            ++current;
            stretchStart = here.time;
        }
        night[order[n]] = current;
    }
    return night;
}

DataSet offsetPerNight(const DataSet &data)
{
    const std::vector<int> night = nightNumbers(data);
    std::vector<int> size(night.empty() ? 0 : std::size_t(*std::ranges::max_element(night) + 1), 0);
    for (int n : night)
        ++size[std::size_t(n)];
    std::vector<int> instrumentOf(size.size(), 0);
    for (std::size_t i = 0; i < night.size(); ++i)
        instrumentOf[std::size_t(night[i])] = data.measurements[i].instrument;
    DataSet split;
    std::vector<int> newInstrument(size.size(), -1);
    std::vector<int> nightsSoFar(data.instruments.size(), 0);
    for (std::size_t n = 0; n < size.size(); ++n) {
        if (size[n] < 2)
            continue;
        const int k = instrumentOf[n];
        newInstrument[n] = int(split.instruments.size());
        split.instruments.push_back(data.instruments[std::size_t(k)] + " night "
                                    + std::to_string(++nightsSoFar[std::size_t(k)]));
        if (data.lacksUncertainties(k))
            split.instrumentsWithoutUncertainties.push_back(newInstrument[n]);
    }
    for (const auto &index : data.activity)
        split.activity.push_back({index.name, {}});
    for (std::size_t i = 0; i < night.size(); ++i) {
        const int k = newInstrument[std::size_t(night[i])];
        if (k < 0)
            continue;
        Measurement m = data.measurements[i];
        m.instrument = k;
        split.measurements.push_back(m);
        for (std::size_t a = 0; a < data.activity.size(); ++a)
            split.activity[a].values.push_back(data.activity[a].values[i]);
    }
    return split;
}

} // namespace Observations
