#include "lab/orbitgeometry.h"

#include "lab/labcurve.h"

#include <cmath>
#include <numbers>

namespace OrbitGeometry {

PlanePoint planetAtTrueAnomaly(const Kepler::Orbit &orbit, double axis, double trueAnomaly)
{
    const double e = orbit.eccentricity;
    const double radius = axis * (1 - e * e) / (1 + e * std::cos(trueAnomaly));
    const double angle = trueAnomaly + orbit.omegaRadians + std::numbers::pi;
    return {radius * std::cos(angle), radius * std::sin(angle)};
}

PlanePoint planetAt(const Kepler::Orbit &orbit, double axis, double timeDays)
{
    const double meanAnomaly = 2 * std::numbers::pi * LabCurve::phaseAt(orbit, timeDays);
    const double eccentric = Kepler::eccentricAnomaly(meanAnomaly, orbit.eccentricity);
    return planetAtTrueAnomaly(orbit, axis, Kepler::trueAnomaly(eccentric, orbit.eccentricity));
}

} // namespace OrbitGeometry
