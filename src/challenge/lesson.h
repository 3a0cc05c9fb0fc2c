#pragma once

#include "numeric/outcome.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Guided lessons: files a teacher can write (JSON, described with an
/// example in docs/lessons.md) read into plain values a lesson panel shows.
/// Pure C++, no Qt.
///
/// A lesson has a title, an optional summary, an optional starting planet
/// ("setup": lab quantities and their values), an optional shipped data set
/// ("data", a file name in the shipped data folder) and at least one step.
/// A step says what to do, may lock and unlock lab controls by name, may
/// watch a lab quantity until it reaches a target within a tolerance, and may
/// ask questions whose numeric answers are checked within a tolerance.
namespace Challenge {

/// The lesson format this program reads.
inline constexpr int lessonFormat = 1;
/// Larger files are refused unread: a lesson is a few kilobytes.
inline constexpr std::size_t maximumLessonBytes = 1024 * 1024;

struct Watch
{
    std::string quantity; ///< one of lessonQuantities()
    double target = 0;
    double tolerance = 0; ///< > 0, in the quantity's unit
};

struct Question
{
    std::string ask;
    double answer = 0;
    double tolerance = 0; ///< > 0
    std::string unit;     ///< shown after the answer box; may be empty
};

struct LessonStep
{
    std::string title;               ///< may be empty
    std::string say;                 ///< what to do
    std::vector<std::string> lock;   ///< controls made read-only from this step on
    std::vector<std::string> unlock; ///< controls given back from this step on
    std::optional<Watch> watch;
    std::vector<Question> questions;
    int line = 0; ///< where the step starts in its file
};

struct Lesson
{
    std::string title;
    std::string summary;
    std::map<std::string, double> setup; ///< lab quantity → starting value
    std::string data;                    ///< a shipped data file to load first; may be empty
    std::vector<LessonStep> steps;
};

/// The lab controls a lesson may lock or unlock, by the objectName the lab
/// gives them.
const std::vector<std::string> &lessonControls();

/// The lab quantities a lesson may set up or watch: the elements (period,
/// semiAmplitude, eccentricity, omega in degrees, periastronTime, starMass,
/// inclination in degrees) and the derived minimumMassJupiter,
/// trueMassJupiter, reducedChiSquare and rms.
const std::vector<std::string> &lessonQuantities();

/// Reads a lesson, whole or not at all: a refusal names the line and the
/// fault ("line 14: step 3: \"tolerance\" must be a number > 0"), for text
/// that is not JSON as for JSON that is not a lesson.
Numeric::Outcome<Lesson> readLesson(std::string_view text);

/// Reads a lesson file; a refusal names the file and, for a fault in it, the line.
Numeric::Outcome<Lesson> loadLesson(const std::string &path);

} // namespace Challenge
