#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"
#include "update/updatecheck.h"
#include "versionserver.h"

#include <QDirIterator>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using Report = UpdateCheck::Report;
using Answer = VersionServer::Answer;

Q_DECLARE_METATYPE(Report)
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(QList<int>)

namespace {

// The program's texts, written out in full so that a change shows here.
const QString upToDateStatus = QStringLiteral(
    "Completed checking for update. This version is the latest.[ Orbiquest9 Ver.9.0.59 ]"
    " Copyright (C) Orbiquest Project. All rights reserved.");
const QString upToDateBox = QStringLiteral(
    "Completed checking for update. This version is the latest.\r\n  [ Orbiquest9 Ver.9.0.59 ]  "
    "\r\n Copyright (C) Orbiquest Project. All rights reserved.");
const QString updateStatus = QStringLiteral("Please need to update the latest version.");
const QString firstQuestion = QStringLiteral("Do you update the latest version Orbiquest9?");
const QString secondQuestion = QStringLiteral("　　　　Are you sure?　　　　");
const QString versionPath = QStringLiteral("/astron/Midlevels/31f/oq9.txt");
const QString untouched = QStringLiteral("Orbiquest9");
const QByteArray usersOwnFile = "the user's own oq9.txt, not a version file\r\n";

// Every file under `folder`, with its contents.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(file.fileName(), file.readAll());
    }
    return files;
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void outcome_data();
    void outcome();
    void refusedConnectionSaysNothing();
    void silentServerTimesOutWhileTheProgramRuns();
    void versionIsNotFixed();
    void secondRequestJoinsTheRunningCheck();
    void ownerGoneAbandonsTheCheck();
    void simulatorChecksAtStartAndFromTheMenu();

private:
    /// Runs one check to its end; false when it never ended.
    bool runToEnd(Report report, QObject *owner);

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<VersionServer> m_server;
};

void TestUpdateCheck::initTestCase()
{
    // The server is local: no proxy of the machine may stand in between.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    UpdateCheck::setTimeoutMs(500);
}

void TestUpdateCheck::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
    m_server = std::make_unique<VersionServer>();
    QVERIFY(m_server->listen());
    AppInfo::setMakerHost(m_server->host());
    AppInfo::setVersion({9, 0, 59});
    form<MDIForm1>()->setStatus(untouched);
    QFile own(QStringLiteral("oq9.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write(usersOwnFile);
}

void TestUpdateCheck::cleanup()
{
    m_server.reset();
    m_platform.reset();
    m_environment.reset();
}

bool TestUpdateCheck::runToEnd(Report report, QObject *owner)
{
    UpdateCheck *check = UpdateCheck::run(report, owner);
    QSignalSpy finished(check, &UpdateCheck::finished);
    return finished.wait(10000);
}

void TestUpdateCheck::outcome_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<Report>("report");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("opensPage");

    const QList<int> none;
    const QList<int> ok{MsgBox::Ok};
    const QList<int> cancelCancel{MsgBox::Cancel, MsgBox::Cancel};
    const QList<int> cancelOk{MsgBox::Cancel, MsgBox::Ok};
    const QStringList noBox;
    const QStringList latestBox{upToDateBox};
    const QStringList first{firstQuestion};
    const QStringList both{firstQuestion, secondQuestion};

    QTest::newRow("equal, CR LF, menu") << Answer::File << QByteArray("9.0.59\r\nrelease notes\r\n")
                                        << Report::Menu << none << upToDateStatus << upToDateStatus
                                        << latestBox << 0 << false;
    QTest::newRow("equal, start-up: beep, no box")
        << Answer::File << QByteArray("9.0.59\r\n") << Report::StartUp << none << upToDateStatus
        << upToDateBox << noBox << 1 << false;
    QTest::newRow("equal without a line end") << Answer::File << QByteArray("9.0.59") << Report::Menu
                                              << none << upToDateStatus << upToDateStatus
                                              << latestBox << 0 << false;
    QTest::newRow("equal, CR alone") << Answer::File << QByteArray("9.0.59\rnotes") << Report::Menu
                                     << none << upToDateStatus << upToDateStatus << latestBox << 0
                                     << false;
    QTest::newRow("different, OK opens the page")
        << Answer::File << QByteArray("9.1.0\r\n") << Report::Menu << ok << updateStatus
        << updateStatus << first << 0 << true;
    QTest::newRow("different, Cancel then Cancel opens the page")
        << Answer::File << QByteArray("9.1.0\r\n") << Report::Menu << cancelCancel << updateStatus
        << updateStatus << both << 0 << true;
    QTest::newRow("different, Cancel then OK does not")
        << Answer::File << QByteArray("9.1.0\r\n") << Report::Menu << cancelOk << updateStatus
        << updateStatus << both << 0 << false;
    QTest::newRow("different at start-up asks the same")
        << Answer::File << QByteArray("9.1.0\r\n") << Report::StartUp << ok << updateStatus
        << updateStatus << first << 0 << true;
    QTest::newRow("older still offers the update")
        << Answer::File << QByteArray("9.0.58\r\n") << Report::Menu << ok << updateStatus
        << updateStatus << first << 0 << true;
    QTest::newRow("trailing blank") << Answer::File << QByteArray("9.0.59 \r\n") << Report::Menu
                                    << cancelOk << updateStatus << updateStatus << both << 0
                                    << false;
    QTest::newRow("LF only is one long line")
        << Answer::File << QByteArray("9.0.59\nrelease notes\n") << Report::Menu << ok
        << updateStatus << updateStatus << first << 0 << true;
    QTest::newRow("empty file counts as different")
        << Answer::File << QByteArray() << Report::Menu << ok << updateStatus << updateStatus
        << first << 0 << true;
    QTest::newRow("404 says nothing") << Answer::NotFound << QByteArray() << Report::Menu << none
                                      << untouched << untouched << noBox << 0 << false;
    QTest::newRow("10 MiB declared: cut off, nothing kept")
        << Answer::HugeDeclared << QByteArray("9.0.59") << Report::StartUp << none << untouched
        << untouched << noBox << 0 << false;
    QTest::newRow("10 MiB undeclared: cut off, nothing kept")
        << Answer::HugeUndeclared << QByteArray("9.0.59") << Report::StartUp << none << untouched
        << untouched << noBox << 0 << false;
    QTest::newRow("a trickle past the deadline says nothing")
        << Answer::Trickle << QByteArray() << Report::Menu << none << untouched << untouched
        << noBox << 0 << false;
}

void TestUpdateCheck::outcome()
{
    QFETCH(Answer, answer);
    QFETCH(QByteArray, body);
    QFETCH(Report, report);
    QFETCH(QList<int>, answers);
    QFETCH(QString, status);
    QFETCH(QString, tag);
    QFETCH(QStringList, boxes);
    QFETCH(int, beeps);
    QFETCH(bool, opensPage);

    m_server->answer = answer;
    m_server->body = body;
    for (int reply : answers)
        m_platform->messageAnswers.enqueue(reply);
    const auto filesBefore = filesUnder(m_environment->path());
    QObject owner;

    QVERIFY(runToEnd(report, &owner));

    QCOMPARE(m_server->paths, QStringList{versionPath});
    MDIForm1 *frame = form<MDIForm1>();
    QCOMPARE(frame->panel1(), status);
    QCOMPARE(frame->Tag, tag);
    QStringList asked;
    for (const ScriptedPlatform::Box &box : std::as_const(m_platform->messageBoxes)) {
        asked.append(box.prompt);
        const bool latest = box.prompt == upToDateBox;
        QCOMPARE(box.title, latest ? QStringLiteral("Set update check") : QStringLiteral("UpdateCheck"));
        QCOMPARE(box.style, latest ? MsgBox::Information : MsgBox::OkCancel);
    }
    QCOMPARE(asked, boxes);
    QVERIFY(m_platform->messageAnswers.isEmpty());
    QCOMPARE(m_platform->beeps, beeps);
    QCOMPARE(m_platform->inputBoxes.size(), 0);
    const QStringList pages = opensPage ? QStringList{QStringLiteral("http://%1/astron/skydeck.html")
                                                          .arg(m_server->host())}
                                        : QStringList();
    QCOMPARE(m_platform->shellTargets, pages);
    if (opensPage)
        QCOMPARE(m_platform->shellFolders.value(0), QCoreApplication::applicationDirPath());
    // Read in memory: the user's own "oq9.txt" and everything else stay as they were.
    QCOMPARE(filesUnder(m_environment->path()), filesBefore);
}

void TestUpdateCheck::refusedConnectionSaysNothing()
{
    AppInfo::setMakerHost(QStringLiteral("127.0.0.1:%1").arg(VersionServer::closedPort()));
    const auto filesBefore = filesUnder(m_environment->path());
    QObject owner;

    QVERIFY(runToEnd(Report::Menu, &owner));

    QCOMPARE(form<MDIForm1>()->panel1(), untouched);
    QCOMPARE(form<MDIForm1>()->Tag, untouched);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(m_platform->beeps, 0);
    QVERIFY(m_platform->shellTargets.isEmpty());
    QCOMPARE(filesUnder(m_environment->path()), filesBefore);
}

void TestUpdateCheck::silentServerTimesOutWhileTheProgramRuns()
{
    m_server->answer = Answer::Silent;
    const auto filesBefore = filesUnder(m_environment->path());
    QObject owner;
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(10);

    UpdateCheck *check = UpdateCheck::run(Report::Menu, &owner);
    QSignalSpy finished(check, &UpdateCheck::finished);
    // The request returns at once: the window is not held up by the download.
    QCOMPARE(finished.count(), 0);
    QCOMPARE(ticks, 0);
    QVERIFY(finished.wait(10000));

    QCOMPARE(m_server->connections, 1);
    QVERIFY2(ticks >= 2, "the event loop kept running while the server said nothing");
    QCOMPARE(form<MDIForm1>()->panel1(), untouched);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(m_platform->beeps, 0);
    QVERIFY(m_platform->shellTargets.isEmpty());
    QCOMPARE(filesUnder(m_environment->path()), filesBefore);
}

void TestUpdateCheck::versionIsNotFixed()
{
    AppInfo::setVersion({10, 2, 3});
    m_server->body = "10.2.3\r\n";
    QObject owner;

    QVERIFY(runToEnd(Report::Menu, &owner));

    QCOMPARE(form<MDIForm1>()->panel1(),
             QStringLiteral("Completed checking for update. This version is the latest."
                            "[ Orbiquest9 Ver.10.2.3 ] Copyright (C) Orbiquest Project. All rights "
                            "reserved."));
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QVERIFY(m_platform->messageBoxes.first().prompt.contains(QStringLiteral("[ Orbiquest9 Ver.10.2.3 ]")));
}

void TestUpdateCheck::secondRequestJoinsTheRunningCheck()
{
    m_server->answer = Answer::Silent;
    QObject owner;

    UpdateCheck *startUp = UpdateCheck::run(Report::StartUp, &owner);
    QCOMPARE(startUp->report(), Report::StartUp);
    UpdateCheck *menu = UpdateCheck::run(Report::Menu, &owner);
    QCOMPARE(menu, startUp);
    QCOMPARE(menu->report(), Report::Menu);
    QSignalSpy finished(startUp, &UpdateCheck::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(m_server->connections, 1);

    // Once it has ended, the next request is a fresh check.
    m_server->answer = Answer::File;
    m_server->body = "9.0.59\r\n";
    UpdateCheck *next = UpdateCheck::run(Report::StartUp, &owner);
    QCOMPARE(next->report(), Report::StartUp);
    QSignalSpy nextFinished(next, &UpdateCheck::finished);
    QVERIFY(nextFinished.wait(10000));
    QCOMPARE(m_server->connections, 2);
    QCOMPARE(m_platform->beeps, 1);
}

void TestUpdateCheck::ownerGoneAbandonsTheCheck()
{
    m_server->answer = Answer::Silent;
    auto owner = std::make_unique<QObject>();
    QPointer<UpdateCheck> check = UpdateCheck::run(Report::Menu, owner.get());
    QTRY_COMPARE(m_server->connections, 1);

    owner.reset();

    QVERIFY(check.isNull());
    QTest::qWait(2 * UpdateCheck::timeoutMs());
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(form<MDIForm1>()->panel1(), untouched);
}

void TestUpdateCheck::simulatorChecksAtStartAndFromTheMenu()
{
    m_server->body = "9.0.59\r\n";

    Form1 *simulator = form<Form1>();
    auto *startUp = simulator->findChild<UpdateCheck *>();
    QVERIFY(startUp);
    QCOMPARE(startUp->report(), Report::StartUp);
    QSignalSpy startUpFinished(startUp, &UpdateCheck::finished);
    QVERIFY(startUpFinished.wait(10000));
    QCOMPARE(m_platform->beeps, 1);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(form<MDIForm1>()->panel1(), upToDateStatus);
    QCOMPARE(form<MDIForm1>()->Tag, upToDateBox);
    QCOMPARE(simulator->WebAddress, QStringLiteral("http://%1/astron/skydeck.html").arg(m_server->host()));

    simulator->WebAddress.clear();
    simulator->mnuUpdateCheck->trigger();
    QCOMPARE(simulator->WebAddress, QStringLiteral("http://%1/astron/skydeck.html").arg(m_server->host()));
    UpdateCheck *menu = nullptr;
    for (UpdateCheck *check : simulator->findChildren<UpdateCheck *>()) {
        if (check->report() == Report::Menu)
            menu = check;
    }
    QVERIFY(menu);
    QSignalSpy menuFinished(menu, &UpdateCheck::finished);
    QVERIFY(menuFinished.wait(10000));
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt, upToDateBox);
    QCOMPARE(m_platform->messageBoxes.first().title, QStringLiteral("Set update check"));
    QCOMPARE(form<MDIForm1>()->Tag, upToDateStatus);
    QCOMPARE(m_server->paths, (QStringList{versionPath, versionPath}));
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
