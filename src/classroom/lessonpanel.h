#pragma once

#include "challenge/lessonprogress.h"

#include <QWidget>

#include <optional>
#include <set>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

/// A guided lesson beside the lab, step by step: the step's text, what the
/// lab must show before it is done (the watched quantity and its target),
/// the questions with a box and Check each, and Next once the step is done
/// (Challenge::LessonProgress decides). The lab's state comes in through
/// setLabState(); the locks the steps ask for go out through locksChanged().
///
/// Object names: "lessonTitle", "lessonStep", "lessonSay", "lessonWatch",
/// "lessonAnswer_<n>", "lessonCheck_<n>", "lessonVerdict_<n>" for question
/// n from 1, "lessonNext".
class LessonPanel : public QWidget
{
    Q_OBJECT

public:
    explicit LessonPanel(QWidget *parent = nullptr);

    /// Starts `lesson` at its first step; announces it and its first locks.
    void startLesson(const Challenge::Lesson &lesson);
    /// The lesson under way, if any.
    const std::optional<Challenge::LessonProgress> &progress() const { return m_progress; }

public slots:
    void setLabState(const Challenge::LabState &state);
    /// Moves on when the step is done.
    void nextStep();

signals:
    /// A lesson began: the lab takes its set-up and its data.
    void lessonStarted(const Challenge::Lesson &lesson);
    /// The locked controls changed, by the lesson's names.
    void locksChanged(const std::set<std::string> &lockedBefore, const std::set<std::string> &locked);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void showStep();
    void checkAnswer(int question);
    /// The sentence for a checked answer, in the language chosen.
    QString verdictText(const Challenge::AnswerCheck &check, const std::string &unit) const;
    void updateStepDone();

    std::optional<Challenge::LessonProgress> m_progress;
    Challenge::LabState m_state;
    std::set<std::string> m_locked;
    QLabel *m_title;
    QLabel *m_stepTitle;
    QLabel *m_say;
    QLabel *m_watch;
    QWidget *m_questions;
    QVBoxLayout *m_questionsLayout;
    QList<QLineEdit *> m_answers;
    QList<QPushButton *> m_checks;
    QList<QLabel *> m_verdicts;
    QPushButton *m_next;
};
