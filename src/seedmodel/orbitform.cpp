#include "seedmodel/orbitform.h"

#include "ground/colors.h"
#include "seedmodel/storedvalues.h"

#include <cmath>

std::optional<OrbitForm> OrbitForm::of(double eccentricity)
{
    const std::optional<StoredValues::OrbitShape> shape = StoredValues::orbitShape(eccentricity);
    if (!shape)
        return std::nullopt;
    if (*shape == StoredValues::OrbitShape::Circle) {
        return OrbitForm{QStringLiteral("Circle"), Colors::rgb(0, 0, 169), Colors::rgb(0, 255, 169), eccentricity, 1.0};
    }
    return OrbitForm{QStringLiteral("Ellipse"), Colors::rgb(0, 0, 149), Colors::rgb(0, 255, 149), std::nullopt,
                     std::sqrt(1 - eccentricity * eccentricity)};
}
