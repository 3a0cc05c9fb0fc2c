#include "support/testenvironment.h"

#include "frame/windowwiring.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>

TestEnvironment::TestEnvironment(LanguageSwitch::Language language) : m_previousFolder(QDir::currentPath())
{
    const QString root = m_dir.path();
    for (const char *name : {"home", "config", "data", "cache", "runtime", "pictures"})
        QDir(root).mkpath(QString::fromLatin1(name));
    qputenv("HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (root + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toUtf8());
    qputenv("XDG_PICTURES_DIR", (root + QStringLiteral("/pictures")).toUtf8());
    QDir::setCurrent(root);
    // The simulator checks for updates whenever it loads: keep that check on
    // this machine, where a closed port refuses it at once. A test that
    // serves the version file points the host at its own server.
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:1"));
    WindowWiring::install();
    resetWindows();
    LanguageSwitch::instance().start(language);
}

TestEnvironment::~TestEnvironment()
{
    resetWindows();
    QDir::setCurrent(m_previousFolder);
}

void TestEnvironment::resetWindows()
{
    FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
