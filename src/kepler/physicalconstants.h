#pragma once

/// Physical constants of the orbits, in SI units. The mass parameters are the
/// IAU 2015 nominal values (Resolution B3), so masses given "in solar masses"
/// mean multiples of GM_sun / G and never depend on the uncertain G itself.
namespace Kepler {

inline constexpr double GM_sun = 1.3271244e20;     ///< nominal solar mass parameter, m³/s²
inline constexpr double GM_jupiter = 1.2668653e17; ///< nominal Jupiter mass parameter, m³/s²
inline constexpr double GM_earth = 3.986004e14;    ///< nominal Earth mass parameter, m³/s²
inline constexpr double AU = 1.495978707e11;       ///< astronomical unit, m (exact since IAU 2012)
inline constexpr double day = 86400.0;             ///< s

/// Mass ratios from the parameters above.
inline constexpr double jupiterMassesPerSolarMass = GM_sun / GM_jupiter;   ///< ≈ 1047.57
inline constexpr double earthMassesPerSolarMass = GM_sun / GM_earth;       ///< ≈ 332946
inline constexpr double earthMassesPerJupiterMass = GM_jupiter / GM_earth; ///< ≈ 317.83

} // namespace Kepler
