#pragma once

#include "ground/formregistry.h"
#include "lab/keplerlab.h"
#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QObject>

#include <memory>

/// The ground of the Kepler Lab's window tests: a test class that derives
/// from this one runs each test function in a fresh TestEnvironment with a
/// ScriptedPlatform answering every box, and gives neither back until the
/// function has ended. The derived class must declare no init() or
/// cleanup() of its own, which would hide these.
class LabScene : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;

private slots:
    void init();
    void cleanup();
};

/// The Kepler Lab's control named `name`, the lab opened first if need be;
/// a missing one ends the run (see control()).
template <class T> T *labControl(const char *name)
{
    return control<T>(form<KeplerLab>(), name);
}
