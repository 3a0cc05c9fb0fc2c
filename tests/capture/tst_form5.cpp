#include "ground/formregistry.h"
#include "frame/mdiform1.h"
#include "capture/capturefolder.h"
#include "capture/form5.h"
#include "simulator/form1.h"
#include "support/findcontrol.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QByteArray contentsOf(const QString &path, qint64 length = -1)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return length < 0 ? file.readAll() : file.read(length);
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
}

const QByteArray jpegSignature("\xFF\xD8\xFF");

} // namespace

class TestForm5 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void delay_data();
    void delay();
    void capturesAreNumberedJpegs();
    void fallbackFolderKeepsEarlierCaptures();
    void failureIsReported_data();
    void failureIsReported();
    void captureMenuShowsTheWindow();
    void onlyALeftClickAsksForTheDelay();
    void wholeScreenIsSaidOnce();

private:
    Form5 *window();
    /// The next active window the platform copies.
    void queueWindow();
    /// Lets the countdown run out; returns the last box shown.
    QString takeCapture(Form5 *capture);

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
    QString m_program;
    QString m_pictures;
};

void TestForm5::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
    m_program = m_environment->path() + QStringLiteral("/program");
    m_pictures = m_environment->path() + QStringLiteral("/pictures");
    QVERIFY(QDir().mkpath(m_program));
    CaptureFolder::setBaseFolders(m_program, m_pictures);
}

void TestForm5::cleanup()
{
    CaptureFolder::setBaseFolders({}, {});
    m_platform.reset();
    m_environment.reset();
}

Form5 *TestForm5::window()
{
    Form5 *capture = form<Form5>();
    capture->show();
    return capture;
}

void TestForm5::queueWindow()
{
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::red);
    m_platform->capturedWindows.enqueue(picture);
}

QString TestForm5::takeCapture(Form5 *capture)
{
    // The countdown running out, without waiting for it.
    QMetaObject::invokeMethod(control<QTimer>(capture, "Timer1"), "timeout");
    return m_platform->messageBoxes.isEmpty() ? QString() : m_platform->messageBoxes.last().prompt;
}

void TestForm5::delay_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("refusals");

    QTest::newRow("2.5 goes to the even 2") << QStringList{"2.5"} << 2000 << 0;
    QTest::newRow("3.5 goes to the even 4") << QStringList{"3.5"} << 4000 << 0;
    QTest::newRow("32 is the longest") << QStringList{"32"} << 32000 << 0;
    QTest::newRow("a new delay replaces the countdown") << QStringList{"5", "3"} << 3000 << 0;
    QTest::newRow("0 stops") << QStringList{"5", "0"} << 0 << 0;
    QTest::newRow("empty answer or Cancel stops") << QStringList{"5", ""} << 0 << 0;
    QTest::newRow("33 is refused, the countdown goes on") << QStringList{"5", "33"} << 5000 << 1;
    QTest::newRow("beyond any number is refused") << QStringList{"1e400"} << 0 << 1;
}

void TestForm5::delay()
{
    QFETCH(QStringList, answers);
    QFETCH(int, interval);
    QFETCH(int, refusals);
    Form5 *capture = window();
    m_platform->inputAnswers.append(answers);

    for (int i = 0; i < answers.size(); ++i)
        QTest::mouseClick(control<QLabel>(capture, "Image1"), Qt::LeftButton);

    QCOMPARE(m_platform->inputBoxes.size(), answers.size());
    QCOMPARE(m_platform->inputBoxes.first().prompt,
             QStringLiteral("What seconds do you capture?(Between 1 and 10 are apt.)\r\n"
                            "When you input '0', this dialog will disappear."));
    QCOMPARE(control<QTimer>(capture, "Timer1")->isActive(), interval > 0);
    if (interval > 0)
        QCOMPARE(control<QTimer>(capture, "Timer1")->interval(), interval);
    QCOMPARE(m_platform->messageBoxes.size(), refusals);
    for (const ScriptedPlatform::Box &box : std::as_const(m_platform->messageBoxes)) {
        QCOMPARE(box.prompt, QStringLiteral("The delay must be between 1 and 32 seconds."));
        QCOMPARE(box.style, MsgBox::Exclamation);
    }
}

void TestForm5::capturesAreNumberedJpegs()
{
    const QString folder = m_program + QStringLiteral("/Capture");
    QVERIFY(!QFileInfo::exists(folder));
    Form5 *capture = window();
    m_platform->inputAnswers.enqueue(QStringLiteral("1"));
    queueWindow();

    QTest::mouseClick(control<QLabel>(capture, "Image1"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_platform->messageBoxes.size(), 1, 5000);

    QCOMPARE(m_platform->messageBoxes.first().prompt, QStringLiteral("Set capture!\r\ncap001.jpg"));
    QCOMPARE(m_platform->beeps, 1);
    QCOMPARE(contentsOf(folder + QStringLiteral("/cap001.jpg"), 3), jpegSignature);
    QCOMPARE(QImage(folder + QStringLiteral("/cap001.jpg")).size(), QSize(120, 80));
    QVERIFY(!control<QLabel>(capture, "Image1")->pixmap().isNull());
    QTest::mouseClick(control<QPushButton>(capture, "Clear"), Qt::LeftButton);
    QVERIFY(control<QLabel>(capture, "Image1")->pixmap().isNull());
    for (int n = 2; n <= 10; ++n) {
        queueWindow();
        QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap00%1.jpg").arg(n));
    }
    QCOMPARE(contentsOf(folder + QStringLiteral("/cap0010.jpg"), 3), jpegSignature);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 10);
}

void TestForm5::fallbackFolderKeepsEarlierCaptures()
{
    // A program "folder" that is a regular file can be written by nobody, root included.
    writeFile(m_program + QStringLiteral("-installed"), "not a folder");
    CaptureFolder::setBaseFolders(m_program + QStringLiteral("-installed"), m_pictures);
    const QString folder = m_pictures + QStringLiteral("/Capture");
    writeFile(folder + QStringLiteral("/cap001.jpg"), "an earlier session's capture");
    queueWindow();

    QCOMPARE(takeCapture(window()), QStringLiteral("Set capture!\r\ncap002.jpg"));
    control<QAction>(window(), "fldO")->trigger();

    QCOMPARE(contentsOf(folder + QStringLiteral("/cap001.jpg")), "an earlier session's capture");
    QCOMPARE(contentsOf(folder + QStringLiteral("/cap002.jpg"), 3), jpegSignature);
    QCOMPARE(m_platform->shellTargets, QStringList{folder});
}

void TestForm5::failureIsReported_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("anyWindow");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("message");

    QTest::newRow("no writable folder")
        << false << true << 0
        << "The capture was not saved: no folder \"Capture\" can be written, neither beside the "
           "program nor in your pictures folder.";
    QTest::newRow("nothing captured")
        << true << false << 0 << "Nothing was captured: no active window could be copied.";
    QTest::newRow("every number taken")
        << true << true << 32767
        << "The capture was not saved: every name up to cap0032767.jpg is taken in ";
}

void TestForm5::failureIsReported()
{
    QFETCH(bool, writable);
    QFETCH(bool, anyWindow);
    QFETCH(int, taken);
    QFETCH(QString, message);
    if (!writable) {
        const QString file = m_environment->path() + QStringLiteral("/file");
        writeFile(file, "not a folder");
        CaptureFolder::setBaseFolders(file + QStringLiteral("/program"),
                                      file + QStringLiteral("/pictures"));
    }
    if (anyWindow)
        queueWindow();
    const QString folder = m_program + QStringLiteral("/Capture");
    for (int n = 1; n <= taken; ++n)
        writeFile(folder + QStringLiteral("/cap00%1.jpg").arg(n), {});
    Form5 *capture = window();

    const QString shown = takeCapture(capture);
    QVERIFY2(shown.startsWith(message), qPrintable(shown));

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::Exclamation);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), taken);
    // Once mended, the failed capture has used up no number.
    CaptureFolder::setBaseFolders(m_program, m_pictures);
    QVERIFY(taken == 0 || QFile::remove(folder + QStringLiteral("/cap001.jpg")));
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap001.jpg"));
}

void TestForm5::captureMenuShowsTheWindow()
{
    control<QAction>(form<Form1>(), "Cpt")->trigger();

    QVERIFY(FormRegistry::instance().isLoaded<Form5>());
    QVERIFY(FormRegistry::instance().find<Form5>()->isVisible());
}

void TestForm5::onlyALeftClickAsksForTheDelay()
{
    Form5 *capture = window();
    m_platform->inputAnswers << QStringLiteral("5") << QStringLiteral("5");
    QTest::mouseClick(control<QLabel>(capture, "Image1"), Qt::RightButton);
    QTest::mouseClick(control<QLabel>(capture, "Image1"), Qt::MiddleButton);
    QVERIFY(m_platform->inputBoxes.isEmpty());
    QVERIFY(!control<QTimer>(capture, "Timer1")->isActive());
    QTest::mouseClick(control<QLabel>(capture, "Image1"), Qt::LeftButton);
    QCOMPARE(m_platform->inputBoxes.size(), 1);
}

void TestForm5::wholeScreenIsSaidOnce()
{
    m_platform->wholeScreenCaptures = true;
    Form5 *capture = window();
    MDIForm1 *frame = form<MDIForm1>();
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap001.jpg"));
    QCOMPARE(frame->panel1(), Form5::wholeScreenNote());
    frame->setPanel1(QStringLiteral("Orbiquest9"));
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap002.jpg"));
    QCOMPARE(frame->panel1(), QStringLiteral("Orbiquest9"));
}

QTEST_MAIN(TestForm5)
#include "tst_form5.moc"
