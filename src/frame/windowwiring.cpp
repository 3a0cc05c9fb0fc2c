#include "frame/windowwiring.h"

#include "classroom/labclassroom.h"
#include "frame/mainframe.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "handfit/handfitwiring.h"
#include "lab/keplerlab.h"
#include "lab/simulatorplanet.h"
#include "labdata/labobservations.h"
#include "massfunction/massfunctionwindow.h"
#include "register/registrationwindow.h"
#include "simulator/simulatorwindow.h"

namespace WindowWiring {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    FrameHost::setLoader([]() -> FrameHost & { return *form<MainFrame>(); });

    FormRegistry &registry = FormRegistry::instance();
    QObject::connect(&registry, &FormRegistry::loaded, &registry, [](QWidget *window) {
        if (auto *registration = qobject_cast<RegistrationWindow *>(window)) {
            QObject::connect(registration, &RegistrationWindow::stopped, registration,
                             [] { form<SimulatorWindow>()->stopSimulation(); });
        }
        // The measured-data panel joins the lab and Screen2 from above: it
        // knows both, and neither of them knows it. Fitting by hand joins
        // the lab and that panel the same way.
        if (auto *lab = qobject_cast<KeplerLab *>(window)) {
            ObservationsPanel *observations = LabObservations::attach(lab);
            HandFit::attach(lab, observations);
            QObject::connect(LabClassroom::attach(lab, observations), &LabClassroom::closenessHelpChanged, lab,
                             &KeplerLab::setHintsAllowed);
        }
        if (auto *catalogWindow = qobject_cast<MassFunctionWindow *>(window)) {
            QObject::connect(catalogWindow, &MassFunctionWindow::realDataRequested, catalogWindow,
                             &LabObservations::openRealData);
        }
        if (auto *simulator = qobject_cast<SimulatorWindow *>(window)) {
            QObject::connect(simulator, &SimulatorWindow::labRequested, simulator, &KeplerLab::open);
            // An open lab takes each new planet of Screen1.
            QObject::connect(simulator, &SimulatorWindow::simulationStarted, simulator,
                             [](const Simulation &simulation) { KeplerLab::handOver(simulatorPlanet(simulation)); });
        }
    });
}

} // namespace WindowWiring
