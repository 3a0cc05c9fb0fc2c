#pragma once

#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QStringList>

#include <memory>

class Form1;

/// What every simulator test needs: an isolated environment, a scripted
/// platform, and Form1 loaded with the start-up's own boxes and beeps
/// forgotten, so a test sees only what its own actions caused.
class SimulatorFixture
{
public:
    SimulatorFixture();
    ~SimulatorFixture();

    ScriptedPlatform &platform() { return *m_platform; }
    Form1 *simulator() const { return m_simulator; }

    /// Runs the Screen1 set-up with these answers to its input boxes.
    void setUp(const QStringList &answers);

    /// The status panel text of a stopped simulation.
    static QString stoppedPanel();

    /// True when `image` has `color` within `reach` pixels of the pixel
    /// that `twips` falls on.
    static bool colorNear(const QImage &image, QPointF twips, const QColor &color, int reach = 2);
    static int countColor(const QImage &image, const QColor &color);

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
    Form1 *m_simulator = nullptr;
};
