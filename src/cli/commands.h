#pragma once

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

/// orbiquest9-cli: periodograms, fits, synthetic data and velocity curves
/// from the command line. Exit status 0 on success, 1 when a file or its data
/// cannot be used, 2 for a bad command line; the reason is one line on the
/// error stream, "orbiquest9-cli: <reason>".
///
/// Each command lives in a file of its own and adds itself to the program
/// with one register function: its subcommand, options, help texts and the
/// callback that runs it, printing to `out`. A new command is one such file
/// and one line in the list of commandline.cpp.
namespace Cli {

enum ExitCode { Success = 0, DataFailure = 1, UsageFailure = 2 };

void registerPeriodogram(CLI::App &app, std::ostream &out);
void registerFit(CLI::App &app, std::ostream &out);
void registerSimulate(CLI::App &app, std::ostream &out);
void registerCurve(CLI::App &app, std::ostream &out);

/// Runs the command line given without the program's name.
int run(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace Cli
