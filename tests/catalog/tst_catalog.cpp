#include "catalog/catalog.h"

#include <QTest>

// Published elements of the fifteen built-in planets, written out again here
// so that a slip in either table shows.
class TestCatalog : public QObject
{
    Q_OBJECT

private slots:
    void planets_data();
    void planets();
    void unusedIndicesAreZero_data();
    void unusedIndicesAreZero();
    void planetNameOutOfRange();
};

void TestCatalog::planets_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("omega");

    auto row = [](int index, const QString &name, double p, double k, double a, double e, double m,
                  double omega) {
        QTest::newRow(qPrintable(name)) << index << name << p << k << a << e << m << omega;
    };
    row(1, "51Peg b", 4.230785, 55.94, 0.0527, 0.013, 1.09, 58);
    row(2, "HD149026 b", 2.87598, 40.4, 0.0432, 0, 1.30, 0);
    row(3, "HD209458 b", 3.52474554, 84.27, 0.0474, 0, 1.14, 0);
    row(4, "Cassiopeia HD17156 b", 21.22, 275, 0.15, 0.67, 1.2, 0);
    row(5, "55Cnc b/かに座55番星 惑星 b", 14.652, 73.38, 0.1138, 0.0197, 0.91, 168);
    row(6, "55Cnc c/かに座55番星 惑星 c", 44.36, 9.60, 0.238, 0.071, 0.91, 115);
    row(7, "55Cnc d/かに座55番星 惑星 d", 5552, 47.5, 5.97, 0.091, 0.91, 181.6);
    row(8, "55Cnc e/かに座55番星 惑星 e", 2.7955, 5.80, 0.0377, 0.09, 0.91, 187);
    row(9, "55Cnc f/かに座55番星 惑星 f", 260, 4.88, 0.774, 0.20, 0.91, 181);
    row(10, "47UMa b/大熊座47番星惑星 b", 1083.2, 49.3, 2.13, 0.061, 1.08, 172);
    row(11, "47UMa c/大熊座47番星惑星 c", 2594, 11.1, 3.80, 0, 1.08, 127);
    row(12, "16Cygni B", 798.5, 50.5, 1.681, 0.681, 0.99, 85.8);
    row(13, "HD202206 b", 255.870, 564.8, 0.830, 0.4350, 1.15, 161.18);
    row(14, "HD202206 c", 1383, 42, 2.55, 0.267, 1.15, 79);
    row(15, "HD137510 b", 804.9, 418, 1.91, 0.359, 1.42, 31);
}

void TestCatalog::planets()
{
    QFETCH(int, index);
    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const size_t i = size_t(index);
    QTEST(PlanetCatalog::planetName(index), "name");
    QTEST(catalog.CatalogP[i], "p");
    QTEST(catalog.CatalogK[i], "k");
    QTEST(catalog.CatalogA[i], "a");
    QTEST(catalog.CatalogE[i], "e");
    QTEST(catalog.CatalogM[i], "m");
    QTEST(catalog.CatalogOmega[i], "omega");
}

void TestCatalog::unusedIndicesAreZero_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("heading row") << 0;
    QTest::newRow("never written") << 16;
}

void TestCatalog::unusedIndicesAreZero()
{
    QFETCH(int, index);
    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const size_t i = size_t(index);
    for (const PlanetCatalog::Column *column :
         {&catalog.CatalogP, &catalog.CatalogK, &catalog.CatalogA, &catalog.CatalogE,
          &catalog.CatalogM, &catalog.CatalogOmega})
        QCOMPARE((*column)[i], 0.0);
}

void TestCatalog::planetNameOutOfRange()
{
    QCOMPARE(PlanetCatalog::planetName(0), QStringLiteral("Planet"));
    QVERIFY(PlanetCatalog::planetName(-1).isEmpty());
    QVERIFY(PlanetCatalog::planetName(16).isEmpty());
}

QTEST_GUILESS_MAIN(TestCatalog)
#include "tst_catalog.moc"
