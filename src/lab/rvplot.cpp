#include "lab/rvplot.h"

#include <QChart>
#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPaintEvent>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

/// The round step (1, 2 or 5 times a power of ten) nearest above `rough`.
double niceStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

} // namespace

RvPlot::RvPlot(QWidget *parent)
    : QChartView(new QChart, parent)
    , m_points(SampleCount)
    , m_trueSeries(new QLineSeries)
    , m_schematicSeries(new QLineSeries)
    , m_cursorSeries(new QLineSeries)
    , m_timeAxis(new QValueAxis)
    , m_velocityAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("rvChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(420, 300);

    QChart *chart = this->chart();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    // One plain ground for the chart and the view around it, so the view
    // paints every pixel itself and the widgets behind it never repaint
    // when the cursor moves; a plain fill also costs less than the theme's
    // gradient.
    chart->setBackgroundBrush(Qt::white);
    setBackgroundBrush(Qt::white);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // Any change of the chart (curves, axes, legend) makes its picture stale.
    connect(chart->scene(), &QGraphicsScene::changed, this, &RvPlot::forgetStill);

    m_trueSeries->setPen(QPen(QColor(20, 90, 200), 2));
    m_schematicSeries->setPen(QPen(QColor(230, 120, 0), 1.5, Qt::DashLine));
    m_cursorSeries->setPen(QPen(QColor(200, 30, 30), 1));

    // Ticks at round numbers from 0, whatever the range.
    for (QValueAxis *axis : {m_timeAxis, m_velocityAxis}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setGridLineVisible(true);
    }
    m_velocityAxis->setLabelFormat(QStringLiteral("%.4g"));
    m_timeAxis->setLabelFormat(QStringLiteral("%.4g"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_velocityAxis, Qt::AlignLeft);
    for (QXYSeries *series : {static_cast<QXYSeries *>(m_trueSeries), static_cast<QXYSeries *>(m_schematicSeries),
                              static_cast<QXYSeries *>(m_cursorSeries)}) {
        chart->addSeries(series);
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_velocityAxis);
    }
    // The cursor is drawn over the chart by the view, not as a series or a
    // scene item: those repaint a series' whole span or wait a turn of the
    // event loop before they reach the screen, a second repaint per frame.
    // The empty series above only gives the cursor its legend entry.
    connect(chart, &QChart::plotAreaChanged, this, &RvPlot::placeCursor);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_schematicSeries->setVisible(false);
    for (QLegendMarker *marker : chart->legend()->markers(m_schematicSeries))
        marker->setVisible(false);

    setOptimizationFlags(QGraphicsView::DontSavePainterState | QGraphicsView::DontAdjustForAntialiasing);
    m_truePoints.resize(SampleCount);
    m_schematicPoints.resize(SampleCount);
    retranslate();
}

void RvPlot::showOrbit(const Kepler::Orbit &orbit)
{
    m_orbit = orbit;
    recompute();
}

void RvPlot::setPhaseAxis(bool phase)
{
    m_phaseAxis = phase;
    recompute();
}

void RvPlot::setSchematicShown(bool shown)
{
    m_schematicSeries->setVisible(shown);
    for (QLegendMarker *marker : chart()->legend()->markers(m_schematicSeries))
        marker->setVisible(shown);
    recompute();
}

void RvPlot::setCursorTime(double timeDays)
{
    m_cursorTime = timeDays;
    placeCursor();
}

double RvPlot::abscissa(double timeDays) const
{
    if (m_phaseAxis)
        return LabCurve::phaseAt(m_orbit, timeDays);
    return LabCurve::firstOrbitTime(m_orbit, timeDays);
}

void RvPlot::recompute()
{
    if (m_orbit.periodDays <= 0)
        return;
    // Phase runs from one periastron to the next; time from t = 0.
    const double firstTime = m_phaseAxis ? m_orbit.periastronTime : 0.0;
    LabCurve::sample(m_orbit, firstTime, m_points);

    const bool schematic = m_schematicSeries->isVisible();
    double lowest = 0;
    double highest = 0;
    for (size_t k = 0; k < m_points.size(); ++k) {
        const LabCurve::Point &point = m_points[k];
        // The last phase sample is the next periastron, drawn at 1, not 0.
        const double x = m_phaseAxis ? double(k) / double(m_points.size() - 1) : point.time;
        m_truePoints[qsizetype(k)] = QPointF(x, point.velocity);
        lowest = std::min(lowest, point.velocity);
        highest = std::max(highest, point.velocity);
        if (schematic) {
            const double v = LabCurve::schematicVelocity(m_orbit, point.phase);
            m_schematicPoints[qsizetype(k)] = QPointF(x, v);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    }
    m_trueSeries->replace(m_truePoints);
    if (schematic)
        m_schematicSeries->replace(m_schematicPoints);

    // A change of an axis lays the whole chart out again, which costs far
    // more than the curves: change each axis only when it must.
    const double span = m_phaseAxis ? 1.0 : m_orbit.periodDays;
    if (m_timeAxis->min() != 0 || m_timeAxis->max() != span) {
        m_timeAxis->setRange(0, span);
        m_timeAxis->setTickInterval(niceStep(span / 5));
    }
    if (m_timeAxis->titleText() != timeTitle())
        m_timeAxis->setTitleText(timeTitle());

    // The velocity axis stays while the curves fit and fill more than half of it.
    const double reach = std::max({-lowest, highest, 1e-3});
    const double top = m_velocityAxis->max();
    if (reach > top || reach < 0.5 * top || m_velocityAxis->min() != -top) {
        const double step = niceStep(reach / 4);
        const double limit = step * std::ceil(1.1 * reach / step);
        m_velocityAxis->setRange(-limit, limit);
        m_velocityAxis->setTickInterval(step);
    }
    placeCursor();
}

QPointF RvPlot::markerPosition() const
{
    return m_cursorDot;
}

QLineF RvPlot::cursorLine() const
{
    const QRectF plot = chart()->plotArea();
    return {m_cursorDot.x(), plot.top(), m_cursorDot.x(), plot.bottom()};
}

QRect RvPlot::cursorDamage() const
{
    const QRectF plot = chart()->plotArea();
    const QRectF strip(m_cursorDot.x() - CursorReach, plot.top() - CursorReach, 2 * CursorReach,
                       plot.height() + 2 * CursorReach);
    return mapFromScene(strip).boundingRect().adjusted(-1, -1, 1, 1);
}

void RvPlot::paintEvent(QPaintEvent *event)
{
    // The chart as it stands is kept as one picture; a frame of the
    // animation copies the cursor's strip from it and draws the cursor,
    // instead of walking the chart's hundred items for a thin strip.
    const qreal ratio = viewport()->devicePixelRatioF();
    if (m_still.isNull() || m_still.size() != viewport()->size() * ratio) {
        m_still = QPixmap(viewport()->size() * ratio);
        m_still.setDevicePixelRatio(ratio);
        QPainter painter(&m_still);
        painter.setRenderHints(renderHints());
        m_paintingStill = true;
        render(&painter, QRectF(QPointF(0, 0), viewport()->size()), viewport()->rect());
        m_paintingStill = false;
    }
    QPainter painter(viewport());
    for (const QRect &dirty : event->region())
        painter.drawPixmap(dirty, m_still, QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
    painter.setTransform(viewportTransform());
    drawForeground(&painter, mapToScene(viewport()->rect()).boundingRect());
}

void RvPlot::forgetStill()
{
    m_still = QPixmap();
    viewport()->update();
}

void RvPlot::drawForeground(QPainter *painter, const QRectF &)
{
    if (m_orbit.periodDays <= 0 || m_paintingStill)
        return;
    painter->save();
    // A crisp one-pixel line: no antialiasing to blend along its length.
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(m_cursorSeries->pen());
    const QLineF line = cursorLine();
    const double x = std::floor(line.x1()) + 0.5;
    painter->drawLine(QLineF(x, line.y1(), x, line.y2()));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_cursorSeries->pen().color());
    painter->drawEllipse(m_cursorDot, CursorReach - 1, CursorReach - 1);
    painter->restore();
}

void RvPlot::placeCursor()
{
    if (m_orbit.periodDays <= 0)
        return;
    const double x = abscissa(m_cursorTime);
    const double v = Kepler::radialVelocity(m_orbit, m_cursorTime);
    m_cursorX = x;
    const QRect before = cursorDamage();
    m_cursorDot = chart()->mapToPosition(QPointF(x, v), m_trueSeries);
    viewport()->update(before.united(cursorDamage()));
}

QString RvPlot::timeTitle() const
{
    return m_phaseAxis ? tr("orbital phase (0 = periastron)") : tr("time t (days)");
}

void RvPlot::retranslate()
{
    chart()->setTitle(tr("Radial velocity of the star"));
    m_trueSeries->setName(tr("true Keplerian curve"));
    m_schematicSeries->setName(tr("Screen3's schematic curve"));
    m_cursorSeries->setName(tr("planet now"));
    m_velocityAxis->setTitleText(tr("radial velocity v (m/s)"));
    m_timeAxis->setTitleText(timeTitle());
}

void RvPlot::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QChartView::changeEvent(event);
}
