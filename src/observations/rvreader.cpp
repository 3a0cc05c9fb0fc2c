#include "observations/rvreader.h"

#include "observations/textlines.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <cctype>
#include <unordered_map>
#include <variant>

namespace Observations {

namespace {

using namespace Text;

// A fourth column with more distinct values than this is not a list of
// instruments (it is more likely a number the reader took for a name).
constexpr std::size_t maxInstruments = 1000;

struct Alias
{
    std::string_view name;
    Column column;
};

// The column names of the files in use: RadVel's CSVs (time mnvel errvel tel,
// t vel errvel), the .rdb tables of the HARPS pipelines (rjd vrad svrad), the
// NASA Exoplanet Archive's tables and what people type by hand.
constexpr std::array aliases{
    Alias{"time", Column::Time},       Alias{"times", Column::Time},     Alias{"t", Column::Time},
    Alias{"jd", Column::Time},         Alias{"bjd", Column::Time},       Alias{"hjd", Column::Time},
    Alias{"mjd", Column::Time},        Alias{"rjd", Column::Time},       Alias{"rbjd", Column::Time},
    Alias{"bjd_tdb", Column::Time},    Alias{"bjdtdb", Column::Time},    Alias{"bjd_utc", Column::Time},
    Alias{"hjd_utc", Column::Time},    Alias{"jd_utc", Column::Time},    Alias{"jdb", Column::Time},
    Alias{"date", Column::Time},       Alias{"epoch", Column::Time},

    Alias{"mnvel", Column::Velocity},  Alias{"vel", Column::Velocity},   Alias{"velocity", Column::Velocity},
    Alias{"rv", Column::Velocity},     Alias{"vrad", Column::Velocity},  Alias{"radvel", Column::Velocity},
    Alias{"radial_velocity", Column::Velocity}, Alias{"v", Column::Velocity}, Alias{"vr", Column::Velocity},
    Alias{"rvel", Column::Velocity},   Alias{"rv_ms", Column::Velocity},

    Alias{"errvel", Column::Uncertainty}, Alias{"err", Column::Uncertainty},   Alias{"error", Column::Uncertainty},
    Alias{"rv_err", Column::Uncertainty}, Alias{"rverr", Column::Uncertainty}, Alias{"err_rv", Column::Uncertainty},
    Alias{"e_rv", Column::Uncertainty},   Alias{"erv", Column::Uncertainty},   Alias{"sigma", Column::Uncertainty},
    Alias{"sigma_rv", Column::Uncertainty}, Alias{"sig", Column::Uncertainty}, Alias{"sig_rv", Column::Uncertainty},
    Alias{"svrad", Column::Uncertainty},  Alias{"sig_vrad", Column::Uncertainty}, Alias{"e_vrad", Column::Uncertainty},
    Alias{"evel", Column::Uncertainty},   Alias{"velerr", Column::Uncertainty}, Alias{"vel_err", Column::Uncertainty},
    Alias{"e_vel", Column::Uncertainty},  Alias{"unc", Column::Uncertainty},   Alias{"uncertainty", Column::Uncertainty},
    Alias{"rv_unc", Column::Uncertainty},

    Alias{"tel", Column::Instrument},  Alias{"telescope", Column::Instrument}, Alias{"inst", Column::Instrument},
    Alias{"instrument", Column::Instrument}, Alias{"instr", Column::Instrument},
    Alias{"spectrograph", Column::Instrument},
};

// Where the quantities stand in a row; `instrument` is optional.
struct Layout
{
    std::size_t time = 0;
    std::size_t velocity = 1;
    std::size_t uncertainty = 2;
    std::optional<std::size_t> instrument = 3;
    bool fromHeader = false;

    std::size_t requiredFields() const { return std::max({time, velocity, uncertainty}) + 1; }
};

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
    return first != fields.end() && parseNumber(*first, unused) == NumberStatus::NotANumber;
}

std::variant<Layout, std::string> layoutFromHeader(const std::vector<std::string_view> &fields)
{
    std::array<std::optional<std::size_t>, 4> found; // indexed by Column up to Instrument
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Column column = columnFromName(fields[i]);
        if (column == Column::Ignored)
            continue;
        auto &slot = found[static_cast<std::size_t>(column)];
        if (!slot)
            slot = i;
    }
    const auto missing = [&](Column column) { return !found[static_cast<std::size_t>(column)]; };
    if (missing(Column::Time))
        return std::string("the header has no time column (e.g. time, jd, bjd, mjd, rjd, t)");
    if (missing(Column::Velocity))
        return std::string("the header has no velocity column (e.g. mnvel, rv, vel, vrad)");
    if (missing(Column::Uncertainty))
        return std::string("the header has no uncertainty column (e.g. errvel, err, e_rv, sigma, svrad)");
    Layout layout;
    layout.time = *found[static_cast<std::size_t>(Column::Time)];
    layout.velocity = *found[static_cast<std::size_t>(Column::Velocity)];
    layout.uncertainty = *found[static_cast<std::size_t>(Column::Uncertainty)];
    layout.instrument = found[static_cast<std::size_t>(Column::Instrument)];
    layout.fromHeader = true;
    return layout;
}

// Turns rows into a DataSet, naming instruments in order of first appearance.
class Collector
{
public:
    explicit Collector(std::string_view defaultInstrument)
        : fallback(defaultInstrument.empty() ? std::string("default") : std::string(defaultInstrument))
    {
    }

    // An error text, or empty when the row was taken.
    std::string addRow(const std::vector<std::string_view> &fields, const Layout &layout, std::size_t line)
    {
        if (fields.size() < layout.requiredFields())
            return lineError(line, "expected at least " + std::to_string(layout.requiredFields())
                                       + " fields (time, velocity, uncertainty), found "
                                       + std::to_string(fields.size()));
        Measurement measurement;
        const std::array<std::pair<std::size_t, double *>, 3> values{{
            {layout.time, &measurement.time},
            {layout.velocity, &measurement.velocity},
            {layout.uncertainty, &measurement.uncertainty},
        }};
        static constexpr std::array<std::string_view, 3> names{"time", "velocity", "uncertainty"};
        for (std::size_t k = 0; k < values.size(); ++k) {
            const std::string_view field = fields[values[k].first];
            switch (parseNumber(field, *values[k].second)) {
            case NumberStatus::Ok:
                break;
            case NumberStatus::NotANumber:
                return lineError(line, std::string(names[k]) + " is not a number: " + quoted(field));
            case NumberStatus::OutOfRange:
                return lineError(line, std::string(names[k]) + " is out of range: " + quoted(field));
            case NumberStatus::NotFinite:
                return lineError(line, std::string(names[k]) + " is not finite: " + quoted(field));
            }
        }
        // NaN or infinity anywhere in a row marks a broken export, even in a
        // column the program does not use.
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const bool used = i == layout.time || i == layout.velocity || i == layout.uncertainty
                              || (layout.fromHeader && i == layout.instrument);
            double unused = 0;
            const NumberStatus status = used ? NumberStatus::Ok : parseNumber(fields[i], unused);
            if (status == NumberStatus::NotFinite || status == NumberStatus::OutOfRange)
                return lineError(line, "column " + std::to_string(i + 1) + " is not a finite number: "
                                           + quoted(fields[i]));
        }
        if (!(measurement.uncertainty > 0))
            return lineError(line, "uncertainty must be > 0 (found " + quoted(fields[layout.uncertainty]) + ")");
        if (measurements.size() == maxMeasurements)
            return lineError(line, "more than " + std::to_string(maxMeasurements) + " measurements: refused");

        std::string_view name = fallback;
        if (layout.instrument && *layout.instrument < fields.size() && !fields[*layout.instrument].empty()) {
            const std::string_view field = fields[*layout.instrument];
            double unused = 0;
            if (layout.fromHeader || parseNumber(field, unused) == NumberStatus::NotANumber)
                name = field;
        }
        if (name.size() > maxInstrumentNameBytes)
            return lineError(line, "instrument name longer than " + std::to_string(maxInstrumentNameBytes)
                                       + " bytes: " + quoted(name));
        const auto index = instrumentIndex(name);
        if (!index)
            return lineError(line, "more than " + std::to_string(maxInstruments)
                                       + " different instrument names: is that column an instrument?");
        measurement.instrument = *index;
        measurements.push_back(measurement);
        return {};
    }

    bool empty() const { return measurements.empty(); }

    DataSet take() { return DataSet{std::move(measurements), std::move(instruments)}; }

private:
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

LoadResult failed(std::string message)
{
    return LoadResult{DataSet{}, std::move(message)};
}

struct FileBytes
{
    std::string bytes;
    std::string error; ///< empty when `bytes` holds the whole file
};

// The file's bytes, read only when the file is a sane size. Reading stops
// past the limit too, for files whose size the system does not know
// (devices, pipes).
FileBytes readBounded(const std::filesystem::path &path)
{
    const std::string shown = path.filename().string();
    const auto refused = [](std::string message) { return FileBytes{{}, std::move(message)}; };
    const auto tooLarge = [&] {
        return refused(shown + " is larger than " + std::to_string(maxTextBytes / (1024 * 1024)) + " MiB: refused");
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return refused("no such file: " + shown);
    if (std::filesystem::is_directory(status))
        return refused(shown + " is a folder, not a file");
    if (std::filesystem::is_regular_file(status)) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > maxTextBytes)
            return tooLarge();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refused("cannot open " + shown);
    FileBytes file;
    std::array<char, 1 << 16> chunk;
    while (in) {
        in.read(chunk.data(), chunk.size());
        file.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (file.bytes.size() > maxTextBytes)
            return tooLarge();
    }
    if (in.bad())
        return refused("cannot read " + shown);
    return file;
}

bool isSystemFile(const std::filesystem::path &path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".sys";
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string uniqueName(const std::string &name, const std::vector<std::string> &taken)
{
    const auto isTaken = [&](const std::string &candidate) {
        return std::find(taken.begin(), taken.end(), candidate) != taken.end();
    };
    if (!isTaken(name))
        return name;
    for (std::size_t n = 2;; ++n) {
        std::string candidate = name + "_" + std::to_string(n);
        if (!isTaken(candidate))
            return candidate;
    }
}

SystemResult systemFailure(std::string message)
{
    return SystemResult{StarSystem{}, std::move(message)};
}

} // namespace

Column columnFromName(std::string_view name)
{
    name = trimmed(name);
    if (name.ends_with(']')) {
        const auto open = name.rfind('[');
        if (open != std::string_view::npos)
            name = trimmed(name.substr(0, open));
    }
    for (const Alias &alias : aliases)
        if (equalsIgnoringCase(alias.name, name))
            return alias.column;
    return Column::Ignored;
}

LoadResult parseText(std::string_view text, std::string_view defaultInstrument)
{
    if (const auto refusal = textRefusal(text))
        return failed("the file is " + *refusal);

    LineReader lines(text);
    Collector collector(defaultInstrument);
    std::optional<Layout> layout;
    bool afterHeader = false;
    std::vector<std::string_view> fields;
    bool sawContent = false;
    while (const auto line = lines.next()) {
        if (!trimmed(*line).empty())
            sawContent = true;
        if (isBlankOrComment(*line))
            continue;
        splitFields(*line, fields);
        if (!layout) {
            if (startsAsHeader(fields)) {
                auto fromHeader = layoutFromHeader(fields);
                if (auto *message = std::get_if<std::string>(&fromHeader))
                    return failed(lineError(lines.lineNumber(), *message));
                layout = std::get<Layout>(fromHeader);
                afterHeader = true;
                continue;
            }
            layout = Layout{};
        }
        if (afterHeader) {
            afterHeader = false;
            if (isDashes(fields))
                continue;
        }
        if (auto message = collector.addRow(fields, *layout, lines.lineNumber()); !message.empty())
            return failed(std::move(message));
    }
    if (!lines.error().empty())
        return failed(lines.error());
    if (!sawContent)
        return failed("the file is empty");
    if (collector.empty())
        return failed("no measurements in the file (only comments or a header)");
    return LoadResult{collector.take(), {}};
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

LoadResult loadFile(const std::string &path)
{
    const std::filesystem::path file(path);
    if (isSystemFile(file)) {
        SystemResult system = loadSystemFile(path);
        return LoadResult{std::move(system.system.data), std::move(system.error)};
    }
    const FileBytes read = readBounded(file);
    if (!read.error.empty())
        return failed(read.error);
    return parseText(read.bytes, instrumentNameFromFile(file));
}

SystemResult parseSystemText(std::string_view text, const std::filesystem::path &folder,
                             std::string_view fallbackName)
{
    if (const auto refusal = textRefusal(text))
        return systemFailure("the system file is " + *refusal);

    StarSystem system;
    system.name = std::string(fallbackName);
    std::vector<std::string> velocityFiles;
    LineReader lines(text);
    while (const auto line = lines.next()) {
        if (isBlankOrComment(*line))
            continue;
        const std::string_view content = trimmed(*line);
        const std::size_t keyEnd = std::min(content.find_first_of(" \t"), content.size());
        const std::string_view key = content.substr(0, keyEnd);
        const std::string_view value = trimmed(content.substr(keyEnd));
        if (equalsIgnoringCase(key, "Name")) {
            if (!value.empty())
                system.name = std::string(value);
        } else if (equalsIgnoringCase(key, "Mass")) {
            double mass = 0;
            if (parseNumber(value, mass) != NumberStatus::Ok || !(mass > 0))
                return systemFailure(lineError(lines.lineNumber(),
                                               "Mass must be the star's mass in solar masses, > 0, not "
                                                   + quoted(value)));
            system.starMassSolar = mass;
        } else if (equalsIgnoringCase(key, "RV[]")) {
            const bool plainName = !value.empty() && value != "." && value != ".."
                                   && value.find_first_of("/\\") == std::string_view::npos;
            if (!plainName)
                return systemFailure(lineError(lines.lineNumber(),
                                               "RV[] must name a file in the same folder, not " + quoted(value)));
            if (velocityFiles.size() == maxInstruments)
                return systemFailure(lineError(lines.lineNumber(), "more than " + std::to_string(maxInstruments)
                                                                       + " velocity files: refused"));
            velocityFiles.emplace_back(value);
        }
    }
    if (!lines.error().empty())
        return systemFailure(lines.error());
    if (system.starMassSolar == 0)
        return systemFailure("the system file gives no Mass line (the star's mass in solar masses)");
    if (velocityFiles.empty())
        return systemFailure("the system file names no velocity file (RV[] lines)");

    DataSet &merged = system.data;
    for (const std::string &name : velocityFiles) {
        const std::filesystem::path file = folder / name;
        const FileBytes read = readBounded(file);
        if (!read.error.empty())
            return systemFailure(read.error);
        LoadResult part = parseText(read.bytes, instrumentNameFromFile(file));
        if (!part.ok())
            return systemFailure(name + ": " + part.error);
        if (merged.measurements.size() + part.data.measurements.size() > maxMeasurements)
            return systemFailure(name + ": more than " + std::to_string(maxMeasurements)
                                 + " measurements in all: refused");
        if (merged.instruments.size() + part.data.instruments.size() > maxInstruments)
            return systemFailure(name + ": more than " + std::to_string(maxInstruments)
                                 + " instruments in all: refused");
        const int firstIndex = static_cast<int>(merged.instruments.size());
        for (const std::string &instrument : part.data.instruments)
            merged.instruments.push_back(uniqueName(instrument, merged.instruments));
        for (Measurement measurement : part.data.measurements) {
            measurement.instrument += firstIndex;
            merged.measurements.push_back(measurement);
        }
    }
    return SystemResult{std::move(system), {}};
}

SystemResult loadSystemFile(const std::string &path)
{
    const std::filesystem::path file(path);
    const FileBytes read = readBounded(file);
    if (!read.error.empty())
        return systemFailure(read.error);
    return parseSystemText(read.bytes, file.parent_path(), file.stem().string());
}

} // namespace Observations
