#include "labdata/windowchart.h"

#include "labdata/periodogramchart.h"
#include "labdata/pointlabels.h"

#include <QEvent>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>

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
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(m_window), static_cast<QAbstractSeries *>(m_marks)}) {
        chart->addSeries(series);
        series->attachAxis(m_period);
        series->attachAxis(m_power);
    }
    m_names = new PointLabels(chart, m_marks);
    retranslate();
}

void WindowChart::retranslate()
{
    m_period->setTitleText(tr("Period (days)"));
    m_power->setTitleText(tr("Window"));
}

void WindowChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QChartView::changeEvent(event);
}

void WindowChart::setWindow(const std::vector<double> &frequencies, const std::vector<double> &power)
{
    m_window->replace(PeriodogramChart::envelope(frequencies, power, PeriodogramChart::DrawnBins));
    const QList<QPointF> points = m_window->points();
    if (points.isEmpty())
        m_period->setRange(1, 1000);
    else // the envelope is ascending in period
        m_period->setRange(points.front().x(), points.back().x());
    m_names->place();
}

void WindowChart::setMarks(const QList<Mark> &marks)
{
    QList<QPointF> points;
    QStringList names;
    for (const Mark &mark : marks) {
        points.append({mark.periodDays, mark.power});
        names.append(mark.name);
    }
    m_marks->replace(points);
    m_names->setTexts(names);
}

QStringList WindowChart::markNames() const
{
    return m_names->texts();
}
