#pragma once

#include "observations/rvdata.h"
#include "observations/tableheader.h"
#include "observations/textlines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The activity-index columns of a table, read row by row. Internal to the
/// observations library (the table reader's).
namespace Observations {

/// Reads the index columns a layout names. An empty field, a field the row
/// lacks, or `nan` in any case is a missing value (NaN); text is refused
/// naming the line and the column, like the velocity columns' refusals.
class ActivityValues
{
public:
    explicit ActivityValues(const std::vector<IndexColumn> &columns);

    /// Reads one row's indices; why not, as "line N: …", or nothing. A row
    /// refused here leaves no value behind.
    std::optional<std::string> read(const std::vector<std::string_view> &fields, Text::DecimalMark mark,
                                    std::size_t line);

    /// The indices read, each as long as the rows read. An index missing in
    /// some rows adds a note naming it, how many rows lack it and the first of
    /// their lines; one missing in every row is left out, with a note.
    std::vector<ActivityIndex> take(std::vector<std::string> &notes);

private:
    struct Column
    {
        IndexColumn where;
        std::vector<double> values;
        std::vector<std::size_t> missingLines; ///< the first few lines without a value
        std::size_t missingCount = 0;
    };
    std::vector<Column> m_columns;
    std::vector<double> m_row; ///< the row being read
};

} // namespace Observations
