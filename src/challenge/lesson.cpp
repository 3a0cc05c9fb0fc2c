#include "challenge/lesson.h"

#include "challenge/jsonlines.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace Challenge {

namespace {

using Json = nlohmann::json;

/// A fault found in a parsed lesson, at a JSON pointer.
struct Fault
{
    std::string pointer;
    std::string message;
};

bool listed(const std::vector<std::string> &names, const std::string &name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

void requireKnownKeys(const Json &object, const std::string &pointer, const std::vector<std::string> &known,
                      const std::string &where)
{
    for (const auto &[key, value] : object.items())
        if (!listed(known, key))
            throw Fault{pointer + "/" + key, where + "unknown field \"" + key + "\""};
}

std::string text(const Json &object, const std::string &pointer, const char *key, const std::string &where,
                 bool required)
{
    if (!object.contains(key)) {
        if (required)
            throw Fault{pointer, where + "\"" + key + "\" is missing"};
        return {};
    }
    const Json &value = object.at(key);
    if (!value.is_string() || (required && value.get<std::string>().empty()))
        throw Fault{pointer + "/" + key, where + "\"" + key + "\" must be a text in quotes"};
    return value.get<std::string>();
}

double number(const Json &object, const std::string &pointer, const char *key, const std::string &where, bool positive)
{
    if (!object.contains(key))
        throw Fault{pointer, where + "\"" + key + "\" is missing"};
    const Json &value = object.at(key);
    if (!value.is_number() || !std::isfinite(value.get<double>()) || (positive && !(value.get<double>() > 0)))
        throw Fault{pointer + "/" + key, where + "\"" + key + "\" must be a number" + (positive ? " > 0" : "")};
    return value.get<double>();
}

std::vector<std::string> controlList(const Json &step, const std::string &pointer, const char *key,
                                     const std::string &where)
{
    std::vector<std::string> names;
    if (!step.contains(key))
        return names;
    const Json &list = step.at(key);
    if (!list.is_array())
        throw Fault{pointer + "/" + key, where + "\"" + key + "\" must be a list of control names in [ ]"};
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string at = pointer + "/" + key + "/" + std::to_string(i);
        if (!list[i].is_string() || !listed(lessonControls(), list[i].get<std::string>()))
            throw Fault{at, where + "\"" + key + "\" names no control of the lab: " + list[i].dump()};
        names.push_back(list[i].get<std::string>());
    }
    return names;
}

Watch watchOf(const Json &step, const std::string &stepPointer, const std::string &where)
{
    const std::string pointer = stepPointer + "/watch";
    const Json &watch = step.at("watch");
    if (!watch.is_object())
        throw Fault{pointer, where + "\"watch\" must be an object in { }"};
    requireKnownKeys(watch, pointer, {"quantity", "target", "tolerance"}, where + "watch: ");
    Watch result;
    result.quantity = text(watch, pointer, "quantity", where + "watch: ", true);
    if (!listed(lessonQuantities(), result.quantity))
        throw Fault{pointer + "/quantity", where + "watch: the lab has no quantity \"" + result.quantity + "\""};
    result.target = number(watch, pointer, "target", where + "watch: ", false);
    result.tolerance = number(watch, pointer, "tolerance", where + "watch: ", true);
    return result;
}

std::vector<Question> questionsOf(const Json &step, const std::string &stepPointer, const std::string &where)
{
    std::vector<Question> questions;
    if (!step.contains("questions"))
        return questions;
    const Json &list = step.at("questions");
    if (!list.is_array())
        throw Fault{stepPointer + "/questions", where + "\"questions\" must be a list in [ ]"};
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string pointer = stepPointer + "/questions/" + std::to_string(i);
        const std::string in = where + "question " + std::to_string(i + 1) + ": ";
        if (!list[i].is_object())
            throw Fault{pointer, in + "a question must be an object in { }"};
        requireKnownKeys(list[i], pointer, {"ask", "answer", "tolerance", "unit"}, in);
        questions.push_back({text(list[i], pointer, "ask", in, true), number(list[i], pointer, "answer", in, false),
                             number(list[i], pointer, "tolerance", in, true),
                             text(list[i], pointer, "unit", in, false)});
    }
    return questions;
}

LessonStep stepOf(const Json &step, std::size_t index)
{
    const std::string pointer = "/steps/" + std::to_string(index);
    const std::string where = "step " + std::to_string(index + 1) + ": ";
    if (!step.is_object())
        throw Fault{pointer, where + "a step must be an object in { }"};
    requireKnownKeys(step, pointer, {"title", "say", "lock", "unlock", "watch", "questions"}, where);
    LessonStep result;
    result.title = text(step, pointer, "title", where, false);
    result.say = text(step, pointer, "say", where, true);
    result.lock = controlList(step, pointer, "lock", where);
    result.unlock = controlList(step, pointer, "unlock", where);
    for (const std::string &name : result.lock)
        if (listed(result.unlock, name))
            throw Fault{pointer + "/unlock", where + "\"" + name + "\" is both locked and unlocked"};
    if (step.contains("watch"))
        result.watch = watchOf(step, pointer, where);
    result.questions = questionsOf(step, pointer, where);
    return result;
}

std::map<std::string, double> setupOf(const Json &root)
{
    std::map<std::string, double> setup;
    if (!root.contains("setup"))
        return setup;
    if (!root.at("setup").is_object())
        throw Fault{"/setup", "\"setup\" must be an object in { } of lab quantities and values"};
    for (const auto &[key, value] : root.at("setup").items()) {
        if (!listed(lessonQuantities(), key))
            throw Fault{"/setup/" + key, "setup: the lab has no quantity \"" + key + "\""};
        if (!value.is_number() || !std::isfinite(value.get<double>()))
            throw Fault{"/setup/" + key, "setup: \"" + key + "\" must be a number"};
        setup[key] = value.get<double>();
    }
    return setup;
}

Lesson lessonOf(const Json &root)
{
    if (!root.is_object())
        throw Fault{"", "a lesson must be one object in { }"};
    requireKnownKeys(root, "", {"format", "title", "summary", "setup", "data", "steps"}, "");
    if (!root.contains("format") || !root.at("format").is_number_integer())
        throw Fault{root.contains("format") ? "/format" : "", "\"format\" must be the whole number 1"};
    if (root.at("format").get<int>() != lessonFormat)
        throw Fault{"/format",
                    "this program reads lessons of format 1, not "
                        + std::to_string(root.at("format").get<long long>())};
    Lesson lesson;
    lesson.title = text(root, "", "title", "", true);
    lesson.summary = text(root, "", "summary", "", false);
    lesson.data = text(root, "", "data", "", false);
    lesson.setup = setupOf(root);
    if (!root.contains("steps") || !root.at("steps").is_array() || root.at("steps").empty())
        throw Fault{root.contains("steps") ? "/steps" : "", "\"steps\" must be a list in [ ] of at least one step"};
    for (std::size_t i = 0; i < root.at("steps").size(); ++i)
        lesson.steps.push_back(stepOf(root.at("steps")[i], i));
    return lesson;
}

std::string parseFault(const Json::parse_error &error)
{
    // nlohmann's text is "[json.exception.parse_error.101] parse error at
    // line 3, column 5: syntax error while parsing …; last read: '…'":
    // keep the fault, without the echo of the text, which may be no UTF-8.
    const std::string what = error.what();
    const auto column = what.find("column");
    const auto colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
    const std::string fault = colon == std::string::npos ? what : what.substr(colon + 2);
    return fault.substr(0, fault.find("; last read"));
}

} // namespace

const std::vector<std::string> &lessonControls()
{
    static const std::vector<std::string> names{
        "period",         "semiAmplitude",  "eccentricity",    "omega",
        "periastronTime", "starMass",       "inclination",     "speed",
        "phaseCheck",     "schematicCheck", "playButton",      "pauseButton",
        "planetList",     "realDataButton", "usePlanetButton", "periodogramButton",
        "periodFrom",     "periodTo",       "phasePlanet"};
    return names;
}

const std::vector<std::string> &lessonQuantities()
{
    static const std::vector<std::string> names{
        "period",          "semiAmplitude",    "eccentricity", "omega",
        "periastronTime",  "starMass",         "inclination",  "minimumMassJupiter",
        "trueMassJupiter", "reducedChiSquare", "rms"};
    return names;
}

Numeric::Outcome<Lesson> readLesson(std::string_view text)
{
    Json root;
    try {
        root = Json::parse(text);
    } catch (const Json::parse_error &error) {
        const std::size_t offset = error.byte > 0 ? error.byte - 1 : 0;
        return Numeric::Refusal{"line " + std::to_string(lineOfOffset(text, offset))
                                + ": the text is not JSON: " + parseFault(error)};
    }
    const std::map<std::string, int> lines = jsonValueLines(text);
    const auto lineOf = [&](const std::string &pointer) {
        const auto found = lines.find(pointer);
        return found == lines.end() ? 1 : found->second;
    };
    try {
        Lesson lesson = lessonOf(root);
        for (std::size_t i = 0; i < lesson.steps.size(); ++i)
            lesson.steps[i].line = lineOf("/steps/" + std::to_string(i));
        return lesson;
    } catch (const Fault &fault) {
        return Numeric::Refusal{"line " + std::to_string(lineOf(fault.pointer)) + ": " + fault.message};
    }
}

Numeric::Outcome<Lesson> loadLesson(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return Numeric::Refusal{"cannot read the lesson " + path};
    std::string content;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        content.append(buffer, std::size_t(file.gcount()));
        if (content.size() > maximumLessonBytes)
            return Numeric::Refusal{path + " is over 1 MiB: too large for a lesson"};
    }
    auto lesson = readLesson(content);
    if (!lesson)
        return Numeric::Refusal{path + ", " + lesson.reason()};
    return lesson;
}

} // namespace Challenge
