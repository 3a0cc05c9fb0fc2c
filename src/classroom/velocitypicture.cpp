#include "classroom/velocitypicture.h"

#include "kepler/keplerorbit.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace VelocityPicture {

namespace {

constexpr int CurveSamples = 400;
const QColor InstrumentColours[] = {QColor(0, 90, 180),  QColor(200, 60, 0),  QColor(0, 140, 70),
                                    QColor(150, 0, 150), QColor(120, 100, 0), QColor(0, 130, 140)};

/// A point to draw: where, its error bar, its instrument.
struct Point
{
    double x = 0;
    double v = 0;
    double sigma = 0;
    int instrument = 0;
};

/// Axes around the points and the curve, and the points and the curve in them.
void plot(QPainter &painter, const QRectF &area, const std::vector<Point> &points, const std::vector<QPointF> &curve,
          const QString &xLabel)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    if (points.empty()) {
        painter.restore();
        return;
    }
    double first = HUGE_VAL, last = -HUGE_VAL, low = HUGE_VAL, high = -HUGE_VAL;
    for (const Point &p : points) {
        first = std::min(first, p.x);
        last = std::max(last, p.x);
        low = std::min(low, p.v - p.sigma);
        high = std::max(high, p.v + p.sigma);
    }
    for (const QPointF &c : curve) {
        low = std::min(low, c.y());
        high = std::max(high, c.y());
    }
    last = std::max(last, first + 1e-9);
    const double pad = std::max((high - low) * 0.08, 1.0);
    low -= pad;
    high += pad;

    const QFontMetricsF metrics(painter.font());
    const QRectF frame = area.adjusted(metrics.horizontalAdvance(QStringLiteral("−0000")) + 8, metrics.height(), -8,
                                       -2.2 * metrics.height());
    auto at = [&](double x, double v) {
        return QPointF(frame.left() + (x - first) / (last - first) * frame.width(),
                       frame.bottom() - (v - low) / (high - low) * frame.height());
    };
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(frame);
    const QRectF yLabels(area.left(), frame.top(), frame.left() - area.left() - 4, frame.height());
    painter.drawText(yLabels, Qt::AlignRight | Qt::AlignTop, QString::number(high, 'f', 0));
    painter.drawText(yLabels, Qt::AlignRight | Qt::AlignBottom, QString::number(low, 'f', 0));
    const QRectF xLabels(frame.left(), frame.bottom() + 2, frame.width(), 2 * metrics.height());
    painter.drawText(xLabels, Qt::AlignLeft | Qt::AlignTop, QString::number(first, 'f', 1));
    painter.drawText(xLabels, Qt::AlignRight | Qt::AlignTop, QString::number(last, 'f', 1));
    painter.drawText(xLabels, Qt::AlignHCenter | Qt::AlignBottom, xLabel);
    painter.setClipRect(frame);
    if (low < 0 && high > 0) {
        painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
        painter.drawLine(at(first, 0), at(last, 0));
    }
    if (!curve.empty()) {
        QPainterPath path(at(curve.front().x(), curve.front().y()));
        for (const QPointF &c : curve)
            path.lineTo(at(c.x(), c.y()));
        painter.setPen(QPen(QColor(200, 0, 0), std::max(1.0, frame.width() / 600)));
        painter.drawPath(path);
    }
    const double dot = std::max(2.0, frame.width() / 300);
    for (const Point &p : points) {
        const QColor colour = InstrumentColours[std::size_t(p.instrument) % std::size(InstrumentColours)];
        painter.setPen(QPen(colour, std::max(1.0, dot / 3)));
        painter.setBrush(colour);
        painter.drawLine(at(p.x, p.v - p.sigma), at(p.x, p.v + p.sigma));
        painter.drawEllipse(at(p.x, p.v), dot, dot);
    }
    painter.restore();
}

Kepler::Orbit orbitOf(const Fitting::PlanetElements &e)
{
    return {e.periodDays, e.semiAmplitude, e.eccentricity, e.omegaRadians, e.periastronTime};
}

} // namespace

void draw(QPainter &painter, const QRectF &area, const Observations::DataSet &data)
{
    std::vector<Point> points;
    for (const Observations::Measurement &m : data.measurements)
        points.push_back({m.time, m.velocity, m.uncertainty, m.instrument});
    plot(painter, area, points, {},
         QCoreApplication::translate("VelocityPicture", "time (days); radial velocity (m/s)"));
}

void drawFolded(QPainter &painter, const QRectF &area, const Observations::DataSet &data, const Fitting::Result &fit,
                std::size_t planet)
{
    if (planet >= fit.planets.size())
        return;
    const Kepler::Orbit orbit = orbitOf(fit.planets[planet].value);
    // Everything the fit explains but this planet comes off each point.
    const std::vector<double> model = Fitting::modelVelocities(fit, data);
    std::vector<Point> points;
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Observations::Measurement &m = data.measurements[i];
        const double cycles = (m.time - orbit.periastronTime) / orbit.periodDays;
        const double own = m.velocity - model[i] + Kepler::radialVelocity(orbit, m.time);
        points.push_back({cycles - std::floor(cycles), own, m.uncertainty, m.instrument});
    }
    std::vector<QPointF> curve;
    for (int i = 0; i <= CurveSamples; ++i) {
        const double phase = double(i) / CurveSamples;
        curve.emplace_back(phase, Kepler::radialVelocity(orbit, orbit.periastronTime + phase * orbit.periodDays));
    }
    plot(painter, area, points, curve,
         QCoreApplication::translate("VelocityPicture",
                                     "orbital phase of planet %1 from periastron; radial "
                                     "velocity (m/s)")
             .arg(planet + 1));
}

} // namespace VelocityPicture
