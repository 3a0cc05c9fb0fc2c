#pragma once

#include "kepler/keplerequation.h"
#include "numeric/outcome.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

/// Keplerian orbits as the star's radial velocity reveals them. Pure double
/// precision arithmetic, no Qt.
///
/// Conventions (those of the radial-velocity literature):
/// - ω is the argument of periastron of the *star's* orbit; the planet's is
///   ω + π.
/// - The star's velocity along the line of sight, positive away from the
///   observer, is v(t) = K [cos(ν(t) + ω) + e cos ω], with ν the true anomaly.
/// - The mean anomaly is M(t) = 2π (t − T_p) / P.
namespace Kepler {

/// One planet's orbit, as seen in its star's radial velocity.
struct Orbit
{
    double periodDays = 0;     ///< P, days; finite and > 0
    double semiAmplitude = 0;  ///< K, m/s; finite and ≥ 0
    double eccentricity = 0;   ///< e; 0 ≤ e < 1
    double omegaRadians = 0;   ///< ω of the star, radians; finite
    double periastronTime = 0; ///< T_p, days, on the time scale the orbit is evaluated at; finite
};

/// Why this orbit cannot be evaluated, or nothing when every element is in
/// its range. Call it once before evaluating an orbit that came from outside;
/// the evaluators below assume a valid orbit.
std::optional<Numeric::Refusal> refusal(const Orbit &orbit);

/// The true anomaly ν, radians in [−π, π], for the eccentric anomaly E
/// (radians, any finite value) and 0 ≤ e < 1. Computed from
/// tan(ν/2) = √((1 + e)/(1 − e)) tan(E/2) in its atan2 form, exact at E = ±π.
double trueAnomaly(double eccentricAnomaly, double eccentricity);

/// The star's radial velocity, m/s, at time t (days) for one planet.
double radialVelocity(const Orbit &orbit, double timeDays);

/// The sum of the planets' velocities, m/s, at time t (days).
double radialVelocity(std::span<const Orbit> orbits, double timeDays);

/// The sum of the planets' velocities, m/s, at each of the times (days), in
/// their order. The values of the function above (to rounding), computed
/// faster, with each orbit's constants and a KeplerEquation prepared once:
/// a curve of 10,000 points takes about half a millisecond.
std::vector<double> radialVelocities(std::span<const Orbit> orbits, std::span<const double> timesDays);

/// The time of periastron T_p, days, of the orbit whose planet passes inferior
/// conjunction (transits, if it does) at conjunctionTime, days. There the
/// planet's true anomaly is ν_c = π/2 − ω (ω the star's argument of
/// periastron, radians). Of all such periastrons, the one with
/// T_c − T_p in [−P/2, P/2]. P in days, 0 ≤ e < 1.
double periastronFromConjunction(double conjunctionTime, double periodDays, double e, double omega);

/// The inverse: the time of inferior conjunction T_c, days, with
/// T_c − T_p in [−P/2, P/2], for the time of periastron T_p, days.
double conjunctionFromPeriastron(double periastronTime, double periodDays, double e, double omega);

} // namespace Kepler
