#include "lab/labplanet.h"

#include "catalog/catalog.h"

LabPlanet catalogLabPlanet(int index)
{
    static const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const auto row = size_t(index);
    LabPlanet planet;
    planet.name = PlanetCatalog::planetName(index);
    planet.orbit.periodDays = catalog.CatalogP.at(row);
    planet.orbit.semiAmplitude = catalog.CatalogK.at(row);
    planet.orbit.eccentricity = catalog.CatalogE.at(row);
    planet.orbit.omegaRadians = catalog.CatalogOmega.at(row) * LabUnits::RadiansPerDegree;
    planet.starMassSolar = catalog.CatalogM.at(row);
    planet.seedAxisAu = catalog.CatalogA.at(row);
    return planet;
}
