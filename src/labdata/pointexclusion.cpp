#include "labdata/pointexclusion.h"

#include "observations/activityrows.h"

#include <algorithm>

void PointExclusion::reset(std::size_t measurementCount)
{
    m_excludedPoints.assign(measurementCount, false);
    m_hiddenInstruments.clear();
}

void PointExclusion::setInstrumentHidden(int instrument, bool hidden)
{
    if (hidden)
        m_hiddenInstruments.insert(instrument);
    else
        m_hiddenInstruments.erase(instrument);
}

bool PointExclusion::isInstrumentHidden(int instrument) const
{
    return m_hiddenInstruments.contains(instrument);
}

void PointExclusion::togglePoint(std::size_t index)
{
    if (index < m_excludedPoints.size())
        m_excludedPoints[index] = !m_excludedPoints[index];
}

void PointExclusion::excludePoints(const std::vector<std::size_t> &indices)
{
    for (std::size_t index : indices) {
        if (index < m_excludedPoints.size())
            m_excludedPoints[index] = true;
    }
}

bool PointExclusion::isExcluded(const Observations::DataSet &data, std::size_t index) const
{
    if (index >= data.measurements.size())
        return false;
    return (index < m_excludedPoints.size() && m_excludedPoints[index])
        || isInstrumentHidden(data.measurements[index].instrument);
}

bool PointExclusion::excludesAny(const Observations::DataSet &data) const
{
    const std::vector<bool> excluded = mask(data);
    return std::ranges::find(excluded, true) != excluded.end();
}

std::vector<bool> PointExclusion::mask(const Observations::DataSet &data) const
{
    std::vector<bool> excluded(data.measurements.size());
    for (std::size_t i = 0; i < excluded.size(); ++i)
        excluded[i] = isExcluded(data, i);
    return excluded;
}

Observations::DataSet PointExclusion::kept(const Observations::DataSet &data) const
{
    std::vector<bool> used(data.instruments.size(), false);
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const int instrument = data.measurements[i].instrument;
        if (!isExcluded(data, i) && instrument >= 0 && std::size_t(instrument) < used.size())
            used[std::size_t(instrument)] = true;
    }
    Observations::DataSet kept;
    std::vector<int> renumbered(data.instruments.size(), -1);
    for (std::size_t k = 0; k < data.instruments.size(); ++k) {
        if (used[k]) {
            renumbered[k] = int(kept.instruments.size());
            kept.instruments.push_back(data.instruments[k]);
        }
    }
    // An instrument without uncertainties still needs its jitter fitted when only some of its points are kept.
    for (int instrument : data.instrumentsWithoutUncertainties)
        if (instrument >= 0 && std::size_t(instrument) < renumbered.size() && renumbered[std::size_t(instrument)] >= 0)
            kept.instrumentsWithoutUncertainties.push_back(renumbered[std::size_t(instrument)]);
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        Observations::Measurement m = data.measurements[i];
        if (isExcluded(data, i) || m.instrument < 0 || std::size_t(m.instrument) >= renumbered.size())
            continue;
        m.instrument = renumbered[std::size_t(m.instrument)];
        kept.measurements.push_back(m);
        rows.push_back(i);
    }
    kept.activity = Observations::activityOfRows(data.activity, rows);
    return kept;
}

std::string withExcludedColumn(const std::string &table, const std::vector<bool> &excluded, char separator)
{
    std::string marked;
    marked.reserve(table.size() + 2 * excluded.size() + 16);
    std::size_t line = 0;
    std::size_t start = 0;
    while (start < table.size()) {
        const std::size_t end = std::min(table.find('\n', start), table.size());
        marked.append(table, start, end - start);
        marked += separator;
        if (line == 0)
            marked += "excluded";
        else
            marked += line - 1 < excluded.size() && excluded[line - 1] ? '1' : '0';
        marked += '\n';
        ++line;
        start = end + 1;
    }
    return marked;
}
