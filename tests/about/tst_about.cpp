#include "about/frmabout1.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void labelsFollowTheVersion_data();
    void labelsFollowTheVersion();
    void linkOpensTheMakersPageAndStaysOpen();
    void okUnloadsAndTheNextOpeningIsFresh();
};

void TestAbout::cleanup()
{
    AppInfo::setVersion({9, 0, 59});
}

void TestAbout::labelsFollowTheVersion_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("short");
    QTest::addColumn<QString>("full");

    QTest::newRow("this release") << 9 << 0 << 59 << "9.0" << "(9.0.59)";
    QTest::newRow("another build") << 9 << 1 << 3 << "9.1" << "(9.1.3)";
    QTest::newRow("two-digit numbers") << 10 << 12 << 0 << "10.12" << "(10.12.0)";
}

void TestAbout::labelsFollowTheVersion()
{
    TestEnvironment environment;
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    AppInfo::setVersion({major, minor, revision});

    frmAbout1 *about = form<frmAbout1>();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Orbiquest9"));
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("Orbiquest9"));
    QCOMPARE(control<QLabel>(about, "lblVersion")->text(), QStringLiteral("Ver. "));
    QTEST(control<QLabel>(about, "lblVersion2")->text(), "short");
    QTEST(control<QLabel>(about, "lblVersion3")->text(), "full");
    QCOMPARE(control<QLabel>(about, "lblDescription")->text(), AppInfo::copyrightNotice());
}

void TestAbout::linkOpensTheMakersPageAndStaysOpen()
{
    TestEnvironment environment;
    ScriptedPlatform platform;
    frmAbout1 *about = form<frmAbout1>();
    about->show();
    QCOMPARE(control<QPushButton>(about, "Command1")->text(),
             QStringLiteral("http://") + AppInfo::makerHost() + QStringLiteral("/astron/skydeck.html"));

    control<QPushButton>(about, "Command1")->click();

    QCOMPARE(platform.shellTargets, QStringList{control<QPushButton>(about, "Command1")->text()});
    QVERIFY(FormRegistry::instance().isLoaded<frmAbout1>());
    QVERIFY(about->isVisible());
}

void TestAbout::okUnloadsAndTheNextOpeningIsFresh()
{
    TestEnvironment environment;
    frmAbout1 *first = form<frmAbout1>();
    QPointer<frmAbout1> watch(first);
    control<QPushButton>(first, "cmdOK")->click();
    QVERIFY(!FormRegistry::instance().isLoaded<frmAbout1>());
    QTRY_VERIFY(watch.isNull());
    QCOMPARE(control<QLabel>(form<frmAbout1>(), "lblVersion2")->text(), QStringLiteral("9.0"));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
