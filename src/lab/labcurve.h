#pragma once

#include "kepler/keplerorbit.h"

#include <QByteArray>

#include <span>
#include <vector>

/// The star's radial-velocity curve as the lab plots and exports it, and
/// the seed's schematic curve beside it. Pure numbers, no widgets.
namespace LabCurve {

/// One sample of the curve.
struct Point
{
    double time = 0;     ///< t, days
    double phase = 0;    ///< (t − T_p) / P reduced to [0, 1): 0 at periastron
    double velocity = 0; ///< v(t), m/s, positive away from the observer
};

/// (t − T_p) / P reduced to [0, 1) for a valid orbit.
double phaseAt(const Kepler::Orbit &orbit, double timeDays);

/// t reduced to the first orbit [0, P), days: the plot's time axis and
/// the animation's clock run there.
double firstOrbitTime(const Kepler::Orbit &orbit, double timeDays);

/// Fills `points` (its size is the number of samples, at least 2) with
/// the true curve over one orbit, evenly in time from `firstTime` (days)
/// to `firstTime` + P inclusive, Kepler's equation solved at each sample.
/// The storage is reused, so a slider drag allocates nothing.
void sample(const Kepler::Orbit &orbit, double firstTime, std::span<Point> points);

/// The velocity the seed plots, m/s: it steps the phase uniformly and
/// takes it as the angle, v = K [cos(2π·phase + ω) + e cos ω], i.e. the
/// mean anomaly stands where the true anomaly belongs. This is exact only
/// for e = 0; for an eccentric orbit the star does not sweep equal angles in
/// equal times, so the schematic misses the sharp, lopsided swing near
/// periastron. Kept here so the lab can show the difference.
double schematicVelocity(const Kepler::Orbit &orbit, double phase);

/// The samples as CSV text: a header line with the units, then one line
/// per sample "time,phase,velocity" with six decimals, '\n' line ends.
QByteArray csv(std::span<const Point> points);

} // namespace LabCurve
