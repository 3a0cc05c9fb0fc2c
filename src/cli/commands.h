#pragma once

#include <ostream>
#include <string>
#include <vector>

/// orbiquest9-cli: periodograms, fits, synthetic data and velocity curves
/// from the command line. Exit status 0 on success, 1 when a file or its data
/// cannot be used, 2 for a bad command line; the reason is one line on the
/// error stream, "orbiquest9-cli: <reason>".
namespace Cli {

enum ExitCode { Success = 0, DataFailure = 1, UsageFailure = 2 };

/// Runs the command line given without the program's name.
int run(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace Cli
