// Start-up to the first shown frame: the parent starts this program again
// as a child, which runs the real start routine and reports when the frame
// is on screen; the parent times the whole way from process creation.
// Run it inside an X server (xvfb-run) so the frame is really shown.

#include "frame/mainframe.h"
#include "frame/startup.h"
#include "ground/formregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int runChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!Startup::start())
        return 1;
    auto *poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [] {
        QWindow *window = form<MainFrame>()->windowHandle();
        if (window && window->isExposed()) {
            std::puts("shown");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
    });
    poll->start(1);
    return QApplication::exec();
}

double timeOneStart(const QString &program)
{
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(runtime.path());
    QElapsedTimer clock;
    clock.start();
    child.start(program, {QStringLiteral("--child")});
    while (child.waitForReadyRead(30000)) {
        if (child.readAll().contains("shown"))
            break;
    }
    const double elapsed = clock.nsecsElapsed() / 1e6;
    child.kill();
    child.waitForFinished();
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return runChild(argc, argv);

    QCoreApplication app(argc, argv);
    constexpr int runs = 9;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(timeOneStart(QCoreApplication::applicationFilePath()));
    std::sort(times.begin(), times.end());
    std::printf("start-up to first shown frame: median %.1f ms (min %.1f, max %.1f, %d runs)\n", times[runs / 2],
                times.front(), times.back(), runs);
    return 0;
}
