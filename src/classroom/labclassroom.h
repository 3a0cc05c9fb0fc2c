#pragma once

#include "challenge/lesson.h"

#include <QObject>
#include <QPointer>

class ChallengeMaker;
class ChallengePanel;
class KeplerLab;
class LessonPanel;
class ObservationsPanel;
class QAction;
class QDockWidget;

/// The classroom inside the Kepler lab: challenges with a class code and
/// guided lessons. It puts its commands into the lab's File menu ("New
/// challenge…", "Open challenge…", "Open lesson…", the shipped lessons and
/// the worksheets), the ChallengePanel and the LessonPanel into docks beside
/// the lab, a challenge's data into the Observations tab, and hands the
/// lesson the lab's state after every change of the planet or the data.
///
/// Object names: the actions "actionNewChallenge", "actionOpenChallenge",
/// "actionChallengeWorksheet", "actionOpenLesson", "actionLessonWorksheet",
/// the menu "lessonsMenu" with "lesson_<file name>", the docks
/// "challengeDock" and "lessonDock".
class LabClassroom : public QObject
{
    Q_OBJECT

public:
    /// Joins a classroom to `lab` and its Observations tab; the lab owns it.
    static LabClassroom *attach(KeplerLab *lab, ObservationsPanel *observations);
    /// The classroom joined to `lab`, or nullptr.
    static LabClassroom *of(KeplerLab *lab);

    ChallengeMaker *maker() const { return m_maker; }
    ChallengePanel *challengePanel() const { return m_challenge; }
    LessonPanel *lessonPanel() const { return m_lesson; }

    /// Opens the challenge of `typed` as "Open challenge…" does after its
    /// question: a faulty code is said in a critical box and nothing loads.
    bool openChallengeCode(const QString &typed);
    /// Reads and starts the lesson in `path`; a faulty file is said (its line
    /// and fault) and the lesson shown before stays.
    bool openLessonFile(const QString &path);

public slots:
    void openChallenge();
    void showAnswerKey();
    void openLesson();
    void saveChallengeWorksheet();
    void saveLessonWorksheet();

signals:
    /// Whether the lab's "How close am I?" may answer: false while a
    /// challenge that forbids it is open.
    void closenessHelpChanged(bool allowed);

private:
    LabClassroom(KeplerLab *lab, ObservationsPanel *observations);
    QList<QAction *> createActions();
    QDockWidget *dock(QWidget *content, const char *name);
    void startLesson(const Challenge::Lesson &lesson);
    void updateLessonState();
    void retranslate();
    bool eventFilter(QObject *watched, QEvent *event) override;

    KeplerLab *m_lab;
    ObservationsPanel *m_observations;
    ChallengeMaker *m_maker;
    ChallengePanel *m_challenge;
    LessonPanel *m_lesson;
    QDockWidget *m_challengeDock;
    QDockWidget *m_lessonDock;
    QList<QPair<QAction *, const char *>> m_texts; ///< each action with its source text
};
