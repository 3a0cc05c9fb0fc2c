#include "frame/startup.h"
#include "ground/appinfo.h"
#include "ground/pictures.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::title());
    QApplication::setApplicationVersion(AppInfo::version().text());
    QApplication::setWindowIcon(Pictures::programIcon());
    if (!Startup::start(Startup::languageForThisRun(QApplication::arguments())))
        return 0;
    return QApplication::exec();
}
