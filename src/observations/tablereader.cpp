#include "observations/tablereader.h"

#include "observations/activityvalues.h"
#include "observations/textlines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace Observations {

namespace {

using namespace Text;

// Uncertainties in m/s below this (the median of a file) are beyond any
// spectrograph: numbers like these are km/s (CORALIE's 0.005 km/s, say).
constexpr double implausibleUncertainty = 0.05; // m/s
// Velocities in km/s stay below a few hundred; m/s of a star's reflex
// motion often exceed that.
constexpr double plausibleKilometresPerSecond = 500;

bool isDashes(const std::vector<std::string_view> &fields)
{
    return !fields.empty() && std::all_of(fields.begin(), fields.end(), [](std::string_view field) {
        return !field.empty() && field.find_first_not_of('-') == std::string_view::npos;
    });
}

bool startsAsHeader(const std::vector<std::string_view> &fields)
{
    const auto first = std::find_if(fields.begin(), fields.end(), [](std::string_view f) { return !f.empty(); });
    double unused = 0;
    return first != fields.end() && parseNumber(*first, unused, DecimalMark::Comma) == NumberStatus::NotANumber;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The unit a comment `# value_units = KM/S` declares; nothing for other comments.
std::optional<std::string_view> declaredUnitText(std::string_view line)
{
    std::string_view content = trimmed(line);
    if (!content.starts_with('#'))
        return std::nullopt;
    content = trimmed(content.substr(1));
    const std::size_t separator = content.find_first_of("=:");
    if (separator == std::string_view::npos
        || !equalsIgnoringCase(trimmed(content.substr(0, separator)), "value_units"))
        return std::nullopt;
    return trimmed(content.substr(separator + 1));
}

std::string unitName(VelocityUnit unit)
{
    return unit == VelocityUnit::KilometresPerSecond ? "km/s" : "m/s";
}

std::string ordinalColumn(const char *quantity, std::size_t index)
{
    return std::string("the ") + quantity + " (column " + std::to_string(index + 1) + ")";
}

// Turns rows into a DataSet, naming instruments in order of first appearance.
class Collector
{
public:
    explicit Collector(std::string_view defaultInstrument)
        : fallback(defaultInstrument.empty() ? std::string("default") : std::string(defaultInstrument))
    { }

    // Why the row was not taken, or nothing.
    std::optional<std::string> addRow(const std::vector<std::string_view> &fields, const TableLayout &layout,
                                      DecimalMark mark, std::size_t line)
    {
        if (auto refusal = shapeRefusal(fields, layout))
            return lineError(line, *refusal);
        Measurement measurement;
        measurement.uncertainty = assumedUncertainty;
        struct Wanted
        {
            const char *name;
            std::optional<std::size_t> index;
            double *value;
        };
        const std::array<Wanted, 3> wanted{{{"time", layout.time, &measurement.time},
                                            {"velocity", layout.velocity, &measurement.velocity},
                                            {"uncertainty", layout.uncertainty, &measurement.uncertainty}}};
        for (const Wanted &w : wanted) {
            if (!w.index)
                continue;
            const std::string_view field = fields[*w.index];
            const std::string what = ordinalColumn(w.name, *w.index);
            switch (parseNumber(field, *w.value, mark)) {
            case NumberStatus::Ok:
                break;
            case NumberStatus::NotANumber:
                return lineError(line, what + " should be a number but is " + quoted(field));
            case NumberStatus::OutOfRange:
                return lineError(line, what + " is too large for a number: " + quoted(field));
            case NumberStatus::NotFinite:
                return lineError(line, what + " should be a finite number but is " + quoted(field));
            }
        }
        // NaN or infinity anywhere in a row marks a broken export, even in a
        // column the program does not use.
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const bool used = i == layout.time || i == layout.velocity || i == layout.uncertainty
                || (layout.fromHeader && i == layout.instrument)
                || std::ranges::any_of(layout.activity, [i](const IndexColumn &c) { return c.column == i; });
            double unused = 0;
            const NumberStatus status = used ? NumberStatus::Ok : parseNumber(fields[i], unused, mark);
            if (status == NumberStatus::NotFinite || status == NumberStatus::OutOfRange)
                return lineError(
                    line, "column " + std::to_string(i + 1) + " should be a finite number but is " + quoted(fields[i]));
        }
        if (!(measurement.uncertainty > 0))
            return lineError(line,
                             ordinalColumn("uncertainty", *layout.uncertainty) + " must be a positive number but is "
                                 + quoted(fields[*layout.uncertainty]));
        if (measurements.size() == maxMeasurements)
            return lineError(line, "more than " + std::to_string(maxMeasurements) + " measurements: refused");
        const std::string_view name = instrumentName(fields, layout, mark);
        if (name.size() > maxInstrumentNameBytes)
            return lineError(line,
                             "the instrument's name is longer than " + std::to_string(maxInstrumentNameBytes)
                                 + " bytes: " + quoted(name));
        const auto index = instrumentIndex(name);
        if (!index)
            return lineError(line,
                             "more than " + std::to_string(maxInstruments)
                                 + " different instrument names: is that column an instrument?");
        measurement.instrument = *index;
        measurements.push_back(measurement);
        return std::nullopt;
    }

    bool empty() const { return measurements.empty(); }
    std::vector<Measurement> &rows() { return measurements; }

    DataSet take() { return DataSet{std::move(measurements), std::move(instruments), {}, {}}; }

private:
    static std::optional<std::string> shapeRefusal(const std::vector<std::string_view> &fields,
                                                   const TableLayout &layout)
    {
        const std::size_t required = layout.requiredFields();
        if (fields.size() < required) {
            const std::string expected = layout.uncertainty ? "time, velocity, uncertainty" : "time, velocity";
            return "expected at least " + std::to_string(required) + " values (" + expected + ") but found "
                + std::to_string(fields.size());
        }
        // A comma-separated header with fewer columns than the row: the row's
        // commas are most likely decimal marks, which would shift every value.
        if (layout.fromHeader && layout.headerFields > 1 && fields.size() > layout.headerFields)
            return "the header names " + std::to_string(layout.headerFields) + " columns but this row has "
                + std::to_string(fields.size())
                + " values; if commas are decimal marks here, separate the columns with semicolons or tabs";
        return std::nullopt;
    }

    std::string_view instrumentName(const std::vector<std::string_view> &fields, const TableLayout &layout,
                                    DecimalMark mark) const
    {
        if (!layout.instrument || *layout.instrument >= fields.size() || fields[*layout.instrument].empty())
            return fallback;
        const std::string_view field = fields[*layout.instrument];
        double unused = 0;
        if (layout.fromHeader || parseNumber(field, unused, mark) == NumberStatus::NotANumber)
            return field;
        return fallback;
    }

    std::optional<int> instrumentIndex(std::string_view name)
    {
        if (name == lastName && lastIndex >= 0)
            return lastIndex;
        std::string key(name);
        auto it = indices.find(key);
        if (it == indices.end()) {
            if (instruments.size() == maxInstruments)
                return std::nullopt;
            it = indices.emplace(key, static_cast<int>(instruments.size())).first;
            instruments.push_back(key);
        }
        lastName = it->first;
        lastIndex = it->second;
        return lastIndex;
    }

    std::string fallback;
    std::vector<Measurement> measurements;
    std::vector<std::string> instruments;
    std::unordered_map<std::string, int> indices;
    std::string lastName;
    int lastIndex = -1;
};

std::string shortNumber(double value)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3g", value);
    return text.data();
}

double median(std::vector<double> values)
{
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The units as the options, the header and the file's comments declare them.
struct DeclaredUnits
{
    std::optional<VelocityUnit> fromComment;
    std::optional<VelocityUnit> velocity;    // the header's, else the comment's
    std::optional<VelocityUnit> uncertainty; // the header's, else the velocity's
};

// Brings the rows to m/s and says what was done or what looks wrong.
void convertToMetresPerSecond(std::vector<Measurement> &rows, const DeclaredUnits &declared, bool measuredUncertainties,
                              const ReadOptions &options, std::vector<std::string> &notes)
{
    const VelocityUnit velocityUnit =
        options.velocityUnit.value_or(declared.velocity.value_or(VelocityUnit::MetresPerSecond));
    const VelocityUnit uncertaintyUnit = options.velocityUnit.value_or(declared.uncertainty.value_or(velocityUnit));
    if (options.velocityUnit && declared.velocity && *declared.velocity != *options.velocityUnit)
        notes.push_back("velocities taken as " + unitName(*options.velocityUnit)
                        + " as chosen, although the file declares " + unitName(*declared.velocity));
    const double velocityScale = metresPerSecond(velocityUnit);
    const double uncertaintyScale = measuredUncertainties ? metresPerSecond(uncertaintyUnit) : 1.0;
    for (Measurement &m : rows) {
        m.velocity *= velocityScale;
        m.uncertainty *= uncertaintyScale;
    }
    if (velocityUnit != VelocityUnit::MetresPerSecond)
        notes.push_back("velocities converted from " + unitName(velocityUnit) + " to m/s");
    if (measuredUncertainties && uncertaintyUnit != velocityUnit && uncertaintyUnit != VelocityUnit::MetresPerSecond)
        notes.push_back("uncertainties converted from " + unitName(uncertaintyUnit) + " to m/s");
    if (options.velocityUnit || declared.velocity || !measuredUncertainties)
        return;
    std::vector<double> uncertainties, speeds;
    for (const Measurement &m : rows) {
        uncertainties.push_back(m.uncertainty);
        speeds.push_back(std::abs(m.velocity));
    }
    if (median(uncertainties) < implausibleUncertainty
        && *std::max_element(speeds.begin(), speeds.end()) < plausibleKilometresPerSecond)
        notes.push_back("warning: the file declares no unit, and its uncertainties (median "
                        + shortNumber(median(uncertainties))
                        + ") are far below any spectrograph's precision in m/s: are the velocities in km/s? "
                          "Read as m/s.");
}

} // namespace

Numeric::Outcome<Reading> parseText(std::string_view text, std::string_view defaultInstrument,
                                    const ReadOptions &options)
{
    if (const auto refusal = textRefusal(text))
        return Numeric::Refusal{"the file is " + *refusal};

    LineReader lines(text);
    Collector collector(defaultInstrument);
    std::optional<TableLayout> layout;
    std::optional<ActivityValues> activity;
    Delimiter delimiter = Delimiter::BlanksAndCommas;
    DeclaredUnits declared;
    bool afterHeader = false;
    std::vector<std::string_view> fields;
    bool sawContent = false;
    while (const auto line = lines.next()) {
        if (!trimmed(*line).empty())
            sawContent = true;
        if (isBlankOrComment(*line)) {
            if (const auto unit = declaredUnitText(*line)) {
                declared.fromComment = velocityUnitFromText(*unit);
                if (!declared.fromComment)
                    return Numeric::Refusal{
                        lineError(lines.lineNumber(),
                                  "the file declares the unit " + quoted(*unit) + ", which is neither m/s nor km/s")};
            }
            continue;
        }
        if (!layout)
            delimiter = delimiterOf(*line);
        splitFields(*line, fields, delimiter);
        if (!layout) {
            if (startsAsHeader(fields)) {
                auto fromHeader = layoutFromHeader(fields);
                if (!fromHeader)
                    return Numeric::Refusal{lineError(lines.lineNumber(), fromHeader.reason())};
                layout = *fromHeader;
                activity.emplace(layout->activity);
                // Only a comma-separated header can tell decimal commas from columns.
                if (delimiter != Delimiter::BlanksAndCommas || line->find(',') == std::string_view::npos)
                    layout->headerFields = 0;
                afterHeader = true;
                continue;
            }
            layout = layoutByOrder(fields);
            activity.emplace(layout->activity);
        }
        if (afterHeader) {
            afterHeader = false;
            if (isDashes(fields))
                continue;
        }
        const DecimalMark mark = delimiter == Delimiter::BlanksAndCommas ? DecimalMark::Point : DecimalMark::Comma;
        if (auto message = collector.addRow(fields, *layout, mark, lines.lineNumber()))
            return Numeric::Refusal{std::move(*message)};
        if (auto message = activity->read(fields, mark, lines.lineNumber()))
            return Numeric::Refusal{std::move(*message)};
    }
    if (!lines.error().empty())
        return Numeric::Refusal{lines.error()};
    if (!sawContent)
        return Numeric::Refusal{"the file is empty"};
    if (collector.empty())
        return Numeric::Refusal{"no measurements in the file (only comments or a header)"};

    Reading reading;
    const bool measured = layout->uncertainty.has_value();
    declared.velocity = layout->velocityUnit ? layout->velocityUnit : declared.fromComment;
    declared.uncertainty = layout->uncertaintyUnit ? layout->uncertaintyUnit : declared.velocity;
    convertToMetresPerSecond(collector.rows(), declared, measured, options, reading.notes);
    if (!std::all_of(collector.rows().begin(), collector.rows().end(),
                     [](const Measurement &m) { return std::isfinite(m.velocity) && std::isfinite(m.uncertainty); }))
        return Numeric::Refusal{"a velocity or uncertainty is too large to convert from km/s to m/s"};
    reading.data = collector.take();
    reading.data.activity = activity->take(reading.notes);
    if (!measured) {
        for (int i = 0; i < int(reading.data.instruments.size()); ++i)
            reading.data.instrumentsWithoutUncertainties.push_back(i);
        reading.notes.push_back("no uncertainty column: every measurement weighs the same (σ set to "
                                + std::to_string(int(assumedUncertainty))
                                + " m/s); fit the jitter to learn the scatter");
    }
    return reading;
}

std::string instrumentNameFromFile(const std::filesystem::path &path)
{
    const std::string stem = path.stem().string();
    const auto first = stem.find('_');
    if (first != std::string::npos) {
        const auto second = stem.find('_', first + 1);
        if (second != std::string::npos && second > first + 1 && second + 1 < stem.size()) {
            const std::string_view number = std::string_view(stem).substr(first + 1, second - first - 1);
            if (std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); }))
                return stem.substr(second + 1);
        }
    }
    return stem;
}

} // namespace Observations
