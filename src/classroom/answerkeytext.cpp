#include "classroom/answerkeytext.h"

#include "challenge/rounding.h"
#include "classroom/challengetexts.h"
#include "numeric/numbertext.h"

#include <QCoreApplication>

namespace AnswerKeyText {

namespace {

QString tr(const char *source)
{
    return QCoreApplication::translate("AnswerKeyText", source);
}

QString number(double value)
{
    return QString::fromStdString(Numeric::shortestText(value));
}

QString measured(double value, double uncertainty)
{
    return QString::fromStdString(Numeric::measuredText(value, uncertainty));
}

} // namespace

QStringList lines(const Challenge::AnswerKey &key)
{
    QStringList lines;
    lines << ChallengeTexts::levelText(key.settings.level);
    if (!key.starName.empty())
        lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "Star: %1")).arg(QString::fromStdString(key.starName));
    lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "Star mass: %1 solar masses")).arg(number(key.starMassSolar));
    lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "True elements (%1):")).arg(QString::fromStdString(key.truthSource));
    for (std::size_t i = 0; i < key.truth.size(); ++i) {
        const Challenge::KeyElements &e = key.truth[i];
        lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText",
                                      "  planet %1: P = %2 d, K = %3 m/s, e = %4, ω = %5°, Tp = %6, m sin i = %7 MJup"))
                     .arg(i + 1)
                     .arg(number(e.periodDays), number(e.semiAmplitude), number(e.eccentricity), number(e.omegaDegrees),
                          number(e.periastronTime), number(e.minimumMassJupiter));
    }
    lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "Best fit the data allow (1σ):"));
    for (std::size_t i = 0; i < key.bestFit.planets.size(); ++i) {
        const auto &v = key.bestFit.planets[i].value;
        const auto &u = key.bestFit.planets[i].uncertainty;
        lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "  planet %1: P = %2 d, K = %3 m/s, e = %4, m sin i = %5 MJup"))
                     .arg(i + 1)
                     .arg(measured(v.periodDays, u.periodDays), measured(v.semiAmplitude, u.semiAmplitude),
                          measured(v.eccentricity, u.eccentricity),
                          measured(v.minimumMassJupiter, u.minimumMassJupiter));
    }
    lines << tr(QT_TRANSLATE_NOOP("AnswerKeyText", "  χ² %1 of %2 points, rms %3 m/s"))
                 .arg(number(Challenge::roundedTo(key.bestFit.chiSquare, 0.01)))
                 .arg(key.bestFit.pointCount)
                 .arg(number(Challenge::roundedTo(key.bestFit.rms, 0.01)));
    return lines;
}

} // namespace AnswerKeyText
