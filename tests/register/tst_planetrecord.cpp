#include "catalog/catalog.h"
#include "register/catalogdocument.h"
#include "register/comparisontable.h"
#include "register/planetrecord.h"

#include "support/testenvironment.h"

#include <QFile>
#include <QTest>

namespace {

const QString Gap = QStringLiteral("\u3000\u3000\u3000");

PlanetRecord examplePlanet()
{
    return {QStringLiteral("X"), 4.230785f, 55.94f, 0.013f, 58.0f, 0.0527f, 1.09f};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<cannot be read>";
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

Q_DECLARE_METATYPE(PlanetRecord)

class TestPlanetRecord : public QObject
{
    Q_OBJECT

private slots:
    void listRow_data();
    void listRow();
    void documentLine_data();
    void documentLine();
    void comparisonTableHoldsTheCatalogInSinglePrecision();
    void duplicate_data();
    void duplicate();
    void appendCreatesTheDocument();
    void appendKeepsEarlierLinesByteForByte_data();
    void appendKeepsEarlierLinesByteForByte();
    void appendFails_data();
    void appendFails();
    void fullDiskIsReported();
};

void TestPlanetRecord::listRow_data()
{
    QTest::addColumn<PlanetRecord>("planet");
    QTest::addColumn<QString>("expected");

    QTest::newRow("example planet")
        << examplePlanet()
        << "X" + Gap + "4.230785" + Gap + "55.94" + Gap + "0.013" + Gap + "1.012291" + Gap
               + "0.0527" + Gap + "1.09";
    PlanetRecord zero = examplePlanet();
    zero.omega = 0;
    QTest::newRow("omega 0") << zero
                             << "X" + Gap + "4.230785" + Gap + "55.94" + Gap + "0.013" + Gap + "0"
                                    + Gap + "0.0527" + Gap + "1.09";
    PlanetRecord right = examplePlanet();
    right.omega = 90;
    QTest::newRow("omega 90") << right
                              << "X" + Gap + "4.230785" + Gap + "55.94" + Gap + "0.013" + Gap
                                     + "1.570796" + Gap + "0.0527" + Gap + "1.09";
    QTest::newRow("Japanese name, large and small values")
        << PlanetRecord{QStringLiteral("かに座 e"), 12345678.0f, 0.00001f, 0.0f, 359.0f, 30.0f, 2.0f}
        << "かに座 e" + Gap + "1.234568E+07" + Gap + "1E-05" + Gap + "0" + Gap + "6.265732" + Gap
               + "30" + Gap + "2";
    QTest::newRow("line break in the name")
        << PlanetRecord{QStringLiteral("A\r\nB"), 1, 2, 0, 0, 3, 4}
        << "A  B" + Gap + "1" + Gap + "2" + Gap + "0" + Gap + "0" + Gap + "3" + Gap + "4";
}

void TestPlanetRecord::listRow()
{
    QFETCH(PlanetRecord, planet);
    QFETCH(QString, expected);
    QCOMPARE(PlanetRecordText::listRow(planet), expected);
}

void TestPlanetRecord::documentLine_data()
{
    QTest::addColumn<PlanetRecord>("planet");
    QTest::addColumn<QString>("expected");

    QTest::newRow("example planet") << examplePlanet()
                                    << "X 4.230785  55.94  0.013  58  0.0527  1.09 \r\n";
    PlanetRecord zero = examplePlanet();
    zero.omega = 0;
    QTest::newRow("omega 0") << zero << "X 4.230785  55.94  0.013  0  0.0527  1.09 \r\n";
    PlanetRecord right = examplePlanet();
    right.omega = 90;
    QTest::newRow("omega 90") << right << "X 4.230785  55.94  0.013  90  0.0527  1.09 \r\n";
    QTest::newRow("Japanese name, large and small values")
        << PlanetRecord{QStringLiteral("かに座 e"), 12345678.0f, 0.00001f, 0.0f, 359.0f, 30.0f, 2.0f}
        << "かに座 e 1.234568E+07  1E-05  0  359  30  2 \r\n";
    QTest::newRow("line breaks in the name become blanks")
        << PlanetRecord{QStringLiteral("A\r\nB\u2028C"), 1, 2, 0, 0, 3, 4}
        << "A  B C 1  2  0  0  3  4 \r\n";
}

void TestPlanetRecord::documentLine()
{
    QFETCH(PlanetRecord, planet);
    QFETCH(QString, expected);
    QCOMPARE(PlanetRecordText::documentLine(planet), expected);
}

void TestPlanetRecord::comparisonTableHoldsTheCatalogInSinglePrecision()
{
    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const ComparisonTable table = ComparisonTable::fromCatalog(catalog);
    QCOMPARE(table.P[0], 0.0f);
    QCOMPARE(table.K[0], 0.0f);
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i) {
        QCOMPARE(table.P[size_t(i)], float(catalog.CatalogP[size_t(i)]));
        QCOMPARE(table.K[size_t(i)], float(catalog.CatalogK[size_t(i)]));
    }
}

void TestPlanetRecord::duplicate_data()
{
    QTest::addColumn<float>("p");
    QTest::addColumn<float>("k");
    QTest::addColumn<bool>("expected");

    QTest::newRow("P of 51Peg b") << 4.230785f << 1.0f << true;
    QTest::newRow("K of 51Peg b") << 1.0f << 55.94f << true;
    QTest::newRow("P of the last planet") << 804.9f << 1.0f << true;
    QTest::newRow("K of the last planet") << 1.0f << 418.0f << true;
    QTest::newRow("P and K of different planets") << 2.87598f << 9.6f << true;
    QTest::newRow("neither") << 4.2308f << 55.9f << false;
    QTest::newRow("zero is not a planet") << 0.0f << 0.0f << false;
}

void TestPlanetRecord::duplicate()
{
    QFETCH(float, p);
    QFETCH(float, k);
    QFETCH(bool, expected);
    const ComparisonTable table = ComparisonTable::fromCatalog(PlanetCatalog::builtIn());
    QCOMPARE(table.isDuplicate(p, k), expected);
}

void TestPlanetRecord::appendCreatesTheDocument()
{
    TestEnvironment environment;
    const QString path = environment.path() + QLatin1Char('/') + CatalogDocument::fileName();
    const QString first = PlanetRecordText::documentLine(examplePlanet());
    const QString second = QStringLiteral("かに座 1  2  0  0  3  4 \r\n");

    QCOMPARE(CatalogDocument::append(path, first), QString());
    QCOMPARE(CatalogDocument::append(path, second), QString());
    QCOMPARE(contents(path), (first + second).toUtf8());
}

void TestPlanetRecord::appendKeepsEarlierLinesByteForByte_data()
{
    QTest::addColumn<QByteArray>("earlier");
    QTest::addColumn<QByteArray>("joint");

    QTest::newRow("lines with CR LF") << QByteArray("A 1  2  0  0  3  4 \r\nB 5  6  0  0  7  8 \r\n")
                                      << QByteArray();
    QTest::newRow("Shift-JIS bytes and a lone LF")
        << QByteArray("\x82\xa9\x82\xc9 1 \nraw \xff\xfe bytes\n") << QByteArray();
    QTest::newRow("last line without its end") << QByteArray("A 1  2  0  0  3  4 ")
                                               << QByteArray("\r\n");
    QTest::newRow("last line ends in CR only") << QByteArray("A 1 \r") << QByteArray("\r\n");
}

void TestPlanetRecord::appendKeepsEarlierLinesByteForByte()
{
    QFETCH(QByteArray, earlier);
    QFETCH(QByteArray, joint);
    TestEnvironment environment;
    const QString path = environment.path() + QLatin1Char('/') + CatalogDocument::fileName();
    writeFile(path, earlier);
    const QString line = PlanetRecordText::documentLine(examplePlanet());

    QCOMPARE(CatalogDocument::append(path, line), QString());
    QCOMPARE(contents(path), earlier + joint + line.toUtf8());
}

void TestPlanetRecord::appendFails_data()
{
    QTest::addColumn<QString>("relativePath");

    // Paths that fail for root too, who ignores permission bits.
    QTest::newRow("folder is a regular file") << "blocker/planet_catalog.doc";
    QTest::newRow("folder does not exist") << "missing/planet_catalog.doc";
    QTest::newRow("document is a folder") << "folder";
}

void TestPlanetRecord::appendFails()
{
    QFETCH(QString, relativePath);
    TestEnvironment environment;
    writeFile(environment.path() + QStringLiteral("/blocker"), "not a folder");
    QVERIFY(QDir(environment.path()).mkdir(QStringLiteral("folder")));
    const QString path = environment.path() + QLatin1Char('/') + relativePath;

    QVERIFY(!CatalogDocument::append(path, QStringLiteral("X 1 \r\n")).isEmpty());
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(contents(environment.path() + QStringLiteral("/blocker")), QByteArray("not a folder"));
}

void TestPlanetRecord::fullDiskIsReported()
{
    // Every write to this device fails as on a full disk.
    const QString full = QStringLiteral("/dev/full");
    if (!QFileInfo::exists(full))
        QSKIP("This system has no /dev/full");
    QVERIFY(!CatalogDocument::append(full, QStringLiteral("X 1 \r\n")).isEmpty());
}

QTEST_GUILESS_MAIN(TestPlanetRecord)
#include "tst_planetrecord.moc"
