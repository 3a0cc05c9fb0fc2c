#include "app/colors.h"
#include "app/textnumber.h"
#include "catalog/catalog.h"
#include "massfunction/companionclass.h"
#include "massfunction/massfunction.h"

#include <QTest>

#include <cmath>

using namespace MassFunctionMath;

class TestMassFunction : public QObject
{
    Q_OBJECT

private slots:
    void oneSolarMassAtOneAU();
    void shownMass_data();
    void shownMass();
    void catalogPlanets_data();
    void catalogPlanets();
    void circularOrbitFactorIsOne();
    void scalesWithVelocityAndAxis();
    void argumentsValid_data();
    void argumentsValid();
    void classification_data();
    void classification();
};

void TestMassFunction::oneSolarMassAtOneAU()
{
    // a = 1 AU and P = 1 year give a system of one solar mass.
    const float kg = minimumMassKg(MetresPerAU, DaysPerYear, 0, 1.0f);
    QVERIFY(std::fabs(kg / 6.6777e25 - 1) < 1e-4);
    QVERIFY(std::fabs(jupiterMasses(kg) - 0.035170f) < 1e-6f);
}

void TestMassFunction::shownMass_data()
{
    QTest::addColumn<bool>("earthMasses");
    QTest::addColumn<QString>("expected");

    // 51 Peg b: a = 0.0527 AU, P = 4.230785 d, e = 0.013, K = 55.94 m/s.
    QTest::newRow("Jupiter masses") << false << QStringLiteral("0.4716685");
    QTest::newRow("Earth masses") << true << QStringLiteral("149.9906");
}

void TestMassFunction::shownMass()
{
    QFETCH(bool, earthMasses);
    QFETCH(QString, expected);
    const float kg = minimumMassKg(0.0527 * MetresPerAU, 4.230785, 0.013, 55.94f);
    const float shown = MassFunctionMath::shownMass(jupiterMasses(kg), earthMasses);
    QCOMPARE(TextNumber::shortest(shown), expected);
}

void TestMassFunction::catalogPlanets_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("jupiter");
    QTest::addColumn<QString>("earth");
    QTest::addColumn<QString>("bodyClass");

    // Worked out separately in double precision with single-precision
    // rounding of K, m, m_J and the Earth-mass product.
    QTest::newRow("1 51Peg b") << 1 << QStringLiteral("0.4716685") << QStringLiteral("149.9906") << QStringLiteral("Planet");
    QTest::newRow("2 HD149026 b") << 2 << QStringLiteral("0.3367548") << QStringLiteral("107.088") << QStringLiteral("Planet");
    QTest::newRow("3 HD209458 b") << 3 << QStringLiteral("0.6900058") << QStringLiteral("219.4218") << QStringLiteral("Planet");
    QTest::newRow("4 Cassiopeia HD17156 b") << 4 << QStringLiteral("2.780583") << QStringLiteral("884.2253") << QStringLiteral("Planet");
    QTest::newRow("5 55Cnc b") << 5 << QStringLiteral("0.8329747") << QStringLiteral("264.886") << QStringLiteral("Planet");
    QTest::newRow("6 55Cnc c") << 6 << QStringLiteral("0.1570678") << QStringLiteral("49.94755") << QStringLiteral("Planet");
    QTest::newRow("7 55Cnc d") << 7 << QStringLiteral("3.900659") << QStringLiteral("1240.41") << QStringLiteral("Planet");
    QTest::newRow("8 55Cnc e") << 8 << QStringLiteral("0.03772559") << QStringLiteral("11.99674") << QStringLiteral("Planet");
    QTest::newRow("9 55Cnc f") << 9 << QStringLiteral("0.141519") << QStringLiteral("45.00306") << QStringLiteral("Planet");
    QTest::newRow("10 47UMa b") << 10 << QStringLiteral("2.647517") << QStringLiteral("841.9104") << QStringLiteral("Planet");
    QTest::newRow("11 47UMa c") << 11 << QStringLiteral("0.7937268") << QStringLiteral("252.4051") << QStringLiteral("Planet");
    QTest::newRow("12 16Cygni B") << 12 << QStringLiteral("1.681055") << QStringLiteral("534.5755") << QStringLiteral("Planet");
    QTest::newRow("13 HD202206 b") << 13 << QStringLiteral("17.58865") << QStringLiteral("5593.19") << QStringLiteral("Brown Dwarf");
    QTest::newRow("14 HD202206 c") << 14 << QStringLiteral("2.444548") << QStringLiteral("777.3663") << QStringLiteral("Planet");
    QTest::newRow("15 HD137510 b") << 15 << QStringLiteral("22.71384") << QStringLiteral("7223.002") << QStringLiteral("Brown Dwarf");
}

void TestMassFunction::catalogPlanets()
{
    QFETCH(int, index);
    QFETCH(QString, jupiter);
    QFETCH(QString, earth);
    QFETCH(QString, bodyClass);

    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const auto i = size_t(index);
    const float kg = minimumMassKg(catalog.CatalogA[i] * MetresPerAU, catalog.CatalogP[i],
                                   catalog.CatalogE[i], float(catalog.CatalogK[i]));
    const float mj = jupiterMasses(kg);
    QCOMPARE(TextNumber::shortest(MassFunctionMath::shownMass(mj, false)), jupiter);
    QCOMPARE(TextNumber::shortest(MassFunctionMath::shownMass(mj, true)), earth);
    QCOMPARE(CompanionClass::of(mj).name, bodyClass);
}

void TestMassFunction::circularOrbitFactorIsOne()
{
    const double a = 0.05 * MetresPerAU;
    QCOMPARE(minimumMassKg(a, 4, 0.0, 50.0f), minimumMassKg(a, 4, -0.0, 50.0f));
    const double expected = 50.0 * std::cbrt(std::pow(std::pow(0.05, 3) / std::pow(4 / DaysPerYear, 2)
                                                          * KgPerSolarMass, 2)
                                             * 4 * SecondsPerDay / TwoPiG);
    QVERIFY(std::fabs(minimumMassKg(a, 4, 0, 50.0f) / expected - 1) < 1e-6);
}

void TestMassFunction::scalesWithVelocityAndAxis()
{
    const double a = 0.1 * MetresPerAU;
    const float base = minimumMassKg(a, 10, 0.2, 30.0f);
    QVERIFY(std::fabs(minimumMassKg(a, 10, 0.2, 60.0f) / base - 2) < 1e-6);
    // Twice the axis: eight times the system mass, four times its square's cube root.
    QVERIFY(std::fabs(minimumMassKg(2 * a, 10, 0.2, 30.0f) / base - 4) < 1e-6);
}

void TestMassFunction::argumentsValid_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("e");
    QTest::addColumn<float>("k");
    QTest::addColumn<double>("m");
    QTest::addColumn<bool>("valid");

    QTest::newRow("all fine") << 1.0 << 1.0 << 0.5 << 1.0f << 1.0 << true;
    QTest::newRow("circular") << 1.0 << 1.0 << 0.0 << 1.0f << 1.0 << true;
    QTest::newRow("no axis") << 0.0 << 1.0 << 0.5 << 1.0f << 1.0 << false;
    QTest::newRow("no period") << 1.0 << 0.0 << 0.5 << 1.0f << 1.0 << false;
    QTest::newRow("negative e") << 1.0 << 1.0 << -0.1 << 1.0f << 1.0 << false;
    QTest::newRow("e of 1") << 1.0 << 1.0 << 1.0 << 1.0f << 1.0 << false;
    QTest::newRow("no velocity") << 1.0 << 1.0 << 0.5 << 0.0f << 1.0 << false;
    QTest::newRow("no star") << 1.0 << 1.0 << 0.5 << 1.0f << 0.0 << false;
}

void TestMassFunction::argumentsValid()
{
    QFETCH(double, a);
    QFETCH(double, p);
    QFETCH(double, e);
    QFETCH(float, k);
    QFETCH(double, m);
    QFETCH(bool, valid);
    QCOMPARE(MassFunctionMath::argumentsValid(a, p, e, k, m), valid);
}

void TestMassFunction::classification_data()
{
    QTest::addColumn<float>("jupiterMasses");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("color");

    const QColor red = Colors::rgb(255, 0, 0);
    const QColor brown = Colors::rgb(99, 31, 0);
    const QColor gold = Colors::rgb(229, 168, 0);
    QTest::newRow("light planet") << 0.05f << "Planet" << red;
    QTest::newRow("just below 13") << 12.99f << "Planet" << red;
    QTest::newRow("13") << 13.0f << "Brown Dwarf" << brown;
    QTest::newRow("75") << 75.0f << "Brown Dwarf" << brown;
    QTest::newRow("75.5") << 75.5f << "Brown Dwarf" << brown;
    QTest::newRow("76") << 76.0f << "Brown Dwarf" << brown;
    QTest::newRow("76.01") << 76.01f << "Star" << gold;
    QTest::newRow("heavy star") << 1000.0f << "Star" << gold;
}

void TestMassFunction::classification()
{
    QFETCH(float, jupiterMasses);
    QFETCH(QString, name);
    QFETCH(QColor, color);
    const CompanionClass companion = CompanionClass::of(jupiterMasses);
    QCOMPARE(companion.name, name);
    QCOMPARE(companion.color, color);
}

QTEST_APPLESS_MAIN(TestMassFunction)
#include "tst_massfunction.moc"
