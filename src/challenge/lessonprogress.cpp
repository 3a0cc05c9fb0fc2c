#include "challenge/lessonprogress.h"

#include "challenge/scoring.h"
#include "numeric/numbertext.h"

#include <algorithm>
#include <cmath>

namespace Challenge {

LessonProgress::LessonProgress(Lesson lesson)
    : m_lesson(std::move(lesson))
    , m_answered(m_lesson.steps.empty() ? 0 : m_lesson.steps.front().questions.size(), false)
{ }

const LessonStep &LessonProgress::step() const
{
    return m_lesson.steps.at(std::size_t(m_step));
}

std::set<std::string> LessonProgress::lockedControls() const
{
    std::set<std::string> locked;
    const int last = std::min(m_step, int(m_lesson.steps.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const LessonStep &s = m_lesson.steps[std::size_t(i)];
        locked.insert(s.lock.begin(), s.lock.end());
        for (const std::string &name : s.unlock)
            locked.erase(name);
    }
    return locked;
}

bool LessonProgress::watchMet(const LabState &state) const
{
    if (finished() || !step().watch)
        return true;
    const Watch &watch = *step().watch;
    const auto value = state.find(watch.quantity);
    return value != state.end() && std::abs(value->second - watch.target) <= watch.tolerance;
}

AnswerCheck LessonProgress::checkAnswer(int question, std::string_view typed)
{
    if (finished() || question < 0 || question >= int(step().questions.size()))
        return {false, "there is no question " + std::to_string(question + 1) + " in this step", std::nullopt, false};
    const Question &asked = step().questions[std::size_t(question)];
    const auto value = readAnswerNumber("the answer", typed);
    if (!value)
        return {false, value.reason(), std::nullopt, false};
    const double off = *value - asked.answer;
    if (std::abs(off) <= asked.tolerance) {
        m_answered[std::size_t(question)] = true;
        return {true, "Right.", *value, false};
    }
    return {false,
            "Not yet: " + Numeric::shortestText(*value) + (asked.unit.empty() ? "" : " " + asked.unit)
                + (off > 0 ? " is too large." : " is too small."),
            *value, off > 0};
}

bool LessonProgress::answeredRight(int question) const
{
    return question >= 0 && question < int(m_answered.size()) && m_answered[std::size_t(question)];
}

bool LessonProgress::stepDone(const LabState &state) const
{
    return !finished() && watchMet(state)
        && std::all_of(m_answered.begin(), m_answered.end(), [](bool right) { return right; });
}

bool LessonProgress::advance(const LabState &state)
{
    if (!stepDone(state))
        return false;
    ++m_step;
    m_answered.assign(finished() ? 0 : step().questions.size(), false);
    return true;
}

} // namespace Challenge
