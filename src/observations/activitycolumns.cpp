#include "observations/activitycolumns.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace Observations {

namespace {

struct IndexFamily
{
    std::string_view name;                    ///< as the program shows it
    std::string_view headerField;             ///< as the writer writes it
    std::array<std::string_view, 7> spelling; ///< compact forms (see compact()); empty ones unused
};

// S_MW is the Mount Wilson S-index as HARPS-type pipelines (TERRA, SERVAL,
// DACE) label it; log R'HK is also spelt without "log" (rhk) in some tables.
constexpr std::array families{
    IndexFamily{"S-index", "s_index", {"s", "sindex", "smw", "shk"}},
    IndexFamily{"log R'HK", "log_rhk", {"logrhk", "rhk", "lrhk"}},
    IndexFamily{"Hα", "halpha", {"halpha", "ha", "hα", "haindex"}},
    IndexFamily{"FWHM", "fwhm", {"fwhm"}},
    IndexFamily{"bisector span", "bis_span", {"bis", "bisspan", "bisector"}},
};

constexpr std::string_view columnPrefix = "column";

// The name without case, separators, brackets and primes: "log(R'HK)" → "logrhk".
std::string compact(std::string_view name)
{
    std::string letters;
    for (const char c : name) {
        if (std::string_view(" \t_-()[]'").find(c) == std::string_view::npos)
            letters += char(std::tolower(static_cast<unsigned char>(c)));
    }
    return letters;
}

// A trailing bracketed unit removed: "fwhm [km/s]" → "fwhm".
std::string_view withoutUnit(std::string_view name)
{
    for (const auto &[open, close] : {std::pair{'[', ']'}, std::pair{'(', ')'}}) {
        const auto start = name.rfind(open);
        if (name.ends_with(close) && start != std::string_view::npos && start > 0)
            return name.substr(0, start);
    }
    return name;
}

std::optional<std::string> nameOfCompact(const std::string &letters)
{
    for (const IndexFamily &family : families) {
        if (std::find(family.spelling.begin(), family.spelling.end(), letters) != family.spelling.end()
            && !letters.empty())
            return std::string(family.name);
    }
    const std::string_view digits = std::string_view(letters).substr(std::min(letters.size(), columnPrefix.size()));
    if (letters.starts_with(columnPrefix) && !digits.empty() && digits.size() < 7
        && std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::string(columnPrefix) + " " + std::string(digits);
    return std::nullopt;
}

} // namespace

std::optional<std::string> activityIndexName(std::string_view headerField)
{
    // The whole field first: log(r'hk) has brackets that are no unit.
    if (auto name = nameOfCompact(compact(headerField)))
        return name;
    const std::string_view stem = withoutUnit(headerField);
    return stem.size() < headerField.size() ? nameOfCompact(compact(stem)) : std::nullopt;
}

std::string activityHeaderField(std::string_view name)
{
    for (const IndexFamily &family : families) {
        if (family.name == name)
            return std::string(family.headerField);
    }
    std::string field(name);
    std::replace_if(
        field.begin(), field.end(), [](char c) { return c == ' ' || c == '\t'; }, '_');
    return field;
}

} // namespace Observations
