#include "catalog/catalog.h"
#include "ground/languageswitch.h"

#include <QTest>

// Published elements of the fifteen built-in planets, written out again here
// so that a slip in either table shows.
class TestCatalog : public QObject
{
    Q_OBJECT

private slots:
    // The names as the catalog window lists them in the program's default language.
    void initTestCase() { LanguageSwitch::instance().start(LanguageSwitch::Language::Japanese); }
    void planets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<double>>("elements"); // P, K, a, e, M, ω
        QTest::addColumn<QString>("shipped");        // the star's measurements in data/rv

        QTest::newRow("heading row: all zero") << 0 << "Planet" << QList<double>{0, 0, 0, 0, 0, 0} << "";
        QTest::newRow("51Peg b") << 1 << "51Peg b" << QList<double>{4.230785, 55.94, 0.0527, 0.013, 1.09, 58}
                                 << "51peg.sys";
        QTest::newRow("HD149026 b") << 2 << "HD149026 b" << QList<double>{2.87598, 40.4, 0.0432, 0, 1.30, 0}
                                    << "HD149026.sys";
        QTest::newRow("HD209458 b") << 3 << "HD209458 b" << QList<double>{3.52474554, 84.27, 0.0474, 0, 1.14, 0}
                                    << "HD209458.sys";
        QTest::newRow("HD17156 b") << 4 << "Cassiopeia HD17156 b" << QList<double>{21.22, 275, 0.15, 0.67, 1.2, 0}
                                   << "HD17156.sys";
        QTest::newRow("55Cnc b") << 5 << "55Cnc b/かに座55番星 惑星 b"
                                 << QList<double>{14.652, 73.38, 0.1138, 0.0197, 0.91, 168} << "55Cnc.sys";
        QTest::newRow("55Cnc c") << 6 << "55Cnc c/かに座55番星 惑星 c"
                                 << QList<double>{44.36, 9.60, 0.238, 0.071, 0.91, 115} << "55Cnc.sys";
        QTest::newRow("55Cnc d") << 7 << "55Cnc d/かに座55番星 惑星 d"
                                 << QList<double>{5552, 47.5, 5.97, 0.091, 0.91, 181.6} << "55Cnc.sys";
        QTest::newRow("55Cnc e") << 8 << "55Cnc e/かに座55番星 惑星 e"
                                 << QList<double>{2.7955, 5.80, 0.0377, 0.09, 0.91, 187} << "55Cnc.sys";
        QTest::newRow("55Cnc f") << 9 << "55Cnc f/かに座55番星 惑星 f"
                                 << QList<double>{260, 4.88, 0.774, 0.20, 0.91, 181} << "55Cnc.sys";
        QTest::newRow("47UMa b") << 10 << "47UMa b/大熊座47番星惑星 b"
                                 << QList<double>{1083.2, 49.3, 2.13, 0.061, 1.08, 172} << "47uma.sys";
        QTest::newRow("47UMa c") << 11 << "47UMa c/大熊座47番星惑星 c" << QList<double>{2594, 11.1, 3.80, 0, 1.08, 127}
                                 << "47uma.sys";
        QTest::newRow("16Cygni B") << 12 << "16Cygni B" << QList<double>{798.5, 50.5, 1.681, 0.681, 0.99, 85.8}
                                   << "16cygB.sys";
        QTest::newRow("HD202206 b") << 13 << "HD202206 b" << QList<double>{255.870, 564.8, 0.830, 0.4350, 1.15, 161.18}
                                    << "HD202206.sys";
        QTest::newRow("HD202206 c") << 14 << "HD202206 c" << QList<double>{1383, 42, 2.55, 0.267, 1.15, 79}
                                    << "HD202206.sys";
        QTest::newRow("HD137510 b") << 15 << "HD137510 b" << QList<double>{804.9, 418, 1.91, 0.359, 1.42, 31} << "";
        QTest::newRow("16 never written: no name, all zero") << 16 << "" << QList<double>{0, 0, 0, 0, 0, 0} << "";
    }

    void planets()
    {
        QFETCH(int, index);
        const PlanetCatalog catalog = PlanetCatalog::builtIn();
        const CatalogPlanet &planet = catalog.planet(index);
        QTEST(PlanetCatalog::planetName(index), "name");
        QTEST(QList<double>({planet.periodDays, planet.semiAmplitude, planet.axisAU, planet.eccentricity,
                             planet.starMassSolar, planet.omegaDegrees}),
              "elements");
        QTEST(PlanetCatalog::shippedSystemFile(index), "shipped");
    }

    void belowRange()
    {
        QVERIFY(PlanetCatalog::planetName(-1).isEmpty());
        QVERIFY(PlanetCatalog::shippedSystemFile(-1).isEmpty());
        QCOMPARE(PlanetCatalog::builtIn().planet(-1).periodDays, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestCatalog)
#include "tst_catalog.moc"
