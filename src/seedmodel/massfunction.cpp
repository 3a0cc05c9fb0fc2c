#include "seedmodel/massfunction.h"

#include "seedmodel/storedvalues.h"

#include <cmath>

namespace MassFunctionMath {

using namespace StoredValues;

bool argumentsValid(double axisMetres, double periodDays, double eccentricity, float semiAmplitude, double starMassKg)
{
    return periodDays > 0 && semiAmplitude > 0 && axisMetres > 0 && eccentricity >= 0 && eccentricity < 1
        && starMassKg > 0;
}

float minimumMassKg(double axisMetres, double periodDays, double eccentricity, float semiAmplitude)
{
    const double periodSeconds = periodDays * SecondsPerDay;
    const double totalMassKg =
        std::pow(axisMetres / MetresPerAU, 3.0) / std::pow(periodDays / DaysPerYear, 2.0) * KgPerSolarMass;
    const double mass = semiAmplitude * std::sqrt(1 - eccentricity * eccentricity)
        * std::pow(std::pow(totalMassKg, 2.0) * periodSeconds / TwoPiG, 1.0 / 3.0);
    return float(mass);
}

float jupiterMasses(double massKg)
{
    return float(massKg / KgPerJupiterMass);
}

float shownMass(float jupiterMasses, bool earthMasses)
{
    return earthMasses ? float(double(jupiterMasses) * EarthMassesPerJupiterMass) : jupiterMasses;
}

} // namespace MassFunctionMath
