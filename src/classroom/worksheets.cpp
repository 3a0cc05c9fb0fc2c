#include "classroom/worksheets.h"

#include "classroom/answerkeytext.h"
#include "classroom/challengetexts.h"
#include "classroom/pdfdocument.h"
#include "classroom/velocitypicture.h"
#include "numeric/numbertext.h"

#include <QCoreApplication>

namespace Worksheets {

namespace {

/// Low enough that the key's text and two folded plots share a page.
constexpr double KeyPlotHeight = 0.4;

QString tr(const char *source)
{
    return QCoreApplication::translate("Worksheets", source);
}

void nameAndDate(PdfDocument &document)
{
    document.answerLines(1, tr(QT_TRANSLATE_NOOP("Worksheets", "Name:")));
}

void challengeHeader(PdfDocument &document, const ChallengeLoading::OpenedChallenge &opened, const QString &title)
{
    const Challenge::ChallengeData &challenge = opened.challenge;
    document.heading(title);
    document.paragraph(tr(QT_TRANSLATE_NOOP("Worksheets",
                                            "Class code %1: %2. %3 observations; the star's mass is %4 "
                                            "solar masses."))
                           .arg(opened.codeText, ChallengeTexts::levelText(challenge.settings.level))
                           .arg(challenge.data.measurements.size())
                           .arg(QString::fromStdString(Numeric::shortestText(challenge.starMassSolar))));
}

} // namespace

QByteArray lessonSheet(const Challenge::Lesson &lesson, const QList<QImage> &labPictures)
{
    const QString title = QString::fromStdString(lesson.title);
    PdfDocument document(title);
    document.heading(title);
    nameAndDate(document);
    if (!lesson.summary.empty())
        document.paragraph(QString::fromStdString(lesson.summary));
    for (const QImage &picture : labPictures)
        document.picture(picture);
    for (std::size_t i = 0; i < lesson.steps.size(); ++i) {
        const Challenge::LessonStep &step = lesson.steps[i];
        const QString stepTitle =
            step.title.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(step.title);
        document.subheading(tr(QT_TRANSLATE_NOOP("Worksheets", "Step %1")).arg(i + 1) + stepTitle);
        document.paragraph(QString::fromStdString(step.say));
        for (std::size_t q = 0; q < step.questions.size(); ++q) {
            const Challenge::Question &question = step.questions[q];
            document.paragraph(QStringLiteral("%1. %2").arg(q + 1).arg(QString::fromStdString(question.ask)));
            const QString unit =
                question.unit.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(question.unit));
            document.answerLines(2, tr(QT_TRANSLATE_NOOP("Worksheets", "Answer%1:")).arg(unit));
        }
        if (step.questions.empty())
            document.answerLines(2, tr(QT_TRANSLATE_NOOP("Worksheets", "Notes:")));
    }
    return document.bytes();
}

QByteArray challengeSheet(const ChallengeLoading::OpenedChallenge &opened)
{
    const QString title = tr(QT_TRANSLATE_NOOP("Worksheets", "Mystery planet challenge"));
    PdfDocument document(title);
    challengeHeader(document, opened, title);
    nameAndDate(document);
    document.paragraph(tr(QT_TRANSLATE_NOOP("Worksheets",
                                            "Open the challenge in the Kepler lab (File → Open challenge…) with the "
                                            "class code. Find the period in the periodogram, fold the data on it, fit "
                                            "the curve by hand or with a fit, and write down what you find.")));
    const Challenge::ChallengeData &challenge = opened.challenge;
    document.drawing(
        [&](QPainter &painter, const QRectF &area) { VelocityPicture::draw(painter, area, challenge.data); });
    const int planets = Challenge::planetCount(challenge);
    for (int planet = 1; planet <= planets; ++planet) {
        if (planets > 1)
            document.subheading(tr(QT_TRANSLATE_NOOP("Worksheets", "Planet %1")).arg(planet));
        document.answerLines(1, tr(QT_TRANSLATE_NOOP("Worksheets", "Period P (days):")));
        document.answerLines(1, tr(QT_TRANSLATE_NOOP("Worksheets", "Semi-amplitude K (m/s):")));
        document.answerLines(1, tr(QT_TRANSLATE_NOOP("Worksheets", "Eccentricity e:")));
        document.answerLines(1, tr(QT_TRANSLATE_NOOP("Worksheets", "Minimum mass m sin i (Jupiter masses):")));
    }
    document.answerLines(3, tr(QT_TRANSLATE_NOOP("Worksheets", "How sure are you, and why?")));
    return document.bytes();
}

QByteArray answerKeySheet(const ChallengeLoading::OpenedChallenge &opened, const Challenge::AnswerKey &key)
{
    const QString title = tr(QT_TRANSLATE_NOOP("Worksheets", "Answer key"));
    PdfDocument document(title);
    challengeHeader(document, opened, title);
    for (const QString &line : AnswerKeyText::lines(key))
        document.paragraph(line);
    for (std::size_t planet = 0; planet < key.bestFit.planets.size(); ++planet)
        document.drawing(
            [&](QPainter &painter, const QRectF &area) {
                VelocityPicture::drawFolded(painter, area, opened.challenge.data, key.bestFit, planet);
            },
            KeyPlotHeight);
    return document.bytes();
}

} // namespace Worksheets
