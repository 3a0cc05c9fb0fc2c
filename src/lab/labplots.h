#pragma once

#include "kepler/keplerorbit.h"

#include <QSplitter>

class OrbitView;
class QPainter;
class RvPlot;
class SideView;

/// The lab's plots: the velocity curve ("rvChart") above the orbit seen
/// from above ("orbitView") beside the side view ("sideView"), each pair
/// parted by a splitter so that the user can give either more room.
class LabPlots : public QSplitter
{
    Q_OBJECT

public:
    explicit LabPlots(QWidget *parent = nullptr);

    /// A valid orbit; `reflexShare` is m / (M★ + m), the star's share of the
    /// relative orbit; `inclinationDegrees` in [0, 90].
    void showOrbit(const Kepler::Orbit &orbit, double reflexShare, double inclinationDegrees);
    /// Moves the plot's cursor and the orbit's planet and star to time t (days).
    void setTime(double timeDays);

    RvPlot *plot() const { return m_plot; }
    /// Lets the curve and the views shrink further, for a pane that shares
    /// their column on a small screen.
    void allowCompact();

    /// The orbit from above and the side view side by side, as one picture.
    QSize orbitPictureSize() const;
    void drawOrbitPicture(QPainter &painter) const;
    /// The velocity plot as it stands on the screen.
    QSize plotPictureSize() const;
    void drawPlotPicture(QPainter &painter) const;

private:
    RvPlot *m_plot;
    OrbitView *m_orbitView;
    SideView *m_sideView;
};
