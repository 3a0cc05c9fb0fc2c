#include "files/picturefile.h"
#include "files/plotfiles.h"
#include "frame/mainframe.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "rv/velocitycurvewindow.h"
#include "simulator/simulatorwindow.h"

#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTest>

#include <functional>

#include <sys/stat.h>

namespace {

/// The surface, status word and menu items of a window that saves and loads pictures.
struct PlotWindow
{
    PictureBox *surface = nullptr;
    QAction *save = nullptr;
    QAction *load = nullptr;
    /// The window's status word, which only the simulator shows.
    std::function<QString()> tag;
};

PlotWindow plotWindow(const QString &name)
{
    if (name == QStringLiteral("Form1")) {
        SimulatorWindow *window = form<SimulatorWindow>();
        return {control<PictureBox>(window, "Simulator"), control<QAction>(window, "Save"),
                control<QAction>(window, "Load"), [window] { return window->statusWord(); }};
    }
    VelocityCurveWindow *window = form<VelocityCurveWindow>();
    return {
        control<PictureBox>(window, "RVC"), control<QAction>(window, "Fsave"), control<QAction>(window, "FOpen"), {}};
}

void drawSample(PictureBox *surface)
{
    surface->cls();
    surface->circle(QPointF(3000, 2500), 1500, QColor(255, 255, 0));
    surface->circle(QPointF(5000, 2000), 900, QColor(0, 255, 169), std::nullopt, 0.4);
    surface->pset(QPointF(0, 0), QColor(255, 128, 0));
}

bool isBlank(const PictureBox *surface)
{
    QImage blank(surface->image().size(), QImage::Format_RGB32);
    blank.fill(surface->backColor());
    return surface->picture().isNull() && surface->image() == blank;
}

/// Mean absolute difference per colour channel of two images of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB888);
    const QImage right = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int i = 0; i < left.width() * 3; ++i)
            sum += std::abs(left.constScanLine(y)[i] - right.constScanLine(y)[i]);
    return sum / (3.0 * left.width() * left.height());
}

/// A peak of this process from /proc/self/status, in MB: "VmHWM" the most
/// memory it held, "VmPeak" the most address space it reserved, which grows
/// with an allocation even when nothing is written into it.
double peakMB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QList<QByteArray> lines =
        status.open(QIODevice::ReadOnly) ? status.readAll().split('\n') : QList<QByteArray>();
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key) + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestPlotFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveFilter();
    void roundTrip_data();
    void roundTrip();
    void cancelled();
    void failedSave_data();
    void failedSave();
    void failedWriteKeepsTheOldFile();
    void badFile_data();
    void badFile();
};

void TestPlotFiles::saveFilter()
{
    TestEnvironment environment(LanguageSwitch::Language::Japanese);
    // Each pattern once, in the one pair of parentheses Qt reads it from.
    QCOMPARE(PlotFiles::saveFilter().split(QStringLiteral(";;")),
             (QStringList{"OQ9データファイル(*.oq9)", "JPEGイメージ(*.jpg)", "GIFイメージ(*.gif)", "PNGイメージ(*.png)",
                          "Bitmapイメージ(*.bmp)", "ICON(*.ico)", "すべてのファイル(*)"}));
}

void TestPlotFiles::roundTrip_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("into");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("written");

    struct Row
    {
        const char *fileName, *extension, *written;
    };
    const Row rows[] = {{"plot.oq9", "oq9", "bmp"},
                        {"plot.jpg", "jpg", "jpeg"},
                        {"plot.gif", "gif", "bmp"},
                        {"PLOT.PNG", "PNG", "png"},
                        {"plot.bmp", "bmp", "bmp"},
                        {"plot.ico", "ico", "ico"},
                        {"plot", "", "bmp"},
                        {"plot.xyz", "xyz", "bmp"},
                        {"軌道.png", "png", "png"},
                        // The last dot counts, and only in the name: a backslash ends a folder too.
                        {"orbit.v2.bmp", "bmp", "bmp"},
                        {"data.old/plot", "", "bmp"},
                        {"a.b\\plot", "", "bmp"},
                        {"C:\\data.old\\plot", "", "bmp"},
                        {"C:/data.old\\plot.gif", "gif", "bmp"}};
    // The names once, through the simulator; the RV window's own items in the rows after.
    for (const Row &row : rows)
        QTest::addRow("Form1 %s", row.fileName)
            << "Form1"
            << "Form1" << QString::fromUtf8(row.fileName) << row.extension << QByteArray(row.written);
    QTest::newRow("RV jpg") << "RV"
                            << "RV"
                            << "plot.jpg"
                            << "jpg" << QByteArray("jpeg");
    QTest::newRow("oq9 from Form1 into RV") << "Form1"
                                            << "RV"
                                            << "plot.oq9"
                                            << "oq9" << QByteArray("bmp");
    QTest::newRow("oq9 from RV into Form1") << "RV"
                                            << "Form1"
                                            << "plot.oq9"
                                            << "oq9" << QByteArray("bmp");
}

void TestPlotFiles::roundTrip()
{
    QFETCH(QString, from);
    QFETCH(QString, into);
    QFETCH(QString, fileName);
    QFETCH(QString, extension);
    QFETCH(QByteArray, written);
    TestEnvironment environment(LanguageSwitch::Language::Japanese);
    ScriptedPlatform platform;
    const PlotWindow source = plotWindow(from);
    drawSample(source.surface);
    const QImage saved = source.surface->image();
    const QString path = environment.path() + QLatin1Char('/') + fileName;
    // A larger file already there: the dialog has asked whether to replace it.
    const QByteArray old(4 << 20, 'x');
    writeFile(path, old);

    platform.fileNames.enqueue(path);
    source.save->trigger();
    QCOMPARE(platform.saveFilters, QStringList{PlotFiles::saveFilter()});
    QCOMPARE(onlyMessage(platform, MsgBox::OkOnly), "Saved as " + extension + " file");
    if (source.tag)
        QCOMPARE(source.tag(), QStringLiteral("Save"));
    QCOMPARE(form<MainFrame>()->panel1(), path);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), written);
    QVERIFY(QFileInfo(path).size() < old.size());

    const PlotWindow target = plotWindow(into);
    drawSample(target.surface);
    target.surface->circle(QPointF(1000, 1000), 600, QColor(255, 0, 0));
    platform.fileNames.enqueue(path);
    target.load->trigger();
    QCOMPARE(platform.openTitles, QStringList{QStringLiteral("ファイルを開く")});
    QCOMPARE(platform.messageBoxes.size(), 1);
    if (target.tag)
        QCOMPARE(target.tag(), QStringLiteral("Open"));
    QCOMPARE(form<MainFrame>()->panel1(), QStringLiteral("Open"));

    const QImage loaded = target.surface->picture().convertToFormat(QImage::Format_RGB32);
    if (written == "jpeg") {
        QCOMPARE(loaded.size(), saved.size());
        QVERIFY2(meanDifference(loaded, saved) < 4, qPrintable(QString::number(meanDifference(loaded, saved))));
    } else if (written == "ico") {
        // The 717 × 533 drawing fitted into an icon's 256 × 256: 533 · 256 / 717 = 190.3 rows.
        QCOMPARE(loaded, saved.scaled(QSize(256, 190), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        QCOMPARE(loaded, saved);
        if (from == into)
            QCOMPARE(target.surface->image(), saved);
    }
}

void TestPlotFiles::cancelled()
{
    TestEnvironment environment;
    ScriptedPlatform platform;
    for (const char *window : {"Form1", "RV"}) {
        const PlotWindow plot = plotWindow(QString::fromLatin1(window));
        plot.surface->setPicture(QImage(50, 40, QImage::Format_RGB32));
        drawSample(plot.surface);
        // No file name queued: each dialog is cancelled.
        plot.save->trigger();
        if (plot.tag)
            QCOMPARE(plot.tag(), QStringLiteral("Save"));
        QCOMPARE(form<MainFrame>()->panel1(), QStringLiteral("Save"));
        QVERIFY(!isBlank(plot.surface));
        plot.load->trigger();
        if (plot.tag)
            QCOMPARE(plot.tag(), QStringLiteral("Open"));
        QCOMPARE(form<MainFrame>()->panel1(), QStringLiteral("Open"));
        QVERIFY(isBlank(plot.surface));
    }
    QCOMPARE(platform.saveFilters.size() + platform.openTitles.size(), 4);
    QVERIFY(platform.messageBoxes.isEmpty());
    QVERIFY(QDir(environment.path()).entryList(QDir::Files).isEmpty());
}

void TestPlotFiles::failedSave_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("relativePath");

    // Paths that fail for root too, who ignores permission bits.
    QTest::newRow("simulator, folder is a regular file") << "Form1"
                                                         << "blocker/plot.oq9";
    QTest::newRow("RV, folder does not exist") << "RV"
                                               << "missing/plot.jpg";
    QTest::newRow("simulator, name is a folder") << "Form1"
                                                 << "folder";
}

void TestPlotFiles::failedSave()
{
    QFETCH(QString, window);
    QFETCH(QString, relativePath);
    TestEnvironment environment;
    ScriptedPlatform platform;
    const QDir here(environment.path());
    writeFile(here.filePath(QStringLiteral("blocker")), "not a folder");
    QVERIFY(here.mkdir(QStringLiteral("folder")));
    const PlotWindow plot = plotWindow(window);
    drawSample(plot.surface);
    const QString path = here.filePath(relativePath);

    platform.fileNames.enqueue(path);
    plot.save->trigger();

    const QString prompt = onlyMessage(platform, MsgBox::Exclamation);
    QVERIFY2(prompt.startsWith("The picture could not be saved as\n" + path), qPrintable(prompt));
    QVERIFY(prompt.endsWith(QStringLiteral("Nothing was saved.")));
    QCOMPARE(here.entryList(QDir::Files), QStringList{QStringLiteral("blocker")});
}

void TestPlotFiles::failedWriteKeepsTheOldFile()
{
    TestEnvironment environment;
    const QString path = environment.path() + QStringLiteral("/plot.xyz");
    writeFile(path, "the previous contents");

    // No writer knows the format, so the write fails after the file was opened.
    QVERIFY(!PictureFile::write(QImage(20, 20, QImage::Format_RGB32), path, "no-such-format").isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the previous contents"));
    QCOMPARE(QDir(environment.path()).entryList(QDir::Files), QStringList{QStringLiteral("plot.xyz")});
}

void TestPlotFiles::badFile_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // grown sparse to this size; -1: no file at all; -2: a named pipe
    QTest::addColumn<QString>("reason");

    QImage blue(300, 200, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    const QByteArray png = encoded(blue, "png");
    const QByteArray jpeg = encoded(blue, "jpg");
    const QByteArray bmp = encoded(blue, "bmp");
    const QString notAPicture = QStringLiteral("not a picture");
    const QString damaged = QStringLiteral("damaged or incomplete");
    QTest::newRow("empty") << "Form1"
                           << "empty.oq9" << QByteArray() << 0LL << notAPicture;
    QTest::newRow("text renamed .png") << "RV"
                                       << "note.png" << QByteArray("Planet list\r\n") << 0LL << notAPicture;
    QTest::newRow("truncated png") << "Form1"
                                   << "cut.png" << png.left(png.size() / 2) << 0LL << damaged;
    QTest::newRow("truncated jpeg") << "RV"
                                    << "cut.jpg" << jpeg.left(jpeg.size() / 2) << 0LL << damaged;
    QTest::newRow("jpeg without its last byte") << "RV"
                                                << "cut1.jpg" << jpeg.chopped(1) << 0LL << damaged;
    QTest::newRow("truncated bmp") << "Form1"
                                   << "cut.bmp" << bmp.left(bmp.size() / 2) << 0LL << damaged;
    QTest::newRow("truncated oq9") << "RV"
                                   << "cut.oq9" << bmp.chopped(4) << 0LL << damaged;
    // The largest length a chunk may declare, 2 GiB − 1, then a few bytes of it.
    const QByteArray hugeChunk = png.left(33) + QByteArray::fromHex("7FFFFFFF") + "tEXtComment" + QByteArray(24, 'x');
    QTest::newRow("png text chunk declaring 2 GiB") << "Form1"
                                                    << "text.png" << hugeChunk << 0LL << damaged;
    QTest::newRow("pixmap header declaring 30000 × 30000")
        << "RV"
        << "huge.oq9" << QByteArray("P6 30000 30000 255\n") << 0LL << "30000 × 30000 pixels";
    QTest::newRow("a png header, then a gigabyte of zeros")
        << "Form1"
        << "padded.png" << png.left(33) << (qint64(1) << 30) << "larger than 128 MB";
    QTest::newRow("missing") << "RV"
                             << "gone.png" << QByteArray() << -1LL << "cannot be opened";
    QTest::newRow("named pipe") << "RV"
                                << "pipe.png" << QByteArray() << -2LL << "not a regular file";
}

void TestPlotFiles::badFile()
{
    QFETCH(QString, window);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    TestEnvironment environment;
    ScriptedPlatform platform;
    const QString path = environment.path() + QLatin1Char('/') + fileName;
    if (size >= 0)
        writeFile(path, bytes);
    if (size > 0)
        QVERIFY(QFile::resize(path, size));
    if (size == -2)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const PlotWindow plot = plotWindow(window);
    plot.surface->setPicture(QImage(30, 30, QImage::Format_RGB32));
    drawSample(plot.surface);
    const double memoryBefore = peakMB("VmHWM");
    const double addressSpaceBefore = peakMB("VmPeak");

    platform.fileNames.enqueue(path);
    plot.load->trigger();

    const QString prompt = onlyMessage(platform, MsgBox::Exclamation);
    QVERIFY2(prompt.startsWith("The file\n" + path + "\ncould not be loaded: "), qPrintable(prompt));
    QVERIFY2(prompt.contains(reason), qPrintable(prompt));
    QVERIFY(isBlank(plot.surface));
    QVERIFY2(peakMB("VmHWM") - memoryBefore < 32, qPrintable(QString::number(peakMB("VmHWM") - memoryBefore)));
    QVERIFY2(peakMB("VmPeak") - addressSpaceBefore < 256,
             qPrintable(QString::number(peakMB("VmPeak") - addressSpaceBefore)));
}

QTEST_MAIN(TestPlotFiles)
#include "tst_plotfiles.moc"
