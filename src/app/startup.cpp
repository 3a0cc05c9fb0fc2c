#include "app/startup.h"

#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/platform.h"
#include "app/singleinstance.h"
#include "simulator/form1.h"

#include <QTimer>

namespace Startup {

bool start()
{
    static SingleInstance instance;
    if (!instance.acquire()) {
        Platform::current().messageBox(QStringLiteral("This apllication already has been running now."),
                                       MsgBox::Exclamation,
                                       QStringLiteral("Ver. ") + AppInfo::version().shortText());
        return false;
    }
    Form1 *simulator = form<Form1>();
    simulator->Timer1->start();
    simulator->showInFrame();
    return true;
}

} // namespace Startup
