#include "lab/rvplot.h"

#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

RvPlot::RvPlot(QWidget *parent)
    : QChartView(parent)
    , m_points(SampleCount)
    , m_trueSeries(new QLineSeries)
    , m_schematicSeries(new QLineSeries)
    , m_cursorSeries(new QLineSeries)
    , m_markerSeries(new QScatterSeries)
    , m_timeAxis(new QValueAxis)
    , m_velocityAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("rvChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(420, 260);

    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Radial velocity of the star"));
    chart->setMargins(QMargins(4, 4, 4, 4));
    setChart(chart);

    m_trueSeries->setName(QStringLiteral("true Keplerian curve"));
    m_trueSeries->setPen(QPen(QColor(20, 90, 200), 2));
    m_schematicSeries->setName(QStringLiteral("seed's schematic curve"));
    m_schematicSeries->setPen(QPen(QColor(230, 120, 0), 1.5, Qt::DashLine));
    m_cursorSeries->setName(QStringLiteral("planet now"));
    m_cursorSeries->setPen(QPen(QColor(200, 30, 30), 1));
    m_markerSeries->setName(QStringLiteral("planet now"));
    m_markerSeries->setColor(QColor(200, 30, 30));
    m_markerSeries->setBorderColor(QColor(200, 30, 30));
    m_markerSeries->setMarkerSize(9);

    m_timeAxis->setGridLineVisible(true);
    m_velocityAxis->setTitleText(QStringLiteral("radial velocity v (m/s)"));
    m_velocityAxis->setLabelFormat(QStringLiteral("%.4g"));
    m_timeAxis->setLabelFormat(QStringLiteral("%.4g"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_velocityAxis, Qt::AlignLeft);
    for (QXYSeries *series : {static_cast<QXYSeries *>(m_trueSeries),
                              static_cast<QXYSeries *>(m_schematicSeries),
                              static_cast<QXYSeries *>(m_cursorSeries),
                              static_cast<QXYSeries *>(m_markerSeries)}) {
        chart->addSeries(series);
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_velocityAxis);
    }
    // The cursor line and its dot are one thing to the reader: one entry.
    for (QLegendMarker *marker : chart->legend()->markers(m_cursorSeries))
        marker->setVisible(false);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_schematicSeries->setVisible(false);
    for (QLegendMarker *marker : chart->legend()->markers(m_schematicSeries))
        marker->setVisible(false);

    m_truePoints.resize(SampleCount);
    m_schematicPoints.resize(SampleCount);
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
    return timeDays - m_orbit.periodDays * std::floor(timeDays / m_orbit.periodDays);
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

    if (m_phaseAxis) {
        m_timeAxis->setRange(0, 1);
        m_timeAxis->setTitleText(QStringLiteral("orbital phase (0 = periastron)"));
    } else {
        m_timeAxis->setRange(0, m_orbit.periodDays);
        m_timeAxis->setTitleText(QStringLiteral("time t (days)"));
    }
    const double reach = std::max({std::fabs(lowest), std::fabs(highest), 1e-3});
    m_velocityAxis->setRange(-1.1 * reach, 1.1 * reach);
    m_timeAxis->applyNiceNumbers();
    m_velocityAxis->applyNiceNumbers();
    placeCursor();
}

void RvPlot::placeCursor()
{
    if (m_orbit.periodDays <= 0)
        return;
    const double x = abscissa(m_cursorTime);
    const double v = Kepler::radialVelocity(m_orbit, m_cursorTime);
    m_cursorSeries->replace({QPointF(x, m_velocityAxis->min()), QPointF(x, m_velocityAxis->max())});
    m_markerSeries->replace({QPointF(x, v)});
}
