#include "ground/colors.h"
#include "ground/constants.h"
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
    void argumentsValid_data();
    void argumentsValid();
    void classification_data();
    void classification();
};

void TestMassFunction::oneSolarMassAtOneAU()
{
    // a = 1 AU and P = 1 year give a system of one solar mass; K = 1 m/s.
    const float kg = minimumMassKg(Constants::MetresPerAU, Constants::DaysPerYear, 0, 1.0f);
    QVERIFY(std::fabs(kg / 6.6777e25 - 1) < 1e-4);
    QVERIFY(std::fabs(jupiterMasses(kg) - 0.035170f) < 1e-6f);
}

void TestMassFunction::argumentsValid_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("e");
    QTest::addColumn<float>("k");
    QTest::addColumn<double>("m");
    QTest::addColumn<bool>("valid");

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
    QTest::newRow("12.99") << 12.99f << "Planet" << red;
    QTest::newRow("13") << 13.0f << "Brown Dwarf" << brown;
    QTest::newRow("75") << 75.0f << "Brown Dwarf" << brown;
    QTest::newRow("75.5") << 75.5f << "Brown Dwarf" << brown;
    QTest::newRow("76") << 76.0f << "Brown Dwarf" << brown;
    QTest::newRow("76.01") << 76.01f << "Star" << gold;
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
