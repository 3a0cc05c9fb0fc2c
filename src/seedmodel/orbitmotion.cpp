#include "seedmodel/orbitmotion.h"

#include "seedmodel/storedvalues.h"

#include <cmath>
#include <optional>

namespace OrbitMotion {

namespace {

QPointF cornerAround(QPointF centre, QSizeF picture)
{
    return centre - QPointF(picture.width() / 2, picture.height() / 2);
}

} // namespace

QPointF planetCorner(const Orbit &orbit, int angleDeg)
{
    // The planet runs half a turn (the program's π) ahead of the star.
    const double phi = angleDeg * StoredValues::RadiansPerDegree + StoredValues::Pi;
    const std::optional<StoredValues::OrbitShape> shape = StoredValues::orbitShape(orbit.eccentricity);
    if (!shape)
        return QPointF(0, 0);
    const double height = *shape == StoredValues::OrbitShape::Ellipse ? orbit.orbitHeight : orbit.orbitRadius;
    const QPointF centre(orbit.orbitCentre.x() + orbit.orbitRadius * std::cos(phi),
                         orbit.orbitCentre.y() + height * std::sin(phi));
    const QPointF corner = cornerAround(centre, PlanetPicture);
    return QPointF(double(float(corner.x())), corner.y());
}

QPointF starCorner(const Orbit &orbit, int angleDeg)
{
    const double theta = angleDeg * StoredValues::RadiansPerDegree;
    return cornerAround(QPointF(orbit.starCentre.x() + orbit.wobbleRadius * std::cos(theta),
                                orbit.starCentre.y() + orbit.wobbleRadius * std::sin(theta)),
                        StarPicture);
}

} // namespace OrbitMotion
