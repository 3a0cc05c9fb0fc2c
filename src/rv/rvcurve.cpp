#include "rv/rvcurve.h"

#include "ground/constants.h"
#include "ground/textnumber.h"

#include <cmath>
#include <utility>

namespace RvCurve {

using Constants::Pi;

std::optional<Row> rowFor(double eccentricity, double semiAmplitude)
{
    const std::optional<Constants::OrbitShape> shape = Constants::orbitShape(eccentricity);
    if (!shape)
        return std::nullopt;
    if (*shape == Constants::OrbitShape::Ellipse)
        return semiAmplitude < 100 ? Row::EccentricSmallK : Row::EccentricLargeK;
    return semiAmplitude < 10 ? Row::CircularSmallK : Row::CircularLargeK;
}

float height(Row row, const Elements &elements, float theta)
{
    const double k = elements.semiAmplitude;
    const double e = elements.eccentricity;
    const double phase = std::cos(double(theta) + elements.omega);
    switch (row) {
    case Row::EccentricSmallK:
        return float(ZeroLine + 16 * k * (phase + e * std::cos(elements.omega)));
    case Row::EccentricLargeK:
        // Large amplitudes of eccentric orbits are drawn with K·e, mirrored,
        // so that they stay on the plot.
        return float(ZeroLine - k * e * phase);
    case Row::CircularSmallK:
        return float(ZeroLine + k * 10 * 16 * phase);
    case Row::CircularLargeK:
        break;
    }
    return float(ZeroLine + 16 * k * phase);
}

float abscissa(double periodDays, float theta)
{
    if (periodDays < 10)
        return float(300 + 100 * periodDays * double(theta));
    return float(200 + 500 * double(theta));
}

QList<QPointF> points(const Elements &elements)
{
    QList<QPointF> plotted;
    const std::optional<Row> row = rowFor(elements.eccentricity, elements.semiAmplitude);
    if (!row)
        return plotted;
    // The phase is a single-precision number stepped 2° then 1°; with that
    // rounding the loop ends after exactly two orbits and 241 points.
    const float end = float(4 * Pi);
    const float oneDegree = float(Pi / 180);
    float theta = 0;
    plotted.reserve(PointCount);
    for (;;) {
        const float y = height(*row, elements, theta);
        theta = float(double(theta) + Pi / 90);
        plotted.append(QPointF(abscissa(elements.periodDays, theta), y));
        if (theta > end)
            break;
        theta = float(double(theta) + double(oneDegree));
    }
    // Values too large for single precision give no curve rather than
    // points at infinity.
    for (const QPointF &point : std::as_const(plotted)) {
        if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
            return {};
    }
    return plotted;
}

QList<SummaryLine> summary(const QString &planetName, double mass, bool earthMasses,
                           const Elements &elements)
{
    using TextNumber::printItem;
    using TextNumber::shortest;
    return {
        {QPointF(168, 0), QStringLiteral("Planet: ") + planetName, {}},
        {QPointF(168, 318),
         QStringLiteral("Mass =") + printItem(mass)
             + (earthMasses ? QStringLiteral("M_E/sin") : QStringLiteral("M_JUP/sin")),
         QStringLiteral("i")},
        {QPointF(4500, 318), QStringLiteral("P =") + printItem(elements.periodDays)
                                 + QStringLiteral("day"),
         {}},
        {QPointF(5000, 718),
         QStringLiteral("K =") + shortest(elements.semiAmplitude) + QStringLiteral("m/s"), {}},
        {QPointF(5000, 1018), QStringLiteral("e =") + shortest(elements.eccentricity), {}},
    };
}

} // namespace RvCurve
