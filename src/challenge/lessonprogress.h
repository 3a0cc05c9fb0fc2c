#pragma once

#include "challenge/lesson.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

/// Where a student is in a lesson: a plain value a lesson panel drives and
/// shows. Pure C++, no Qt.
namespace Challenge {

/// The lab's quantities as the panel reads them (names of lessonQuantities()).
using LabState = std::map<std::string, double>;

/// The verdict on one typed answer.
struct AnswerCheck
{
    bool right = false;
    std::string message; ///< "Right.", "Not yet: 12 is too large.", or why the text is no number
    /// The number read, when the text was one (a window words its own sentence from it).
    std::optional<double> value;
    bool tooLarge = false; ///< a wrong number lies above the answer
};

class LessonProgress
{
public:
    explicit LessonProgress(Lesson lesson);

    const Lesson &lesson() const { return m_lesson; }
    /// The current step, from 0; lesson().steps.size() once finished.
    int stepIndex() const { return m_step; }
    bool finished() const { return m_step >= int(m_lesson.steps.size()); }
    /// The current step; only when not finished().
    const LessonStep &step() const;

    /// The controls locked now: each step up to the current one locks its
    /// "lock" list and then gives back its "unlock" list.
    std::set<std::string> lockedControls() const;

    /// Whether the current step's watched quantity is within its tolerance of
    /// the target (true when the step watches nothing; false when the state
    /// lacks the quantity).
    bool watchMet(const LabState &state) const;

    /// Checks the typed answer to the current step's question (from 0) and
    /// remembers a right one.
    AnswerCheck checkAnswer(int question, std::string_view typed);
    bool answeredRight(int question) const;

    /// Whether the step is done: its watch met and every question answered right.
    bool stepDone(const LabState &state) const;
    /// Moves to the next step when stepDone(state); returns whether it moved.
    bool advance(const LabState &state);

private:
    Lesson m_lesson;
    int m_step = 0;
    std::vector<bool> m_answered; ///< the current step's questions answered right
};

} // namespace Challenge
