#include "app/appinfo.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/picturebox.h"
#include "files/picturefile.h"
#include "files/plotfiles.h"
#include "rv/rv.h"
#include "simulator/form1.h"

#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

namespace {

/// The surface, status word and menu items of one of the two windows that
/// save and load pictures.
struct PlotWindow
{
    PictureBox *surface = nullptr;
    QString *tag = nullptr;
    QAction *save = nullptr;
    QAction *load = nullptr;
};

PlotWindow plotWindow(const QString &name)
{
    if (name == QStringLiteral("Form1")) {
        Form1 *window = form<Form1>();
        return {window->Simulator, &window->Tag, window->Save, window->Load};
    }
    RV *window = form<RV>();
    return {window->RVC, &window->Tag, window->Fsave, window->FOpen};
}

void drawSample(PictureBox *surface)
{
    surface->cls();
    surface->circle(QPointF(3000, 2500), 1500, QColor(255, 255, 0));
    surface->circle(QPointF(5000, 2000), 900, QColor(0, 255, 169), std::nullopt, 0.4);
    surface->setDrawWidth(3);
    for (int x = 300; x < 6000; x += 45)
        surface->pset(QPointF(x, 1500 + (x % 900)), QColor(0, 255, 255));
    surface->pset(QPointF(0, 0), QColor(255, 128, 0));
}

QString panel1()
{
    return form<MDIForm1>()->panel1();
}

/// Mean absolute difference per colour channel of two images of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

QByteArray contentFormat(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.format();
}

bool isBlank(const PictureBox *surface)
{
    QImage blank(surface->image().size(), QImage::Format_RGB32);
    blank.fill(surface->backColor());
    return surface->picture().isNull() && surface->image() == blank;
}

} // namespace

class TestPlotFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileExtension_data();
    void fileExtension();
    void writeFormat_data();
    void writeFormat();
    void filterPatternsMatchTheirFiles_data();
    void filterPatternsMatchTheirFiles();
    void filterKeepsTheDescriptions();

    void roundTrip_data();
    void roundTrip();
    void oq9LoadsIntoEitherWindow_data();
    void oq9LoadsIntoEitherWindow();
    void saveReplacesAnExistingFile();
    void cancelledSaveWritesNothing_data();
    void cancelledSaveWritesNothing();
    void cancelledLoadLeavesTheSurfaceClear_data();
    void cancelledLoadLeavesTheSurfaceClear();
    void failedSaveIsReported_data();
    void failedSaveIsReported();
    void badFileIsReported_data();
    void badFileIsReported();

private:
    ScriptedPlatform *m_platform = nullptr;
    TestEnvironment *m_environment = nullptr;
};

void TestPlotFiles::init()
{
    m_environment = new TestEnvironment;
    m_platform = new ScriptedPlatform;
}

void TestPlotFiles::cleanup()
{
    delete m_platform;
    delete m_environment;
}

void TestPlotFiles::fileExtension_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("own format") << "plot.oq9" << "oq9";
    QTest::newRow("jpg") << "C:\\plots\\plot.jpg" << "jpg";
    QTest::newRow("case kept") << "/home/user/PLOT.PNG" << "PNG";
    QTest::newRow("last dot counts") << "orbit.v2.bmp" << "bmp";
    QTest::newRow("dot in Windows folder") << "C:\\data.old\\plot" << "";
    QTest::newRow("dot in folder") << "/data.old/plot" << "";
    QTest::newRow("backslash in a Unix name ends the folder") << "/data/a.b\\plot" << "";
    QTest::newRow("mixed separators") << "C:/data.old\\plot.gif" << "gif";
    QTest::newRow("dot last") << "plot." << "";
    QTest::newRow("no dot") << "plot" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("hidden name") << "/home/user/.plot" << "plot";
    QTest::newRow("Japanese name") << "/home/ユーザー/軌道.ico" << "ico";
}

void TestPlotFiles::fileExtension()
{
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QCOMPARE(PlotFiles::FileExtension(fileName), expected);
}

void TestPlotFiles::writeFormat_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("own format is a bitmap") << "plot.oq9" << QByteArray("bmp");
    QTest::newRow("jpg") << "plot.jpg" << QByteArray("jpg");
    QTest::newRow("jpeg") << "plot.jpeg" << QByteArray("jpeg");
    QTest::newRow("png") << "plot.png" << QByteArray("png");
    QTest::newRow("upper-case png") << "PLOT.PNG" << QByteArray("png");
    QTest::newRow("bmp") << "plot.bmp" << QByteArray("bmp");
    QTest::newRow("ico") << "plot.ico" << QByteArray("ico");
    QTest::newRow("gif has no writer") << "plot.gif" << QByteArray("bmp");
    QTest::newRow("unknown") << "plot.xyz" << QByteArray("bmp");
    QTest::newRow("no extension") << "plot" << QByteArray("bmp");
    QTest::newRow("dot only in the folder") << "/data.png/plot" << QByteArray("bmp");
}

void TestPlotFiles::writeFormat()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, expected);
    QCOMPARE(PlotFiles::writeFormat(fileName), expected);
}

void TestPlotFiles::filterPatternsMatchTheirFiles_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("notListed");

    const QStringList others{QStringLiteral("plot.txt"), QStringLiteral("xpng"), QStringLiteral("plot")};
    QTest::newRow("oq9") << 0 << QStringList{"plot.oq9", "a.b.oq9"} << others;
    QTest::newRow("jpg") << 1 << QStringList{"plot.jpg"} << others;
    QTest::newRow("gif") << 2 << QStringList{"plot.gif"} << others;
    QTest::newRow("png") << 3 << QStringList{"plot.png"} << others;
    QTest::newRow("bmp") << 4 << QStringList{"plot.bmp"} << others;
    QTest::newRow("ico") << 5 << QStringList{"plot.ico"} << others;
    QTest::newRow("all files") << 6 << QStringList{"plot.oq9", "plot", "xpng", "plot.txt"}
                               << QStringList{};
}

void TestPlotFiles::filterPatternsMatchTheirFiles()
{
    QFETCH(int, entry);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, notListed);

    // Qt takes an entry's patterns from its last parentheses.
    const QStringList entries = PlotFiles::saveFilter().split(QStringLiteral(";;"));
    QCOMPARE(entries.size(), 7);
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("\\(([^()]*)\\)$")).match(entries.at(entry));
    QVERIFY(match.hasMatch());
    const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(match.captured(1)));
    for (const QString &name : listed)
        QVERIFY2(pattern.match(name).hasMatch(), qPrintable(name));
    for (const QString &name : notListed)
        QVERIFY2(!pattern.match(name).hasMatch(), qPrintable(name));
}

void TestPlotFiles::filterKeepsTheDescriptions()
{
    QCOMPARE(PlotFiles::saveFilter(),
             QStringLiteral("OQ9データファイル(*.oq9);;JPEGイメージ(*.jpg);;GIFイメージ(*.gif);;"
                            "PNGイメージ(*png) (*.png);;Bitmapイメージ(*.bmp);;ICON(*ico) (*.ico);;"
                            "すべてのファイル(*.*) (*)"));
}

void TestPlotFiles::roundTrip_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("written");

    for (const QString &window : {QStringLiteral("Form1"), QStringLiteral("RV")}) {
        auto row = [&](const char *name, const char *fileName, const char *extension,
                       const char *written) {
            QTest::addRow("%s %s", qPrintable(window), name)
                << window << QString::fromUtf8(fileName) << QString::fromLatin1(extension)
                << QByteArray(written);
        };
        row("oq9", "plot.oq9", "oq9", "bmp");
        row("jpg", "plot.jpg", "jpg", "jpeg");
        row("gif", "plot.gif", "gif", "bmp");
        row("png", "plot.png", "png", "png");
        row("bmp", "plot.bmp", "bmp", "bmp");
        row("ico", "plot.ico", "ico", "ico");
        row("no extension", "plot", "", "bmp");
        row("unknown extension", "plot.xyz", "xyz", "bmp");
        row("Japanese name", "軌道.png", "png", "png");
    }
}

void TestPlotFiles::roundTrip()
{
    QFETCH(QString, window);
    QFETCH(QString, fileName);
    QFETCH(QString, extension);
    QFETCH(QByteArray, written);
    const PlotWindow plot = plotWindow(window);
    drawSample(plot.surface);
    const QImage saved = plot.surface->image();
    const QString path = m_environment->path() + QLatin1Char('/') + fileName;

    m_platform->fileNames.enqueue(path);
    plot.save->trigger();
    QCOMPARE(m_platform->saveFilters, QStringList{PlotFiles::saveFilter()});
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.at(0).prompt, "Saved as " + extension + " file");
    QCOMPARE(m_platform->messageBoxes.at(0).style, MsgBox::OkOnly);
    QCOMPARE(m_platform->messageBoxes.at(0).title, QStringLiteral("Orbiquest9"));
    QCOMPARE(*plot.tag, QStringLiteral("Save"));
    QCOMPARE(panel1(), path);
    QCOMPARE(contentFormat(path), written);

    drawSample(plot.surface);
    plot.surface->circle(QPointF(1000, 1000), 600, QColor(255, 0, 0));
    m_platform->fileNames.enqueue(path);
    plot.load->trigger();
    QCOMPARE(m_platform->openTitles, QStringList{QStringLiteral("ファイルを開く")});
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(*plot.tag, QStringLiteral("Open"));
    QCOMPARE(panel1(), QStringLiteral("Open"));

    const QImage loaded = plot.surface->picture().convertToFormat(QImage::Format_RGB32);
    if (written == "jpeg") {
        QCOMPARE(loaded.size(), saved.size());
        QVERIFY2(meanDifference(loaded, saved) < 4, qPrintable(QString::number(meanDifference(loaded, saved))));
    } else if (written == "ico") {
        QCOMPARE(loaded, PictureFile::fittedFor(saved, "ico"));
    } else {
        QCOMPARE(loaded, saved);
        QCOMPARE(plot.surface->image(), saved);
    }
}

void TestPlotFiles::oq9LoadsIntoEitherWindow_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("into");

    QTest::newRow("simulator to RV") << "Form1" << "RV";
    QTest::newRow("RV to simulator") << "RV" << "Form1";
}

void TestPlotFiles::oq9LoadsIntoEitherWindow()
{
    QFETCH(QString, from);
    QFETCH(QString, into);
    const PlotWindow source = plotWindow(from);
    const PlotWindow target = plotWindow(into);
    drawSample(source.surface);
    const QString path = m_environment->path() + QStringLiteral("/plot.oq9");

    m_platform->fileNames.enqueue(path);
    source.save->trigger();
    m_platform->fileNames.enqueue(path);
    target.load->trigger();

    QCOMPARE(target.surface->picture().convertToFormat(QImage::Format_RGB32),
             source.surface->image());
    QCOMPARE(m_platform->messageBoxes.size(), 1);
}

void TestPlotFiles::saveReplacesAnExistingFile()
{
    const PlotWindow plot = plotWindow(QStringLiteral("RV"));
    const QString path = m_environment->path() + QStringLiteral("/plot.png");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4 << 20, 'x'));
    }
    drawSample(plot.surface);

    // The dialog has already asked whether to replace it.
    m_platform->fileNames.enqueue(path);
    plot.save->trigger();

    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), plot.surface->image());
    QVERIFY(QFileInfo(path).size() < (4 << 20));
}

void TestPlotFiles::cancelledSaveWritesNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("simulator") << "Form1";
    QTest::newRow("RV") << "RV";
}

void TestPlotFiles::cancelledSaveWritesNothing()
{
    QFETCH(QString, window);
    const PlotWindow plot = plotWindow(window);
    drawSample(plot.surface);
    const QImage before = plot.surface->image();

    plot.save->trigger();

    QCOMPARE(m_platform->saveFilters.size(), 1);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QCOMPARE(panel1(), QStringLiteral("Save"));
    QCOMPARE(*plot.tag, QStringLiteral("Save"));
    QCOMPARE(plot.surface->image(), before);
    QVERIFY(QDir(m_environment->path()).entryList(QDir::Files).isEmpty());
}

void TestPlotFiles::cancelledLoadLeavesTheSurfaceClear_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("simulator") << "Form1";
    QTest::newRow("RV") << "RV";
}

void TestPlotFiles::cancelledLoadLeavesTheSurfaceClear()
{
    QFETCH(QString, window);
    const PlotWindow plot = plotWindow(window);
    QImage background(50, 40, QImage::Format_RGB32);
    background.fill(Qt::red);
    plot.surface->setPicture(background);
    drawSample(plot.surface);

    plot.load->trigger();

    QCOMPARE(m_platform->openTitles.size(), 1);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    QVERIFY(isBlank(plot.surface));
    QCOMPARE(panel1(), QStringLiteral("Open"));
    QCOMPARE(*plot.tag, QStringLiteral("Open"));
}

void TestPlotFiles::failedSaveIsReported_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("relativePath");

    // Paths that fail for root too, who ignores permission bits.
    QTest::newRow("simulator, folder is a regular file") << "Form1" << "blocker/plot.oq9";
    QTest::newRow("RV, folder is a regular file") << "RV" << "blocker/plot.png";
    QTest::newRow("simulator, folder does not exist") << "Form1" << "missing/plot.bmp";
    QTest::newRow("RV, folder does not exist") << "RV" << "missing/plot.jpg";
}

void TestPlotFiles::failedSaveIsReported()
{
    QFETCH(QString, window);
    QFETCH(QString, relativePath);
    {
        QFile blocker(m_environment->path() + QStringLiteral("/blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const PlotWindow plot = plotWindow(window);
    drawSample(plot.surface);
    const QString path = m_environment->path() + QLatin1Char('/') + relativePath;

    m_platform->fileNames.enqueue(path);
    plot.save->trigger();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.at(0);
    QCOMPARE(box.style, MsgBox::Exclamation);
    QCOMPARE(box.title, QStringLiteral("Orbiquest9"));
    QVERIFY2(box.prompt.startsWith(QStringLiteral("The picture could not be saved as\n") + path),
             qPrintable(box.prompt));
    QVERIFY(box.prompt.endsWith(QStringLiteral("Nothing was saved.")));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(panel1(), path);
}

void TestPlotFiles::badFileIsReported_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("simulator, empty file") << "Form1" << "empty.oq9" << QByteArray();
    QTest::newRow("RV, text renamed .png") << "RV" << "note.png"
                                           << QByteArray("This is a note, not a picture.\n");
    QTest::newRow("simulator, missing file") << "Form1" << "gone.png" << QByteArray("<absent>");
}

void TestPlotFiles::badFileIsReported()
{
    QFETCH(QString, window);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    const QString path = m_environment->path() + QLatin1Char('/') + fileName;
    if (bytes != "<absent>") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    const PlotWindow plot = plotWindow(window);
    plot.surface->setPicture(QImage(30, 30, QImage::Format_RGB32));
    drawSample(plot.surface);

    m_platform->fileNames.enqueue(path);
    plot.load->trigger();

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.at(0);
    QCOMPARE(box.style, MsgBox::Exclamation);
    QCOMPARE(box.title, QStringLiteral("Orbiquest9"));
    QVERIFY2(box.prompt.startsWith(QStringLiteral("The file\n") + path + QStringLiteral("\ncould not be loaded: ")),
             qPrintable(box.prompt));
    QVERIFY(isBlank(plot.surface));
    QCOMPARE(panel1(), QStringLiteral("Open"));
}

QTEST_MAIN(TestPlotFiles)
#include "tst_plotfiles.moc"
