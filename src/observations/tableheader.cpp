#include "observations/tableheader.h"

#include "observations/activitycolumns.h"
#include "observations/textlines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace Observations {

namespace {

struct Alias
{
    std::string_view name;
    Column column;
};

// The column names of the files in use: RadVel's CSVs (time mnvel errvel tel,
// t vel errvel), the .rdb tables of the HARPS pipelines (rjd vrad svrad), the
// NASA Exoplanet Archive's tables and what people type by hand.
constexpr std::array aliases{
    Alias{"time", Column::Time},
    Alias{"times", Column::Time},
    Alias{"t", Column::Time},
    Alias{"jd", Column::Time},
    Alias{"bjd", Column::Time},
    Alias{"hjd", Column::Time},
    Alias{"mjd", Column::Time},
    Alias{"rjd", Column::Time},
    Alias{"rbjd", Column::Time},
    Alias{"bjd_tdb", Column::Time},
    Alias{"bjdtdb", Column::Time},
    Alias{"bjd_utc", Column::Time},
    Alias{"hjd_utc", Column::Time},
    Alias{"jd_utc", Column::Time},
    Alias{"jdb", Column::Time},
    Alias{"date", Column::Time},
    Alias{"epoch", Column::Time},

    Alias{"mnvel", Column::Velocity},
    Alias{"vel", Column::Velocity},
    Alias{"velocity", Column::Velocity},
    Alias{"rv", Column::Velocity},
    Alias{"vrad", Column::Velocity},
    Alias{"radvel", Column::Velocity},
    Alias{"radial_velocity", Column::Velocity},
    Alias{"v", Column::Velocity},
    Alias{"vr", Column::Velocity},
    Alias{"rvel", Column::Velocity},

    Alias{"errvel", Column::Uncertainty},
    Alias{"err", Column::Uncertainty},
    Alias{"error", Column::Uncertainty},
    Alias{"rv_err", Column::Uncertainty},
    Alias{"rverr", Column::Uncertainty},
    Alias{"err_rv", Column::Uncertainty},
    Alias{"e_rv", Column::Uncertainty},
    Alias{"erv", Column::Uncertainty},
    Alias{"sigma", Column::Uncertainty},
    Alias{"sigma_rv", Column::Uncertainty},
    Alias{"sig", Column::Uncertainty},
    Alias{"sig_rv", Column::Uncertainty},
    Alias{"svrad", Column::Uncertainty},
    Alias{"sig_vrad", Column::Uncertainty},
    Alias{"e_vrad", Column::Uncertainty},
    Alias{"evel", Column::Uncertainty},
    Alias{"velerr", Column::Uncertainty},
    Alias{"vel_err", Column::Uncertainty},
    Alias{"e_vel", Column::Uncertainty},
    Alias{"unc", Column::Uncertainty},
    Alias{"uncertainty", Column::Uncertainty},
    Alias{"rv_unc", Column::Uncertainty},

    Alias{"tel", Column::Instrument},
    Alias{"telescope", Column::Instrument},
    Alias{"inst", Column::Instrument},
    Alias{"instrument", Column::Instrument},
    Alias{"instr", Column::Instrument},
    Alias{"spectrograph", Column::Instrument},
};

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view end)
{
    return text.size() > end.size() && equalsIgnoringCase(text.substr(text.size() - end.size()), end);
}

Column aliasColumn(std::string_view name)
{
    for (const Alias &alias : aliases)
        if (equalsIgnoringCase(alias.name, name))
            return alias.column;
    return Column::Ignored;
}

// A header name split into the column's name and the unit written after it.
struct NamedColumn
{
    Column column = Column::Ignored;
    std::string_view unit; ///< as written, without its brackets; empty when none
};

NamedColumn namedColumn(std::string_view name)
{
    name = Text::trimmed(name);
    std::string_view unit;
    for (const auto &[open, close] : {std::pair{'[', ']'}, std::pair{'(', ')'}}) {
        const auto start = name.rfind(open);
        if (name.ends_with(close) && start != std::string_view::npos) {
            unit = name.substr(start + 1, name.size() - start - 2);
            name = Text::trimmed(name.substr(0, start));
            break;
        }
    }
    if (const Column column = aliasColumn(name); column != Column::Ignored || !unit.empty())
        return {column, unit};
    // The unit as a suffix of the name: rv_kms, vel_ms.
    for (const std::string_view suffix : {"_kms", "_ms", "_mps", "_kmps"})
        if (endsWithIgnoringCase(name, suffix))
            return {aliasColumn(name.substr(0, name.size() - suffix.size())),
                    name.substr(name.size() - suffix.size() + 1)};
    return {};
}

// The header's fields with a field that is only a bracketed unit joined to
// the name before it, and a unit split at its blanks (`(km s-1)`) joined up.
std::vector<std::string> joinedUnits(const std::vector<std::string_view> &fields)
{
    std::vector<std::string> joined;
    bool inUnit = false;
    for (const std::string_view field : fields) {
        const bool opensUnit = field.starts_with('(') || field.starts_with('[');
        if ((opensUnit || inUnit) && !joined.empty()) {
            joined.back() += " " + std::string(field);
            inUnit = !(field.ends_with(')') || field.ends_with(']'));
            continue;
        }
        joined.emplace_back(field);
    }
    return joined;
}

void addIndexColumn(std::size_t column, std::string_view field, std::vector<IndexColumn> &columns)
{
    const auto name = activityIndexName(field);
    if (name && std::ranges::none_of(columns, [&](const IndexColumn &c) { return c.name == *name; }))
        columns.push_back({column, *name});
}

} // namespace

double metresPerSecond(VelocityUnit unit)
{
    return unit == VelocityUnit::KilometresPerSecond ? 1000.0 : 1.0;
}

std::optional<VelocityUnit> velocityUnitFromText(std::string_view text)
{
    std::string compact;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '^' && c != '.' && c != '*')
            compact += char(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string_view form : {"m/s", "ms-1", "mps", "ms"})
        if (compact == form)
            return VelocityUnit::MetresPerSecond;
    for (const std::string_view form : {"km/s", "kms-1", "kmps", "kms"})
        if (compact == form)
            return VelocityUnit::KilometresPerSecond;
    return std::nullopt;
}

Column columnFromName(std::string_view name)
{
    return namedColumn(name).column;
}

std::size_t TableLayout::requiredFields() const
{
    return std::max({time, velocity, uncertainty.value_or(0)}) + 1;
}

Numeric::Outcome<TableLayout> layoutFromHeader(const std::vector<std::string_view> &fields)
{
    const std::vector<std::string> names = joinedUnits(fields);
    std::array<std::optional<std::size_t>, 4> found; // indexed by Column up to Instrument
    std::array<std::string_view, 4> units;
    std::vector<IndexColumn> indexColumns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const NamedColumn named = namedColumn(names[i]);
        if (named.column == Column::Ignored) {
            addIndexColumn(i, names[i], indexColumns);
            continue;
        }
        const auto slot = static_cast<std::size_t>(named.column);
        if (!found[slot]) {
            found[slot] = i;
            units[slot] = named.unit;
        }
    }
    const auto at = [&](Column column) { return found[static_cast<std::size_t>(column)]; };
    if (!at(Column::Time))
        return Numeric::Refusal{"the header names no time column (such as time, jd, bjd, mjd, rjd or t)"};
    if (!at(Column::Velocity))
        return Numeric::Refusal{"the header names no velocity column (such as mnvel, rv, vel or vrad)"};
    TableLayout layout;
    layout.time = *at(Column::Time);
    layout.velocity = *at(Column::Velocity);
    layout.uncertainty = at(Column::Uncertainty);
    layout.instrument = at(Column::Instrument);
    layout.fromHeader = true;
    layout.headerFields = names.size();
    layout.activity = std::move(indexColumns);
    for (const Column column : {Column::Velocity, Column::Uncertainty}) {
        const std::string_view unit = units[static_cast<std::size_t>(column)];
        if (unit.empty())
            continue;
        const auto known = velocityUnitFromText(unit);
        if (!known)
            return Numeric::Refusal{"the header gives the "
                                    + std::string(column == Column::Velocity ? "velocity" : "uncertainty")
                                    + " the unit " + Text::quoted(unit) + ", which is neither m/s nor km/s"};
        (column == Column::Velocity ? layout.velocityUnit : layout.uncertaintyUnit) = known;
    }
    return layout;
}

TableLayout layoutByOrder(const std::vector<std::string_view> &firstRow)
{
    TableLayout layout;
    if (firstRow.size() == 2) {
        layout.uncertainty.reset();
        layout.instrument = 2;
        return layout;
    }
    for (std::size_t i = 3; i < firstRow.size(); ++i) {
        double unused = 0;
        const bool number = !firstRow[i].empty()
            && Text::parseNumber(firstRow[i], unused, Text::DecimalMark::Comma) != Text::NumberStatus::NotANumber;
        if (i == 3 && !number)
            continue; // the instrument's name
        if (i == 3)
            layout.instrument.reset();
        if (number)
            layout.activity.push_back({i, "column " + std::to_string(i + 1)});
    }
    return layout;
}

} // namespace Observations
