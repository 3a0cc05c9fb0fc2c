#include "classroom/velocitypicture.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace VelocityPicture {

namespace {

/// Enough samples that the shortest period shows its shape over a long span.
constexpr int SamplesPerPeriod = 40;
constexpr int MinimumSamples = 800;
constexpr int MaximumSamples = 40000;
const QColor InstrumentColours[] = {QColor(0, 90, 180),  QColor(200, 60, 0),  QColor(0, 140, 70),
                                    QColor(150, 0, 150), QColor(120, 100, 0), QColor(0, 130, 140)};

/// What the picture shows of a measurement: its velocity less its instrument's fitted offset.
double shownVelocity(const Observations::Measurement &m, const std::optional<Fitting::Result> &fit)
{
    if (!fit || std::size_t(m.instrument) >= fit->instruments.size())
        return m.velocity;
    return m.velocity - fit->instruments[std::size_t(m.instrument)].offset;
}

/// The fit's curve without offsets, sampled evenly over [first, last].
std::vector<QPointF> fittedCurve(const Fitting::Result &fit, double first, double last)
{
    double shortest = last - first;
    for (const Fitting::PlanetResult &planet : fit.planets)
        shortest = std::min(shortest, planet.value.periodDays);
    const int count = std::clamp(int(SamplesPerPeriod * (last - first) / shortest), MinimumSamples, MaximumSamples);
    Observations::DataSet samples;
    samples.instruments = {"curve"};
    for (int i = 0; i < count; ++i)
        samples.measurements.push_back({first + (last - first) * i / (count - 1), 0, 1, 0});
    const std::vector<double> model = Fitting::modelVelocities(fit, samples);
    const double offset = fit.instruments.empty() ? 0 : fit.instruments.front().offset;
    std::vector<QPointF> curve;
    for (std::size_t i = 0; i < model.size(); ++i)
        curve.emplace_back(samples.measurements[i].time, model[i] - offset);
    return curve;
}

} // namespace

void draw(QPainter &painter, const QRectF &area, const Observations::DataSet &data,
          const std::optional<Fitting::Result> &fit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    if (data.measurements.empty()) {
        painter.restore();
        return;
    }
    const auto [firstPoint, lastPoint] =
        std::minmax_element(data.measurements.begin(), data.measurements.end(),
                            [](const auto &a, const auto &b) { return a.time < b.time; });
    const double first = firstPoint->time;
    const double last = std::max(lastPoint->time, first + 1);
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const auto &m : data.measurements) {
        low = std::min(low, shownVelocity(m, fit) - m.uncertainty);
        high = std::max(high, shownVelocity(m, fit) + m.uncertainty);
    }
    const std::vector<QPointF> curve = fit ? fittedCurve(*fit, first, last) : std::vector<QPointF>{};
    for (const QPointF &p : curve) {
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    const double pad = std::max((high - low) * 0.08, 1.0);
    low -= pad;
    high += pad;

    const QFontMetricsF metrics(painter.font());
    const QRectF plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("−0000")) + 8, metrics.height(), -8,
                                      -2.2 * metrics.height());
    auto at = [&](double t, double v) {
        return QPointF(plot.left() + (t - first) / (last - first) * plot.width(),
                       plot.bottom() - (v - low) / (high - low) * plot.height());
    };
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    if (low < 0 && high > 0) {
        painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
        painter.drawLine(at(first, 0), at(last, 0));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(QRectF(area.left(), plot.top(), plot.left() - area.left() - 4, metrics.height()), Qt::AlignRight,
                     QString::number(high, 'f', 0));
    painter.drawText(
        QRectF(area.left(), plot.bottom() - metrics.height(), plot.left() - area.left() - 4, metrics.height()),
        Qt::AlignRight, QString::number(low, 'f', 0));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), metrics.height()), Qt::AlignLeft,
                     QString::number(first, 'f', 1));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), metrics.height()), Qt::AlignRight,
                     QString::number(last, 'f', 1));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2 + metrics.height(), plot.width(), metrics.height()),
                     Qt::AlignHCenter,
                     QCoreApplication::translate("VelocityPicture", "time (days); radial velocity (m/s)"));

    painter.setClipRect(plot);
    if (!curve.empty()) {
        QPainterPath path(at(curve.front().x(), curve.front().y()));
        for (const QPointF &p : curve)
            path.lineTo(at(p.x(), p.y()));
        painter.setPen(QPen(QColor(200, 0, 0), std::max(1.0, plot.width() / 600)));
        painter.drawPath(path);
    }
    const double dot = std::max(2.0, plot.width() / 300);
    for (const auto &m : data.measurements) {
        const QColor colour = InstrumentColours[std::size_t(m.instrument) % std::size(InstrumentColours)];
        painter.setPen(QPen(colour, std::max(1.0, dot / 3)));
        painter.setBrush(colour);
        const double v = shownVelocity(m, fit);
        painter.drawLine(at(m.time, v - m.uncertainty), at(m.time, v + m.uncertainty));
        painter.drawEllipse(at(m.time, v), dot, dot);
    }
    painter.restore();
}

} // namespace VelocityPicture
