#include "simulator/orbitmotion.h"

#include "simulator/orbitform.h"

#include <cmath>

namespace OrbitMotion {

namespace {

QPointF cornerAround(QPointF centre, QSizeF picture)
{
    return centre - QPointF(picture.width() / 2, picture.height() / 2);
}

} // namespace

QPointF planetCorner(const Orbit &orbit, int angleDeg)
{
    const double phi = angleDeg * RadiansPerDegree + HalfTurn;
    const double e = orbit.eccentricity;
    if (e < 0 || e >= 1)
        return QPointF(0, 0);
    const double height = e >= OrbitForm::EllipseFrom ? orbit.orbitHeight : orbit.orbitRadius;
    const QPointF centre(orbit.orbitCentre.x() + orbit.orbitRadius * std::cos(phi),
                         orbit.orbitCentre.y() + height * std::sin(phi));
    const QPointF corner = cornerAround(centre, PlanetPicture);
    return QPointF(double(float(corner.x())), corner.y());
}

QPointF starCorner(const Orbit &orbit, int angleDeg)
{
    const double theta = angleDeg * RadiansPerDegree;
    return cornerAround(QPointF(orbit.starCentre.x() + orbit.wobbleRadius * std::cos(theta),
                                orbit.starCentre.y() + orbit.wobbleRadius * std::sin(theta)),
                        StarPicture);
}

} // namespace OrbitMotion
