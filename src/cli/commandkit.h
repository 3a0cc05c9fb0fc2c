#pragma once

#include "observations/rvdata.h"
#include "observations/tablereader.h"
#include "periodogram/periodogram.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>

/// What the command files share: the two kinds of failure, number checks for
/// options, loading a data file, writing an output file, the period limits.
namespace Cli {

/// A bad command line the parser cannot see (two options that contradict
/// each other); exit status 2.
struct UsageError
{
    std::string reason;
};

/// A file or its data cannot be used; exit status 1.
struct DataError
{
    std::string reason;
};

using Json = nlohmann::ordered_json;

/// An option's value must be a finite number within [low, high].
CLI::Validator numberWithin(double low, double high);
/// An option's value must be a whole number within [low, high].
CLI::Validator wholeWithin(long long low, long long high);
/// An option's value must be one of the words.
CLI::Validator oneOf(std::vector<std::string> words);

/// A data set and, for a .sys file, the star's mass.
struct Loaded
{
    Observations::DataSet data;
    double starMassSolar = 0; ///< 0 when the file does not say
};

/// Reads a velocity file or a .sys system file; throws DataError naming the file.
Loaded load(const std::string &path, const Observations::ReadOptions &options = {});

/// --unit m/s|km/s: the unit of the file's velocities when it does not say,
/// or says wrongly (it wins over the file's own declaration).
void addUnitOption(CLI::App &command, Observations::ReadOptions &options);

/// Writes the whole text or throws DataError naming the file.
void writeFile(const std::string &path, const std::string &text);

/// The last measurement's time minus the first's, days.
double spanOf(const Observations::DataSet &data);

/// --min-period and --max-period, shared by the commands that search periods.
struct PeriodLimits
{
    std::optional<double> minPeriod, maxPeriod;

    void addTo(CLI::App &command);
    /// The automatic grid of the data, narrowed by the limits given.
    Periodogram::FrequencyGrid gridFor(const Observations::DataSet &data) const;
};

/// A number for JSON; null when not finite.
Json jsonNumber(double value);

/// The JSON on one line, as every command prints it.
std::string jsonLine(const Json &json);

} // namespace Cli
