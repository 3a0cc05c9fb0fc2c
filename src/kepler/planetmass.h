#pragma once

#include <optional>
#include <string>

/// Masses and sizes of a star's companion from its radial-velocity orbit.
/// Units: P in days, K in m/s, masses in solar masses (GM_sun of
/// kepler/physicalconstants.h), angles in radians; i is the inclination of
/// the orbit to the sky (90° edge-on). Exact relations, no "m ≪ M★"
/// approximation, so brown dwarfs and stellar companions come out right.
///
/// The functions assume inputs in the ranges below (massRefusal checks them
/// all); outside, they return NaN or a meaningless number, never loop.
namespace Kepler {

/// Why these values cannot give a mass (a sentence for the user), or nothing.
/// Checks P > 0, K ≥ 0, 0 ≤ e < 1, M★ > 0 (all finite) and 0 < i < π.
std::optional<std::string> massRefusal(double periodDays, double semiAmplitude, double eccentricity,
                                       double starMassSolar, double inclinationRadians);

/// The mass function f = (m sin i)³/(M★ + m)² = P K³ (1 − e²)^{3/2} / (2π G),
/// solar masses. P > 0, K ≥ 0, 0 ≤ e < 1.
double massFunction(double periodDays, double semiAmplitude, double eccentricity);

/// The companion's true mass m, solar masses: the one positive root of
/// (m sin i)³ = f (M★ + m)², for f ≥ 0, M★ > 0 and 0 < i < π. Solved as
/// y³/(1 + y)² = f/(M★ sin³ i) for y = m/M★ by Newton's method on ln y,
/// where the function is increasing and concave: from the lower bound
/// max(∛φ, φ) the iterates rise monotonically to the root, so the method
/// always converges (in at most six steps for 1e-40 ≤ φ ≤ 1e40).
double companionMass(double massFunctionSolar, double starMassSolar, double inclinationRadians);

/// The minimum mass m sin i, solar masses: the companion mass at i = 90°.
/// P > 0, K ≥ 0, 0 ≤ e < 1, M★ > 0.
double minimumMass(double periodDays, double semiAmplitude, double eccentricity, double starMassSolar);

/// The star's velocity semi-amplitude K, m/s, that a companion of mass m
/// gives it: the inverse of massFunction, K = ∛(2π G f / P) / √(1 − e²) with
/// f = (m sin i)³/(M★ + m)². P > 0, 0 ≤ e < 1, M★ > 0, m ≥ 0, 0 ≤ i ≤ π.
double semiAmplitude(double periodDays, double eccentricity, double starMassSolar, double companionMassSolar,
                     double inclinationRadians);

/// The semi-major axis a of the relative orbit (planet around star), AU, by
/// Kepler's third law a³ = G (M★ + m) P² / (4π²). P > 0, M★ + m > 0.
double semiMajorAxisAu(double periodDays, double starMassSolar, double companionMassSolar);

/// The star's orbital speed around the barycentre, m/s, in the sense of
/// 2π a★ / P (a★ the star's semi-major axis): K √(1 − e²) / sin i. For a
/// circular orbit it is the speed itself; on an ellipse it is the speed at
/// the ends of the minor axis, the periastron speed being
/// √((1 + e)/(1 − e)) times it and the apastron speed its inverse.
/// K ≥ 0, 0 ≤ e < 1, 0 < i < π.
double starOrbitalSpeed(double semiAmplitude, double eccentricity, double inclinationRadians);

} // namespace Kepler
