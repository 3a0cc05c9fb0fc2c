// Costs of the simulation's two drawing paths, and the CPU share of a
// running animation.
//
//   bench_simulation               one tick (both moves and the repaint of
//                                  what they uncovered and covered) and one
//                                  RV plot, medians of 15 runs
//   bench_simulation --cpu-share S the process's CPU share while 51 Peg b
//                                  circles on screen for S seconds
//
// The set-up is answered by the scripted platform, so nobody has to type.
// Run offscreen for the costs and under xvfb-run for the CPU share
// (bench/cpu_share.sh does both kinds of CPU measurement).

#include "benchtiming.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "ground/textnumber.h"
#include "rv/rv.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QRegion>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace BenchTiming;

namespace {

Form1 *startScene(ScriptedPlatform &platform)
{
    // Nothing listens there: the start-up update check fails at once, silently.
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:9"));
    Form1 *simulator = form<Form1>();
    simulator->showInFrame();
    platform.inputAnswers.enqueue(QStringLiteral("4.230785"));
    platform.inputAnswers.enqueue(QStringLiteral("55.94"));
    simulator->setUpSimulation();
    QApplication::processEvents();
    return simulator;
}

int measureCosts(Form1 *simulator)
{
    simulator->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    auto *surface = simulator->findChild<PictureBox *>(QStringLiteral("Simulator"));
    auto *planet = simulator->findChild<QLabel *>(QStringLiteral("Planet1"));
    auto *star = simulator->findChild<QLabel *>(QStringLiteral("Star"));
    const double tick = microsecondsPerCall(360, [&](int) {
        const QRegion before = QRegion(planet->geometry()) + star->geometry();
        simulator->animateOneTick();
        surface->repaint(before + planet->geometry() + star->geometry());
    });
    const Simulation &simulation = simulator->simulation();
    const double curve = microsecondsPerCall(20, [&](int) {
        form<RV>()->drawRadialVelocityCurve(simulation.curveElements(),
                                            TextNumber::carried(simulation.shownMass()),
                                            simulation.earthMassesShown,
                                            QString());
    });
    std::printf("one tick (two moves + repaint of the damaged region): %.1f us\n", tick);
    std::printf("one RV plot (summary + 241 points):                  %.1f us\n", curve);
    return 0;
}

int measureCpuShare(double seconds)
{
    const double startCpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(int(seconds * 1000), qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double share = (cpuSeconds() - startCpu) / (double(wall.nsecsElapsed()) / 1e9);
    std::printf("CPU share with 51 Peg b animated for %.0f s: %.1f %% of one core\n", seconds,
                share * 100);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    Form1 *simulator = startScene(platform);

    const QStringList arguments = QApplication::arguments();
    const qsizetype cpuShare = arguments.indexOf(QStringLiteral("--cpu-share"));
    const int result = cpuShare >= 0
                           ? measureCpuShare(arguments.value(cpuShare + 1, QStringLiteral("10")).toDouble())
                           : measureCosts(simulator);
    FormRegistry::instance().unloadAll();
    return result;
}
