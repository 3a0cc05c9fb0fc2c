#include "observations/systemfile.h"

#include "observations/activityrows.h"
#include "observations/filebytes.h"
#include "observations/readerlimits.h"
#include "observations/tablereader.h"
#include "observations/textlines.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace Observations {

namespace {

using namespace Text;

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

// The name, mass and velocity files a system file's lines give, or why not.
struct SystemLines
{
    StarSystem system;
    std::vector<std::string> velocityFiles;
};

Numeric::Outcome<SystemLines> systemLines(std::string_view text, std::string_view fallbackName)
{
    SystemLines found;
    found.system.name = std::string(fallbackName);
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
                found.system.name = std::string(value);
        } else if (equalsIgnoringCase(key, "Mass")) {
            double mass = 0;
            if (parseNumber(value, mass) != NumberStatus::Ok || !(mass > 0))
                return Numeric::Refusal{lineError(
                    lines.lineNumber(), "Mass must be the star's mass in solar masses, > 0, not " + quoted(value))};
            found.system.starMassSolar = mass;
        } else if (equalsIgnoringCase(key, "RV[]")) {
            const bool plainName =
                !value.empty() && value != "." && value != ".." && value.find_first_of("/\\") == std::string_view::npos;
            if (!plainName)
                return Numeric::Refusal{
                    lineError(lines.lineNumber(), "RV[] must name a file in the same folder, not " + quoted(value))};
            if (found.velocityFiles.size() == maxInstruments)
                return Numeric::Refusal{lineError(
                    lines.lineNumber(), "more than " + std::to_string(maxInstruments) + " velocity files: refused")};
            found.velocityFiles.emplace_back(value);
        }
    }
    if (!lines.error().empty())
        return Numeric::Refusal{lines.error()};
    if (found.system.starMassSolar == 0)
        return Numeric::Refusal{"the system file gives no Mass line (the star's mass in solar masses)"};
    if (found.velocityFiles.empty())
        return Numeric::Refusal{"the system file names no velocity file (RV[] lines)"};
    return found;
}

// Appends one velocity file's reading to the system's data, or says why not.
std::optional<Numeric::Refusal> merge(Reading part, const std::string &name, StarSystem &system)
{
    DataSet &merged = system.data;
    if (merged.measurements.size() + part.data.measurements.size() > maxMeasurements)
        return Numeric::Refusal{name + ": more than " + std::to_string(maxMeasurements)
                                + " measurements in all: refused"};
    if (merged.instruments.size() + part.data.instruments.size() > maxInstruments)
        return Numeric::Refusal{name + ": more than " + std::to_string(maxInstruments)
                                + " instruments in all: refused"};
    const int firstIndex = static_cast<int>(merged.instruments.size());
    for (const std::string &instrument : part.data.instruments)
        merged.instruments.push_back(uniqueName(instrument, merged.instruments));
    for (const int instrument : part.data.instrumentsWithoutUncertainties)
        merged.instrumentsWithoutUncertainties.push_back(instrument + firstIndex);
    std::vector<std::size_t> rows(part.data.measurements.size());
    std::iota(rows.begin(), rows.end(), std::size_t(0));
    appendActivityRows(merged.activity, merged.measurements.size(), part.data.activity, rows);
    for (Measurement measurement : part.data.measurements) {
        measurement.instrument += firstIndex;
        merged.measurements.push_back(measurement);
    }
    for (const std::string &note : part.notes)
        system.notes.push_back(name + ": " + note);
    return std::nullopt;
}

} // namespace

Numeric::Outcome<StarSystem> parseSystemText(std::string_view text, const std::filesystem::path &folder,
                                             std::string_view fallbackName, const ReadOptions &options)
{
    if (const auto refusal = textRefusal(text))
        return Numeric::Refusal{"the system file is " + *refusal};
    auto lines = systemLines(text, fallbackName);
    if (!lines)
        return Numeric::Refusal{lines.reason()};
    SystemLines found = std::move(lines).value();
    for (const std::string &name : found.velocityFiles) {
        const std::filesystem::path file = folder / name;
        const auto read = readBounded(file);
        if (!read)
            return Numeric::Refusal{read.reason()};
        auto part = parseText(*read, instrumentNameFromFile(file), options);
        if (!part)
            return Numeric::Refusal{name + ": " + part.reason()};
        if (auto refusal = merge(std::move(part).value(), name, found.system))
            return std::move(*refusal);
    }
    return std::move(found.system);
}

Numeric::Outcome<StarSystem> loadSystemFile(const std::string &path, const ReadOptions &options)
{
    const std::filesystem::path file(path);
    const auto read = readBounded(file);
    if (!read)
        return Numeric::Refusal{read.reason()};
    return parseSystemText(*read, file.parent_path(), file.stem().string(), options);
}

} // namespace Observations
