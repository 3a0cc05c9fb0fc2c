#include "labdata/labobservations.h"

#include "labdata/observationspanel.h"

#include "catalog/catalog.h"
#include "ground/formregistry.h"
#include "lab/keplerlab.h"

#include <QPointer>

#include <cmath>

namespace LabObservations {

namespace {

/// The one lab of the program and its panel, while both live.
QPointer<KeplerLab> attachedLab;
QPointer<ObservationsPanel> attachedPanel;

} // namespace

ObservationsPanel *attach(KeplerLab *lab)
{
    auto *observations = new ObservationsPanel;
    lab->addPage(observations, observations->windowTitle());
    lab->addFileActions(observations->fileMenuActions());
    lab->acceptFileDrops([observations](const QString &path) { observations->openFile(path); });
    // A file dropped on the lab is shown where it can be seen.
    QObject::connect(observations, &ObservationsPanel::dataShown, lab,
                     [lab, observations] { lab->showPage(observations); });

    observations->setPlanetSource([lab] {
        const LabPlanet &planet = lab->planet();
        return ObservationsPanel::CurrentPlanets{{planet.orbit}, planet.starMassSolar, planet.name};
    });
    QObject::connect(observations, &ObservationsPanel::planetChosen, lab,
                     [lab](const Kepler::Orbit &orbit, double starMassSolar, const QString &name) {
                         LabPlanet planet;
                         planet.name = name;
                         planet.orbit = orbit;
                         // The lab counts days from 0, not in JD; moving T_p by whole
                         // periods leaves every velocity as it was.
                         const double cycles = std::floor(orbit.periastronTime / orbit.periodDays);
                         planet.orbit.periastronTime = orbit.periastronTime - cycles * orbit.periodDays;
                         planet.starMassSolar = starMassSolar;
                         lab->showPlanet(planet);
                         lab->showPage(lab->orbitPage());
                     });
    attachedLab = lab;
    attachedPanel = observations;
    return observations;
}

ObservationsPanel *panel(KeplerLab *lab)
{
    return lab && lab == attachedLab ? attachedPanel.data() : nullptr;
}

bool openRealData(int catalogIndex)
{
    const QString file = PlanetCatalog::shippedSystemFile(catalogIndex);
    if (file.isEmpty())
        return false;
    KeplerLab::open();
    KeplerLab *lab = FormRegistry::instance().find<KeplerLab>();
    ObservationsPanel *observations = lab ? panel(lab) : nullptr;
    if (!observations)
        return false;
    lab->showPlanet(catalogLabPlanet(catalogIndex));
    return observations->openShippedSet(file);
}

} // namespace LabObservations
