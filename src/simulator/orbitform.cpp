#include "simulator/orbitform.h"

#include "app/colors.h"

#include <cmath>

std::optional<OrbitForm> OrbitForm::of(double eccentricity)
{
    if (eccentricity >= 0 && eccentricity < EllipseFrom) {
        return OrbitForm{QStringLiteral("Circle"), Colors::rgb(0, 0, 169),
                         Colors::rgb(0, 255, 169), eccentricity, 1.0};
    }
    if (eccentricity >= EllipseFrom && eccentricity < 1) {
        return OrbitForm{QStringLiteral("Ellipse"), Colors::rgb(0, 0, 149),
                         Colors::rgb(0, 255, 149), std::nullopt,
                         std::sqrt(1 - eccentricity * eccentricity)};
    }
    return std::nullopt;
}
