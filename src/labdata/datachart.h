#pragma once

#include "labdata/plotpoints.h"

#include <QChartView>

#include <optional>

class ErrorBarItem;
class QRubberBand;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

/// A chart of measured velocities: one coloured marker series per
/// instrument with its error bars, and optionally a model curve through
/// them. The velocity chart, its residuals and the phase-folded plot are
/// all this one widget with other axis titles.
///
/// The mouse: a click on a point says which measurement it shows
/// (pointClicked()); a rubber band zooms in, or, while excluding, chooses
/// the points inside it (areaChosen()); the right button resets the zoom.
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
    /// Whether a rubber band chooses points (true) or zooms (false).
    void setExcluding(bool excluding);
    /// Shows every point and the curve again after a zoom.
    void resetZoom();
    /// Where measurement `measurement` is drawn, in viewport pixels; nullopt when it is not.
    std::optional<QPoint> pixelOf(qsizetype measurement) const;

    /// The marker series of every instrument, in the order given.
    QList<QScatterSeries *> instrumentSeries() const { return m_series; }
    QLineSeries *curveSeries() const { return m_curve; }
    int errorBarCount() const;
    QValueAxis *xAxis() const { return m_xAxis; }
    QValueAxis *yAxis() const { return m_yAxis; }

signals:
    void pointClicked(qsizetype measurement);
    void areaChosen(const QList<qsizetype> &measurements);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitRanges();
    QPointF valueAt(QPoint pixel) const;
    QPointF pixelAt(QPointF value) const;
    /// The measurement drawn nearest to `pixel`, within a marker's reach, or −1.
    qsizetype measurementNear(QPoint pixel) const;
    QList<qsizetype> measurementsIn(const QRect &pixels) const;
    void attach(QAbstractSeries *series);

    QValueAxis *m_xAxis;
    QValueAxis *m_yAxis;
    QLineSeries *m_curve;
    QLineSeries *m_zero;
    QList<QScatterSeries *> m_series;
    ErrorBarItem *m_bars;
    QList<InstrumentPoints> m_instruments;
    QRubberBand *m_band;
    QPoint m_pressedAt;
    bool m_excluding = false;
};
