#include "frame/startup.h"

#include "frame/singleinstance.h"
#include "frame/windowwiring.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "ground/platform.h"
#include "simulator/simulatorwindow.h"

#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

namespace Startup {

std::optional<LanguageSwitch::Language> languageForThisRun(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("ja|en"));
    parser.addOption(lang);
    // Options of Qt's own (-platform, -style) or unknown ones are not ours to refuse.
    parser.parse(arguments);
    if (!parser.isSet(lang))
        return std::nullopt;
    const QString value = parser.value(lang);
    const std::optional<LanguageSwitch::Language> language = LanguageSwitch::fromCode(value);
    if (!language) {
        std::fprintf(stderr, "orbiquest9: --lang takes ja or en, not '%s'; the kept language is used.\n",
                     qUtf8Printable(value));
    }
    return language;
}

bool start(std::optional<LanguageSwitch::Language> language)
{
    LanguageSwitch::instance().start(language);
    static SingleInstance instance;
    if (!instance.acquire()) {
        Platform::current().messageBox(QStringLiteral("This apllication already has been running now."),
                                       MsgBox::Exclamation, QStringLiteral("Ver. ") + AppInfo::version().shortText());
        return false;
    }
    WindowWiring::install();
    SimulatorWindow *simulator = form<SimulatorWindow>();
    simulator->startAnimation();
    simulator->showInFrame();
    return true;
}

} // namespace Startup
