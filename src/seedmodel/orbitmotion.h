#pragma once

#include <QPointF>
#include <QSizeF>

/// Where one tick of the animation puts the planet and the star. Pure
/// geometry in twips; y grows downwards, so growing angles turn clockwise
/// on screen. Each picture is placed with its centre, where its body is
/// painted, on its drawn path.
namespace OrbitMotion {

/// The pictures' sizes as the simulator was designed, in twips.
inline constexpr QSizeF PlanetPicture{375, 555};
inline constexpr QSizeF StarPicture{735, 855};

struct Orbit
{
    double eccentricity = 0;
    double orbitRadius = 0;  ///< horizontal half-axis of the planet's path
    double orbitHeight = 0;  ///< vertical half-axis when the path is an ellipse
    double wobbleRadius = 0; ///< radius of the star's circle
    QPointF orbitCentre;
    QPointF starCentre;
};

/// Top-left corner of the planet picture at `angleDeg`: its centre half a
/// turn ahead of the star, on a circle for e below 0.1, on the ellipse for
/// e up to 1; for any other e the corner is parked at (0, 0).
QPointF planetCorner(const Orbit &orbit, int angleDeg);
/// Top-left corner of the star picture at `angleDeg`, its centre on the
/// star's circle.
QPointF starCorner(const Orbit &orbit, int angleDeg);

} // namespace OrbitMotion
