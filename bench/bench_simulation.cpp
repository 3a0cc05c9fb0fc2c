// Costs of the simulation's two drawing paths, and the CPU share of a
// running animation.
//
//   bench_simulation               one tick (both moves and the repaint of
//                                  what they uncovered and covered) and one
//                                  RV plot, medians of 15 runs
//   bench_simulation --cpu-share S the process's CPU share while 51 Peg b
//                                  circles on screen for S seconds, and
//                                  beside it the baseline: a bare widget that
//                                  paints one planet-sized picture around a
//                                  circle at the same pace, which is what any
//                                  animation of Qt widgets costs here
//
// The set-up is answered by the scripted platform, so nobody has to type.
// Run offscreen for the costs and under xvfb-run for the CPU share
// (bench/cpu_share.sh does both kinds of CPU measurement).

#include "benchtiming.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "ground/textnumber.h"
#include "rv/velocitycurvewindow.h"
#include "simulator/simulatorwindow.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

using namespace BenchTiming;

namespace {

SimulatorWindow *startScene(ScriptedPlatform &platform)
{
    // Nothing listens there: the start-up update check fails at once, silently.
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:9"));
    SimulatorWindow *simulator = form<SimulatorWindow>();
    simulator->showInFrame();
    platform.inputAnswers.enqueue(QStringLiteral("4.230785"));
    platform.inputAnswers.enqueue(QStringLiteral("55.94"));
    simulator->setUpSimulation();
    QApplication::processEvents();
    return simulator;
}

int measureCosts(SimulatorWindow *simulator)
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
        form<VelocityCurveWindow>()->drawRadialVelocityCurve(simulation.curveElements(),
                                                             TextNumber::carried(simulation.shownMass()),
                                                             simulation.earthMassesShown, QString());
    });
    std::printf("one tick (two moves + repaint of the damaged region): %.1f us\n", tick);
    std::printf("one RV plot (summary + 241 points):                  %.1f us\n", curve);
    return 0;
}

// The least a widget can do per frame: paint one picture over a black
// image where it now is and where it was, nothing else.
class BareAnimation : public QWidget
{
public:
    explicit BareAnimation(QWidget *parent)
        : QWidget(parent), m_sky(parent->size(), QImage::Format_RGB32), m_picture(25, 37)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(parent->size());
        m_sky.fill(Qt::black);
        m_picture.fill(Qt::white);
        connect(&m_ticks, &QTimer::timeout, this, &BareAnimation::step);
        m_ticks.start(16); // the simulator's tick
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        for (const QRect &damaged : event->region())
            painter.drawImage(damaged.topLeft(), m_sky, damaged);
        painter.drawPixmap(m_place, m_picture);
    }

private:
    void step()
    {
        m_angle = (m_angle + 1) % 360;
        const double radians = m_angle * std::numbers::pi / 180;
        const QPoint centre = rect().center();
        const QRect before(m_place, m_picture.size());
        m_place = centre + QPoint(int(200 * std::cos(radians)), int(200 * std::sin(radians)));
        update(QRegion(before) + QRect(m_place, m_picture.size()));
    }

    QImage m_sky;
    QPixmap m_picture;
    QTimer m_ticks;
    QPoint m_place;
    int m_angle = 0;
};

double cpuShareOver(double seconds)
{
    const double startCpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // A loop of its own: quitting the application would unload the windows.
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return 100 * (cpuSeconds() - startCpu) / (double(wall.nsecsElapsed()) / 1e9);
}

int measureCpuShare(SimulatorWindow *simulator, double seconds)
{
    const double program = cpuShareOver(seconds);
    std::printf("CPU share with 51 Peg b animated for %.0f s: %.1f %% of one core\n", seconds, program);

    simulator->findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    BareAnimation baseline(simulator->findChild<PictureBox *>(QStringLiteral("Simulator")));
    baseline.show();
    const double bare = cpuShareOver(seconds);
    std::printf("baseline, a bare widget moving one picture at the same pace: %.1f %% of one core\n", bare);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ScriptedPlatform platform;
    SimulatorWindow *simulator = startScene(platform);

    const QStringList arguments = QApplication::arguments();
    const qsizetype cpuShare = arguments.indexOf(QStringLiteral("--cpu-share"));
    const int result = cpuShare >= 0
        ? measureCpuShare(simulator, arguments.value(cpuShare + 1, QStringLiteral("10")).toDouble())
        : measureCosts(simulator);
    FormRegistry::instance().unloadAll();
    return result;
}
