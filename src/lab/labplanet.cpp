#include "lab/labplanet.h"

#include "catalog/catalog.h"

LabPlanet catalogLabPlanet(int index)
{
    static const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const CatalogPlanet &row = catalog.planet(index);
    LabPlanet planet;
    planet.name = PlanetCatalog::planetName(index);
    planet.orbit.periodDays = row.periodDays;
    planet.orbit.semiAmplitude = row.semiAmplitude;
    planet.orbit.eccentricity = row.eccentricity;
    planet.orbit.omegaRadians = row.omegaDegrees * LabUnits::RadiansPerDegree;
    planet.starMassSolar = row.starMassSolar;
    planet.seedAxisAu = row.axisAU;
    return planet;
}
