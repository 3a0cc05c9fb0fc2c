#pragma once

#include "labdata/plotpoints.h"

#include <QChartView>

class ErrorBarItem;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

/// A chart of measured velocities: one coloured marker series per
/// instrument with its error bars, and optionally a model curve through
/// them. The velocity chart, its residuals and the phase-folded plot are
/// all this one widget with other axis titles.
class DataChart : public QChartView
{
    Q_OBJECT

public:
    DataChart(const QString &xTitle, const QString &yTitle, QWidget *parent = nullptr);

    /// Replaces the points; an empty list clears the chart.
    void setInstruments(const QList<InstrumentPoints> &instruments);
    /// The model curve (x ascending); an empty list removes it.
    void setCurve(const QList<QPointF> &curve, const QString &name = tr("Model"));
    void setTitles(const QString &xTitle, const QString &yTitle);
    /// A zero line, for residuals.
    void setZeroLine(bool shown);

    /// The marker series of every instrument, in the order given.
    QList<QScatterSeries *> instrumentSeries() const { return m_series; }
    QLineSeries *curveSeries() const { return m_curve; }
    int errorBarCount() const;
    QValueAxis *xAxis() const { return m_xAxis; }
    QValueAxis *yAxis() const { return m_yAxis; }

private:
    void fitRanges();
    void attach(QAbstractSeries *series);

    QValueAxis *m_xAxis;
    QValueAxis *m_yAxis;
    QLineSeries *m_curve;
    QLineSeries *m_zero;
    QList<QScatterSeries *> m_series;
    ErrorBarItem *m_bars;
    QList<InstrumentPoints> m_instruments;
};
