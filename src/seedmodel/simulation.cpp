#include "seedmodel/simulation.h"

#include "ground/textnumber.h"
#include "seedmodel/massfunction.h"
#include "seedmodel/storedvalues.h"

#include <limits>

double Simulation::omegaRadians() const
{
    return elements.omegaDegrees * StoredValues::RadiansPerDegree;
}

double Simulation::axisMetres() const
{
    return elements.axisAU * StoredValues::MetresPerAU;
}

double Simulation::starMassKg() const
{
    return elements.starMassSolar * StoredValues::KgPerSolarMass;
}

float Simulation::shownMass() const
{
    return MassFunctionMath::shownMass(minimumMassJupiter, earthMassesShown);
}

OrbitMotion::Orbit Simulation::orbit() const
{
    return {elements.eccentricity, sizes.orbitRadius, sizes.orbitHeight, sizes.wobbleRadius, orbitCentre, starCentre};
}

RvCurve::Elements Simulation::curveElements() const
{
    using TextNumber::carried;
    return {carried(elements.eccentricity), carried(elements.semiAmplitude), carried(elements.periodDays),
            carried(omegaRadians())};
}

qint16 Simulation::nextAngle()
{
    if (angleDeg == std::numeric_limits<qint16>::max())
        angleDeg = 0;
    return angleDeg++;
}
