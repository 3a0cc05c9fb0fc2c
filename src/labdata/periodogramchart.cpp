#include "labdata/periodogramchart.h"

#include <QEvent>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

PeriodogramChart::PeriodogramChart(QWidget *parent)
    : QChartView(new QChart, parent)
    , m_period(new QLogValueAxis)
    , m_power(new QValueAxis)
    , m_data(new QLineSeries)
    , m_residuals(new QLineSeries)
    , m_peaks(new QScatterSeries)
{
    QChart *chart = this->chart();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignTop);
    m_period->setBase(10);
    m_period->setLabelFormat(QStringLiteral("%g"));
    m_period->setMinorTickCount(8);
    chart->addAxis(m_period, Qt::AlignBottom);
    chart->addAxis(m_power, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);

    m_data->setPen(QPen(QColor(31, 119, 180), 1.2));
    m_residuals->setPen(QPen(QColor(214, 39, 40), 1.2));
    m_peaks->setMarkerSize(9);
    m_peaks->setColor(QColor(255, 127, 14));
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(m_data), static_cast<QAbstractSeries *>(m_residuals),
                                    static_cast<QAbstractSeries *>(m_peaks)}) {
        chart->addSeries(series);
        series->attachAxis(m_period);
        series->attachAxis(m_power);
    }
    m_residuals->setVisible(false);
    fitRanges();
    retranslate();
}

void PeriodogramChart::retranslate()
{
    m_period->setTitleText(tr("Period (days)"));
    m_power->setTitleText(tr("Power"));
    m_data->setName(tr("Data"));
    m_residuals->setName(tr("Residuals of the fit"));
    m_peaks->setName(tr("Highest peaks"));
}

void PeriodogramChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QChartView::changeEvent(event);
}

QList<QPointF> PeriodogramChart::envelope(const std::vector<double> &frequencies, const std::vector<double> &power,
                                          int bins)
{
    const std::size_t count = std::min(frequencies.size(), power.size());
    double lowest = INFINITY, highest = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (frequencies[i] > 0 && std::isfinite(frequencies[i]) && std::isfinite(power[i])) {
            lowest = std::min(lowest, frequencies[i]);
            highest = std::max(highest, frequencies[i]);
        }
    }
    QList<QPointF> points;
    if (!(lowest <= highest) || bins < 1)
        return points;
    // Bins are equal in log period; one bin per point when the spectrum is short.
    const double logLow = std::log(1.0 / highest);
    const double logHigh = std::log(1.0 / lowest);
    const double width = logHigh > logLow ? (logHigh - logLow) / bins : 1.0;
    std::vector<int> best(std::size_t(bins), -1);
    for (std::size_t i = 0; i < count; ++i) {
        if (!(frequencies[i] > 0) || !std::isfinite(frequencies[i]) || !std::isfinite(power[i]))
            continue;
        const int bin = std::clamp(int((std::log(1.0 / frequencies[i]) - logLow) / width), 0, bins - 1);
        int &slot = best[std::size_t(bin)];
        if (slot < 0 || power[i] > power[std::size_t(slot)])
            slot = int(i);
    }
    for (int index : best) {
        if (index >= 0)
            points.append({1.0 / frequencies[std::size_t(index)], power[std::size_t(index)]});
    }
    return points;
}

void PeriodogramChart::setData(const std::vector<double> &frequencies, const std::vector<double> &power)
{
    m_data->replace(envelope(frequencies, power, DrawnBins));
    fitRanges();
}

void PeriodogramChart::setResiduals(const std::vector<double> &frequencies, const std::vector<double> &power)
{
    m_residuals->replace(envelope(frequencies, power, DrawnBins));
    m_residuals->setVisible(m_residuals->count() > 0);
    fitRanges();
}

void PeriodogramChart::setPeaks(const QList<QPointF> &peaks)
{
    m_peaks->replace(peaks);
    fitRanges();
}

void PeriodogramChart::fitRanges()
{
    double low = INFINITY, high = -INFINITY, top = 0;
    for (const QLineSeries *series : {m_data, m_residuals}) {
        if (!series->isVisible())
            continue;
        for (const QPointF &p : series->points()) {
            low = std::min(low, p.x());
            high = std::max(high, p.x());
            top = std::max(top, p.y());
        }
    }
    if (!(low < high)) {
        m_period->setRange(1, 1000);
        m_power->setRange(0, 1);
        return;
    }
    m_period->setRange(low, high);
    m_power->setRange(0, top > 0 ? top * 1.08 : 1);
    m_power->applyNiceNumbers();
    // The normalised power never exceeds 1; rounding the axis must not suggest it does.
    if (m_power->max() > 1)
        m_power->setRange(0, 1);
}
