#include "classroom/labclassroom.h"

#include "classroom/answerkeywindow.h"
#include "classroom/challengemaker.h"
#include "classroom/challengepanel.h"
#include "classroom/classroomfiles.h"
#include "classroom/controllocks.h"
#include "classroom/lessonpanel.h"
#include "classroom/lessonstate.h"
#include "classroom/worksheets.h"
#include "ground/exportflow.h"
#include "ground/platform.h"
#include "lab/keplerlab.h"
#include "labdata/observationspanel.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QScrollArea>

namespace {

const QString PdfFilter = QStringLiteral("PDF (*.pdf)");

} // namespace

LabClassroom *LabClassroom::attach(KeplerLab *lab, ObservationsPanel *observations)
{
    return new LabClassroom(lab, observations);
}

LabClassroom *LabClassroom::of(KeplerLab *lab)
{
    return lab ? lab->findChild<LabClassroom *>() : nullptr;
}

LabClassroom::LabClassroom(KeplerLab *lab, ObservationsPanel *observations)
    : QObject(lab)
    , m_lab(lab)
    , m_observations(observations)
    , m_maker(new ChallengeMaker(lab))
    , m_challenge(new ChallengePanel)
    , m_lesson(new LessonPanel)
    , m_challengeDock(dock(m_challenge, "challengeDock"))
    , m_lessonDock(dock(m_lesson, "lessonDock"))
{
    setObjectName(QStringLiteral("LabClassroom"));
    lab->addFileActions(createActions());
    lab->installEventFilter(this);

    connect(m_challenge, &ChallengePanel::answerKeyRequested, this, &LabClassroom::showAnswerKey);
    connect(m_challenge, &ChallengePanel::closenessHelpChanged, this, &LabClassroom::closenessHelpChanged);
    connect(m_lesson, &LessonPanel::lessonStarted, this, &LabClassroom::startLesson);
    connect(m_lesson, &LessonPanel::locksChanged, this,
            [this](const std::set<std::string> &before, const std::set<std::string> &now) {
                ControlLocks::apply(m_lab, before, now);
            });
    connect(lab, &KeplerLab::planetChanged, this, &LabClassroom::updateLessonState);
    connect(observations, &ObservationsPanel::dataShown, this, &LabClassroom::updateLessonState);
    retranslate();
}

QDockWidget *LabClassroom::dock(QWidget *content, const char *name)
{
    auto *scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *dock = new QDockWidget(m_lab);
    dock->setObjectName(QString::fromLatin1(name));
    dock->setWidget(scroll);
    dock->setMinimumWidth(300);
    m_lab->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    return dock;
}

QList<QAction *> LabClassroom::createActions()
{
    auto action = [this](const char *name, const char *text, auto slot) {
        auto *item = new QAction(this);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
        m_texts.append({item, text});
        return item;
    };
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    auto *lessons = new QMenu(m_lab);
    lessons->setObjectName(QStringLiteral("lessonsMenu"));
    m_texts.append({lessons->menuAction(), QT_TR_NOOP("Lessons")});
    for (const ClassroomFiles::ShippedLesson &shipped : ClassroomFiles::shippedLessons()) {
        QAction *item = lessons->addAction(shipped.title);
        item->setObjectName(QStringLiteral("lesson_") + QFileInfo(shipped.path).fileName());
        connect(item, &QAction::triggered, this, [this, path = shipped.path] { openLessonFile(path); });
    }
    return {action("actionNewChallenge", QT_TR_NOOP("New challenge…"), [this] { m_maker->offer(); }),
            action("actionOpenChallenge", QT_TR_NOOP("Open challenge…"), &LabClassroom::openChallenge),
            action("actionChallengeWorksheet", QT_TR_NOOP("Challenge worksheet (PDF)…"),
                   &LabClassroom::saveChallengeWorksheet),
            separator,
            action("actionOpenLesson", QT_TR_NOOP("Open lesson…"), &LabClassroom::openLesson),
            lessons->menuAction(),
            action("actionLessonWorksheet", QT_TR_NOOP("Lesson worksheet (PDF)…"), &LabClassroom::saveLessonWorksheet)};
}

void LabClassroom::retranslate()
{
    for (const auto &[item, text] : std::as_const(m_texts))
        item->setText(tr(text));
    m_challengeDock->setWindowTitle(tr("Challenge"));
    m_lessonDock->setWindowTitle(tr("Lesson"));
}

bool LabClassroom::eventFilter(QObject *watched, QEvent *event)
{
    // The classroom is no widget: it rewords its menu items with the lab.
    if (watched == m_lab && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

void LabClassroom::openChallenge()
{
    const QString typed =
        Platform::current().inputBox(tr("Type the class code your teacher gave you:"), tr("Open challenge"));
    if (!typed.trimmed().isEmpty())
        openChallengeCode(typed);
}

bool LabClassroom::openChallengeCode(const QString &typed)
{
    const auto opened = ChallengeLoading::open(typed);
    if (!opened) {
        Platform::current().messageBox(
            tr("This code opens no challenge: %1").arg(QString::fromStdString(opened.reason())),
            MsgBox::OkOnly | MsgBox::Critical, tr("Open challenge"));
        return false;
    }
    m_observations->setData(opened->challenge.data, ChallengeLoading::dataTitle(*opened),
                            opened->challenge.starMassSolar);
    m_lab->showPage(m_observations);
    m_challenge->showChallenge(*opened);
    m_challengeDock->show();
    return true;
}

void LabClassroom::showAnswerKey()
{
    const auto &opened = m_challenge->challenge();
    if (!opened || opened->code.kind != Challenge::CodeKind::Teacher)
        return;
    if (const Challenge::AnswerKey *key = m_challenge->answerKey()) {
        auto *window = new AnswerKeyWindow(*opened, *key, m_lab);
        window->show();
    }
}

void LabClassroom::openLesson()
{
    const QString path = Platform::current().openFileName(m_lab, tr("Open lesson"));
    if (!path.isEmpty())
        openLessonFile(path);
}

bool LabClassroom::openLessonFile(const QString &path)
{
    const auto lesson = Challenge::loadLesson(path.toStdString());
    if (!lesson) {
        Platform::current().messageBox(
            tr("This lesson cannot be opened: %1").arg(QString::fromStdString(lesson.reason())),
            MsgBox::OkOnly | MsgBox::Critical, tr("Open lesson"));
        return false;
    }
    m_lesson->startLesson(*lesson);
    return true;
}

void LabClassroom::startLesson(const Challenge::Lesson &lesson)
{
    if (!lesson.data.empty())
        m_observations->openShippedSet(QString::fromStdString(lesson.data));
    if (!lesson.setup.empty()) {
        LabPlanet planet = LessonState::withSetup(m_lab->planet(), lesson.setup);
        planet.name = QString::fromStdString(lesson.title);
        m_lab->showPlanet(planet);
    }
    m_lab->showPage(m_lab->orbitPage());
    m_lessonDock->show();
    updateLessonState();
}

void LabClassroom::updateLessonState()
{
    m_lesson->setLabState(LessonState::of(m_lab->planet(), m_observations->data()));
}

void LabClassroom::saveChallengeWorksheet()
{
    const auto &opened = m_challenge->challenge();
    if (!opened) {
        Platform::current().messageBox(tr("Open a challenge first (File → Open challenge…)."),
                                       MsgBox::OkOnly | MsgBox::Information, tr("Challenge worksheet"));
        return;
    }
    ExportFlow::saveBytes(m_lab, PdfFilter, [&opened] { return Worksheets::challengeSheet(*opened); });
}

void LabClassroom::saveLessonWorksheet()
{
    const auto &progress = m_lesson->progress();
    if (!progress) {
        Platform::current().messageBox(tr("Open a lesson first (File → Lessons)."),
                                       MsgBox::OkOnly | MsgBox::Information, tr("Lesson worksheet"));
        return;
    }
    ExportFlow::saveBytes(m_lab, PdfFilter, [this, &progress] {
        QList<QImage> pictures{m_lab->orbitPage()->grab().toImage()};
        if (!progress->lesson().data.empty())
            pictures.append(m_observations->grab().toImage());
        return Worksheets::lessonSheet(progress->lesson(), pictures);
    });
}
