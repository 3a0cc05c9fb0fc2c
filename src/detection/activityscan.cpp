#include "detection/activityscan.h"

#include <cmath>
#include <map>

namespace Detection {

IndexSeries indexSeries(const Observations::DataSet &data, std::size_t which)
{
    IndexSeries series;
    if (which >= data.activity.size())
        return series;
    const Observations::ActivityIndex &index = data.activity[which];
    series.name = index.name;
    Observations::DataSet measured;
    measured.instruments = data.instruments;
    measured.instrumentsWithoutUncertainties = data.instrumentsWithoutUncertainties;
    std::vector<double> values;
    for (std::size_t row = 0; row < data.measurements.size(); ++row) {
        const double value = row < index.values.size() ? index.values[row] : NAN;
        if (!std::isfinite(value)) {
            ++series.missing;
            continue;
        }
        measured.measurements.push_back(data.measurements[row]);
        series.velocities.push_back(data.measurements[row].velocity);
        series.rows.push_back(row);
        values.push_back(value);
    }
    // Every value left is finite and there is one per measurement: never refused.
    series.data = indexAsData(measured, values).value();
    return series;
}

CenteredPairs centeredPairs(const IndexSeries &series)
{
    struct Sums
    {
        double index = 0;
        double velocity = 0;
        std::size_t count = 0;
    };
    std::map<int, Sums> perInstrument;
    const auto &measurements = series.data.measurements;
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        Sums &sums = perInstrument[measurements[i].instrument];
        sums.index += measurements[i].velocity;
        sums.velocity += series.velocities[i];
        ++sums.count;
    }
    CenteredPairs pairs;
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        const Sums &sums = perInstrument[measurements[i].instrument];
        pairs.index.push_back(measurements[i].velocity - sums.index / double(sums.count));
        pairs.velocity.push_back(series.velocities[i] - sums.velocity / double(sums.count));
    }
    return pairs;
}

IndexAnalysis analyseIndex(const Observations::DataSet &data, std::size_t which, const Periodogram::FrequencyGrid &grid,
                           std::size_t peakCount, const std::atomic<bool> *cancel)
{
    IndexAnalysis analysis;
    analysis.series = indexSeries(data, which);
    const CenteredPairs pairs = centeredPairs(analysis.series);
    if (auto correlation = pearsonCorrelation(pairs.index, pairs.velocity))
        analysis.correlation = *correlation;
    else
        analysis.correlationRefused = correlation.reason();

    const Observations::DataSet &indexData = analysis.series.data;
    if (auto refused = Periodogram::refusal(indexData, grid)) {
        analysis.periodogramRefused = refused->reason;
        return analysis;
    }
    analysis.spectrum = Periodogram::generalisedLombScargle(indexData, grid, cancel).value();
    if (cancel && cancel->load()) {
        analysis.spectrum = {};
        return analysis;
    }
    analysis.peaks = Periodogram::highestPeaks(analysis.spectrum, indexData, peakCount);
    return analysis;
}

std::vector<std::optional<ActivityFlag>> activityFlags(std::span<const Periodogram::Peak> velocityPeaks,
                                                       std::span<const IndexAnalysis> indices, double spanDays,
                                                       double indexThreshold)
{
    std::vector<std::optional<ActivityFlag>> flags(velocityPeaks.size());
    for (const IndexAnalysis &index : indices) {
        const auto coincidences = activityCoincidences(velocityPeaks, index.peaks, spanDays, indexThreshold);
        for (std::size_t k = 0; k < flags.size(); ++k)
            if (!flags[k] && coincidences[k])
                flags[k] = ActivityFlag{index.series.name, *coincidences[k]};
    }
    return flags;
}

double falseAlarmLevel(double probability, const Observations::DataSet &data, double maxFrequency)
{
    if (!(Periodogram::falseAlarmProbability(1, data, maxFrequency) <= probability))
        return 1;
    double low = 0, high = 1;
    while (high - low > 1e-6) {
        const double middle = (low + high) / 2;
        (Periodogram::falseAlarmProbability(middle, data, maxFrequency) > probability ? low : high) = middle;
    }
    return high;
}

} // namespace Detection
