#pragma once

/// How an orbit of a in AU becomes sizes on the simulator's drawing area
/// (twips). The rules keep every planet of the catalog, from 0.04 AU to
/// 6 AU, visible and apart from the star's small circle, at the price of
/// true proportions: wide orbits are shrunk by powers of ten, tight ones
/// magnified, and a flat ellipse's height blown up until it can be seen.
namespace SceneScale {

inline constexpr double TwipsPerAU = 4620;
/// Radius of the circle the star wobbles on.
inline constexpr double WobbleRadius = 318;

struct Sizes
{
    double orbitRadius = 0;  ///< horizontal half-axis of the planet's path
    double orbitHeight = 0;  ///< vertical half-axis of the planet's elliptic path
    double wobbleRadius = 0; ///< radius of the star's circle
};

/// Screen sizes for an orbit of `axisAU` (> 0, finite) and eccentricity
/// `eccentricity` (0 ≤ e < 1). 1 AU gives 4620; 5 AU 2310; 0.05 AU 731.
/// The height is taken before the last correction of the radius, so it
/// may differ from e × orbitRadius.
Sizes forOrbit(float axisAU, double eccentricity);

} // namespace SceneScale
