#include "about/aboutwindow.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { AppInfo::setVersion({9, 0, 59}); }
    void labelsLinkAndOk_data();
    void labelsLinkAndOk();
};

void TestAbout::labelsLinkAndOk_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("short");
    QTest::addColumn<QString>("full");

    QTest::newRow("this release") << 9 << 0 << 59 << "9.0"
                                  << "(9.0.59)";
    QTest::newRow("two-digit numbers") << 10 << 12 << 0 << "10.12"
                                       << "(10.12.0)";
}

void TestAbout::labelsLinkAndOk()
{
    SeedScene scene;
    LanguageSwitch::instance().start(LanguageSwitch::Language::English); // the designed texts are English
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    AppInfo::setVersion({major, minor, revision});

    AboutWindow *about = form<AboutWindow>();
    about->show();
    QCOMPARE(about->windowTitle(), QStringLiteral("About Orbiquest9"));
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("Orbiquest9"));
    QCOMPARE(control<QLabel>(about, "lblVersion")->text(), QStringLiteral("Ver. "));
    QTEST(control<QLabel>(about, "lblVersion2")->text(), "short");
    QTEST(control<QLabel>(about, "lblVersion3")->text(), "full");
    QCOMPARE(control<QLabel>(about, "lblDescription")->text(), AppInfo::copyrightNotice());
    QCOMPARE(control<QLabel>(about, "lblLicence")->text(), QStringLiteral("Licence: GPL-3.0-or-later"));

    // The link opens the maker's page; the window stays open.
    const QString page = QStringLiteral("http://") + AppInfo::makerHost() + QStringLiteral("/astron/skydeck.html");
    QCOMPARE(control<QPushButton>(about, "Command1")->text(), page);
    control<QPushButton>(about, "Command1")->click();
    QCOMPARE(scene.platform.shellTargets, QStringList{page});
    QVERIFY(FormRegistry::instance().isLoaded<AboutWindow>() && about->isVisible());

    // OK unloads; the next opening is fresh and shows the version of then.
    // That an unloaded window is deleted is tst_windows' to check.
    control<QPushButton>(about, "cmdOK")->click();
    QVERIFY(!FormRegistry::instance().isLoaded<AboutWindow>());
    AppInfo::setVersion({9, 0, 59});
    QCOMPARE(control<QLabel>(form<AboutWindow>(), "lblVersion2")->text(), QStringLiteral("9.0"));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
