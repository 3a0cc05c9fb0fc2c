#include "frame/startup.h"

#include "frame/singleinstance.h"
#include "frame/windowwiring.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "ground/platform.h"
#include "simulator/simulatorwindow.h"

#include <QTimer>

namespace Startup {

bool start()
{
    static SingleInstance instance;
    if (!instance.acquire()) {
        Platform::current().messageBox(QStringLiteral("This apllication already has been running now."),
                                       MsgBox::Exclamation, QStringLiteral("Ver. ") + AppInfo::version().shortText());
        return false;
    }
    WindowWiring::install();
    SimulatorWindow *simulator = form<SimulatorWindow>();
    simulator->startAnimation();
    simulator->showInFrame();
    return true;
}

} // namespace Startup
