#pragma once

#include "kepler/keplerorbit.h"

/// Where planet and star stand in their orbital plane, for drawing the
/// orbit from above. Pure numbers, no widgets.
///
/// Plane coordinates: x runs along the line of nodes towards the node
/// where the star crosses the sky plane moving away from us; y points to
/// the far side of the sky plane, so a point's distance behind the sky
/// plane is y sin i and the observer lies towards −y.
namespace OrbitGeometry {

struct PlanePoint
{
    double x = 0;
    double y = 0;
};

/// The planet's place relative to the star at true anomaly ν (radians) on
/// a relative orbit of semi-major axis `axis` (any length unit; the result
/// has the same): r = a(1 − e²)/(1 + e cos ν) at the angle ν + ω + π from
/// the node, since the planet's periastron lies opposite the star's.
PlanePoint planetAtTrueAnomaly(const Kepler::Orbit &orbit, double axis, double trueAnomaly);

/// The same at time t (days), Kepler's equation solved, so the planet
/// sweeps equal areas in equal times.
PlanePoint planetAt(const Kepler::Orbit &orbit, double axis, double timeDays);

} // namespace OrbitGeometry
