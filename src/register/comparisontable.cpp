#include "register/comparisontable.h"

ComparisonTable ComparisonTable::fromCatalog(const PlanetCatalog &catalog)
{
    ComparisonTable table;
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i) {
        table.P[size_t(i)] = float(catalog.planet(i).periodDays);
        table.K[size_t(i)] = float(catalog.planet(i).semiAmplitude);
    }
    return table;
}

bool ComparisonTable::isDuplicate(float p, float k) const
{
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i) {
        if (p == P[size_t(i)] || k == K[size_t(i)])
            return true;
    }
    return false;
}
