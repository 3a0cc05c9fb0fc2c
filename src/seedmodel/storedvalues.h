#pragma once

#include <optional>

/// The numbers the program has always computed with, each in one place
/// with its unit. They are the stored values of the original program, not
/// the most exact ones, so that every shown digit stays as it was
/// (51 Peg b: 0.4716685 Jupiter masses).
namespace StoredValues {

/// π as the program stores it, 3.1415926358973 (the exact value is
/// 3.14159265358979…): the half turn between star and planet, and the
/// step of the radial-velocity curve's phase.
inline constexpr double Pi = 3.1415926358973;
/// Radians per degree as stored, 0.017453292421651667 (not exactly π/180).
inline constexpr double RadiansPerDegree = 0.017453292421651667;

/// Metres per astronomical unit.
inline constexpr double MetresPerAU = 149597870000.0;
/// Seconds per day.
inline constexpr double SecondsPerDay = 86400.0;
/// Days per year (tropical year).
inline constexpr double DaysPerYear = 365.2422;
/// Kilograms per solar mass.
inline constexpr double KgPerSolarMass = 1.989E30;
/// 2π times G = 6.67259E-11 m³ kg⁻¹ s⁻², taken as this literal.
inline constexpr double TwoPiG = 4.1925119212723924E-10;
/// Kilograms per Jupiter mass.
inline constexpr double KgPerJupiterMass = 1.89871642E27;
/// Earth masses per Jupiter mass, the factor of the Earth-mass display.
inline constexpr float EarthMassesPerJupiterMass = 318;

/// Eccentricity from which an orbit is an ellipse; below it (down to 0) a
/// circle. The simulator, the curve and the catalog window judge alike.
inline constexpr double EllipseFrom = 0.1;

/// Jupiter masses from which a companion is a brown dwarf (13 itself is one).
inline constexpr float BrownDwarfFrom = 13;
/// Jupiter masses above which a companion is a star (76 itself is a brown dwarf).
inline constexpr float StarAbove = 76;

enum class OrbitShape { Circle, Ellipse };

/// Circle for 0 ≤ e < EllipseFrom, Ellipse for EllipseFrom ≤ e < 1,
/// nothing for any other e (no bound orbit, or not a number).
constexpr std::optional<OrbitShape> orbitShape(double eccentricity)
{
    if (eccentricity >= 0 && eccentricity < EllipseFrom)
        return OrbitShape::Circle;
    if (eccentricity >= EllipseFrom && eccentricity < 1)
        return OrbitShape::Ellipse;
    return std::nullopt;
}

} // namespace StoredValues
