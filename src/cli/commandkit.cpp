#include "cli/commandkit.h"

#include "numeric/numbertext.h"
#include "observations/rvreader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace Cli {

namespace {

template <typename Number> std::optional<Number> parsed(const std::string &text)
{
    Number value{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

CLI::Validator numberWithin(double low, double high)
{
    const std::string range = "[" + Numeric::shortestText(low) + ", " + Numeric::shortestText(high) + "]";
    return CLI::Validator(
        [=](std::string &text) -> std::string {
            const auto value = parsed<double>(text);
            if (!value || !std::isfinite(*value))
                return "needs a number, not \"" + text + "\"";
            if (*value < low || *value > high)
                return "must lie in " + range + " (found " + text + ")";
            return {};
        },
        "number in " + range);
}

CLI::Validator wholeWithin(long long low, long long high)
{
    const std::string range = "[" + std::to_string(low) + ", " + std::to_string(high) + "]";
    return CLI::Validator(
        [=](std::string &text) -> std::string {
            const auto value = parsed<long long>(text);
            if (!value)
                return "needs a whole number, not \"" + text + "\"";
            if (*value < low || *value > high)
                return "must lie in " + range + " (found " + text + ")";
            return {};
        },
        "whole number in " + range);
}

CLI::Validator oneOf(std::vector<std::string> words)
{
    std::string list;
    for (const auto &word : words)
        list += (list.empty() ? "" : " or ") + word;
    return CLI::Validator(
        [=](std::string &text) -> std::string {
            if (std::find(words.begin(), words.end(), text) != words.end())
                return {};
            return "must be " + list + " (found " + text + ")";
        },
        list);
}

Loaded load(const std::string &path, const Observations::ReadOptions &options)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw DataError{path + ": no such file"};
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    Loaded loaded;
    std::vector<std::string> notes;
    if (extension == ".sys") {
        const auto system = Observations::loadSystemFile(path, options);
        if (!system)
            throw DataError{path + ": " + system.reason()};
        loaded.data = system->data;
        loaded.starMassSolar = system->starMassSolar;
        notes = system->notes;
    } else {
        const auto result = Observations::loadFile(path, options);
        if (!result)
            throw DataError{path + ": " + result.reason()};
        loaded.data = result->data;
        notes = result->notes;
    }
    if (loaded.data.measurements.empty())
        throw DataError{path + ": the file holds no measurements"};
    // Conversions and assumptions (km/s read as m/s, uncertainties assumed) go
    // to the error stream, so the results on standard output stay as they were.
    for (const std::string &note : notes)
        std::cerr << "orbiquest9-cli: " << path << ": " << note << "\n";
    return loaded;
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << text;
    stream.close();
    if (!stream)
        throw DataError{path + ": cannot be written"};
}

double spanOf(const Observations::DataSet &data)
{
    const auto [first, last] = std::minmax_element(data.measurements.begin(), data.measurements.end(),
                                                   [](const auto &a, const auto &b) { return a.time < b.time; });
    return last->time - first->time;
}

void addUnitOption(CLI::App &command, Observations::ReadOptions &options)
{
    command
        .add_option_function<std::string>(
            "--unit",
            [&options](const std::string &unit) {
                options.velocityUnit = unit == "km/s" ? Observations::VelocityUnit::KilometresPerSecond
                                                      : Observations::VelocityUnit::MetresPerSecond;
            },
            "unit of the file's velocities and uncertainties, m/s or km/s (wins over the file's own)")
        ->check(oneOf({"m/s", "km/s"}));
}

void PeriodLimits::addTo(CLI::App &command)
{
    command.add_option("--min-period", minPeriod, "shortest period searched, days (default: from the sampling)")
        ->check(numberWithin(1e-3, 1e9));
    command.add_option("--max-period", maxPeriod, "longest period searched, days (default: twice the time span)")
        ->check(numberWithin(1e-3, 1e9));
}

Periodogram::FrequencyGrid PeriodLimits::gridFor(const Observations::DataSet &data) const
{
    if (const auto reason = Periodogram::refusal(data, Periodogram::FrequencyGrid{1, 2, 2}))
        throw DataError{reason->reason};
    const auto automatic = Periodogram::automaticGrid(data);
    if (!minPeriod && !maxPeriod)
        return automatic;
    const double shortest = minPeriod.value_or(1 / automatic.maxFrequency);
    const double longest = maxPeriod.value_or(1 / automatic.minFrequency);
    if (!(shortest < longest))
        throw UsageError{"--min-period must be shorter than --max-period"};
    return Periodogram::gridBetween(1 / longest, 1 / shortest, spanOf(data));
}

Json jsonNumber(double value)
{
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

std::string jsonLine(const Json &json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace Cli
