#include "capture/capturefolder.h"
#include "capture/capturewindow.h"
#include "frame/mainframe.h"
#include "ground/formregistry.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

const QByteArray jpegSignature("\xFF\xD8\xFF");
const QString captureTitle = QStringLiteral("Z Capture");

} // namespace

class TestCaptureWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_scene.emplace();
        // Z Capture's designed texts are English: its own messages are read in English too.
        LanguageSwitch::instance().start(LanguageSwitch::Language::English);
        m_platform = &m_scene->platform;
        m_program = m_scene->environment.path() + QStringLiteral("/program");
        m_pictures = m_scene->environment.path() + QStringLiteral("/pictures");
        QVERIFY(QDir().mkpath(m_program));
        CaptureFolder::setBaseFolders(m_program, m_pictures);
    }
    void cleanup()
    {
        CaptureFolder::setBaseFolders({}, {});
        m_scene.reset();
    }
    void delay_data();
    void delay();
    void capturesAreNumberedJpegs();
    void fallbackFolderKeepsEarlierCaptures();
    void failureIsReported_data();
    void failureIsReported();
    void menuOpensTheWindowAndWholeScreenIsSaidOnce();

private:
    CaptureWindow *window()
    {
        form<CaptureWindow>()->show();
        return form<CaptureWindow>();
    }
    /// The next active window the platform copies: 120 × 80, red.
    void queueWindow()
    {
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(Qt::red);
        m_platform->capturedWindows.enqueue(picture);
    }
    /// Runs the countdown out at once; returns the last box shown.
    QString takeCapture(CaptureWindow *capture)
    {
        QMetaObject::invokeMethod(control<QTimer>(capture, "Timer1"), "timeout");
        return m_platform->messageBoxes.isEmpty() ? QString() : m_platform->messageBoxes.last().prompt;
    }

    std::optional<SeedScene> m_scene;
    ScriptedPlatform *m_platform = nullptr;
    QString m_program;
    QString m_pictures;
};

void TestCaptureWindow::delay_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("refusals");

    // Halves go to the even second, as tst_textnumber checks on both sides.
    QTest::newRow("2.5 goes to the even 2") << QStringList{"2.5"} << 2000 << 0;
    QTest::newRow("32 is the longest") << QStringList{"32"} << 32000 << 0;
    QTest::newRow("a new delay replaces the countdown") << QStringList{"5", "3"} << 3000 << 0;
    // An empty answer or Cancel reads 0 (tst_textnumber), and stops the same way.
    QTest::newRow("0 stops") << QStringList{"5", "0"} << 0 << 0;
    QTest::newRow("33 is refused, the countdown goes on") << QStringList{"5", "33"} << 5000 << 1;
    QTest::newRow("beyond any number is refused") << QStringList{"1e400"} << 0 << 1;
}

void TestCaptureWindow::delay()
{
    QFETCH(QStringList, answers);
    QFETCH(int, interval);
    QFETCH(int, refusals);
    QLabel *area = control<QLabel>(window(), "Image1");
    QTimer *countdown = control<QTimer>(window(), "Timer1");
    m_platform->inputAnswers.append(answers);
    QTest::mouseClick(area, Qt::RightButton);
    QTest::mouseClick(area, Qt::MiddleButton);
    QVERIFY2(m_platform->inputBoxes.isEmpty(), "only a left click asks for the delay");

    for (int i = 0; i < answers.size(); ++i)
        QTest::mouseClick(area, Qt::LeftButton);

    QCOMPARE(m_platform->inputBoxes.size(), answers.size());
    QCOMPARE(m_platform->inputBoxes.first().prompt,
             QStringLiteral("What seconds do you capture?(Between 1 and 10 are apt.)\r\n"
                            "When you input '0', this dialog will disappear."));
    QCOMPARE(countdown->isActive(), interval > 0);
    if (interval > 0)
        QCOMPARE(countdown->interval(), interval);
    if (refusals == 0)
        QVERIFY(m_platform->messageBoxes.isEmpty());
    else
        QCOMPARE(onlyMessage(*m_platform, MsgBox::Exclamation, captureTitle),
                 "The delay must be between 1 and 32 seconds.");
}

void TestCaptureWindow::capturesAreNumberedJpegs()
{
    const QString folder = m_program + QStringLiteral("/Capture");
    QVERIFY(!QFileInfo::exists(folder));
    CaptureWindow *capture = window();
    QLabel *area = control<QLabel>(capture, "Image1");
    m_platform->inputAnswers.enqueue(QStringLiteral("1"));
    queueWindow();

    QTest::mouseClick(area, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_platform->messageBoxes.size(), 1, 5000);

    QCOMPARE(m_platform->messageBoxes.first().prompt, QStringLiteral("Set capture!\r\ncap001.jpg"));
    QCOMPARE(m_platform->beeps, 1);
    QCOMPARE(fileContents(folder + QStringLiteral("/cap001.jpg"), 3), jpegSignature);
    QCOMPARE(QImage(folder + QStringLiteral("/cap001.jpg")).size(), QSize(120, 80));
    QVERIFY(!area->pixmap().isNull());
    QTest::mouseClick(control<QPushButton>(capture, "Clear"), Qt::LeftButton);
    QVERIFY(area->pixmap().isNull());
    // Numbers are not padded: the tenth is cap0010.jpg.
    for (int n = 2; n <= 10; ++n) {
        queueWindow();
        QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap00%1.jpg").arg(n));
    }
    QCOMPARE(fileContents(folder + QStringLiteral("/cap0010.jpg"), 3), jpegSignature);
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 10);
}

void TestCaptureWindow::fallbackFolderKeepsEarlierCaptures()
{
    // A program "folder" that is a regular file can be written by nobody, root included.
    writeFile(m_program + QStringLiteral("-installed"), "not a folder");
    CaptureFolder::setBaseFolders(m_program + QStringLiteral("-installed"), m_pictures);
    const QString folder = m_pictures + QStringLiteral("/Capture");
    writeFile(folder + QStringLiteral("/cap001.jpg"), "an earlier session's capture");
    queueWindow();

    QCOMPARE(takeCapture(window()), QStringLiteral("Set capture!\r\ncap002.jpg"));
    control<QAction>(window(), "fldO")->trigger();

    QCOMPARE(fileContents(folder + QStringLiteral("/cap001.jpg")), "an earlier session's capture");
    QCOMPARE(fileContents(folder + QStringLiteral("/cap002.jpg"), 3), jpegSignature);
    QCOMPARE(m_platform->shellTargets, QStringList{folder});
}

void TestCaptureWindow::failureIsReported_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("anyWindow");
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("message");

    QTest::newRow("no writable folder")
        << false << true << 0
        << "The capture was not saved: no folder \"Capture\" can be written, neither beside the "
           "program nor in your pictures folder.";
    QTest::newRow("nothing captured") << true << false << 0
                                      << "Nothing was captured: no active window could be copied.";
    // 32767, the largest 16-bit number, is the last a window gives out.
    QTest::newRow("every number taken") << true << true << 32767
                                        << "The capture was not saved: every name up to cap0032767.jpg is taken in ";
}

void TestCaptureWindow::failureIsReported()
{
    QFETCH(bool, writable);
    QFETCH(bool, anyWindow);
    QFETCH(int, taken);
    QFETCH(QString, message);
    if (!writable) {
        const QString file = m_scene->environment.path() + QStringLiteral("/file");
        writeFile(file, "not a folder");
        CaptureFolder::setBaseFolders(file + QStringLiteral("/program"), file + QStringLiteral("/pictures"));
    }
    if (anyWindow)
        queueWindow();
    const QString folder = m_program + QStringLiteral("/Capture");
    for (int n = 1; n <= taken; ++n)
        writeFile(folder + QStringLiteral("/cap00%1.jpg").arg(n), {});
    CaptureWindow *capture = window();

    takeCapture(capture);
    const QString shown = onlyMessage(*m_platform, MsgBox::Exclamation, captureTitle);
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), taken);

    // Once mended, the failed capture has used up no number.
    CaptureFolder::setBaseFolders(m_program, m_pictures);
    QVERIFY(taken == 0 || QFile::remove(folder + QStringLiteral("/cap001.jpg")));
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap001.jpg"));
}

void TestCaptureWindow::menuOpensTheWindowAndWholeScreenIsSaidOnce()
{
    control<QAction>(form<SimulatorWindow>(), "Cpt")->trigger();
    CaptureWindow *capture = FormRegistry::instance().find<CaptureWindow>();
    QVERIFY(capture && capture->isVisible());
    m_platform->wholeScreenCaptures = true;
    MainFrame *frame = form<MainFrame>();
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap001.jpg"));
    QCOMPARE(frame->panel1(), CaptureWindow::wholeScreenNote());
    frame->setPanel1(QStringLiteral("Orbiquest9"));
    queueWindow();
    QCOMPARE(takeCapture(capture), QStringLiteral("Set capture!\r\ncap002.jpg"));
    QCOMPARE(frame->panel1(), QStringLiteral("Orbiquest9"));
}

QTEST_MAIN(TestCaptureWindow)
#include "tst_capturewindow.moc"
