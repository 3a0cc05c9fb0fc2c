#include "cli/challengecommand.h"
#include "cli/commands.h"
#include "observations/datafolder.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char **argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (!words.empty() && words.front() == "challenge") {
        std::error_code error;
        const auto executable = std::filesystem::canonical("/proc/self/exe", error);
        const auto folder = error ? std::filesystem::path(argv[0]).parent_path() : executable.parent_path();
        return Cli::runChallengeCommand(words, std::cout, std::cerr, Observations::rvDataFolder(folder));
    }
    return Cli::run(words, std::cout, std::cerr);
}
