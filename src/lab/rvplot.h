#pragma once

#include "kepler/keplerorbit.h"
#include "lab/labcurve.h"

#include <QChartView>

#include <span>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

/// The lab's radial-velocity plot: the true Keplerian curve of the star
/// over one orbit, optionally the seed's schematic curve beside it, and a
/// cursor where the planet of the orbit view stands now. Axes in days (or
/// orbital phase) and m/s, with grid and legend.
///
/// The series are created once and refilled with replace(), so dragging a
/// slider redraws without building new chart items.
class RvPlot : public QChartView
{
    Q_OBJECT

public:
    /// Samples per curve: smooth at any window width, cheap to recompute.
    static constexpr int SampleCount = 1500;

    explicit RvPlot(QWidget *parent = nullptr);

    /// Recomputes and redraws the curves for a valid orbit.
    void showOrbit(const Kepler::Orbit &orbit);
    /// Time in days over [0, P] (false) or orbital phase over [0, 1], 0 at
    /// periastron (true).
    void setPhaseAxis(bool phase);
    bool phaseAxis() const { return m_phaseAxis; }
    void setSchematicShown(bool shown);
    /// Moves the cursor to time t (days).
    void setCursorTime(double timeDays);

    /// The samples of the true curve as plotted now.
    std::span<const LabCurve::Point> points() const { return m_points; }

    QLineSeries *trueSeries() const { return m_trueSeries; }
    QLineSeries *schematicSeries() const { return m_schematicSeries; }
    QLineSeries *cursorSeries() const { return m_cursorSeries; }

private:
    void recompute();
    void placeCursor();
    double abscissa(double timeDays) const;

    Kepler::Orbit m_orbit;
    bool m_phaseAxis = false;
    double m_cursorTime = 0;
    std::vector<LabCurve::Point> m_points;
    QList<QPointF> m_truePoints;
    QList<QPointF> m_schematicPoints;
    QLineSeries *m_trueSeries;
    QLineSeries *m_schematicSeries;
    QLineSeries *m_cursorSeries;
    QScatterSeries *m_markerSeries;
    QValueAxis *m_timeAxis;
    QValueAxis *m_velocityAxis;
};
