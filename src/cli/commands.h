#pragma once

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

/// orbiquest9-cli: periodograms, fits, synthetic data, velocity curves,
/// challenges and detectability maps from the command line. Exit status 0 on success, 1 when a file or its data
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

/// `challenge`: mystery-planet challenges, the same numbers the lab shows.
///
///   challenge make --level N [--points N] [--noise S] [--cadence nightly|random]
///                  [--seed S] [--no-closeness] [--json]
///   challenge data CODE [-o FILE]
///   challenge key TEACHERCODE [--json | --csv]
///   challenge score CODE --period P --k K --e E --msini M [--json]
///
/// `score` takes the four options once per planet. A wrong code or an
/// impossible answer is a UsageError; unreadable shipped data, a failed fit
/// or an unwritable file a DataError. Real stars' data are read from the
/// folder shipped beside the program.
void registerChallenge(CLI::App &app, std::ostream &out);

/// `detectability FILE [--periods A:B:N] [--k A:B:N | --msini A:B:N]
/// [--trials N] [--fap X] [--seed S] [--simulated-noise] [--json]`: what the
/// measurements could have found, an injection–recovery map over period and K
/// (detection/injectionrecovery.h) with its 50 % and 90 % contours. The
/// planets the search already finds in the file (Fitting::findPlanets with
/// the same false-alarm threshold) are removed first and listed; the map's
/// planets are injected into the residuals, or with --simulated-noise into
/// fresh noise of the measurements' uncertainties.
void registerDetectability(CLI::App &app, std::ostream &out);

/// Runs the command line given without the program's name.
int run(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace Cli
