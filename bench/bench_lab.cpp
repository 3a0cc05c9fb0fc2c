// Costs of the Kepler lab.
//
//   bench_lab                 one change of an element (curves of 1500
//                             points resampled, derived values, views) and
//                             one animation frame (cursor and dots moved and
//                             the damage repainted), medians of 15 runs; then
//                             the same change with 400 measurements of two
//                             instruments fitted by hand (the data's curve,
//                             the goodness meter and the residuals redrawn
//                             as well), in time and folded
//   bench_lab --cpu-share S   the process's CPU share with the lab playing
//                             for S seconds, then paused for S seconds
//
// Only the frame and the lab are loaded, so the figures are the lab's own.
// Run under xvfb-run for the CPU share (bench/cpu_share.sh does).

#include "benchtiming.h"
#include "frame/windowwiring.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "lab/keplerlab.h"
#include "lab/orbitview.h"
#include "lab/rvplot.h"
#include "labdata/analysisrunner.h"
#include "labdata/labobservations.h"
#include "labdata/observationspanel.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace BenchTiming;

namespace {

void runFor(double seconds)
{
    // A loop of its own: quitting the application would ask the frame to close.
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

double shareOver(double seconds)
{
    const double startCpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runFor(seconds);
    return 100 * (cpuSeconds() - startCpu) / (double(wall.nsecsElapsed()) / 1e9);
}

void flushPaints()
{
    // The chart's scene reports its damage one turn of the loop later.
    QApplication::processEvents();
    QApplication::processEvents();
}

/// 400 measurements over three years, alternately of two instruments with
/// zero points 30 m/s apart, of a 4.23-day planet with K = 56 m/s.
Observations::DataSet fourHundredPoints()
{
    Observations::DataSet data;
    data.instruments = {"first", "second"};
    const Kepler::Orbit planet{4.2308, 56, 0.01, 1.0, 0.3};
    for (int i = 0; i < 400; ++i) {
        const double t = 2.75 * i + 0.37 * std::sin(i * 1.7);
        const int instrument = i % 2;
        const double noise = 5 * std::sin(i * 12.9898);
        data.measurements.push_back({t, Kepler::radialVelocity(planet, t) + noise + 30 * instrument, 5, instrument});
    }
    return data;
}

/// One change of K: the median wall time and the mean CPU time of this
/// process, microseconds; the CPU time holds steadier on a busy machine.
struct StepCost
{
    double wall = 0;
    double cpu = 0;
};

StepCost elementChange(KeplerLab *lab)
{
    auto *amplitude = lab->findChild<QDoubleSpinBox *>(QStringLiteral("semiAmplitudeSpin"));
    constexpr int Calls = 20;
    const double cpuBefore = cpuSeconds();
    const double wall = microsecondsPerCall(Calls, [&](int i) {
        amplitude->setValue(40 + i);
        flushPaints();
    });
    return {wall, 1e6 * (cpuSeconds() - cpuBefore) / (Runs * Calls)};
}

void measureHandFit(KeplerLab *lab)
{
    const StepCost withoutData = elementChange(lab);
    ObservationsPanel *panel = LabObservations::panel(lab);
    panel->setData(fourHundredPoints(), QStringLiteral("bench"));
    lab->showPage(lab->orbitPage());
    // The tab's periodogram of the new data runs on a worker; let it end.
    do
        runFor(0.2);
    while (panel->runner()->isRunning());
    const StepCost inTime = elementChange(lab);
    lab->findChild<QCheckBox *>(QStringLiteral("foldCheck"))->setChecked(true);
    runFor(0.2);
    const StepCost folded = elementChange(lab);
    std::printf("lab, one change of K (wall median, CPU mean), target 10000 us with data:\n");
    std::printf("  without data:                                 %6.0f us, CPU %6.0f us\n", withoutData.wall,
                withoutData.cpu);
    std::printf("  fitting 400 points of 2 instruments by hand:  %6.0f us, CPU %6.0f us\n", inTime.wall, inTime.cpu);
    std::printf("  the same, folded on P:                        %6.0f us, CPU %6.0f us\n", folded.wall, folded.cpu);
}

int measureCosts(KeplerLab *lab)
{
    lab->pause();
    auto *eccentricity = lab->findChild<QDoubleSpinBox *>(QStringLiteral("eccentricitySpin"));
    const double change = microsecondsPerCall(20, [&](int i) {
        eccentricity->setValue(0.1 + 0.04 * i);
        flushPaints();
    });
    const double period = lab->planet().orbit.periodDays;
    const double frame = microsecondsPerCall(120, [&](int i) {
        lab->setAnimationTime(period * i / 120.0);
        flushPaints();
    });
    auto *plot = lab->findChild<RvPlot *>(QStringLiteral("rvChart"));
    const double cursor = microsecondsPerCall(120, [&](int i) {
        plot->setCursorTime(period * i / 120.0);
        flushPaints();
    });
    auto *orbit = lab->findChild<OrbitView *>(QStringLiteral("orbitView"));
    const double dots = microsecondsPerCall(120, [&](int i) {
        orbit->setTime(period * i / 120.0);
        flushPaints();
    });
    std::printf("lab, one element change (1500-point curve, values, views, repaint): %.0f us\n", change);
    std::printf("lab, one animation frame (cursor and dots, repaint of the damage):  %.0f us\n", frame);
    std::printf("  of which the plot's cursor: %.0f us, the orbit's dots: %.0f us\n", cursor, dots);
    measureHandFit(lab);
    return 0;
}

int measureCpuShare(KeplerLab *lab, double seconds)
{
    lab->play();
    const double playing = shareOver(seconds);
    lab->pause();
    const double paused = shareOver(seconds);
    std::printf("lab playing 51 Peg b for %.0f s: %.1f %% of one core\n", seconds, playing);
    std::printf("lab paused for %.0f s:           %.1f %% of one core\n", seconds, paused);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:9"));
    // The lab lives in the frame's work area, as it does in the program.
    WindowWiring::install();
    KeplerLab::open();
    KeplerLab *lab = form<KeplerLab>();
    runFor(1); // shown and settled

    const QStringList arguments = QApplication::arguments();
    const qsizetype cpuShare = arguments.indexOf(QStringLiteral("--cpu-share"));
    const int result = cpuShare >= 0
        ? measureCpuShare(lab, arguments.value(cpuShare + 1, QStringLiteral("10")).toDouble())
        : measureCosts(lab);
    FormRegistry::instance().unloadAll();
    return result;
}
