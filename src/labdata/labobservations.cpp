#include "labdata/labobservations.h"

#include "labdata/observationspanel.h"

#include "ground/formregistry.h"
#include "catalog/catalog.h"
#include "lab/keplerlab.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>

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
    lab->addPage(observations, QObject::tr("Observations"));
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

QString systemFileOf(int catalogIndex)
{
    // Catalog order: 51 Peg b, HD 149026 b, HD 209458 b, HD 17156 b,
    // 55 Cnc b–f, 47 UMa b–c, 16 Cyg B b, HD 202206 b–c, HD 137510 b.
    static const char *const files[PlanetCatalog::LastPlanet + 1] = {
        nullptr,        "51peg.sys",  "HD149026.sys", "HD209458.sys", "HD17156.sys",
        "55Cnc.sys",    "55Cnc.sys",  "55Cnc.sys",    "55Cnc.sys",    "55Cnc.sys",
        "47uma.sys",    "47uma.sys",  "16cygB.sys",   "HD202206.sys", "HD202206.sys",
        nullptr,
    };
    if (catalogIndex < PlanetCatalog::FirstPlanet || catalogIndex > PlanetCatalog::LastPlanet
        || !files[catalogIndex])
        return {};
    return QString::fromLatin1(files[catalogIndex]);
}

bool openRealData(int catalogIndex)
{
    const QString file = systemFileOf(catalogIndex);
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

QWidget *addRealDataButton(QWidget *window, QListWidget *catalogList, const QRect &geometry)
{
    auto *button = new QPushButton(QObject::tr("Real data"), window);
    button->setObjectName(QStringLiteral("realDataButton"));
    button->setToolTip(QObject::tr("Open the measured velocities of this planet's star in the Kepler lab"));
    button->setGeometry(geometry);
    auto follow = [button](int row) { button->setEnabled(!systemFileOf(row).isEmpty()); };
    follow(catalogList->currentRow());
    QObject::connect(catalogList, &QListWidget::currentRowChanged, button, follow);
    QObject::connect(button, &QPushButton::clicked, catalogList,
                     [catalogList] { openRealData(catalogList->currentRow()); });
    return button;
}

} // namespace LabObservations
