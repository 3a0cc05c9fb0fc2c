#include "support/labscene.h"

void LabScene::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void LabScene::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}
