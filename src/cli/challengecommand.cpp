#include "cli/commandkit.h"
#include "cli/commands.h"

#include "challenge/answerkey.h"
#include "challenge/challengedata.h"
#include "challenge/classcode.h"
#include "challenge/rounding.h"
#include "challenge/scoring.h"
#include "numeric/numbertext.h"
#include "observations/datafolder.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <memory>
#include <random>

namespace Cli {

namespace {

/// Where the command writes and reads.
struct ChallengeCommandContext
{
    std::ostream *out = nullptr;
    std::filesystem::path rvFolder; ///< the shipped data (Observations::rvDataFolder), for real-star challenges
};

[[noreturn]] void fail(const std::string &reason, ExitCode code)
{
    if (code == UsageFailure)
        throw UsageError{reason};
    throw DataError{reason};
}

/// The shipped data beside the running program, for the real stars' challenges.
std::filesystem::path shippedDataFolder()
{
    std::error_code error;
    const auto executable = std::filesystem::canonical("/proc/self/exe", error);
    return Observations::rvDataFolder(error ? std::filesystem::current_path() : executable.parent_path());
}

std::string cadenceName(Challenge::Cadence cadence)
{
    return cadence == Challenge::Cadence::Nightly ? "nightly" : "random";
}

Challenge::DecodedCode decoded(const std::string &code)
{
    auto result = Challenge::decodeCode(code);
    if (!result)
        fail(result.reason(), UsageFailure);
    return *result;
}

Challenge::ChallengeData challengeOf(const Challenge::ChallengeSettings &settings,
                                     const ChallengeCommandContext &context)
{
    auto challenge = Challenge::makeChallenge(settings, context.rvFolder);
    if (!challenge)
        fail(challenge.reason(), DataFailure);
    return std::move(challenge).value();
}

Challenge::AnswerKey keyOf(const Challenge::ChallengeData &challenge)
{
    auto key = Challenge::makeAnswerKey(challenge);
    if (!key)
        fail(key.reason(), DataFailure);
    return std::move(key).value();
}

struct MakeOptions
{
    int level = 0;
    std::optional<int> points;
    std::optional<double> noise;
    std::string cadence = "nightly";
    std::optional<std::uint32_t> seed;
    bool noCloseness = false;
    bool json = false;
};

Challenge::ChallengeSettings specFrom(const MakeOptions &options)
{
    const auto level = Challenge::levelFromNumber(options.level);
    if (!level)
        fail(level.reason(), UsageFailure);
    Challenge::ChallengeSettings settings = Challenge::defaultSettings(*level);
    if (options.noise && *level == Challenge::Level::RealStar)
        fail("--noise does not apply to level 5: a real star's data keep their published uncertainties", UsageFailure);
    settings.points = options.points.value_or(settings.points);
    if (options.noise)
        settings.noiseTenths = int(std::lround(*options.noise * 10));
    const auto cadence = Challenge::cadenceFromName(options.cadence);
    if (!cadence)
        fail(cadence.reason(), UsageFailure);
    settings.cadence = *cadence;
    settings.closenessHelp = !options.noCloseness;
    settings.seed = options.seed.value_or(std::uint32_t(std::random_device{}() & Challenge::maximumSeed));
    if (const auto wrong = Challenge::refusal(settings))
        fail(wrong->reason, UsageFailure);
    return settings;
}

void printMade(const Challenge::ChallengeSettings &settings, const Challenge::ChallengeData &challenge, bool json,
               std::ostream &out)
{
    const std::string classCode = Challenge::encodeCode(settings, Challenge::CodeKind::Class);
    const std::string teacherCode = Challenge::encodeCode(settings, Challenge::CodeKind::Teacher);
    const bool realStar = settings.level == Challenge::Level::RealStar;
    const std::string sampling = realStar ? std::string("published noise and dates")
                                          : "noise " + Numeric::shortestText(settings.noiseSigma()) + " m/s, "
            + cadenceName(settings.cadence) + " cadence";
    if (json) {
        Json made{{"classCode", classCode},
                  {"teacherCode", teacherCode},
                  {"level", int(settings.level)},
                  {"title", Challenge::levelTitle(settings.level)},
                  {"points", challenge.data.measurements.size()},
                  {"noise", realStar ? Json() : Json(settings.noiseSigma())},
                  {"cadence", realStar ? Json() : Json(cadenceName(settings.cadence))},
                  {"seed", settings.seed},
                  {"closenessHelp", settings.closenessHelp},
                  {"starMassSolar", challenge.starMassSolar}};
        out << made.dump(2) << "\n";
        return;
    }
    out << "Class code:     " << classCode << "\n"
        << "Teacher's code: " << teacherCode << "\n"
        << "Level " << int(settings.level) << ": " << Challenge::levelTitle(settings.level) << "\n"
        << challenge.data.measurements.size() << " points, " << sampling << ", seed " << settings.seed
        << "; the star's mass is " << Numeric::shortestText(challenge.starMassSolar) << " solar masses\n";
}

void addMake(CLI::App &challenge, const ChallengeCommandContext &context)
{
    auto options = std::make_shared<MakeOptions>();
    CLI::App *make = challenge.add_subcommand("make", "make a challenge and print its class and teacher's codes");
    make->add_option("--level", options->level,
                     "1 big circular planet, 2 eccentric, 3 small and noisy, "
                     "4 two planets, 5 a real star")
        ->required();
    make->add_option("--points", options->points, "number of measurements, 10-400");
    make->add_option("--noise", options->noise, "noise sigma, m/s, 0.1-102.3 (levels 1-4)");
    make->add_option("--cadence", options->cadence, "nightly (weather and seasons) or random");
    make->add_option("--seed", options->seed, "0-4194303 (default: drawn at random)");
    make->add_flag("--no-closeness", options->noCloseness, "the lab's \"how close am I?\" stays silent");
    make->add_flag("--json", options->json, "print JSON");
    make->callback([options, context] {
        const Challenge::ChallengeSettings settings = specFrom(*options);
        printMade(settings, challengeOf(settings, context), options->json, *context.out);
    });
}

void addData(CLI::App &challenge, const ChallengeCommandContext &context)
{
    auto code = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    CLI::App *data = challenge.add_subcommand("data", "write a challenge's data in the velocity text format");
    data->add_option("CODE", *code, "the class code (or the teacher's)")->required();
    data->add_option("-o,--output", *file, "write to this file instead of the standard output");
    data->callback([code, file, context] {
        const Challenge::ChallengeData challenge = challengeOf(decoded(*code).settings, context);
        const std::string text = Challenge::dataText(challenge);
        if (file->empty()) {
            *context.out << text;
            return;
        }
        std::ofstream stream(*file, std::ios::binary);
        stream << text;
        if (!stream.flush())
            fail("cannot write " + *file, DataFailure);
        *context.out << "Wrote " << challenge.data.measurements.size() << " measurements to " << *file
                     << "; the star's mass is " << Numeric::shortestText(challenge.starMassSolar) << " solar masses\n";
    });
}

std::string keyText(const Challenge::AnswerKey &key)
{
    std::string text =
        "Level " + std::to_string(int(key.settings.level)) + ": " + Challenge::levelTitle(key.settings.level) + "\n";
    if (!key.starName.empty())
        text += "Star: " + key.starName + "\n";
    text += "Star mass: " + Numeric::shortestText(key.starMassSolar) + " solar masses\n";
    text += "True elements (" + key.truthSource + "):\n";
    for (std::size_t i = 0; i < key.truth.size(); ++i) {
        const Challenge::KeyElements &e = key.truth[i];
        text += "  planet " + std::to_string(i + 1) + ": P = " + Numeric::shortestText(e.periodDays)
            + " d, K = " + Numeric::shortestText(e.semiAmplitude) + " m/s, e = " + Numeric::shortestText(e.eccentricity)
            + ", omega = " + Numeric::shortestText(e.omegaDegrees)
            + " deg, Tp = " + Numeric::shortestText(e.periastronTime)
            + ", m sin i = " + Numeric::shortestText(e.minimumMassJupiter) + " MJup\n";
    }
    text += "Best fit the data allow (1 sigma):\n";
    for (std::size_t i = 0; i < key.bestFit.planets.size(); ++i) {
        const auto &v = key.bestFit.planets[i].value;
        const auto &u = key.bestFit.planets[i].uncertainty;
        text += "  planet " + std::to_string(i + 1) + ": P = " + Numeric::measuredText(v.periodDays, u.periodDays)
            + " d, K = " + Numeric::measuredText(v.semiAmplitude, u.semiAmplitude)
            + " m/s, e = " + Numeric::measuredText(v.eccentricity, u.eccentricity)
            + ", m sin i = " + Numeric::measuredText(v.minimumMassJupiter, u.minimumMassJupiter) + " MJup\n";
    }
    text += "  chi-square " + Numeric::shortestText(Challenge::roundedTo(key.bestFit.chiSquare, 0.01)) + " of "
        + std::to_string(key.bestFit.pointCount) + " points, rms "
        + Numeric::shortestText(Challenge::roundedTo(key.bestFit.rms, 0.01)) + " m/s\n";
    return text;
}

void addKey(CLI::App &challenge, const ChallengeCommandContext &context)
{
    auto code = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>();
    CLI::App *key = challenge.add_subcommand("key", "print the answer key of a teacher's code");
    key->add_option("TEACHERCODE", *code, "the teacher's code")->required();
    auto *json = key->add_flag_callback(
        "--json", [format] { *format = "json"; }, "print JSON");
    key->add_flag_callback(
           "--csv", [format] { *format = "csv"; }, "print CSV")
        ->excludes(json);
    key->callback([code, format, context] {
        const Challenge::DecodedCode read = decoded(*code);
        if (read.kind != Challenge::CodeKind::Teacher)
            fail("this is a class code: the answer key needs the teacher's code", UsageFailure);
        const Challenge::AnswerKey answer = keyOf(challengeOf(read.settings, context));
        *context.out << (*format == "json"      ? Challenge::keyJson(answer)
                             : *format == "csv" ? Challenge::keyCsv(answer)
                                                : keyText(answer));
    });
}

struct ScoreOptions
{
    std::string code;
    std::vector<std::string> periods, amplitudes, eccentricities, masses;
    bool json = false;
};

std::vector<Challenge::StudentAnswer> answersFrom(const ScoreOptions &options)
{
    const std::size_t count = options.periods.size();
    if (options.amplitudes.size() != count || options.eccentricities.size() != count || options.masses.size() != count)
        fail("give --period, --k, --e and --msini once for each planet (found " + std::to_string(count) + ", "
                 + std::to_string(options.amplitudes.size()) + ", " + std::to_string(options.eccentricities.size())
                 + " and " + std::to_string(options.masses.size()) + ")",
             UsageFailure);
    auto number = [](const char *option, const std::string &text) {
        const auto value = Challenge::readAnswerNumber(option, text);
        if (!value)
            fail(value.reason(), UsageFailure);
        return *value;
    };
    std::vector<Challenge::StudentAnswer> answers;
    for (std::size_t i = 0; i < count; ++i)
        answers.push_back({number("--period", options.periods[i]), number("--k", options.amplitudes[i]),
                           number("--e", options.eccentricities[i]), number("--msini", options.masses[i])});
    return answers;
}

std::string scoreJson(const Challenge::Score &score)
{
    Json planets = Json::array();
    for (const Challenge::PlanetScore &planet : score.planets) {
        Json quantities = Json::array();
        for (const Challenge::QuantityScore &q : planet.quantities)
            quantities.push_back(
                Json{{"quantity", q.quantity}, {"answer", q.answer}, {"right", q.right}, {"sentence", q.sentence}});
        planets.push_back(Json{{"quantities", quantities}});
    }
    return Json{{"right", score.right}, {"total", score.total}, {"planets", planets}}.dump(2) + "\n";
}

void addScore(CLI::App &challenge, const ChallengeCommandContext &context)
{
    auto options = std::make_shared<ScoreOptions>();
    CLI::App *score = challenge.add_subcommand("score", "score an answer: P, K, e and m sin i for each planet");
    score->add_option("CODE", options->code, "the class code")->required();
    score->add_option("--period", options->periods, "P, days")->required();
    score->add_option("--k", options->amplitudes, "K, m/s")->required();
    score->add_option("--e", options->eccentricities, "e")->required();
    score->add_option("--msini", options->masses, "m sin i, Jupiter masses")->required();
    score->add_flag("--json", options->json, "print JSON");
    score->callback([options, context] {
        const Challenge::DecodedCode read = decoded(options->code);
        const std::vector<Challenge::StudentAnswer> answers = answersFrom(*options);
        const auto scored = Challenge::score(keyOf(challengeOf(read.settings, context)), answers);
        if (!scored)
            fail(scored.reason(), UsageFailure);
        *context.out << (options->json ? scoreJson(*scored) : Challenge::scoreText(*scored));
    });
}

} // namespace

void registerChallenge(CLI::App &app, std::ostream &out)
{
    const ChallengeCommandContext context{&out, shippedDataFolder()};
    CLI::App *challenge = app.add_subcommand("challenge", "mystery-planet challenges with class codes");
    challenge->footer(""); // the program's footer speaks of data files, which these commands do not read
    challenge->require_subcommand(1);
    addMake(*challenge, context);
    addData(*challenge, context);
    addKey(*challenge, context);
    addScore(*challenge, context);
}

} // namespace Cli
