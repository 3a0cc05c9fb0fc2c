#pragma once

#include "detection/injectionrecovery.h"

#include <QChartView>
#include <QImage>

class PointLabels;
class QGraphicsPixmapItem;
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;

/// The injection–recovery map on logarithmic axes of period and amplitude
/// (K or m sin i, as the map was made): each cell coloured by the share of
/// injected planets recovered there (white none, dark blue all), the 50 %
/// and 90 % contours as lines, and the fit's planets marked and named.
class DetectabilityChart : public QChartView
{
    Q_OBJECT

public:
    /// A planet to mark: where it lies on the map's axes and its name.
    struct Planet
    {
        double periodDays = 0;
        double amplitude = 0;
        QString name;
    };

    explicit DetectabilityChart(QWidget *parent = nullptr);

    void setMap(const Detection::DetectabilityMap &map);
    void setPlanets(const QList<Planet> &planets);
    /// Forgets the map and the planets.
    void clear();

    bool hasMap() const { return !m_cells.isNull(); }
    /// The drawn points of the contour at `level` (0.5 or 0.9), ascending in period.
    QList<QPointF> contour(double level) const;
    QScatterSeries *planetSeries() const { return m_planets; }
    QStringList planetNames() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void drawContour(const Detection::DetectabilityMap &map, double level, QList<QLineSeries *> &segments);
    void removeContours();
    void placeCells();
    QLineSeries *addSegment(const QPen &pen);

    QLogValueAxis *m_period;
    QLogValueAxis *m_amplitude;
    QScatterSeries *m_planets;
    PointLabels *m_names;
    QGraphicsPixmapItem *m_cellItem;
    QImage m_cells;
    QList<QLineSeries *> m_half;
    QList<QLineSeries *> m_most;
    Detection::AmplitudeAxis m_axis = Detection::AmplitudeAxis::SemiAmplitude;
};
