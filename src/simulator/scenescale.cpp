#include "simulator/scenescale.h"

#include "ground/constants.h"

#include <cmath>

namespace SceneScale {

Sizes forOrbit(float axisAU, double eccentricity)
{
    Sizes sizes;
    double radius = float(double(axisAU) * TwipsPerAU);
    if (radius > TwipsPerAU) {
        while (radius >= TwipsPerAU && std::isfinite(radius))
            radius /= 10;
    }
    if (radius < 100)
        radius *= 8;

    double height = eccentricity * radius;
    if (height < 120 && eccentricity > Constants::EllipseFrom) {
        while (height <= 500 && height > 0)
            height *= 5;
    }

    // Keep the planet's path clear of the star's circle.
    if (radius < WobbleRadius)
        radius += 500;
    else if (radius - WobbleRadius < 100)
        radius *= 10;

    sizes.orbitRadius = radius;
    sizes.orbitHeight = height;
    sizes.wobbleRadius = WobbleRadius;
    return sizes;
}

} // namespace SceneScale
