#pragma once

#include "labdata/observationspanel.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <memory>

/// An Observations panel shown on its own, large enough for every pane, with
/// a fresh settings folder and a platform answering every box; a test class
/// opens it in init() and closes it in cleanup().
class PanelFixture
{
protected:
    void openPanel()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_platform = std::make_unique<ScriptedPlatform>();
        m_panel = std::make_unique<ObservationsPanel>();
        m_panel->resize(1200, 800);
        m_panel->show();
    }

    /// The panel goes before the platform and the settings it may still use.
    void closePanel()
    {
        m_panel.reset();
        m_platform.reset();
        m_environment.reset();
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<ObservationsPanel> m_panel;
};
