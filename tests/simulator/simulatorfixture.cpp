#include "simulatorfixture.h"

#include "app/appinfo.h"
#include "app/formregistry.h"
#include "simulator/form1.h"

#include <cmath>

SimulatorFixture::SimulatorFixture()
    : m_environment(std::make_unique<TestEnvironment>())
    , m_platform(std::make_unique<ScriptedPlatform>())
{
    // Nothing listens there: the start-up update check fails at once, silently.
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:9"));
    m_simulator = form<Form1>();
    m_platform->messageBoxes.clear();
    m_platform->inputBoxes.clear();
    m_platform->beeps = 0;
}

SimulatorFixture::~SimulatorFixture()
{
    m_environment.reset();
    m_platform.reset();
}

void SimulatorFixture::setUp(const QStringList &answers)
{
    for (const QString &answer : answers)
        m_platform->inputAnswers.enqueue(answer);
    m_simulator->Screen1_Click();
}

QString SimulatorFixture::stoppedPanel()
{
    return AppInfo::title() + QStringLiteral("  ") + AppInfo::copyrightNotice();
}

bool SimulatorFixture::colorNear(const QImage &image, QPointF twips, const QColor &color, int reach)
{
    const int px = int(std::floor(twips.x() / 15));
    const int py = int(std::floor(twips.y() / 15));
    for (int y = py - reach; y <= py + reach; ++y) {
        for (int x = px - reach; x <= px + reach; ++x) {
            if (image.valid(x, y) && QColor(image.pixel(x, y)) == color)
                return true;
        }
    }
    return false;
}

int SimulatorFixture::countColor(const QImage &image, const QColor &color)
{
    int count = 0;
    const QRgb wanted = color.rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == wanted;
    }
    return count;
}
