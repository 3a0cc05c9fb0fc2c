#include "app/formregistry.h"
#include "app/picturebox.h"
#include "capture/capturefolder.h"
#include "capture/form5.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString title = QStringLiteral("Z Capture");
const QString delayPrompt = QStringLiteral(
    "What seconds do you capture?(Between 1 and 10 are apt.)\r\n"
    "When you input '0', this dialog will disappear.");

QImage windowPicture(const QColor &color = QColor(200, 40, 40))
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray signatureOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(3) : QByteArray();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

} // namespace

class TestForm5 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAsDesigned();
    void clickAsksForTheDelay();
    void countdownIsReplacedAndStopped();
    void tooLongIsRefusedAndChangesNothing();
    void captureIsSavedAsJpeg();
    void tenthCaptureIsCap0010();
    void clearKeepsTheNumbering();
    void earlierCapturesAreNotOverwritten();
    void readOnlyProgramFolderFallsBackToPictures();
    void noWritableFolderIsReported();
    void nothingCapturedIsReported();
    void numberLimitIsReported();
    void countdownEndsInACapture();
    void openShowsTheCaptureFolder();
    void openWithoutAnyFolderIsReported();
    void captureMenuShowsTheWindow();
    void closingStartsAFreshWindow();

private:
    Form5 *window();
    QString captureFolder() const { return m_program + QStringLiteral("/Capture"); }
    QStringList boxPrompts() const;

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

QStringList TestForm5::boxPrompts() const
{
    QStringList prompts;
    for (const ScriptedPlatform::Box &box : m_platform->messageBoxes)
        prompts.append(box.prompt);
    return prompts;
}

void TestForm5::windowAsDesigned()
{
    Form5 *capture = window();
    QCOMPARE(capture->windowTitle(), title);
    QVERIFY(capture->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(capture->Image1->toolTip(),
             QStringLiteral("If you click on blue area, you can set the time of until capture "
                            "active the screen.\r\n Z Capture captures the active screen the "
                            "screen1 to screen4 in OQ9."));
    QCOMPARE(capture->Picture1->backColor(), QColor(128, 255, 255));
    QCOMPARE(capture->Picture1->size(), QSize(93, 90));
    QCOMPARE(capture->Image1->parentWidget(), capture->Picture1);
    QCOMPARE(capture->Image1->pos(), QPoint(0, 0));
    QCOMPARE(capture->Clear->text(), QStringLiteral("Clear"));
    QCOMPARE(capture->fld->title(), QStringLiteral("Folder"));
    QCOMPARE(capture->fldO->text(), QStringLiteral("Open(&O)"));
    QVERIFY(!capture->Timer1->isActive());
    QCOMPARE(capture->captureCount, 0);
}

void TestForm5::clickAsksForTheDelay()
{
    Form5 *capture = window();
    m_platform->inputAnswers.enqueue(QStringLiteral("3"));

    QTest::mouseClick(capture->Image1, Qt::LeftButton);

    QCOMPARE(m_platform->inputBoxes.size(), 1);
    QCOMPARE(m_platform->inputBoxes.first().prompt, delayPrompt);
    QCOMPARE(m_platform->inputBoxes.first().title, title);
    QVERIFY(capture->Timer1->isActive());
    QCOMPARE(capture->Timer1->interval(), 3000);
    QCOMPARE(capture->delaySeconds, 3);
}

void TestForm5::countdownIsReplacedAndStopped()
{
    Form5 *capture = window();
    m_platform->inputAnswers << QStringLiteral("2.5") << QStringLiteral("3.5") << QString()
                             << QStringLiteral("5") << QStringLiteral("0");

    capture->Image1_Click();
    QCOMPARE(capture->Timer1->interval(), 2000);
    capture->Image1_Click();
    QVERIFY(capture->Timer1->isActive());
    QCOMPARE(capture->Timer1->interval(), 4000);
    capture->Image1_Click(); // Cancel
    QVERIFY(!capture->Timer1->isActive());
    capture->Image1_Click();
    QVERIFY(capture->Timer1->isActive());
    capture->Image1_Click(); // 0
    QVERIFY(!capture->Timer1->isActive());
    QVERIFY(m_platform->messageBoxes.isEmpty());
}

void TestForm5::tooLongIsRefusedAndChangesNothing()
{
    Form5 *capture = window();
    m_platform->inputAnswers << QStringLiteral("5") << QStringLiteral("33")
                             << QStringLiteral("99999999999");

    capture->Image1_Click();
    capture->Image1_Click();
    capture->Image1_Click();

    QCOMPARE(m_platform->messageBoxes.size(), 2);
    for (const ScriptedPlatform::Box &box : m_platform->messageBoxes) {
        QCOMPARE(box.prompt, QStringLiteral("The delay must be between 1 and 32 seconds."));
        QCOMPARE(box.title, title);
        QCOMPARE(box.style, MsgBox::Exclamation);
    }
    QVERIFY(capture->Timer1->isActive());
    QCOMPARE(capture->Timer1->interval(), 5000);
    QCOMPARE(capture->delaySeconds, 5);
}

void TestForm5::captureIsSavedAsJpeg()
{
    Form5 *capture = window();
    capture->Timer1->start(1000);
    m_platform->capturedWindows.enqueue(windowPicture());
    QVERIFY(!QFileInfo::exists(captureFolder()));

    capture->Timer1_Timer();

    QVERIFY(!capture->Timer1->isActive());
    QCOMPARE(capture->Timer1->interval(), 0);
    QCOMPARE(m_platform->beeps, 1);
    QVERIFY(capture->isVisible());
    const QString file = captureFolder() + QStringLiteral("/cap001.jpg");
    QCOMPARE(signatureOf(file), QByteArray("\xFF\xD8\xFF"));
    QCOMPARE(QImage(file).size(), QSize(120, 80));
    QCOMPARE(capture->captureCount, 1);
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt, QStringLiteral("Set capture!\r\ncap001.jpg"));
    QCOMPARE(m_platform->messageBoxes.first().title, title);
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::Information);
    QCOMPARE(capture->Picture1->picture().size(), QSize(120, 80));
    QVERIFY(!capture->Image1->pixmap().isNull());
}

void TestForm5::tenthCaptureIsCap0010()
{
    Form5 *capture = window();
    for (int i = 0; i < 10; ++i) {
        m_platform->capturedWindows.enqueue(windowPicture());
        capture->Timer1_Timer();
    }

    QCOMPARE(capture->captureCount, 10);
    QCOMPARE(m_platform->messageBoxes.last().prompt, QStringLiteral("Set capture!\r\ncap0010.jpg"));
    QStringList expected;
    for (int n = 1; n <= 10; ++n)
        expected.append(QStringLiteral("cap00%1.jpg").arg(n));
    QStringList saved = QDir(captureFolder()).entryList(QDir::Files);
    saved.sort();
    expected.sort();
    QCOMPARE(saved, expected);
}

void TestForm5::clearKeepsTheNumbering()
{
    Form5 *capture = window();
    m_platform->capturedWindows.enqueue(windowPicture());
    capture->Timer1_Timer();

    QTest::mouseClick(capture->Clear, Qt::LeftButton);

    QVERIFY(capture->Picture1->picture().isNull());
    QVERIFY(capture->Image1->pixmap().isNull());
    QCOMPARE(capture->Picture1->image().pixelColor(10, 10), QColor(128, 255, 255));
    QVERIFY(QFile::exists(captureFolder() + QStringLiteral("/cap001.jpg")));
    m_platform->capturedWindows.enqueue(windowPicture());
    capture->Timer1_Timer();
    QCOMPARE(m_platform->messageBoxes.last().prompt, QStringLiteral("Set capture!\r\ncap002.jpg"));
}

void TestForm5::earlierCapturesAreNotOverwritten()
{
    QVERIFY(QDir().mkpath(captureFolder()));
    writeFile(captureFolder() + QStringLiteral("/cap001.jpg"), "a capture of an earlier session");
    Form5 *capture = window();
    m_platform->capturedWindows.enqueue(windowPicture());

    capture->Timer1_Timer();

    QFile earlier(captureFolder() + QStringLiteral("/cap001.jpg"));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("a capture of an earlier session"));
    QCOMPARE(signatureOf(captureFolder() + QStringLiteral("/cap002.jpg")), QByteArray("\xFF\xD8\xFF"));
    QCOMPARE(m_platform->messageBoxes.last().prompt, QStringLiteral("Set capture!\r\ncap002.jpg"));
    QCOMPARE(capture->captureCount, 2);
}

void TestForm5::readOnlyProgramFolderFallsBackToPictures()
{
    // Root ignores permission bits; a program "folder" that is a regular
    // file can be written by nobody.
    const QString program = m_environment->path() + QStringLiteral("/installed");
    writeFile(program, "not a folder");
    CaptureFolder::setBaseFolders(program, m_pictures);
    Form5 *capture = window();
    m_platform->capturedWindows.enqueue(windowPicture());

    capture->Timer1_Timer();

    QCOMPARE(signatureOf(m_pictures + QStringLiteral("/Capture/cap001.jpg")), QByteArray("\xFF\xD8\xFF"));
    QCOMPARE(boxPrompts(), QStringList{QStringLiteral("Set capture!\r\ncap001.jpg")});
    capture->fldO_Click();
    QCOMPARE(m_platform->shellTargets, QStringList{m_pictures + QStringLiteral("/Capture")});
}

void TestForm5::noWritableFolderIsReported()
{
    const QString file = m_environment->path() + QStringLiteral("/file");
    writeFile(file, "not a folder");
    CaptureFolder::setBaseFolders(file + QStringLiteral("/program"), file + QStringLiteral("/pictures"));
    Form5 *capture = window();
    m_platform->capturedWindows.enqueue(windowPicture());

    capture->Timer1_Timer();

    QCOMPARE(boxPrompts(),
             QStringList{QStringLiteral("The capture was not saved: no folder \"Capture\" can be "
                                        "written, neither beside the program nor in your "
                                        "pictures folder.")});
    QCOMPARE(m_platform->messageBoxes.first().style, MsgBox::Exclamation);
    QCOMPARE(capture->captureCount, 0);
}

void TestForm5::nothingCapturedIsReported()
{
    Form5 *capture = window();

    capture->Timer1_Timer();

    QCOMPARE(boxPrompts(),
             QStringList{QStringLiteral("Nothing was captured: no active window could be copied.")});
    QCOMPARE(m_platform->messageBoxes.first().title, title);
    QCOMPARE(capture->captureCount, 0);
    QVERIFY(!QFileInfo::exists(captureFolder()) || QDir(captureFolder()).isEmpty());
    QVERIFY(capture->Picture1->picture().isNull());
}

void TestForm5::numberLimitIsReported()
{
    Form5 *capture = window();
    capture->captureCount = 32767;
    m_platform->capturedWindows.enqueue(windowPicture());

    capture->Timer1_Timer();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QVERIFY(m_platform->messageBoxes.first().prompt.startsWith(
        QStringLiteral("The capture was not saved: every name up to cap0032767.jpg is taken")));
    QCOMPARE(capture->captureCount, 32767);
    QVERIFY(QDir(captureFolder()).entryList(QDir::Files).isEmpty());
}

void TestForm5::countdownEndsInACapture()
{
    Form5 *capture = window();
    m_platform->inputAnswers.enqueue(QStringLiteral("1"));
    m_platform->capturedWindows.enqueue(windowPicture());

    capture->Image1_Click();

    QVERIFY(m_platform->messageBoxes.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(m_platform->messageBoxes.size(), 1, 5000);
    QCOMPARE(m_platform->messageBoxes.first().prompt, QStringLiteral("Set capture!\r\ncap001.jpg"));
    QVERIFY(!capture->Timer1->isActive());
}

void TestForm5::openShowsTheCaptureFolder()
{
    Form5 *capture = window();

    capture->fldO->trigger();

    QVERIFY(QFileInfo(captureFolder()).isDir());
    QCOMPARE(m_platform->shellTargets, QStringList{captureFolder()});
    QCOMPARE(m_platform->shellFolders, QStringList{QCoreApplication::applicationDirPath()});
    QVERIFY(m_platform->messageBoxes.isEmpty());
}

void TestForm5::openWithoutAnyFolderIsReported()
{
    const QString file = m_environment->path() + QStringLiteral("/file");
    writeFile(file, "not a folder");
    CaptureFolder::setBaseFolders(file + QStringLiteral("/program"), file + QStringLiteral("/pictures"));
    Form5 *capture = window();

    capture->fldO_Click();

    QVERIFY(m_platform->shellTargets.isEmpty());
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().title, title);
}

void TestForm5::captureMenuShowsTheWindow()
{
    Form1 *simulator = form<Form1>();

    simulator->Cpt->trigger();

    Form5 *capture = FormRegistry::instance().find<Form5>();
    QVERIFY(capture);
    QVERIFY(capture->isVisible());
}

void TestForm5::closingStartsAFreshWindow()
{
    Form5 *capture = window();
    m_platform->capturedWindows.enqueue(windowPicture());
    capture->Timer1_Timer();
    QCOMPARE(capture->captureCount, 1);

    capture->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!FormRegistry::instance().isLoaded<Form5>());
    Form5 *fresh = window();
    QCOMPARE(fresh->captureCount, 0);
    m_platform->capturedWindows.enqueue(windowPicture(Qt::green));
    fresh->Timer1_Timer();
    QCOMPARE(m_platform->messageBoxes.last().prompt, QStringLiteral("Set capture!\r\ncap002.jpg"));
}

QTEST_MAIN(TestForm5)
#include "tst_form5.moc"
