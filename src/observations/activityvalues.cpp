#include "observations/activityvalues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace Observations {

namespace {

using namespace Text;

// Lines named in a note about missing values; the count says the rest.
constexpr std::size_t linesNamed = 5;

constexpr double missing = std::numeric_limits<double>::quiet_NaN();

// Spreadsheets and pipelines write a missing value as NaN, nan or -nan.
bool isNotANumberWord(std::string_view field)
{
    if (field.starts_with('-') || field.starts_with('+'))
        field.remove_prefix(1);
    return field.size() == 3 && std::tolower(static_cast<unsigned char>(field[0])) == 'n'
        && std::tolower(static_cast<unsigned char>(field[1])) == 'a'
        && std::tolower(static_cast<unsigned char>(field[2])) == 'n';
}

std::string columnName(const IndexColumn &where)
{
    const std::string number = "column " + std::to_string(where.column + 1);
    return where.name == number ? number : "the " + where.name + " (" + number + ")";
}

std::string linesText(const std::vector<std::size_t> &lines, std::size_t count)
{
    std::string text = count == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? ", " : "") + std::to_string(lines[i]);
    return count > lines.size() ? text + ", …" : text;
}

} // namespace

ActivityValues::ActivityValues(const std::vector<IndexColumn> &columns)
{
    for (const IndexColumn &where : columns)
        m_columns.push_back({where, {}, {}, 0});
}

std::optional<std::string> ActivityValues::read(const std::vector<std::string_view> &fields, DecimalMark mark,
                                                std::size_t line)
{
    m_row.assign(m_columns.size(), missing);
    for (std::size_t k = 0; k < m_columns.size(); ++k) {
        const IndexColumn &where = m_columns[k].where;
        const std::string_view field = where.column < fields.size() ? fields[where.column] : std::string_view();
        if (field.empty() || isNotANumberWord(field))
            continue;
        switch (parseNumber(field, m_row[k], mark)) {
        case NumberStatus::Ok:
            break;
        case NumberStatus::NotANumber:
            return lineError(line, columnName(where) + " should be a number but is " + quoted(field));
        case NumberStatus::OutOfRange:
            return lineError(line, columnName(where) + " is too large for a number: " + quoted(field));
        case NumberStatus::NotFinite:
            return lineError(line, columnName(where) + " should be a finite number but is " + quoted(field));
        }
    }
    for (std::size_t k = 0; k < m_columns.size(); ++k) {
        Column &column = m_columns[k];
        column.values.push_back(m_row[k]);
        if (!std::isnan(m_row[k]))
            continue;
        if (column.missingLines.size() < linesNamed)
            column.missingLines.push_back(line);
        ++column.missingCount;
    }
    return std::nullopt;
}

std::vector<ActivityIndex> ActivityValues::take(std::vector<std::string> &notes)
{
    std::vector<ActivityIndex> indices;
    for (Column &column : m_columns) {
        const std::size_t rows = column.values.size();
        const std::string name = column.where.name;
        if (column.missingCount == rows) {
            notes.push_back(name + ": no row gives a value; the column is left out");
            continue;
        }
        if (column.missingCount > 0)
            notes.push_back(name + ": missing in " + std::to_string(column.missingCount) + " of " + std::to_string(rows)
                            + " rows (" + linesText(column.missingLines, column.missingCount)
                            + "); read as missing values");
        indices.push_back({name, std::move(column.values)});
    }
    return indices;
}

} // namespace Observations
