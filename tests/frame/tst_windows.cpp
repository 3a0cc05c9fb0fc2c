#include "about/frmabout1.h"
#include "ground/appinfo.h"
#include "frame/closing.h"
#include "ground/formregistry.h"
#include "frame/mdiform1.h"
#include "ground/planetlist.h"
#include "capture/form5.h"
#include "massfunction/dialog.h"
#include "massfunction/form2.h"
#include "register/form4.h"
#include "rv/rv.h"
#include "simulator/form1.h"
#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QStringList loadedNames()
{
    QStringList names;
    for (QWidget *window : FormRegistry::instance().forms())
        names.append(window->objectName());
    return names;
}

QStringList menuBarTitles(MDIForm1 *frame)
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
    for (QMenu *menu : form<MDIForm1>()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly)) {
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
    void init();
    void cleanup();

    void firstReferenceLoadsAndKeepsOneInstance();
    void simulatorLoadsWithTheFrameFirst();
    void unloadMakesTheNextReferenceFresh();
    void menuBarFollowsTheSimulator();
    void menuItems_data();
    void menuItems();
    void planetListAndDatabaseGoThroughTheShell();

    void frameCloseAnswered_data();
    void frameCloseAnswered();
    void closeAllUnloadsFromTheTopDown();
    void closeAllUnloadsEveryWindowAboveSix();
    void closeAllAsksOnlyWhileTheFrameIsClosing_data();
    void closeAllAsksOnlyWhileTheFrameIsClosing();
    void exitStopsOnly();
    void closeBoxUnloads_data();
    void closeBoxUnloads();
    void frameScreenCommandsShowTheOneWindow_data();
    void frameScreenCommandsShowTheOneWindow();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestWindows::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void TestWindows::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}

void TestWindows::firstReferenceLoadsAndKeepsOneInstance()
{
    FormRegistry &registry = FormRegistry::instance();
    QVERIFY(!registry.isLoaded<Form2>());
    Form2 *first = form<Form2>();
    QVERIFY(registry.isLoaded<Form2>());
    QVERIFY(!first->isVisible());
    QCOMPARE(form<Form2>(), first);
    QCOMPARE(registry.count(), 1);
}

void TestWindows::simulatorLoadsWithTheFrameFirst()
{
    form<Form1>();
    form<RV>();
    QCOMPARE(loadedNames(), (QStringList{"MDIForm1", "Form1", "RV"}));
    const PlanetCatalog &catalog = form<Form1>()->catalog();
    QCOMPARE(catalog.CatalogP[1], 4.230785);
    QCOMPARE(form<Form1>()->simulation().orbitCentre, QPointF(5377.5, 3997.5));
}

void TestWindows::unloadMakesTheNextReferenceFresh()
{
    RV *first = form<RV>();
    control<QLineEdit>(first, "Text2")->setText(QStringLiteral("55.94"));
    QPointer<RV> watch(first);
    FormRegistry::instance().unload(first);
    QVERIFY(!FormRegistry::instance().isLoaded<RV>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
    QVERIFY(control<QLineEdit>(form<RV>(), "Text2")->text().isEmpty());
}

void TestWindows::menuBarFollowsTheSimulator()
{
    MDIForm1 *frame = form<MDIForm1>();
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m2", "m3", "m4"}));
    form<Form1>()->showInFrame();
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m3", "m4", "m5", "Hlp"}));
    FormRegistry::instance().unload(form<Form1>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(menuBarTitles(frame), (QStringList{"m1", "m2", "m3", "m4"}));
    QVERIFY(frame->mdiArea()->subWindowList().isEmpty());
}

void TestWindows::menuItems_data()
{
    QTest::addColumn<bool>("inFrame");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");

    auto frameItem = [](const char *name, const char *caption, const QKeySequence &key) {
        QTest::addRow("frame %s", name) << true << name << QString::fromUtf8(caption) << key;
    };
    auto mainItem = [](const char *name, const char *caption, const QKeySequence &key) {
        QTest::addRow("main %s", name) << false << name << QString::fromUtf8(caption) << key;
    };
    frameItem("Scr1", "Screen1(&F1)", QKeySequence(Qt::Key_F1));
    frameItem("Scr2", "Screen2(&F2)", QKeySequence(Qt::Key_F2));
    frameItem("Scr3", "Screen3(&F3)", QKeySequence(Qt::Key_F3));
    frameItem("Close", "Close(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
    frameItem("List", "List(&L)", QKeySequence(Qt::CTRL | Qt::Key_L));
    frameItem("mnuCU", "Check Update(&U)", QKeySequence(Qt::CTRL | Qt::Key_U));
    mainItem("Screen1", "Screen1(&F1)", QKeySequence(Qt::Key_F1));
    mainItem("Screen2", "Screen2(&F2)", QKeySequence(Qt::Key_F2));
    mainItem("Screen3", "Screen3(&F3)", QKeySequence(Qt::Key_F3));
    mainItem("Cpt", "Capture(&Z)", QKeySequence(Qt::CTRL | Qt::Key_Z));
    mainItem("Exit", "EXIT(&E)", QKeySequence(Qt::CTRL | Qt::Key_E));
    mainItem("Reg", "Register(&F4)", QKeySequence(Qt::Key_F4));
    mainItem("Close", "Close(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
    mainItem("Load", "Load(&O)", QKeySequence(Qt::CTRL | Qt::Key_O));
    mainItem("Save", "Save(&S)", QKeySequence(Qt::CTRL | Qt::Key_S));
    mainItem("List", "List(&L)", QKeySequence(Qt::CTRL | Qt::Key_L));
    mainItem("DB", "DATABASE(&D)", QKeySequence(Qt::CTRL | Qt::Key_D));
    mainItem("MF", "Mass Function(&M)", QKeySequence(Qt::CTRL | Qt::Key_M));
    mainItem("Help", "About(&A)", QKeySequence(Qt::CTRL | Qt::Key_A));
    mainItem("mnuUpdateCheck", "UpdateCheck(&U)", QKeySequence(Qt::CTRL | Qt::Key_U));
}

void TestWindows::menuItems()
{
    QFETCH(bool, inFrame);
    QFETCH(QString, name);
    QAction *action = inFrame ? frameItem(qPrintable(name))
                              : form<Form1>()->findChild<QAction *>(name);
    QVERIFY(action);
    QTEST(action->text(), "caption");
    QTEST(action->shortcut(), "shortcut");
}

void TestWindows::planetListAndDatabaseGoThroughTheShell()
{
    Form1 *simulator = form<Form1>();
    control<QAction>(simulator, "List")->trigger();
    frameItem("List")->trigger();
    control<QAction>(simulator, "DB")->trigger();
    QCOMPARE(m_platform->shellTargets,
             (QStringList{PlanetList::documentPath(), PlanetList::documentPath(),
                          AppInfo::databasePage().toString()}));
    QCOMPARE(simulator->webAddress(), AppInfo::databasePage().toString());
    QVERIFY(AppInfo::databasePage().toString().endsWith(QStringLiteral("/astron/Midlevels/26f/db")));
    QVERIFY(m_platform->shellFolders.at(0).isEmpty());
    QCOMPARE(m_platform->shellFolders.at(2), QCoreApplication::applicationDirPath());
}

void TestWindows::frameCloseAnswered_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<QString>("panel");

    QTest::newRow("No keeps everything") << MsgBox::No
                                         << QStringList{"MDIForm1", "Form1", "Form2", "RV"}
                                         << "Orbiquest9";
    QTest::newRow("Yes ends the program") << MsgBox::Yes << QStringList{} << "Close";
}

void TestWindows::frameCloseAnswered()
{
    QFETCH(int, answer);
    MDIForm1 *frame = form<MDIForm1>();
    form<Form1>()->showInFrame();
    form<Form2>();
    form<RV>();
    m_platform->messageAnswers.enqueue(answer);

    frameItem("Close")->trigger();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.first();
    QCOMPARE(box.title, QStringLiteral("Close"));
    QCOMPARE(box.style, 65588);
    QCOMPARE(box.prompt, QStringLiteral("Do you want to Close Orbiquest9, \r\n        Are you sure？"));
    QTEST(loadedNames(), "remaining");
    if (answer == MsgBox::No) {
        QTEST(frame->panel1(), "panel");
        QTEST(frame->statusWord(), "panel");
    }
}

void TestWindows::closeAllUnloadsFromTheTopDown()
{
    Form1 *simulator = form<Form1>();
    form<Form2>();
    form<RV>();
    form<Form4>();
    QCOMPARE(FormRegistry::instance().count(), 5);
    QList<QWidget *> order;
    QObject listener;
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, &listener,
            [&order](QWidget *window) { order.append(window); });
    const QList<QWidget *> before = FormRegistry::instance().forms();

    control<QAction>(simulator, "Close")->trigger();

    QCOMPARE(order, (QList<QWidget *>{before[4], before[3], before[2], before[1]}));
    QCOMPARE(loadedNames(), QStringList{"MDIForm1"});
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QVERIFY(!simulator->isAnimating());
}

void TestWindows::closeAllUnloadsEveryWindowAboveSix()
{
    Form1 *simulator = form<Form1>();
    form<Form2>();
    form<RV>();
    form<Form4>();
    form<Form5>();
    form<Dialog>();
    form<frmAbout1>();
    QCOMPARE(FormRegistry::instance().count(), 8);

    control<QAction>(simulator, "Close")->trigger();

    QCOMPARE(loadedNames(), QStringList{"MDIForm1"});
}

void TestWindows::closeAllAsksOnlyWhileTheFrameIsClosing_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("remaining");

    QTest::newRow("No") << MsgBox::No << QStringList{"MDIForm1", "Form1", "RV"};
    QTest::newRow("Yes") << MsgBox::Yes << QStringList{"MDIForm1"};
}

void TestWindows::closeAllAsksOnlyWhileTheFrameIsClosing()
{
    QFETCH(int, answer);
    Form1 *simulator = form<Form1>();
    form<RV>();
    form<MDIForm1>()->setStatusWord(QStringLiteral("Close"));
    m_platform->messageAnswers.enqueue(answer);

    control<QAction>(simulator, "Close")->trigger();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt,
             QStringLiteral("Do you want to Close Orbiquest9,  Are you sure？"));
    QCOMPARE(m_platform->messageBoxes.first().style, 65588);
    QVERIFY(m_platform->messageBoxes.first().title.isEmpty());
    QTEST(loadedNames(), "remaining");
    if (answer == MsgBox::No)
        QCOMPARE(form<MDIForm1>()->panel1(), QStringLiteral("Orbiquest9"));
}

void TestWindows::exitStopsOnly()
{
    Form1 *simulator = form<Form1>();
    form<RV>();
    simulator->startAnimation();
    control<QAction>(simulator, "Exit")->trigger();
    QCOMPARE(simulator->statusWord(), QStringLiteral("Stop"));
    QVERIFY(!simulator->isAnimating());
    QCOMPARE(m_platform->beeps, 1);
    QCOMPARE(loadedNames(), (QStringList{"MDIForm1", "Form1", "RV"}));
    QCOMPARE(form<MDIForm1>()->panel1(),
             QStringLiteral("Orbiquest9  ") + AppInfo::copyrightNotice());
}

void TestWindows::closeBoxUnloads_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"Form2", "RV", "Form4", "Dialog", "frmAbout1", "Form5"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestWindows::closeBoxUnloads()
{
    QFETCH(QString, kind);
    const QHash<QString, std::function<QWidget *()>> load = {
        {"Form2", [] { return form<Form2>(); }},   {"RV", [] { return form<RV>(); }},
        {"Form4", [] { return form<Form4>(); }},   {"Dialog", [] { return form<Dialog>(); }},
        {"frmAbout1", [] { return form<frmAbout1>(); }}, {"Form5", [] { return form<Form5>(); }},
    };
    QPointer<QWidget> window = load.value(kind)();
    window->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QVERIFY(!loadedNames().contains(kind));
    // The next reference builds a fresh one.
    QCOMPARE(load.value(kind)()->objectName(), kind);
}

void TestWindows::frameScreenCommandsShowTheOneWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("kind");
    QTest::newRow("Scr2") << "Scr2" << "Form2";
    QTest::newRow("Scr3") << "Scr3" << "RV";
}

void TestWindows::frameScreenCommandsShowTheOneWindow()
{
    QFETCH(QString, item);
    QFETCH(QString, kind);
    form<MDIForm1>();
    frameItem(qPrintable(item))->trigger();
    frameItem(qPrintable(item))->trigger();

    // Twice the command, one window of the kind, shown.
    QList<QWidget *> shown;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == kind)
            shown.append(window);
    }
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first()->isVisible());
    QCOMPARE(loadedNames().count(kind), 1);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
