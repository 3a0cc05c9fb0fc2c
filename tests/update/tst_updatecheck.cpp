#include "frame/mainframe.h"
#include "ground/appinfo.h"
#include "ground/formregistry.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"
#include "update/updatecheck.h"

#include <QAction>
#include <QDirIterator>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using Report = UpdateCheck::Report;
enum class Serve { Reply, Silent, Trickle, Refused };
enum class Outcome { Latest, Offer, Nothing };
Q_DECLARE_METATYPE(Report)
Q_DECLARE_METATYPE(Serve)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(QList<int>)

namespace {

const QString upToDateStatus = QStringLiteral(
    "Completed checking for update. This version is the latest.[ Orbiquest9 Ver.9.0.59 ]"
    " Copyright (C) Orbiquest Project. All rights reserved.");
const QString upToDateBox = QStringLiteral(
    "Completed checking for update. This version is the latest.\r\n  [ Orbiquest9 Ver.9.0.59 ]  "
    "\r\n Copyright (C) Orbiquest Project. All rights reserved.");
const QString updateStatus = QStringLiteral("Please need to update the latest version.");
const QStringList questions{QStringLiteral("Do you update the latest version Orbiquest9?"),
                            QStringLiteral("　　　　Are you sure?　　　　")};
const QString untouched = QStringLiteral("Orbiquest9");

// The maker's web server on a loopback port: answers each request with
// `response` as written, or never, or one byte at a time for ever.
class Server : public QTcpServer
{
public:
    Serve serve = Serve::Reply;
    QByteArray response;
    QStringList paths;

    Server()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

private:
    void answer(QTcpSocket *socket)
    {
        if (socket->property("asked").toBool() || !socket->peek(1 << 16).contains("\r\n\r\n"))
            return;
        socket->setProperty("asked", true);
        paths.append(QString::fromLatin1(socket->readAll().split(' ').value(1)));
        if (serve == Serve::Trickle) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
            auto *drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("9"); });
            drip->start(50);
        } else if (serve == Serve::Reply) {
            socket->write(response);
            socket->disconnectFromHost();
        }
    }
};

QByteArray file(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Ten mebibytes that begin like the current version file: keeping any of it
// would report "up to date".
QByteArray huge()
{
    return QByteArray("9.0.59\r\n").leftJustified(10 * 1024 * 1024, 'x');
}

QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(file.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable");
    }
    return files;
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The server is local: no proxy of the machine may stand in between.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        UpdateCheck::setTimeoutMs(500);
    }
    void init()
    {
        m_scene.emplace();
        m_platform = &m_scene->platform;
        m_server.emplace();
        QVERIFY(m_server->listen(QHostAddress::LocalHost));
        AppInfo::setMakerHost(QStringLiteral("127.0.0.1:%1").arg(m_server->serverPort()));
    }
    void cleanup()
    {
        m_server.reset();
        m_scene.reset();
    }
    void outcome_data();
    void outcome();
    void oneCheckPerWindowAndNoneAfterIt();
    void simulatorChecksAtStartAndFromTheMenu();
    void answerWaitsUntilTheSetUpEnds();

private:
    std::optional<SeedScene> m_scene;
    ScriptedPlatform *m_platform = nullptr;
    std::optional<Server> m_server;
};

void TestUpdateCheck::outcome_data()
{
    QTest::addColumn<Serve>("serve");
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<Report>("report");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<bool>("opensPage");

    const auto row = [](const char *name, Report report, const QByteArray &response, QList<int> answers,
                        Outcome outcome, bool opensPage, Serve serve = Serve::Reply) {
        QTest::newRow(name) << serve << response << report << answers << outcome << opensPage;
    };
    const QList<int> ok{MsgBox::Ok};
    row("equal, CR LF, menu", Report::Menu, file("9.0.59\r\nnotes\r\n"), {}, Outcome::Latest, false);
    row("equal at start-up", Report::StartUp, file("9.0.59\r\n"), {}, Outcome::Latest, false);
    row("equal without a line end", Report::Menu, file("9.0.59"), {}, Outcome::Latest, false);
    row("different, OK opens the page", Report::Menu, file("9.1.0\r\n"), ok, Outcome::Offer, true);
    row("different, Cancel and Cancel open it", Report::Menu, file("9.1.0\r\n"), {MsgBox::Cancel, MsgBox::Cancel},
        Outcome::Offer, true);
    row("different, Cancel and OK do not", Report::Menu, file("9.1.0\r\n"), {MsgBox::Cancel, MsgBox::Ok},
        Outcome::Offer, false);
    row("trailing blank", Report::Menu, file("9.0.59 \r\n"), ok, Outcome::Offer, true);
    row("LF only is one long line", Report::Menu, file("9.0.59\nnotes\n"), ok, Outcome::Offer, true);
    row("empty file", Report::Menu, file(""), ok, Outcome::Offer, true);
    row("404", Report::Menu, "HTTP/1.1 404 Not Found\r\nContent-Length: 8\r\n\r\n9.0.59\r\n", {}, Outcome::Nothing,
        false);
    row("10 MiB declared", Report::Menu, file(huge()), {}, Outcome::Nothing, false);
    row("10 MiB undeclared", Report::Menu, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + huge(), {},
        Outcome::Nothing, false);
    row("refused connection", Report::Menu, {}, {}, Outcome::Nothing, false, Serve::Refused);
    row("never answers", Report::Menu, {}, {}, Outcome::Nothing, false, Serve::Silent);
    row("trickles past the deadline", Report::Menu, {}, {}, Outcome::Nothing, false, Serve::Trickle);
}

void TestUpdateCheck::outcome()
{
    QFETCH(Serve, serve);
    QFETCH(QByteArray, response);
    QFETCH(Report, report);
    QFETCH(QList<int>, answers);
    QFETCH(Outcome, outcome);
    QFETCH(bool, opensPage);
    m_server->serve = serve;
    m_server->response = response;
    if (serve == Serve::Refused)
        m_server->close();
    for (int answer : answers)
        m_platform->messageAnswers.enqueue(answer);
    form<MainFrame>()->setStatus(untouched);
    // A file of the user's named like the version file must come through untouched.
    QFile own(QStringLiteral("oq9.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly) && own.write("the user's own file\r\n") > 0);
    own.close();
    const auto filesBefore = filesUnder(m_scene->environment.path());
    QObject owner;
    // A call queued before the check and one queued after it: the check
    // returns without running the event loop, which then serves the program
    // while the server says nothing.
    bool servedBeforeReturn = false;
    QMetaObject::invokeMethod(
        &owner, [&servedBeforeReturn] { servedBeforeReturn = true; }, Qt::QueuedConnection);
    QSignalSpy finished(UpdateCheck::run(report, &owner), &UpdateCheck::finished);
    QVERIFY(!servedBeforeReturn);
    bool servedWhileWaiting = false;
    QMetaObject::invokeMethod(
        &owner, [&servedWhileWaiting, &finished] { servedWhileWaiting = finished.isEmpty(); }, Qt::QueuedConnection);
    QVERIFY(finished.wait(10000));

    if (serve == Serve::Silent)
        QVERIFY2(servedWhileWaiting, "the event loop kept running while the server said nothing");
    QCOMPARE(m_server->paths, serve == Serve::Refused ? QStringList() : QStringList{"/astron/Midlevels/31f/oq9.txt"});
    QString status = untouched;
    QString tag = untouched;
    QStringList boxes;
    if (outcome == Outcome::Latest) {
        status = upToDateStatus;
        tag = report == Report::StartUp ? upToDateBox : upToDateStatus;
        if (report == Report::Menu)
            boxes = QStringList{upToDateBox};
    } else if (outcome == Outcome::Offer) {
        status = tag = updateStatus;
        boxes = questions.mid(0, answers.size());
    }
    QCOMPARE(form<MainFrame>()->panel1(), status);
    QCOMPARE(form<MainFrame>()->statusWord(), tag);
    QStringList asked;
    for (const ScriptedPlatform::Box &box : std::as_const(m_platform->messageBoxes)) {
        asked.append(box.prompt);
        const bool latest = box.prompt == upToDateBox;
        QCOMPARE(box.title, QString(latest ? "Set update check" : "UpdateCheck"));
        QCOMPARE(box.style, latest ? MsgBox::Information : MsgBox::OkCancel);
    }
    QCOMPARE(asked, boxes);
    QVERIFY(m_platform->messageAnswers.isEmpty());
    QCOMPARE(m_platform->beeps, outcome == Outcome::Latest && report == Report::StartUp ? 1 : 0);
    QCOMPARE(m_platform->shellTargets,
             opensPage ? QStringList{"http://" + AppInfo::makerHost() + "/astron/skydeck.html"} : QStringList());
    QCOMPARE(filesUnder(m_scene->environment.path()), filesBefore);
}

void TestUpdateCheck::oneCheckPerWindowAndNoneAfterIt()
{
    m_server->response = file("9.0.59\r\n");
    auto window = std::make_unique<QObject>();

    UpdateCheck *startUp = UpdateCheck::run(Report::StartUp, window.get());
    QCOMPARE(UpdateCheck::run(Report::Menu, window.get()), startUp);
    QSignalSpy finished(startUp, &UpdateCheck::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(m_server->paths.size(), 1);
    QCOMPARE(m_platform->messageBoxes.size(), 1); // answered as the menu asked
    QCOMPARE(m_platform->beeps, 0);

    QPointer<UpdateCheck> abandoned = UpdateCheck::run(Report::Menu, window.get());
    window.reset();
    QVERIFY(abandoned.isNull());
    // A later check of another window has its answer said; the abandoned one says nothing.
    QObject other;
    QSignalSpy later(UpdateCheck::run(Report::Menu, &other), &UpdateCheck::finished);
    QVERIFY(later.wait(10000));
    QCoreApplication::processEvents();
    QCOMPARE(m_platform->messageBoxes.size(), 2);
}

void TestUpdateCheck::simulatorChecksAtStartAndFromTheMenu()
{
    m_server->response = file("10.2.3\r\n");
    AppInfo::setVersion({10, 2, 3}); // no text may hold a fixed version

    SimulatorWindow *simulator = form<SimulatorWindow>();
    QTRY_COMPARE(m_platform->beeps, 1);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    control<QAction>(simulator, "mnuUpdateCheck")->trigger();
    QTRY_COMPARE(m_platform->messageBoxes.size(), 1);

    AppInfo::setVersion({9, 0, 59});
    QCOMPARE(m_platform->messageBoxes.first().prompt, QString(upToDateBox).replace("9.0.59", "10.2.3"));
    QCOMPARE(m_server->paths.size(), 2);
}

void TestUpdateCheck::answerWaitsUntilTheSetUpEnds()
{
    m_server->response = file("9.1.0\r\n");
    // The start-up check's answer arrives while the set-up asks for P.
    int boxesDuringSetUp = -1;
    m_platform->whileInputBoxOpen = [this, &boxesDuringSetUp] {
        if (boxesDuringSetUp >= 0)
            return;
        QVERIFY(QTest::qWaitFor([this] { return m_platform->downloadsEnded == 1; }, 10000));
        // The answer is in; the check looks again and again for the box to close.
        const int looks = m_platform->dialogueLooks;
        QVERIFY(QTest::qWaitFor([this, looks] { return m_platform->dialogueLooks >= looks + 2; }, 10000));
        boxesDuringSetUp = int(m_platform->messageBoxes.size());
    };
    m_platform->messageAnswers << MsgBox::Cancel << MsgBox::Ok; // refuse, and confirm it
    setUpScene(*m_platform, QStringLiteral("4.230785|55.94"));  // 51Peg b

    QCOMPARE(boxesDuringSetUp, 0);
    QCOMPARE(m_platform->inputBoxes.size(), 2);
    QTRY_COMPARE(m_platform->messageBoxes.size(), 2);
    QCOMPARE(m_platform->messageBoxes.first().prompt, questions.first());
    QCOMPARE(form<MainFrame>()->panel1(), updateStatus);
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
