#include "fitting/decorrelation.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace Fitting {

namespace {

std::string quoted(const std::string &name)
{
    return "\"" + name + "\"";
}

/// The values of the index at instrument `k`'s measurements that have one.
std::vector<double> valuesOf(const Observations::DataSet &data, const Observations::ActivityIndex &index, int k)
{
    std::vector<double> values;
    for (std::size_t i = 0; i < data.measurements.size(); ++i)
        if (data.measurements[i].instrument == k && std::isfinite(index.values[i]))
            values.push_back(index.values[i]);
    return values;
}

} // namespace

const Observations::ActivityIndex *activityIndex(const Observations::DataSet &data, const std::string &name)
{
    const auto found = std::ranges::find(data.activity, name, &Observations::ActivityIndex::name);
    return found == data.activity.end() ? nullptr : &*found;
}

std::optional<Numeric::Refusal> decorrelationRefusal(const Observations::DataSet &data, const std::string &name)
{
    const Observations::ActivityIndex *index = activityIndex(data, name);
    if (!index) {
        if (data.activity.empty())
            return Numeric::Refusal{"There is no activity index named " + quoted(name)
                                    + " to decorrelate against: these data have no activity index."};
        std::string names;
        for (const auto &available : data.activity)
            names += (names.empty() ? "" : ", ") + quoted(available.name);
        return Numeric::Refusal{"There is no activity index named " + quoted(name)
                                + " to decorrelate against; these data have " + names + "."};
    }
    if (index->values.size() != data.measurements.size())
        return Numeric::Refusal{"The activity index " + quoted(name) + " does not hold one value per measurement."};
    for (std::size_t k = 0; k < data.instruments.size(); ++k) {
        const std::vector<double> values = valuesOf(data, *index, int(k));
        if (std::set<double>(values.begin(), values.end()).size() < 2)
            return Numeric::Refusal{"The measurements of " + data.instruments[k] + " give " + quoted(name)
                                    + " fewer than two different values: its velocities cannot be decorrelated"
                                      " against it."};
    }
    return std::nullopt;
}

Observations::DataSet measurementsWithIndex(const Observations::DataSet &data, const std::string &name)
{
    const Observations::ActivityIndex *index = activityIndex(data, name);
    if (!index || index->values.size() != data.measurements.size())
        return data;
    Observations::DataSet kept = data;
    kept.measurements.clear();
    for (auto &series : kept.activity)
        series.values.clear();
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        if (!std::isfinite(index->values[i]))
            continue;
        kept.measurements.push_back(data.measurements[i]);
        for (std::size_t a = 0; a < data.activity.size(); ++a)
            if (i < data.activity[a].values.size())
                kept.activity[a].values.push_back(data.activity[a].values[i]);
    }
    return kept;
}

std::vector<double> indexMeans(const Observations::DataSet &data, const std::string &name)
{
    std::vector<double> means(data.instruments.size(), 0.0);
    const Observations::ActivityIndex *index = activityIndex(data, name);
    if (!index || index->values.size() != data.measurements.size())
        return means;
    for (std::size_t k = 0; k < means.size(); ++k) {
        const std::vector<double> values = valuesOf(data, *index, int(k));
        double sum = 0;
        for (double x : values)
            sum += x;
        means[k] = values.empty() ? 0.0 : sum / double(values.size());
    }
    return means;
}

std::string leftOutSentence(std::size_t count, const std::string &name)
{
    return std::to_string(count) + (count == 1 ? " measurement" : " measurements") + " without a value of "
        + quoted(name) + (count == 1 ? " was" : " were") + " left out of the decorrelated fit.";
}

} // namespace Fitting
