#include "challenge/rounding.h"

#include "numeric/numbertext.h"

#include <cmath>

namespace Challenge {

double roundedTo(double value, double step)
{
    // Multiplying by 1/step, an exact integer for steps 1e-n, keeps the
    // rounding free of step's own binary error.
    const double perUnit = std::round(1 / step);
    return std::round(value * perUnit) / perUnit;
}

double roundedToUncertainty(double value, double uncertainty)
{
    if (!(uncertainty > 0) || !std::isfinite(uncertainty))
        return value;
    const double scale = std::pow(10.0, Numeric::decimalsForUncertainty(uncertainty));
    return std::round(value * scale) / scale;
}

} // namespace Challenge
