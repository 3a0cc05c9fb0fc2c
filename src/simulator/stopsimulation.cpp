#include "simulator/stopsimulation.h"

#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/platform.h"
#include "rv/rv.h"
#include "simulator/form1.h"

#include <QLabel>
#include <QTimer>

void StopSimulation()
{
    Platform::current().beep();
    Form1 *simulator = form<Form1>();
    simulator->Timer1->stop();
    simulator->Simulator->cls();
    simulator->Label1->clear();
    if (simulator->Tag == QStringLiteral("Stop"))
        simulator->Simulator->setPicture(QImage());
    else
        form<RV>()->RVC->setPicture(QImage());
    form<MDIForm1>()->setPanel1(AppInfo::title() + QStringLiteral("  ") + AppInfo::copyrightNotice());
}
