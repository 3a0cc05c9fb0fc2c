#pragma once

#include "observations/rvdata.h"

#include <cstddef>
#include <set>
#include <string>
#include <vector>

/// The measurements a student left out of the analysis: whole instruments
/// hidden and single points excluded. Nothing is deleted: the plots grey
/// the excluded points and the exports mark them, while the periodogram and
/// the fit see only kept().
///
/// Points are measurement indices of the data set the exclusion was reset
/// for; instruments are its instrument indices.
class PointExclusion
{
public:
    /// Starts over for a data set of `measurementCount` measurements: all included.
    void reset(std::size_t measurementCount);

    void setInstrumentHidden(int instrument, bool hidden);
    bool isInstrumentHidden(int instrument) const;

    /// Excludes the point, or includes it again when it was excluded.
    void togglePoint(std::size_t index);
    void excludePoints(const std::vector<std::size_t> &indices);

    /// Left out, one by one or with its instrument.
    bool isExcluded(const Observations::DataSet &data, std::size_t index) const;
    bool excludesAny(const Observations::DataSet &data) const;
    /// isExcluded() of every measurement, in order.
    std::vector<bool> mask(const Observations::DataSet &data) const;

    /// The data the analysis sees: excluded measurements left out, and
    /// instruments left without a measurement removed, the others keeping
    /// their order (so a fit never has an offset without points); the
    /// activity indices keep the kept measurements' values.
    Observations::DataSet kept(const Observations::DataSet &data) const;

private:
    std::vector<bool> m_excludedPoints;
    std::set<int> m_hiddenInstruments;
};

/// `table` (a header line, then one line a measurement in the data's order)
/// with a last column "excluded": 1 on the lines of excluded measurements, 0
/// on the others. Columns are separated by `separator`.
std::string withExcludedColumn(const std::string &table, const std::vector<bool> &excluded, char separator);
