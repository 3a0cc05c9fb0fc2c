#include "seedmodel/scenescale.h"

#include "seedmodel/orbitform.h"
#include "seedmodel/orbitmotion.h"

#include <algorithm>
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

    // Keep the planet's path clear of the star's circle.
    if (radius < WobbleRadius)
        radius += 500;
    else if (radius - WobbleRadius < 100)
        radius *= 10;

    const std::optional<OrbitForm> form = OrbitForm::of(eccentricity);
    double height = radius * (form ? form->aspect : 1.0);

    // The planet's picture is centred on its path, so the path may come no
    // nearer to the area's edge than half the picture.
    const double widthRoom = AreaHalfWidth - OrbitMotion::PlanetPicture.width() / 2;
    const double heightRoom = AreaHalfHeight - OrbitMotion::PlanetPicture.height() / 2;
    const double shrink = std::min({1.0, widthRoom / radius, heightRoom / height});
    if (shrink < 1) {
        radius *= shrink;
        height *= shrink;
    }

    sizes.orbitRadius = radius;
    sizes.orbitHeight = height;
    sizes.wobbleRadius = WobbleRadius;
    return sizes;
}

} // namespace SceneScale
