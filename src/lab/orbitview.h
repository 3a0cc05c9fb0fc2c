#pragma once

#include "kepler/keplerorbit.h"
#include "lab/orbitgeometry.h"

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>

/// The orbit seen from above, relative to the star at its focus: the
/// planet's orbit, the line of nodes, the planet's periastron, the
/// direction to the observer, and the star's reflex orbit about the
/// barycentre, enlarged so it can be seen and marked as such. The planet
/// and the star move as setTime() says.
///
/// Everything that stays still is drawn once into a cached picture; a
/// frame of the animation repaints only the few pixels around the two
/// moving dots, so playing costs little.
class OrbitView : public QWidget
{
    Q_OBJECT

public:
    explicit OrbitView(QWidget *parent = nullptr);

    /// A valid orbit; `massRatio` is m / (M★ + m) (> 0), the star's share of
    /// the relative orbit.
    void setOrbit(const Kepler::Orbit &orbit, double massRatio);
    /// Moves planet and star to time t (days).
    void setTime(double timeDays);

    /// How many times the star's reflex orbit is drawn enlarged.
    double reflexEnlargement() const { return m_enlargement; }

    /// Draws the whole view (still parts and dots) at `size` pixels, for
    /// export to a picture or a vector drawing.
    void render(QPainter &painter, QSize size) const;

    QSize sizeHint() const override { return {360, 320}; }

protected:
    /// Its texts are painted: a change of language paints them again.
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Frame
    {
        QPointF origin; ///< the star (focus), pixels
        double scale;   ///< pixels per unit of semi-major axis
    };

    Frame frameFor(QSize size) const;
    void drawStill(QPainter &painter, QSize size) const;
    void drawMoving(QPainter &painter, const Frame &frame) const;
    /// The squares the planet and the star cover, pixels.
    std::array<QRect, 2> dotSquares(const Frame &frame) const;
    QPointF toScreen(const Frame &frame, OrbitGeometry::PlanePoint point) const;
    void rebuildCache();

    Kepler::Orbit m_orbit;
    double m_massRatio = 1e-3;
    double m_enlargement = 1;
    double m_time = 0;
    OrbitGeometry::PlanePoint m_planet;
    Frame m_frame{}; ///< of the widget's own size, kept with m_still
    QPixmap m_still;
};
