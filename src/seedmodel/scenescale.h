#pragma once

/// How an orbit of a in AU becomes sizes on the simulator's drawing area
/// (twips). The rules keep every planet of the catalog, from 0.04 AU to
/// 6 AU, visible and apart from the star's small circle, at the price of
/// true proportions: wide orbits are shrunk by powers of ten, tight ones
/// magnified. The ellipse keeps its true flattening, and an orbit too tall
/// for the drawing area is shrunk, shape kept, until the planet's picture
/// stays inside it all the way round.
namespace SceneScale {

inline constexpr double TwipsPerAU = 4620;
/// Radius of the circle the star wobbles on.
inline constexpr double WobbleRadius = 318;
/// Half the inner size of the simulator's drawing area, where the orbit
/// is centred: 10755 × 7995 twips inside its border.
inline constexpr double AreaHalfWidth = 5377.5;
inline constexpr double AreaHalfHeight = 3997.5;

struct Sizes
{
    double orbitRadius = 0;  ///< horizontal half-axis of the planet's path
    double orbitHeight = 0;  ///< vertical half-axis of the planet's path, as drawn
    double wobbleRadius = 0; ///< radius of the star's circle
};

/// Screen sizes for an orbit of `axisAU` (> 0, finite) and eccentricity
/// `eccentricity` (0 ≤ e < 1). 0.1 AU gives 462; 5 AU 2310; 0.05 AU 731;
/// 1 AU, 4620 at first, is shrunk to 3720 so that the planet's picture
/// (555 high) stays inside the 7995-high area. The height is the radius
/// times the aspect of OrbitForm: the radius itself for a circle,
/// radius × √(1 − e²) for an ellipse.
Sizes forOrbit(float axisAU, double eccentricity);

} // namespace SceneScale
