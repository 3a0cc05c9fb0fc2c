#include "seedmodel/rvcurve.h"

#include "ground/textnumber.h"
#include "seedmodel/storedvalues.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace RvCurve {

using StoredValues::Pi;

std::optional<Row> rowFor(double eccentricity, double semiAmplitude)
{
    const std::optional<StoredValues::OrbitShape> shape = StoredValues::orbitShape(eccentricity);
    if (!shape)
        return std::nullopt;
    if (*shape == StoredValues::OrbitShape::Ellipse)
        return semiAmplitude < 100 ? Row::EccentricSmallK : Row::EccentricLargeK;
    return semiAmplitude < 10 ? Row::CircularSmallK : Row::CircularLargeK;
}

namespace {

double rowScale(Row row)
{
    return row == Row::CircularSmallK ? 10 * 16 : 16;
}

bool eccentric(Row row)
{
    return row == Row::EccentricSmallK || row == Row::EccentricLargeK;
}

} // namespace

float height(Row row, const Elements &elements, float theta)
{
    const double k = elements.semiAmplitude;
    const double offset = eccentric(row) ? elements.eccentricity * std::cos(elements.omega) : 0;
    const double peak = std::fabs(k) * (1 + std::fabs(offset));
    const double scale = peak > 0 ? std::min(rowScale(row), Room / peak) : rowScale(row);
    return float(ZeroLine + scale * k * (std::cos(double(theta) + elements.omega) + offset));
}

float abscissa(double periodDays, float theta)
{
    if (periodDays < 10)
        return float(300 + std::clamp(100 * periodDays, 0.0, FullWidthScale) * double(theta));
    return float(200 + FullWidthScale * double(theta));
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
    // An ω or a period that is no finite number gives no curve rather than
    // points at infinity.
    for (const QPointF &point : std::as_const(plotted)) {
        if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
            return {};
    }
    return plotted;
}

QList<SummaryLine> summary(const QString &planetName, double mass, bool earthMasses, const Elements &elements)
{
    using TextNumber::printItem;
    using TextNumber::shortest;
    return {
        {QPointF(168, 0), QStringLiteral("Planet: ") + planetName, {}},
        {QPointF(168, 318),
         QStringLiteral("Mass =") + printItem(mass)
             + (earthMasses ? QStringLiteral("M_E/sin") : QStringLiteral("M_JUP/sin")),
         QStringLiteral("i")},
        {QPointF(4500, 318), QStringLiteral("P =") + printItem(elements.periodDays) + QStringLiteral("day"), {}},
        {QPointF(5000, 718), QStringLiteral("K =") + shortest(elements.semiAmplitude) + QStringLiteral("m/s"), {}},
        {QPointF(5000, 1018), QStringLiteral("e =") + shortest(elements.eccentricity), {}},
    };
}

} // namespace RvCurve
