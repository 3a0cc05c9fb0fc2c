#include "about/aboutwindow.h"
#include "capture/capturewindow.h"
#include "frame/mainframe.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "ground/planetlist.h"
#include "massfunction/massfunctionexplanation.h"
#include "massfunction/massfunctionwindow.h"
#include "register/registrationwindow.h"
#include "rv/velocitycurvewindow.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <functional>
#include <optional>

namespace {

QStringList loadedNames()
{
    QStringList names;
    for (QWidget *window : FormRegistry::instance().forms())
        names.append(window->objectName());
    return names;
}

QStringList menuBarTitles(MainFrame *frame)
{
    QStringList titles;
    for (QAction *action : frame->menuBar()->actions())
        titles.append(action->menu()->objectName());
    return titles;
}

/// An item of the frame's own menus: the simulator inside the frame has
/// items of the same names ("Close", "List").
QAction *frameItem(const char *name)
{
    for (QMenu *menu : form<MainFrame>()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (auto *item = menu->findChild<QAction *>(QString::fromLatin1(name)))
            return item;
    }
    qFatal("the frame has no menu item %s", name);
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_scene.emplace(); }
    void cleanup() { m_scene.reset(); }
    void menuBarFollowsTheSimulator();
    void menuItems_data();
    void menuItems();
    void planetListAndDatabaseGoThroughTheShell();
    void closeAsks_data();
    void closeAsks();
    void closeAllUnloadsFromTheTopDown();
    void oneInstanceUntilTheCloseBox_data();
    void oneInstanceUntilTheCloseBox();
    void frameScreenCommandsShowTheOneWindow_data();
    void frameScreenCommandsShowTheOneWindow();

private:
    std::optional<SeedScene> m_scene;
};

void TestWindows::menuBarFollowsTheSimulator()
{
    MainFrame *frame = form<MainFrame>();
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m2", "m3", "m4", "Language"}));
    form<SimulatorWindow>()->showInFrame();
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m3", "m4", "m5", "Hlp", "Language"}));
    FormRegistry::instance().unload(form<SimulatorWindow>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m2", "m3", "m4", "Language"}));
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
}

void TestWindows::menuItems_data()
{
    QTest::addColumn<bool>("inFrame");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");

    struct Item
    {
        const char *name, *caption, *shortcut;
    };
    const Item frameItems[] = {{"Scr1", "Screen1(&F1)", "F1"}, {"Scr2", "Screen2(&F2)", "F2"},
                               {"Scr3", "Screen3(&F3)", "F3"}, {"Close", "Close(&C)", "Ctrl+C"},
                               {"List", "List(&L)", "Ctrl+L"}, {"mnuCU", "Check Update(&U)", "Ctrl+U"}};
    const Item mainItems[] = {{"Screen1", "Screen1(&F1)", "F1"}, {"Screen2", "Screen2(&F2)", "F2"},
                              {"Screen3", "Screen3(&F3)", "F3"}, {"Cpt", "Capture(&Z)", "Ctrl+Z"},
                              {"Exit", "EXIT(&E)", "Ctrl+E"},    {"Reg", "Register(&F4)", "F4"},
                              {"Close", "Close(&C)", "Ctrl+C"},  {"Load", "Load(&O)", "Ctrl+O"},
                              {"Save", "Save(&S)", "Ctrl+S"},    {"List", "List(&L)", "Ctrl+L"},
                              {"DB", "DATABASE(&D)", "Ctrl+D"},  {"MF", "Mass Function(&M)", "Ctrl+M"},
                              {"Help", "About(&A)", "Ctrl+A"},   {"mnuUpdateCheck", "UpdateCheck(&U)", "Ctrl+U"}};
    for (const Item &item : frameItems)
        QTest::addRow("frame %s", item.name)
            << true << QString(item.name) << QString::fromUtf8(item.caption) << QKeySequence(item.shortcut);
    for (const Item &item : mainItems)
        QTest::addRow("main %s", item.name)
            << false << QString(item.name) << QString::fromUtf8(item.caption) << QKeySequence(item.shortcut);
}

void TestWindows::menuItems()
{
    QFETCH(bool, inFrame);
    QFETCH(QString, name);
    QAction *action = inFrame ? frameItem(qPrintable(name)) : form<SimulatorWindow>()->findChild<QAction *>(name);
    QVERIFY(action);
    QTEST(action->text(), "caption");
    QTEST(action->shortcut(), "shortcut");
}

void TestWindows::planetListAndDatabaseGoThroughTheShell()
{
    SimulatorWindow *simulator = form<SimulatorWindow>();
    control<QAction>(simulator, "List")->trigger();
    frameItem("List")->trigger();
    control<QAction>(simulator, "DB")->trigger();
    QCOMPARE(m_scene->platform.shellTargets,
             (QStringList{PlanetList::documentPath(), PlanetList::documentPath(), AppInfo::databasePage().toString()}));
    QVERIFY(AppInfo::databasePage().toString().endsWith(QStringLiteral("/astron/Midlevels/26f/db")));
    QVERIFY(m_scene->platform.shellFolders.at(0).isEmpty());
    QCOMPARE(m_scene->platform.shellFolders.at(2), QCoreApplication::applicationDirPath());
}

void TestWindows::closeAsks_data()
{
    QTest::addColumn<bool>("fromFrame");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("remaining");

    // The simulator's Close asks only while the frame is closing. The
    // simulator loads with the frame first, and the RV window after it.
    QTest::newRow("frame, No keeps everything") << true << int(MsgBox::No) << QStringList{"MDIForm1", "Form1", "RV"};
    QTest::newRow("frame, Yes ends the program") << true << int(MsgBox::Yes) << QStringList{};
    QTest::newRow("closing simulator, No") << false << int(MsgBox::No) << QStringList{"MDIForm1", "Form1", "RV"};
    QTest::newRow("closing simulator, Yes") << false << int(MsgBox::Yes) << QStringList{"MDIForm1"};
}

void TestWindows::closeAsks()
{
    QFETCH(bool, fromFrame);
    QFETCH(int, answer);
    MainFrame *frame = form<MainFrame>();
    form<SimulatorWindow>()->showInFrame();
    form<VelocityCurveWindow>();
    m_scene->platform.messageAnswers.enqueue(answer);
    if (fromFrame) {
        frameItem("Close")->trigger();
    } else {
        frame->setStatusWord(QStringLiteral("Close"));
        control<QAction>(form<SimulatorWindow>(), "Close")->trigger();
    }

    // Yes/No, question mark, second button default, topmost.
    QCOMPARE(
        onlyMessage(m_scene->platform, MsgBox::Styles::fromInt(65588), fromFrame ? QStringLiteral("Close") : QString()),
        fromFrame ? QStringLiteral("Do you want to Close Orbiquest9, \r\n        Are you sure？")
                  : QStringLiteral("Do you want to Close Orbiquest9,  Are you sure？"));
    QTEST(loadedNames(), "remaining");
    if (answer == MsgBox::No) {
        QCOMPARE(frame->panel1(), QStringLiteral("Orbiquest9"));
        if (fromFrame)
            QCOMPARE(frame->statusWord(), QStringLiteral("Orbiquest9"));
    }
}

void TestWindows::closeAllUnloadsFromTheTopDown()
{
    SimulatorWindow *simulator = form<SimulatorWindow>();
    form<MassFunctionWindow>();
    form<VelocityCurveWindow>();
    form<RegistrationWindow>();
    form<CaptureWindow>();
    form<MassFunctionExplanation>();
    form<AboutWindow>();
    QCOMPARE(FormRegistry::instance().count(), 8);
    QList<QWidget *> order;
    QObject listener;
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, &listener,
            [&order](QWidget *window) { order.append(window); });
    QList<QWidget *> before = FormRegistry::instance().forms();

    control<QAction>(simulator, "Close")->trigger();

    std::reverse(before.begin(), before.end());
    QCOMPARE(order, before.mid(0, 7));
    QCOMPARE(loadedNames(), QStringList{"MDIForm1"});
    QVERIFY(m_scene->platform.messageBoxes.isEmpty());
    QVERIFY(!simulator->isAnimating());
}

void TestWindows::oneInstanceUntilTheCloseBox_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"Form2", "RV", "Form4", "Dialog", "frmAbout1", "Form5"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestWindows::oneInstanceUntilTheCloseBox()
{
    QFETCH(QString, kind);
    const QHash<QString, std::function<QWidget *()>> load = {
        {"Form2", [] { return form<MassFunctionWindow>(); }},
        {"RV", [] { return form<VelocityCurveWindow>(); }},
        {"Form4", [] { return form<RegistrationWindow>(); }},
        {"Dialog", [] { return form<MassFunctionExplanation>(); }},
        {"frmAbout1", [] { return form<AboutWindow>(); }},
        {"Form5", [] { return form<CaptureWindow>(); }},
    };
    QVERIFY(loadedNames().isEmpty());
    QPointer<QWidget> window = load.value(kind)();
    QVERIFY(!window->isVisible());
    QCOMPARE(load.value(kind)(), window.data());
    QCOMPARE(loadedNames(), QStringList{kind});
    window->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QVERIFY(loadedNames().isEmpty());
    // The next reference builds a fresh one.
    QCOMPARE(load.value(kind)()->objectName(), kind);
}

void TestWindows::frameScreenCommandsShowTheOneWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("kind");
    QTest::newRow("Scr2") << "Scr2"
                          << "Form2";
    QTest::newRow("Scr3") << "Scr3"
                          << "RV";
}

void TestWindows::frameScreenCommandsShowTheOneWindow()
{
    QFETCH(QString, item);
    QFETCH(QString, kind);
    form<MainFrame>();
    frameItem(qPrintable(item))->trigger();
    frameItem(qPrintable(item))->trigger();

    // Twice the command, one window of the kind, shown.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(), [&kind](QWidget *w) { return w->objectName() == kind; }), 1);
    QCOMPARE(loadedNames().count(kind), 1);
    QVERIFY(FormRegistry::instance().forms().at(loadedNames().indexOf(kind))->isVisible());
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
