#include "lab/simulatorplanet.h"

#include "app/formregistry.h"
#include "app/textnumber.h"
#include "catalog/catalog.h"
#include "massfunction/massfunction.h"
#include "rv/rv.h"
#include "simulator/form1.h"

#include <QLineEdit>
#include <QTimer>

std::optional<LabPlanet> simulatorPlanet(const Form1 &simulator)
{
    if (simulator.BodyClass.isEmpty() || !simulator.Timer1->isActive())
        return std::nullopt;

    LabPlanet planet;
    planet.orbit.periodDays = simulator.PeriodDays;
    planet.orbit.semiAmplitude = simulator.SemiAmplitude;
    planet.orbit.eccentricity = simulator.Eccentricity;
    // The set-up keeps ω only in the RV window's carrier box, in radians.
    if (const RV *rv = FormRegistry::instance().find<RV>())
        planet.orbit.omegaRadians = TextNumber::leadingNumber(rv->Text5->text());
    planet.starMassSolar = simulator.StarMassKg / MassFunctionMath::KgPerSolarMass;
    planet.seedAxisAu = simulator.AxisAU;

    planet.name = QStringLiteral("Planet of the set-up");
    const PlanetCatalog &catalog = simulator.catalog;
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i) {
        if (catalog.CatalogP[size_t(i)] == simulator.PeriodDays
            && float(catalog.CatalogK[size_t(i)]) == simulator.SemiAmplitude) {
            planet.name = PlanetCatalog::planetName(i);
            break;
        }
    }
    return planet;
}
