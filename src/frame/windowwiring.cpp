#include "frame/windowwiring.h"

#include "frame/mdiform1.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "ground/twips.h"
#include "lab/keplerlab.h"
#include "lab/simulatorplanet.h"
#include "labdata/labobservations.h"
#include "massfunction/form2.h"
#include "register/form4.h"
#include "simulator/form1.h"

#include <QListWidget>

namespace WindowWiring {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    FrameHost::setLoader([]() -> FrameHost & { return *form<MDIForm1>(); });

    FormRegistry &registry = FormRegistry::instance();
    QObject::connect(&registry, &FormRegistry::loaded, &registry, [](QWidget *window) {
        if (auto *registration = qobject_cast<Form4 *>(window)) {
            QObject::connect(registration, &Form4::stopped, registration,
                             [] { form<Form1>()->stopSimulation(); });
        }
        // The measured-data panel joins the lab and Screen2 from above: it
        // knows both, and neither of them knows it.
        if (auto *lab = qobject_cast<KeplerLab *>(window))
            LabObservations::attach(lab);
        if (auto *catalogWindow = qobject_cast<Form2 *>(window)) {
            LabObservations::addRealDataButton(
                catalogWindow, catalogWindow->findChild<QListWidget *>(QStringLiteral("List1")),
                Twips::rect(240, 4920, 1935, 420));
        }
        if (auto *simulator = qobject_cast<Form1 *>(window)) {
            QObject::connect(simulator, &Form1::labRequested, simulator, &KeplerLab::open);
            // An open lab takes each new planet of Screen1.
            QObject::connect(simulator, &Form1::simulationStarted, simulator,
                             [](const Simulation &simulation) {
                                 KeplerLab::handOver(simulatorPlanet(simulation));
                             });
        }
    });
}

} // namespace WindowWiring
