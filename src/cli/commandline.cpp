#include "cli/commandkit.h"
#include "cli/commands.h"

#include <algorithm>

namespace Cli {

namespace {

using Registration = void (*)(CLI::App &, std::ostream &);

/// Every command of the program, in the order the help lists them.
constexpr Registration Commands[] = {registerPeriodogram, registerFit,       registerSimulate,
                                     registerCurve,       registerChallenge, registerDetectability};

/// A parser's message as one line.
std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

bool isCommand(CLI::App &app, const std::string &word)
{
    const auto commands = app.get_subcommands([](CLI::App *) { return true; });
    return std::any_of(commands.begin(), commands.end(), [&](CLI::App *c) { return c->get_name() == word; });
}

} // namespace

int run(const std::vector<std::string> &words, std::ostream &out, std::ostream &err)
{
    CLI::App app("Radial velocities of stars with planets.", "orbiquest9-cli");
    app.footer(
        "FILE is a velocity file (time, velocity, uncertainty, instrument; text or CSV)\n"
        "or a .sys system file. Every command takes --json and --help.\n"
        "Exit status: 0 success, 1 unusable file or data, 2 bad command line.");
    app.require_subcommand(1);
    for (const Registration add : Commands)
        add(app, out);
    const auto fail = [&](const std::string &reason, ExitCode code) {
        err << "orbiquest9-cli: " << oneLine(reason) << "\n";
        return code;
    };
    if (words.empty())
        return fail("a command is needed: periodogram, fit, simulate, curve, challenge or detectability (see --help)",
                    UsageFailure);
    if (!words.front().starts_with('-') && !isCommand(app, words.front()))
        return fail("unknown command \"" + words.front() + "\" (see --help)", UsageFailure);
    try {
        std::vector<const char *> arguments{"orbiquest9-cli"};
        for (const auto &word : words)
            arguments.push_back(word.c_str());
        app.parse(int(arguments.size()), arguments.data());
        return Success;
    } catch (const CLI::CallForHelp &help) {
        return app.exit(help, out, err);
    } catch (const CLI::ExtrasError &error) {
        return fail(std::string(error.what()) + " (see --help)", UsageFailure);
    } catch (const CLI::ParseError &error) {
        return fail(error.what(), UsageFailure);
    } catch (const UsageError &error) {
        return fail(error.reason, UsageFailure);
    } catch (const DataError &error) {
        return fail(error.reason, DataFailure);
    } catch (const std::exception &error) {
        return fail(error.what(), DataFailure);
    }
}

} // namespace Cli
