#pragma once

#include <QChartView>

#include <vector>

class PointLabels;
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;
class QValueAxis;

/// The spectral window W against period on a logarithmic axis, as the
/// periodogram chart draws power, with its strong peaks marked and named on
/// the chart.
class WindowChart : public QChartView
{
    Q_OBJECT

public:
    /// A marked peak: where it lies and what the chart writes beside it.
    struct Mark
    {
        double periodDays = 0;
        double power = 0;
        QString name;
    };

    explicit WindowChart(QWidget *parent = nullptr);

    /// The window, frequencies in cycles per day (> 0) and W there; empty
    /// vectors remove it. Reduced for drawing as the periodogram is.
    void setWindow(const std::vector<double> &frequencies, const std::vector<double> &power);
    void setMarks(const QList<Mark> &marks);

    QLineSeries *windowSeries() const { return m_window; }
    QScatterSeries *markSeries() const { return m_marks; }
    /// The names beside the marks, in the marks' order.
    QStringList markNames() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLogValueAxis *m_period;
    QValueAxis *m_power;
    QLineSeries *m_window;
    QScatterSeries *m_marks;
    PointLabels *m_names;
};
