#include "lab/simulatorplanet.h"

#include "catalog/catalog.h"
#include "seedmodel/simulation.h"

#include <QCoreApplication>

std::optional<LabPlanet> simulatorPlanet(const Simulation &simulation)
{
    if (simulation.companionClass.isEmpty())
        return std::nullopt;

    const Simulation::Elements &elements = simulation.elements;
    LabPlanet planet;
    planet.orbit.periodDays = elements.periodDays;
    planet.orbit.semiAmplitude = elements.semiAmplitude;
    planet.orbit.eccentricity = elements.eccentricity;
    planet.orbit.omegaRadians = simulation.omegaRadians();
    planet.starMassSolar = elements.starMassSolar;
    planet.seedAxisAu = float(elements.axisAU);
    planet.name = elements.catalogIndex > 0 ? PlanetCatalog::planetName(elements.catalogIndex)
                                            : QCoreApplication::translate("LabPlanet", "Planet of the set-up");
    return planet;
}
