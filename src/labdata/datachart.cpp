#include "labdata/datachart.h"

#include "labdata/errorbaritem.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

/// How far from a marker's centre a click still takes it, and how far the
/// mouse must move before a press becomes a rubber band, in pixels.
constexpr int ClickReach = 8;
constexpr int DragThreshold = 5;

/// A tick step of 1, 2 or 5 times a power of ten giving about five ticks.
double niceStep(double span)
{
    const double rough = span / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * decade >= rough)
            return factor * decade;
    }
    return 10 * decade;
}

/// The range as asked, with ticks at round values anchored at zero, so
/// the axis neither wastes room (applyNiceNumbers() can nearly double a
/// range) nor labels odd numbers.
void setNiceRange(QValueAxis *axis, double low, double high)
{
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(niceStep(high - low));
    axis->setLabelFormat(QStringLiteral("%g"));
}

} // namespace

DataChart::DataChart(const QString &xTitle, const QString &yTitle, QWidget *parent)
    : QChartView(new QChart, parent)
    , m_xAxis(new QValueAxis)
    , m_yAxis(new QValueAxis)
    , m_curve(new QLineSeries)
    , m_zero(new QLineSeries)
    , m_band(new QRubberBand(QRubberBand::Rectangle, viewport()))
{
    QChart *chart = this->chart();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->addAxis(m_xAxis, Qt::AlignBottom);
    chart->addAxis(m_yAxis, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);
    setTitles(xTitle, yTitle);

    m_zero->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    attach(m_zero);
    chart->legend()->markers(m_zero).first()->setVisible(false);
    m_zero->setVisible(false);
    m_curve->setPen(QPen(Qt::black, 1.6));
    attach(m_curve);
    m_curve->setVisible(false);

    m_bars = new ErrorBarItem(chart, m_zero);
    connect(chart, &QChart::plotAreaChanged, this, [this] { m_bars->follow(); });
    connect(m_xAxis, &QValueAxis::rangeChanged, this, [this] { m_bars->follow(); });
    connect(m_yAxis, &QValueAxis::rangeChanged, this, [this] { m_bars->follow(); });
}

void DataChart::attach(QAbstractSeries *series)
{
    chart()->addSeries(series);
    series->attachAxis(m_xAxis);
    series->attachAxis(m_yAxis);
}

void DataChart::setTitles(const QString &xTitle, const QString &yTitle)
{
    m_xAxis->setTitleText(xTitle);
    m_yAxis->setTitleText(yTitle);
}

void DataChart::setInstruments(const QList<InstrumentPoints> &instruments)
{
    // Series are refilled rather than built anew where the number of
    // instruments allows: every marker is an item of the chart's scene, and
    // building hundreds of them costs far more than moving them.
    while (m_series.size() > instruments.size()) {
        QScatterSeries *series = m_series.takeLast();
        chart()->removeSeries(series);
        delete series;
    }
    while (m_series.size() < instruments.size()) {
        auto *series = new QScatterSeries;
        series->setMarkerSize(7);
        attach(series);
        m_series.append(series);
    }
    m_instruments = instruments;
    for (qsizetype k = 0; k < instruments.size(); ++k) {
        QScatterSeries *series = m_series.at(k);
        const InstrumentPoints &instrument = instruments.at(k);
        if (series->name() != instrument.name)
            series->setName(instrument.name);
        if (series->color() != instrument.color) {
            series->setColor(instrument.color);
            series->setBorderColor(instrument.color.darker(140));
        }
        series->replace(instrument.points);
    }
    m_bars->setBars(instruments);
    fitRanges();
}

void DataChart::setCurve(const QList<QPointF> &curve, const QString &name)
{
    m_curve->replace(curve);
    m_curve->setName(name);
    m_curve->setVisible(!curve.isEmpty());
    fitRanges();
}

void DataChart::setZeroLine(bool shown)
{
    m_zero->setVisible(shown);
    fitRanges();
}

int DataChart::errorBarCount() const
{
    return m_bars->barCount();
}

void DataChart::fitRanges()
{
    double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
    auto take = [&](double x, double low, double high) {
        xMin = std::min(xMin, x);
        xMax = std::max(xMax, x);
        yMin = std::min(yMin, low);
        yMax = std::max(yMax, high);
    };
    for (const InstrumentPoints &instrument : std::as_const(m_instruments)) {
        for (qsizetype i = 0; i < instrument.points.size(); ++i) {
            const double sigma = i < instrument.errors.size() ? instrument.errors.at(i) : 0.0;
            const QPointF &p = instrument.points.at(i);
            take(p.x(), p.y() - sigma, p.y() + sigma);
        }
    }
    if (m_curve->isVisible()) {
        for (const QPointF &p : m_curve->points())
            take(p.x(), p.y(), p.y());
    }
    if (!(xMin <= xMax)) {
        m_xAxis->setRange(0, 1);
        m_yAxis->setRange(-1, 1);
        m_zero->clear();
        return;
    }
    if (m_zero->isVisible()) {
        yMin = std::min(yMin, 0.0);
        yMax = std::max(yMax, 0.0);
    }
    const double xPad = xMax > xMin ? 0.02 * (xMax - xMin) : 1.0;
    const double yPad = yMax > yMin ? 0.06 * (yMax - yMin) : 1.0;
    setNiceRange(m_xAxis, xMin - xPad, xMax + xPad);
    setNiceRange(m_yAxis, yMin - yPad, yMax + yPad);
    m_zero->replace({QPointF(m_xAxis->min(), 0), QPointF(m_xAxis->max(), 0)});
}

void DataChart::setExcluding(bool excluding)
{
    m_excluding = excluding;
    viewport()->setCursor(excluding ? Qt::CrossCursor : Qt::ArrowCursor);
}

void DataChart::resetZoom()
{
    fitRanges();
}

QPointF DataChart::valueAt(QPoint pixel) const
{
    return chart()->mapToValue(chart()->mapFromScene(mapToScene(pixel)), m_zero);
}

QPointF DataChart::pixelAt(QPointF value) const
{
    return mapFromScene(chart()->mapToScene(chart()->mapToPosition(value, m_zero)));
}

std::optional<QPoint> DataChart::pixelOf(qsizetype measurement) const
{
    for (const InstrumentPoints &instrument : m_instruments) {
        const qsizetype j = instrument.measurements.indexOf(measurement);
        if (j >= 0)
            return pixelAt(instrument.points.at(j)).toPoint();
    }
    return std::nullopt;
}

qsizetype DataChart::measurementNear(QPoint pixel) const
{
    qsizetype nearest = -1;
    double best = ClickReach * ClickReach;
    for (const InstrumentPoints &instrument : m_instruments) {
        for (qsizetype j = 0; j < instrument.points.size() && j < instrument.measurements.size(); ++j) {
            const QPointF offset = pixelAt(instrument.points.at(j)) - QPointF(pixel);
            const double distance = QPointF::dotProduct(offset, offset);
            if (distance <= best) {
                best = distance;
                nearest = instrument.measurements.at(j);
            }
        }
    }
    return nearest;
}

QList<qsizetype> DataChart::measurementsIn(const QRect &pixels) const
{
    QList<qsizetype> inside;
    for (const InstrumentPoints &instrument : m_instruments) {
        for (qsizetype j = 0; j < instrument.points.size() && j < instrument.measurements.size(); ++j) {
            if (pixels.contains(pixelAt(instrument.points.at(j)).toPoint()))
                inside.append(instrument.measurements.at(j));
        }
    }
    return inside;
}

void DataChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        resetZoom();
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return QChartView::mousePressEvent(event);
    m_pressedAt = event->position().toPoint();
    m_band->setGeometry(QRect(m_pressedAt, QSize()));
    event->accept();
}

void DataChart::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return QChartView::mouseMoveEvent(event);
    const QRect band = QRect(m_pressedAt, event->position().toPoint()).normalized();
    m_band->setGeometry(band);
    m_band->setVisible((band.width() + band.height()) > DragThreshold);
    event->accept();
}

void DataChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QChartView::mouseReleaseEvent(event);
    m_band->hide();
    event->accept();
    const QRect band = QRect(m_pressedAt, event->position().toPoint()).normalized();
    if (band.width() + band.height() <= DragThreshold) {
        if (const qsizetype measurement = measurementNear(m_pressedAt); measurement >= 0)
            emit pointClicked(measurement);
        return;
    }
    if (m_excluding) {
        emit areaChosen(measurementsIn(band));
        return;
    }
    const QPointF corner = valueAt(band.topLeft());
    const QPointF opposite = valueAt(band.bottomRight());
    setNiceRange(m_xAxis, std::min(corner.x(), opposite.x()), std::max(corner.x(), opposite.x()));
    setNiceRange(m_yAxis, std::min(corner.y(), opposite.y()), std::max(corner.y(), opposite.y()));
}
