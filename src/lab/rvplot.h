#pragma once

#include "kepler/keplerorbit.h"
#include "lab/labcurve.h"

#include <QChartView>
#include <QPixmap>

#include <span>
#include <vector>

class QLineSeries;
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
    /// Where the cursor stands on the horizontal axis (days or phase).
    double cursorX() const { return m_cursorX; }
    /// The cursor's line and its dot on the true curve, in the chart's
    /// coordinates (pixels).
    QLineF cursorLine() const;
    QPointF markerPosition() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    /// Radius of the cursor's dot plus a pixel, pixels.
    static constexpr double CursorReach = 5.5;

    QRect cursorDamage() const;
    void forgetStill();
    void recompute();
    void retranslate();
    QString timeTitle() const;
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
    QLineSeries *m_cursorSeries; ///< empty: the cursor's legend entry
    double m_cursorX = 0;
    QPixmap m_still; ///< the chart without the cursor, as shown
    bool m_paintingStill = false;
    QPointF m_cursorDot; ///< the cursor on the true curve, chart coordinates
    QValueAxis *m_timeAxis;
    QValueAxis *m_velocityAxis;
};
