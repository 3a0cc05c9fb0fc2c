#include "files/picturefile.h"

#include "support/testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTest>
#include <QtEndian>

#include <sys/resource.h>

namespace {

// PNG chunks carry a CRC-32 (ISO 3309) of their type and data.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return bigEndian32(quint32(data.size())) + type + data + bigEndian32(crc32(type + data));
}

QByteArray pngSignature()
{
    return QByteArray::fromHex("89504e470d0a1a0a");
}

/// A well-formed PNG header declaring `width` × `height` RGB pixels,
/// followed by a token of compressed data and the end chunk.
QByteArray pngDeclaring(quint32 width, quint32 height)
{
    QByteArray header = bigEndian32(width) + bigEndian32(height);
    header += QByteArray::fromHex("0802000000"); // 8 bits, RGB, deflate, no filter, no interlace
    return pngSignature() + pngChunk("IHDR", header)
           + pngChunk("IDAT", QByteArray::fromHex("789c030000000001"))
           + pngChunk("IEND", {});
}

/// A Windows bitmap header declaring `width` × `height` 24-bit pixels and
/// carrying none of them.
QByteArray bmpDeclaring(qint32 width, qint32 height)
{
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    qToLittleEndian<quint32>(54, bytes.data() + 2);
    qToLittleEndian<quint32>(54, bytes.data() + 10);
    qToLittleEndian<quint32>(40, bytes.data() + 14);
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(24, bytes.data() + 28);
    return bytes;
}

/// The most memory this process has held so far, in megabytes.
double peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

QImage sample(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 128));
    QPainter painter(&image);
    painter.setPen(QColor(0, 255, 255));
    painter.drawEllipse(QRect(QPoint(10, 10), size / 2));
    painter.fillRect(QRect(0, 0, 7, 5), QColor(255, 128, 0));
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestPictureFile : public QObject
{
    Q_OBJECT

private slots:
    void writesAndReadsBack_data();
    void writesAndReadsBack();
    void iconIsShrunkToFit_data();
    void iconIsShrunkToFit();
    void failedWriteLeavesNoFile_data();
    void failedWriteLeavesNoFile();
    void failedWriteKeepsTheOldFile();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void truncatedFilesShowWhatTheyHold_data();
    void truncatedFilesShowWhatTheyHold();
    void refusesHugeFiles_data();
    void refusesHugeFiles();
    void limitIsInclusive();
};

void TestPictureFile::writesAndReadsBack_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("bitmap under .oq9") << QByteArray("bmp") << "plot.oq9";
    QTest::newRow("png") << QByteArray("png") << "plot.png";
    QTest::newRow("bitmap") << QByteArray("bmp") << "plot.bmp";
    QTest::newRow("bitmap without extension") << QByteArray("bmp") << "plot";
}

void TestPictureFile::writesAndReadsBack()
{
    QFETCH(QByteArray, format);
    QFETCH(QString, fileName);
    TestEnvironment environment;
    const QString path = environment.path() + QLatin1Char('/') + fileName;
    const QImage image = sample(QSize(120, 80));

    QCOMPARE(PictureFile::write(image, path, format), QString());
    const PictureFile::ReadResult result = PictureFile::read(path);
    QCOMPARE(result.error, QString());
    QCOMPARE(result.image.convertToFormat(QImage::Format_RGB32), image);
}

void TestPictureFile::iconIsShrunkToFit_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("expected");

    QTest::newRow("simulator surface") << QSize(721, 537) << QSize(256, 190);
    QTest::newRow("tall") << QSize(100, 600) << QSize(42, 256);
    QTest::newRow("small stays") << QSize(48, 32) << QSize(48, 32);
    QTest::newRow("exactly the limit") << QSize(256, 256) << QSize(256, 256);
}

void TestPictureFile::iconIsShrunkToFit()
{
    QFETCH(QSize, size);
    QFETCH(QSize, expected);
    TestEnvironment environment;
    const QString path = environment.path() + QStringLiteral("/plot.ico");
    const QImage image = sample(size);

    QCOMPARE(PictureFile::fittedFor(image, "ico").size(), expected);
    QCOMPARE(PictureFile::fittedFor(image, "png").size(), size);
    QCOMPARE(PictureFile::write(image, path, "ico"), QString());
    const QImage back = PictureFile::read(path).image;
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), PictureFile::fittedFor(image, "ico"));
}

void TestPictureFile::failedWriteLeavesNoFile_data()
{
    QTest::addColumn<QString>("relativePath");

    // Paths that fail for root too, who ignores permission bits.
    QTest::newRow("folder is a regular file") << "blocker/plot.png";
    QTest::newRow("folder does not exist") << "missing/plot.png";
    QTest::newRow("name is a folder") << "folder";
}

void TestPictureFile::failedWriteLeavesNoFile()
{
    QFETCH(QString, relativePath);
    TestEnvironment environment;
    writeFile(environment.path() + QStringLiteral("/blocker"), "not a folder");
    QVERIFY(QDir(environment.path()).mkdir(QStringLiteral("folder")));
    const QString path = environment.path() + QLatin1Char('/') + relativePath;

    const QString error = PictureFile::write(sample(QSize(20, 20)), path, "png");
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(QDir(environment.path()).entryList(QDir::Files),
             QStringList{QStringLiteral("blocker")});
}

void TestPictureFile::failedWriteKeepsTheOldFile()
{
    TestEnvironment environment;
    const QString path = environment.path() + QStringLiteral("/plot.xyz");
    const QByteArray old = "the previous contents";
    writeFile(path, old);

    // No writer knows the format, so the write fails after the file was opened.
    QVERIFY(!PictureFile::write(sample(QSize(20, 20)), path, "no-such-format").isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
}

void TestPictureFile::refusesBadFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray png = encoded(sample(QSize(300, 200)), "png");
    const QByteArray jpeg = encoded(sample(QSize(300, 200)), "jpg");
    const QString notAPicture = QStringLiteral("not a picture");
    const QString damaged = QStringLiteral("damaged or incomplete");
    const QString tooLarge = QStringLiteral("30000 × 30000 pixels");

    QTest::newRow("empty file") << "empty.png" << QByteArray() << notAPicture;
    QTest::newRow("empty .oq9") << "empty.oq9" << QByteArray() << notAPicture;
    QTest::newRow("text renamed .png") << "note.png" << QByteArray("Planet list\r\n51Peg b\r\n")
                                       << notAPicture;
    QTest::newRow("random bytes as .oq9") << "noise.oq9" << QByteArray::fromHex("00ff13370badf00d")
                                          << notAPicture;
    QTest::newRow("truncated png") << "cut.png" << png.left(png.size() / 2) << damaged;
    QTest::newRow("png signature only") << "sig.png" << pngSignature() << damaged;
    QTest::newRow("truncated jpeg") << "cut.jpg" << jpeg.left(40) << damaged;
    QTest::newRow("png declaring 30000 × 30000") << "huge.png" << pngDeclaring(30000, 30000)
                                                 << tooLarge;
    // Qt's own bitmap reader refuses sides of 16384 pixels and more.
    QTest::newRow("bitmap declaring 30000 × 30000") << "huge.bmp" << bmpDeclaring(30000, 30000)
                                                    << damaged;
    QTest::newRow("bitmap declaring 16000 × 16000") << "big.bmp" << bmpDeclaring(16000, 16000)
                                                    << QStringLiteral("16000 × 16000 pixels");
    QTest::newRow("png declaring 30000 × 30000 named .oq9")
        << "huge.oq9" << pngDeclaring(30000, 30000) << tooLarge;
    QTest::newRow("bitmap declaring a negative width") << "odd.bmp" << bmpDeclaring(-5, 10)
                                                       << damaged;
}

void TestPictureFile::refusesBadFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TestEnvironment environment;
    const QString path = environment.path() + QLatin1Char('/') + fileName;
    writeFile(path, bytes);
    const double memoryBefore = peakMemoryMB();

    const PictureFile::ReadResult result = PictureFile::read(path);
    QVERIFY(result.image.isNull());
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    QVERIFY(peakMemoryMB() - memoryBefore < 32);
}

void TestPictureFile::truncatedFilesShowWhatTheyHold_data()
{
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("jpeg") << QByteArray("jpg");
    QTest::newRow("bitmap") << QByteArray("bmp");
}

void TestPictureFile::truncatedFilesShowWhatTheyHold()
{
    // Like most viewers, Qt decodes the rows that arrived and leaves the
    // rest blank; the picture keeps its declared size.
    QFETCH(QByteArray, format);
    TestEnvironment environment;
    const QString path = environment.path() + QStringLiteral("/cut.") + QString::fromLatin1(format);
    const QByteArray whole = encoded(sample(QSize(300, 200)), format.constData());
    writeFile(path, whole.left(whole.size() / 2));

    const PictureFile::ReadResult result = PictureFile::read(path);
    QCOMPARE(result.error, QString());
    QCOMPARE(result.image.size(), QSize(300, 200));
}

void TestPictureFile::refusesHugeFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("start");

    QTest::newRow("a gigabyte of zeros as .png") << "zeros.png" << QByteArray();
    QTest::newRow("a small png header, then a gigabyte of zeros")
        << "padded.png" << pngSignature() + pngChunk("IHDR", QByteArray::fromHex("00000064000000640802000000"));
}

void TestPictureFile::refusesHugeFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, start);
    TestEnvironment environment;
    const QString path = environment.path() + QLatin1Char('/') + fileName;
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(start), start.size());
        // Sparse: the file is large without taking the space on disk.
        QVERIFY(file.resize(qint64(1) << 30));
    }

    const double memoryBefore = peakMemoryMB();

    const PictureFile::ReadResult result = PictureFile::read(path);
    QVERIFY(result.image.isNull());
    QVERIFY(!result.error.isEmpty());
    QVERIFY(peakMemoryMB() - memoryBefore < 32);
}

void TestPictureFile::limitIsInclusive()
{
    TestEnvironment environment;
    const QString path = environment.path() + QStringLiteral("/wide.png");
    writeFile(path, pngDeclaring(16'000, 1'000));

    // Declared within the limit, so the reader goes on to the (too short) data.
    const PictureFile::ReadResult result = PictureFile::read(path);
    QVERIFY2(!result.error.contains(QStringLiteral("pixels")), qPrintable(result.error));

    writeFile(path, pngDeclaring(16'001, 1'000));
    QVERIFY(PictureFile::read(path).error.contains(QStringLiteral("16001 × 1000 pixels")));
}

QTEST_GUILESS_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
