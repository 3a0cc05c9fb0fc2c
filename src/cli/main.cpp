#include "cli/challengecommand.h"
#include "cli/commands.h"
#include "cli/detectabilitycommand.h"
#include "observations/datafolder.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

/// `detectability` on an App of its own: its failures carry their own exit status.
int runDetectability(int argc, char **argv)
{
    CLI::App app{"orbiquest9-cli"};
    app.require_subcommand(1);
    registerDetectabilityCommand(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError &error) { // CLI11 prints nothing for these: the data's reason
        std::cerr << error.what() << "\n";
        return error.get_exit_code();
    } catch (const CLI::ParseError &error) {
        return app.exit(error) == 0 ? Cli::Success : Cli::UsageFailure;
    }
    return Cli::Success;
}

std::filesystem::path shippedDataFolder(const char *programPath)
{
    std::error_code error;
    const auto executable = std::filesystem::canonical("/proc/self/exe", error);
    const auto folder = error ? std::filesystem::path(programPath).parent_path() : executable.parent_path();
    return Observations::rvDataFolder(folder);
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (!words.empty() && words.front() == "challenge")
        return Cli::runChallengeCommand(words, std::cout, std::cerr, shippedDataFolder(argv[0]));
    if (!words.empty() && words.front() == "detectability")
        return runDetectability(argc, argv);
    return Cli::run(words, std::cout, std::cerr);
}
