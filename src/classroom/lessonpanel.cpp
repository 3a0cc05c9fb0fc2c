#include "classroom/lessonpanel.h"

#include "numeric/numbertext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace {

QLabel *wrapped(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString number(double value)
{
    return QString::fromStdString(Numeric::shortestText(value));
}

/// How the panel names a lab quantity a step watches.
QString quantityName(const std::string &quantity)
{
    static const std::map<std::string, const char *> names{
        {"period", "P"},
        {"semiAmplitude", "K"},
        {"eccentricity", "e"},
        {"omega", "ω"},
        {"periastronTime", "Tp"},
        {"starMass", "M★"},
        {"inclination", "i"},
        {"minimumMassJupiter", "m sin i"},
        {"trueMassJupiter", "m"},
        {"reducedChiSquare", QT_TRANSLATE_NOOP("LessonPanel", "reduced χ²")},
        {"rms", "rms"}};
    const auto found = names.find(quantity);
    return found == names.end() ? QString::fromStdString(quantity)
                                : QCoreApplication::translate("LessonPanel", found->second);
}

} // namespace

LessonPanel::LessonPanel(QWidget *parent)
    : QWidget(parent)
    , m_title(wrapped("lessonTitle"))
    , m_stepTitle(wrapped("lessonStep"))
    , m_say(wrapped("lessonSay"))
    , m_watch(wrapped("lessonWatch"))
    , m_questions(new QWidget)
    , m_questionsLayout(new QVBoxLayout(m_questions))
    , m_next(new QPushButton)
{
    setObjectName(QStringLiteral("LessonPanel"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_title->setFont(bold);
    m_next->setObjectName(QStringLiteral("lessonNext"));
    m_next->setEnabled(false);
    m_questionsLayout->setContentsMargins(0, 0, 0, 0);
    connect(m_next, &QPushButton::clicked, this, &LessonPanel::nextStep);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_title, m_stepTitle, m_say, m_watch, m_questions, m_next})
        layout->addWidget(widget);
    layout->addStretch(1);
    retranslate();
}

void LessonPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void LessonPanel::retranslate()
{
    m_next->setText(tr("Next step"));
    for (QPushButton *check : std::as_const(m_checks))
        check->setText(tr("Check"));
    if (!m_progress) {
        m_title->setText(tr("No lesson open: choose one in File → Lessons, or open a lesson file."));
        return;
    }
    m_title->setText(QString::fromStdString(m_progress->lesson().title));
    if (m_progress->finished()) {
        m_stepTitle->setText(tr("The lesson is finished. Well done!"));
        return;
    }
    const Challenge::LessonStep &step = m_progress->step();
    m_stepTitle->setText(tr("Step %1 of %2: %3")
                             .arg(m_progress->stepIndex() + 1)
                             .arg(m_progress->lesson().steps.size())
                             .arg(QString::fromStdString(step.title)));
    updateStepDone();
}

void LessonPanel::startLesson(const Challenge::Lesson &lesson)
{
    m_progress.emplace(lesson);
    emit lessonStarted(lesson);
    showStep();
}

void LessonPanel::showStep()
{
    qDeleteAll(m_questions->findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
    m_answers.clear();
    m_checks.clear();
    m_verdicts.clear();
    const bool finished = m_progress->finished();
    m_say->setText(finished ? QString() : QString::fromStdString(m_progress->step().say));
    const int questions = finished ? 0 : int(m_progress->step().questions.size());
    for (int q = 0; q < questions; ++q) {
        const Challenge::Question &question = m_progress->step().questions[std::size_t(q)];
        auto *ask = new QLabel(QString::fromStdString(question.ask));
        ask->setWordWrap(true);
        auto *row = new QWidget;
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        auto *answer = new QLineEdit;
        answer->setObjectName(QStringLiteral("lessonAnswer_%1").arg(q + 1));
        auto *check = new QPushButton;
        check->setObjectName(QStringLiteral("lessonCheck_%1").arg(q + 1));
        rowLayout->addWidget(answer, 1);
        rowLayout->addWidget(new QLabel(QString::fromStdString(question.unit)));
        rowLayout->addWidget(check);
        QLabel *verdict = wrapped("");
        verdict->setObjectName(QStringLiteral("lessonVerdict_%1").arg(q + 1));
        for (QWidget *widget : std::initializer_list<QWidget *>{ask, row, verdict}) {
            widget->setParent(m_questions);
            m_questionsLayout->addWidget(widget);
        }
        connect(check, &QPushButton::clicked, this, [this, q] { checkAnswer(q); });
        connect(answer, &QLineEdit::returnPressed, this, [this, q] { checkAnswer(q); });
        m_answers.append(answer);
        m_checks.append(check);
        m_verdicts.append(verdict);
    }
    const std::set<std::string> before = m_locked;
    m_locked = m_progress->lockedControls();
    if (finished)
        m_locked.clear();
    emit locksChanged(before, m_locked);
    retranslate();
}

QString LessonPanel::verdictText(const Challenge::AnswerCheck &check, const std::string &unit) const
{
    if (check.right)
        return tr("Right.");
    if (!check.value)
        return QString::fromStdString(check.message);
    const QString answer =
        unit.empty() ? number(*check.value) : number(*check.value) + QLatin1Char(' ') + QString::fromStdString(unit);
    return check.tooLarge ? tr("Not yet: %1 is too large.").arg(answer) : tr("Not yet: %1 is too small.").arg(answer);
}

void LessonPanel::checkAnswer(int question)
{
    if (!m_progress || question >= m_answers.size())
        return;
    const Challenge::AnswerCheck check = m_progress->checkAnswer(question, m_answers[question]->text().toStdString());
    m_verdicts[question]->setText(verdictText(check, m_progress->step().questions[std::size_t(question)].unit));
    m_verdicts[question]->setStyleSheet(check.right ? QStringLiteral("color: #006000")
                                                    : QStringLiteral("color: #b00000"));
    updateStepDone();
}

void LessonPanel::setLabState(const Challenge::LabState &state)
{
    m_state = state;
    updateStepDone();
}

void LessonPanel::updateStepDone()
{
    if (!m_progress || m_progress->finished()) {
        m_watch->clear();
        m_next->setEnabled(false);
        return;
    }
    if (const auto &watch = m_progress->step().watch) {
        const bool met = m_progress->watchMet(m_state);
        m_watch->setText((met ? QStringLiteral("✔ ") : QStringLiteral("… "))
                         + tr("The lab must show %1 = %2 (±%3).")
                               .arg(quantityName(watch->quantity), number(watch->target), number(watch->tolerance)));
    } else {
        m_watch->clear();
    }
    m_next->setEnabled(m_progress->stepDone(m_state));
}

void LessonPanel::nextStep()
{
    if (m_progress && m_progress->advance(m_state))
        showStep();
}
