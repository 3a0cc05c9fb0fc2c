#pragma once

#include <QChartView>

#include <vector>

class QLineSeries;
class QLogValueAxis;
class QScatterSeries;
class QValueAxis;

/// Periodogram power against period on a logarithmic axis: the data's
/// periodogram, the periodogram of the residuals of the last fit beside it,
/// and the highest peaks marked.
class PeriodogramChart : public QChartView
{
    Q_OBJECT

public:
    /// The period bins a long spectrum is reduced to for drawing.
    static constexpr int DrawnBins = 2000;

    explicit PeriodogramChart(QWidget *parent = nullptr);

    /// One spectrum, frequencies in cycles per day (> 0) and their power;
    /// empty vectors remove it. Long spectra are reduced for drawing to
    /// the highest power in each of about two thousand period bins, so a
    /// narrow peak never disappears between drawn points.
    void setData(const std::vector<double> &frequencies, const std::vector<double> &power);
    void setResiduals(const std::vector<double> &frequencies, const std::vector<double> &power);
    /// Marks these (period in days, power) points.
    void setPeaks(const QList<QPointF> &peaks);

    QLineSeries *dataSeries() const { return m_data; }
    QLineSeries *residualSeries() const { return m_residuals; }
    QScatterSeries *peakSeries() const { return m_peaks; }
    QLogValueAxis *periodAxis() const { return m_period; }

    /// The drawn points of a spectrum: (period, power) ascending in period,
    /// the highest power of each of at most `bins` logarithmic period bins.
    static QList<QPointF> envelope(const std::vector<double> &frequencies, const std::vector<double> &power, int bins);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void fitRanges();

    QLogValueAxis *m_period;
    QValueAxis *m_power;
    QLineSeries *m_data;
    QLineSeries *m_residuals;
    QScatterSeries *m_peaks;
};
