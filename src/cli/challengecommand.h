#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

/// `orbiquest9-cli challenge`: mystery-planet challenges from the command
/// line, the same numbers the lab shows.
///
///   challenge make --level N [--points N] [--noise S] [--cadence nightly|random]
///                  [--seed S] [--no-closeness] [--json]
///   challenge data CODE [-o FILE]
///   challenge key TEACHERCODE [--json | --csv]
///   challenge score CODE --period P --k K --e E --msini M [--json]
///
/// `score` takes the four options once per planet. A failure throws
/// CLI::RuntimeError whose exit code is 1 (the shipped data cannot be read,
/// a fit fails, a file cannot be written) or 2 (a wrong code, a value that
/// is not a number or is impossible) and whose text is the sentence for the
/// user.
namespace Cli {

/// Where the command writes and reads.
struct ChallengeCommandContext
{
    std::ostream *out = nullptr;
    std::filesystem::path rvFolder; ///< the shipped data (Observations::rvDataFolder), for real-star challenges
};

/// Adds the `challenge` subcommand and its four subcommands to `app`. The
/// context must outlive the parse.
void registerChallengeCommand(CLI::App &app, const ChallengeCommandContext &context);

/// Runs `challenge …` (words without the program's name) on an App of its
/// own: help on `out`, a failure as one line "orbiquest9-cli: <reason>" on
/// `err`. Exit status 0, 1 or 2 as the other commands.
int runChallengeCommand(const std::vector<std::string> &words, std::ostream &out, std::ostream &err,
                        const std::filesystem::path &rvFolder);

} // namespace Cli
