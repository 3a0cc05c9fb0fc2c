#include "cli/commands.h"
#include "cli/detectabilitycommand.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string_view>

int main(int argc, char **argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "detectability") {
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
    return Cli::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
