#include "simulator/orbitform.h"

#include "ground/colors.h"
#include "ground/constants.h"

std::optional<OrbitForm> OrbitForm::of(double eccentricity)
{
    const std::optional<Constants::OrbitShape> shape = Constants::orbitShape(eccentricity);
    if (!shape)
        return std::nullopt;
    if (*shape == Constants::OrbitShape::Circle) {
        return OrbitForm{QStringLiteral("Circle"), Colors::rgb(0, 0, 169),
                         Colors::rgb(0, 255, 169), eccentricity, 1.0};
    }
    return OrbitForm{QStringLiteral("Ellipse"), Colors::rgb(0, 0, 149), Colors::rgb(0, 255, 149),
                     std::nullopt, eccentricity};
}
