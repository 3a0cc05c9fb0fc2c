#pragma once

#include "numeric/outcome.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// What the columns of a table of velocities hold, from its header line or,
/// without one, from their order. Pure C++, no Qt.
namespace Observations {

/// What a column of a header may be.
enum class Column { Time, Velocity, Uncertainty, Instrument, Ignored };

/// The units velocities are given in; the program works in m/s.
enum class VelocityUnit { MetresPerSecond, KilometresPerSecond };

/// m/s per unit.
double metresPerSecond(VelocityUnit unit);

/// The unit a text names (any case, blanks ignored): m/s, ms-1, m s^-1, mps;
/// km/s, kms-1, km s^-1, kmps. Nothing for any other text.
std::optional<VelocityUnit> velocityUnitFromText(std::string_view text);

/// The column a header name stands for (case-insensitive): Column::Ignored
/// for empty or unknown names. A unit after the name, in brackets
/// (`rv [m/s]`, `RV (km/s)`) or as a suffix (`rv_kms`, `rv_ms`), is not part
/// of the name.
Column columnFromName(std::string_view name);

/// A column of activity-index values and the index's readable name.
struct IndexColumn
{
    std::size_t column = 0;
    std::string name; ///< "S-index", "FWHM"… (see activityIndexName()), or "column N"
};

/// Where the quantities stand in a row and in which units they are given.
struct TableLayout
{
    std::size_t time = 0;
    std::size_t velocity = 1;
    std::optional<std::size_t> uncertainty = 2; ///< none: the table gives no uncertainties
    std::optional<std::size_t> instrument = 3;
    bool fromHeader = false;
    std::size_t headerFields = 0;                ///< the columns a comma-separated header names; 0 otherwise
    std::optional<VelocityUnit> velocityUnit;    ///< as the header declares it
    std::optional<VelocityUnit> uncertaintyUnit; ///< as the header declares it
    std::vector<IndexColumn> activity{};         ///< in the order of the columns

    /// Fields a row needs at least.
    std::size_t requiredFields() const;
};

/// The layout a header's fields describe. A field that is only a unit in
/// brackets (`BJD (days)` split at its blank) belongs to the field before it.
/// Columns that activityIndexName() knows are activity indices (the first
/// column of each name; a later one of the same name is skipped).
/// Refused when the header names no time or no velocity column, or gives the
/// velocity or its uncertainty a unit the program does not know.
Numeric::Outcome<TableLayout> layoutFromHeader(const std::vector<std::string_view> &fields);

/// The layout of a table without a header, from its first row: time,
/// velocity, uncertainty, then an instrument name when the fourth field is
/// not a number; every later field that reads as a number (or `nan`) is an
/// activity index named "column N" (N counted from 1). With two fields, time
/// and velocity only, and an optional instrument.
TableLayout layoutByOrder(const std::vector<std::string_view> &firstRow);

} // namespace Observations
