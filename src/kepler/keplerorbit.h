#pragma once

#include <optional>
#include <span>
#include <string>

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

/// Why this orbit cannot be evaluated (a sentence for the user), or nothing
/// when every element is in its range. Call it once before evaluating an
/// orbit that came from outside; the evaluators below assume a valid orbit.
std::optional<std::string> refusal(const Orbit &orbit);

/// Solves Kepler's equation E − e sin E = M for the eccentric anomaly E,
/// radians, to |E − e sin E − M| ≤ 1e-12. Any finite M (reduced internally);
/// 0 ≤ e < 1.
double eccentricAnomaly(double meanAnomaly, double eccentricity);

/// The true anomaly ν, radians in (−π, π], for the eccentric anomaly E.
double trueAnomaly(double eccentricAnomaly, double eccentricity);

/// The star's radial velocity, m/s, at time t (days) for one planet.
double radialVelocity(const Orbit &orbit, double timeDays);

/// The sum of the planets' velocities, m/s, at time t (days).
double radialVelocity(std::span<const Orbit> orbits, double timeDays);

} // namespace Kepler
