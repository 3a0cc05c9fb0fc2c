#include "capture/capturefiles.h"
#include "capture/capturefolder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using Kind = CaptureFiles::DelayAnswer::Kind;
Q_DECLARE_METATYPE(Kind)

namespace {

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QImage sampleCapture()
{
    QImage image(64, 48, QImage::Format_ARGB32);
    image.fill(QColor(20, 120, 200));
    return image;
}

} // namespace

class TestCaptureFiles : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void readDelay_data();
    void readDelay();
    void fileName_data();
    void fileName();
    void nextFreeNumberSkipsEarlierCaptures();
    void nextFreeNumberStopsAtTheLimit();
    void savedFileIsAJpeg();
    void transparentPartsTurnWhite();
    void saveFailsWithoutAFolder();
    void saveRefusesAnEmptyPicture();
    void folderIsCreatedBesideTheProgram();
    void existingFolderIsKept();
    void unwritableProgramFolderFallsBackToPictures();
    void noWritableFolderGivesNothing();
};

void TestCaptureFiles::cleanup()
{
    CaptureFolder::setBaseFolders({}, {});
}

void TestCaptureFiles::readDelay_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("seconds");

    QTest::newRow("whole number") << "3" << Kind::Start << 3;
    QTest::newRow("2.5 goes to the even 2") << "2.5" << Kind::Start << 2;
    QTest::newRow("3.5 goes to the even 4") << "3.5" << Kind::Start << 4;
    QTest::newRow("2.6 rounds up") << "2.6" << Kind::Start << 3;
    QTest::newRow("blanks and text around") << " 1 0 seconds" << Kind::Start << 10;
    QTest::newRow("one second") << "1" << Kind::Start << 1;
    QTest::newRow("0.5 rounds to 0 and stops") << "0.5" << Kind::Stop << 0;
    QTest::newRow("zero stops") << "0" << Kind::Stop << 0;
    QTest::newRow("empty answer or Cancel stops") << "" << Kind::Stop << 0;
    QTest::newRow("no number stops") << "soon" << Kind::Stop << 0;
    QTest::newRow("negative stops") << "-4" << Kind::Stop << 0;
    QTest::newRow("hexadecimal") << "&H10" << Kind::Start << 16;
    QTest::newRow("32 is the longest") << "32" << Kind::Start << 32;
    QTest::newRow("32.5 rounds to 32") << "32.5" << Kind::Start << 32;
    QTest::newRow("33 is too long") << "33" << Kind::TooLong << 0;
    QTest::newRow("32.6 is too long") << "32.6" << Kind::TooLong << 0;
    QTest::newRow("past 16 bits") << "40000" << Kind::TooLong << 0;
    QTest::newRow("past every integer") << "1e300" << Kind::TooLong << 0;
    QTest::newRow("beyond double range") << "1e400" << Kind::TooLong << 0;
    QTest::newRow("minus beyond double range") << "-1e400" << Kind::Stop << 0;
}

void TestCaptureFiles::readDelay()
{
    QFETCH(QString, answer);
    QFETCH(Kind, kind);
    QFETCH(int, seconds);
    const CaptureFiles::DelayAnswer delay = CaptureFiles::readDelay(answer);
    QCOMPARE(delay.kind, kind);
    QCOMPARE(delay.seconds, seconds);
}

void TestCaptureFiles::fileName_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << 1 << "cap001.jpg";
    QTest::newRow("second") << 2 << "cap002.jpg";
    QTest::newRow("ninth") << 9 << "cap009.jpg";
    QTest::newRow("tenth is not padded") << 10 << "cap0010.jpg";
    QTest::newRow("hundredth") << 100 << "cap00100.jpg";
    QTest::newRow("last") << 32767 << "cap0032767.jpg";
}

void TestCaptureFiles::fileName()
{
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(CaptureFiles::fileName(number), expected);
}

void TestCaptureFiles::nextFreeNumberSkipsEarlierCaptures()
{
    QTemporaryDir folder;
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 0), 1);
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 9), 10);
    writeFile(folder.filePath(QStringLiteral("cap001.jpg")), "earlier");
    writeFile(folder.filePath(QStringLiteral("cap002.jpg")), "earlier");
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 0), 3);
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 1), 3);
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 4), 5);
}

void TestCaptureFiles::nextFreeNumberStopsAtTheLimit()
{
    QTemporaryDir folder;
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 32766), 32767);
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 32767), 0);
    writeFile(folder.filePath(QStringLiteral("cap0032767.jpg")), "earlier");
    QCOMPARE(CaptureFiles::nextFreeNumber(folder.path(), 32766), 0);
}

void TestCaptureFiles::savedFileIsAJpeg()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cap001.jpg"));

    QVERIFY(CaptureFiles::saveJpeg(sampleCapture(), path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(3), QByteArray("\xFF\xD8\xFF"));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    QCOMPARE(back.size(), QSize(64, 48));
    const QColor middle = back.pixelColor(32, 24);
    QVERIFY(qAbs(middle.red() - 20) < 8 && qAbs(middle.green() - 120) < 8
            && qAbs(middle.blue() - 200) < 8);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("cap001.jpg")});
}

void TestCaptureFiles::transparentPartsTurnWhite()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cap001.jpg"));
    QImage clear(16, 16, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);

    QVERIFY(CaptureFiles::saveJpeg(clear, path));

    QVERIFY(QImage(path).pixelColor(8, 8).lightness() > 240);
}

void TestCaptureFiles::saveFailsWithoutAFolder()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/cap001.jpg"));
    QVERIFY(!CaptureFiles::saveJpeg(sampleCapture(), path));
    QVERIFY(!QFile::exists(path));
}

void TestCaptureFiles::saveRefusesAnEmptyPicture()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cap001.jpg"));
    QVERIFY(!CaptureFiles::saveJpeg(QImage(), path));
    QVERIFY(!QFile::exists(path));
}

void TestCaptureFiles::folderIsCreatedBesideTheProgram()
{
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    const QString pictures = root.filePath(QStringLiteral("pictures"));
    QVERIFY(QDir().mkpath(program));
    CaptureFolder::setBaseFolders(program, pictures);

    QCOMPARE(CaptureFolder::candidates(),
             (QStringList{program + QStringLiteral("/Capture"), pictures + QStringLiteral("/Capture")}));
    const QString folder = CaptureFolder::ready();

    QCOMPARE(folder, program + QStringLiteral("/Capture"));
    QVERIFY(QFileInfo(folder).isDir());
    // The writability probe leaves nothing behind, and the other base is not touched.
    QVERIFY(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    QVERIFY(!QFileInfo::exists(pictures));
}

void TestCaptureFiles::existingFolderIsKept()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Capture"));
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + QStringLiteral("/cap001.jpg"), "earlier");
    CaptureFolder::setBaseFolders(root.path(), root.filePath(QStringLiteral("pictures")));

    QCOMPARE(CaptureFolder::ready(), folder);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("cap001.jpg")});
}

void TestCaptureFiles::unwritableProgramFolderFallsBackToPictures()
{
    // A folder whose parent is a regular file can be neither created nor
    // written, whoever runs the test.
    QTemporaryDir root;
    writeFile(root.filePath(QStringLiteral("program")), "a file, not a folder");
    const QString pictures = root.filePath(QStringLiteral("pictures"));
    CaptureFolder::setBaseFolders(root.filePath(QStringLiteral("program")), pictures);

    QCOMPARE(CaptureFolder::ready(), pictures + QStringLiteral("/Capture"));
    QVERIFY(QFileInfo(pictures + QStringLiteral("/Capture")).isDir());
}

void TestCaptureFiles::noWritableFolderGivesNothing()
{
    QTemporaryDir root;
    writeFile(root.filePath(QStringLiteral("file")), "a file, not a folder");
    CaptureFolder::setBaseFolders(root.filePath(QStringLiteral("file/program")),
                                  root.filePath(QStringLiteral("file/pictures")));

    QCOMPARE(CaptureFolder::ready(), QString());
}

QTEST_GUILESS_MAIN(TestCaptureFiles)
#include "tst_capturefiles.moc"
