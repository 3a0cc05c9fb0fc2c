#include "classroom/challengetexts.h"

#include "challenge/rounding.h"
#include "numeric/numbertext.h"

#include <QCoreApplication>

#include <array>

namespace ChallengeTexts {

namespace {

const char *const Context = "ChallengeTexts";

struct QuantityWords
{
    const char *quantity;
    const char *unit;
    const char *right;
    const char *tooHigh;
    const char *tooLow;
};

// The unit is its own source text: the Japanese texts keep the same symbols.
constexpr std::array<QuantityWords, 4> Words{{
    {"P", " d", QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is right, within what the data allow (±%2)."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too long: shorten it."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too short: lengthen it.")},
    {"K", " m/s", QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is right, within what the data allow (±%2)."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too large: make it smaller."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too small: make it larger.")},
    {"e", "", QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is right, within what the data allow (±%2)."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too large: the orbit is rounder."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too small: the orbit is more elongated.")},
    {"m sin i", " MJup", QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is right, within what the data allow (±%2)."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too large: make it smaller."),
     QT_TRANSLATE_NOOP("ChallengeTexts", "%1 is too small: make it larger.")},
}};

QString tr(const char *source)
{
    return QCoreApplication::translate(Context, source);
}

} // namespace

QString levelText(Challenge::Level level)
{
    switch (level) {
    case Challenge::Level::BigCircular:
        return tr(QT_TRANSLATE_NOOP("ChallengeTexts", "One big planet on a circular orbit"));
    case Challenge::Level::Eccentric:
        return tr(QT_TRANSLATE_NOOP("ChallengeTexts", "One planet on an eccentric orbit"));
    case Challenge::Level::SmallNoisy:
        return tr(QT_TRANSLATE_NOOP("ChallengeTexts", "A small planet in noisy data"));
    case Challenge::Level::TwoPlanets:
        return tr(QT_TRANSLATE_NOOP("ChallengeTexts", "Two planets"));
    case Challenge::Level::RealStar:
        return tr(QT_TRANSLATE_NOOP("ChallengeTexts", "A real star's published velocities, its planet hidden"));
    }
    return {};
}

QString verdict(const Challenge::QuantityScore &score)
{
    for (const QuantityWords &words : Words) {
        if (score.quantity != words.quantity)
            continue;
        const QString unit = QString::fromLatin1(words.unit);
        const QString stated = QStringLiteral("%1 = %2%3")
                                   .arg(QString::fromStdString(score.quantity),
                                        QString::fromStdString(Numeric::shortestText(score.answer)), unit);
        if (score.right) {
            const double shown = Challenge::roundedToUncertainty(score.tolerance, score.tolerance);
            return tr(words.right).arg(stated, QString::fromStdString(Numeric::shortestText(shown)) + unit);
        }
        return tr(score.tooHigh ? words.tooHigh : words.tooLow).arg(stated);
    }
    return QString::fromStdString(score.sentence);
}

} // namespace ChallengeTexts
