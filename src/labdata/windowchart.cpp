#include "labdata/windowchart.h"

#include "labdata/periodogramchart.h"

#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {
constexpr int DrawnBins = 2000;
}

WindowChart::WindowChart(QWidget *parent)
    : QChartView(new QChart, parent)
    , m_period(new QLogValueAxis)
    , m_power(new QValueAxis)
    , m_window(new QLineSeries)
    , m_marks(new QScatterSeries)
{
    QChart *chart = this->chart();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->hide();
    m_period->setBase(10);
    m_period->setLabelFormat(QStringLiteral("%g"));
    m_period->setMinorTickCount(8);
    m_period->setRange(1, 1000);
    // W(0) = 1 bounds the window, so the scale never moves.
    m_power->setRange(0, 1);
    chart->addAxis(m_period, Qt::AlignBottom);
    chart->addAxis(m_power, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);

    m_window->setPen(QPen(QColor(44, 160, 44), 1.2));
    m_marks->setMarkerSize(9);
    m_marks->setColor(QColor(255, 127, 14));
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(m_window), static_cast<QAbstractSeries *>(m_marks)}) {
        chart->addSeries(series);
        series->attachAxis(m_period);
        series->attachAxis(m_power);
    }
    connect(chart, &QChart::plotAreaChanged, this, &WindowChart::placeNames);
    retranslate();
}

void WindowChart::retranslate()
{
    m_period->setTitleText(tr("Period (days)"));
    m_power->setTitleText(tr("Window power"));
}

void WindowChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QChartView::changeEvent(event);
}

void WindowChart::setWindow(const std::vector<double> &frequencies, const std::vector<double> &power)
{
    m_window->replace(PeriodogramChart::envelope(frequencies, power, DrawnBins));
    const QList<QPointF> points = m_window->points();
    if (points.isEmpty())
        m_period->setRange(1, 1000);
    else // the envelope is ascending in period
        m_period->setRange(points.front().x(), points.back().x());
    placeNames();
}

void WindowChart::setMarks(const QList<Mark> &marks)
{
    qDeleteAll(m_names);
    m_names.clear();
    QList<QPointF> points;
    for (const Mark &mark : marks) {
        points.append({mark.periodDays, mark.power});
        auto *name = new QGraphicsSimpleTextItem(mark.name, chart());
        name->setZValue(10);
        m_names.append(name);
    }
    m_marks->replace(points);
    placeNames();
}

void WindowChart::placeNames()
{
    const QList<QPointF> points = m_marks->points();
    const QRectF area = chart()->plotArea();
    for (qsizetype k = 0; k < m_names.size() && k < points.size(); ++k) {
        QGraphicsSimpleTextItem *name = m_names[k];
        const QPointF at = chart()->mapToPosition(points[k], m_marks);
        const QRectF box = name->boundingRect();
        // Beside the mark, but kept inside the plot so a peak at the edge is still named.
        const double x = std::clamp(at.x() + 6, area.left(), std::max(area.left(), area.right() - box.width()));
        const double y = std::clamp(at.y() - box.height(), area.top(), std::max(area.top(), area.bottom() - box.height()));
        name->setPos(x, y);
        name->setVisible(area.contains(at));
    }
}
