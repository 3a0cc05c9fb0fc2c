#include "simulator/orbitmotion.h"

#include <cmath>

namespace OrbitMotion {

QPointF planetCorner(const Orbit &orbit, int angleDeg)
{
    const double phi = angleDeg * RadiansPerDegree + HalfTurn;
    const double e = orbit.eccentricity;
    double x = 0;
    double y = 0;
    if (e >= 0.1 && e < 1) {
        x = orbit.orbitCentre.x() + orbit.orbitRadius * std::cos(phi);
        y = orbit.orbitCentre.y() + orbit.orbitHeight * std::sin(phi);
    } else if (e >= 0 && e < 0.1) {
        x = orbit.orbitCentre.x() + orbit.orbitRadius * std::cos(phi);
        y = orbit.orbitCentre.y() + orbit.orbitRadius * std::sin(phi);
    }
    return QPointF(double(float(x)), y);
}

QPointF starCorner(const Orbit &orbit, int angleDeg)
{
    const double theta = angleDeg * RadiansPerDegree;
    return QPointF(orbit.starCentre.x() + orbit.wobbleRadius * std::cos(theta),
                   orbit.starCentre.y() + orbit.wobbleRadius * std::sin(theta));
}

} // namespace OrbitMotion
