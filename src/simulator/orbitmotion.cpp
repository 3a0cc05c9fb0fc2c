#include "simulator/orbitmotion.h"

#include "ground/constants.h"

#include <cmath>

namespace OrbitMotion {

QPointF planetCorner(const Orbit &orbit, int angleDeg)
{
    // The planet runs half a turn (the program's π) ahead of the star.
    const double phi = angleDeg * Constants::RadiansPerDegree + Constants::Pi;
    const std::optional<Constants::OrbitShape> shape = Constants::orbitShape(orbit.eccentricity);
    if (!shape)
        return QPointF(0, 0);
    const double height = *shape == Constants::OrbitShape::Ellipse ? orbit.orbitHeight
                                                                    : orbit.orbitRadius;
    const double x = orbit.orbitCentre.x() + orbit.orbitRadius * std::cos(phi);
    const double y = orbit.orbitCentre.y() + height * std::sin(phi);
    return QPointF(double(float(x)), y);
}

QPointF starCorner(const Orbit &orbit, int angleDeg)
{
    const double theta = angleDeg * Constants::RadiansPerDegree;
    return QPointF(orbit.starCentre.x() + orbit.wobbleRadius * std::cos(theta),
                   orbit.starCentre.y() + orbit.wobbleRadius * std::sin(theta));
}

} // namespace OrbitMotion
