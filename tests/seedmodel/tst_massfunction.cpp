#include "ground/colors.h"
#include "seedmodel/companionclass.h"
#include "seedmodel/massfunction.h"
#include "seedmodel/storedvalues.h"

#include <QTest>

#include <cmath>

using namespace MassFunctionMath;

class TestMassFunction : public QObject
{
    Q_OBJECT

private slots:
    void oneSolarMassAtOneAU()
    {
        // a = 1 AU and P = 1 year give a system of one solar mass; K = 1 m/s.
        const float kg = minimumMassKg(StoredValues::MetresPerAU, StoredValues::DaysPerYear, 0, 1.0f);
        QVERIFY(std::fabs(kg / 6.6777e25 - 1) < 1e-4);
        QVERIFY(std::fabs(jupiterMasses(kg) - 0.035170f) < 1e-6f);
    }

    void argumentsValid_data()
    {
        QTest::addColumn<QList<double>>("apekm");
        QTest::addColumn<bool>("valid");

        QTest::newRow("circular") << QList<double>{1, 1, 0, 1, 1} << true;
        QTest::newRow("no axis") << QList<double>{0, 1, 0.5, 1, 1} << false;
        QTest::newRow("no period") << QList<double>{1, 0, 0.5, 1, 1} << false;
        QTest::newRow("negative e") << QList<double>{1, 1, -0.1, 1, 1} << false;
        QTest::newRow("e of 1") << QList<double>{1, 1, 1, 1, 1} << false;
        QTest::newRow("no velocity") << QList<double>{1, 1, 0.5, 0, 1} << false;
        QTest::newRow("no star") << QList<double>{1, 1, 0.5, 1, 0} << false;
    }

    void argumentsValid()
    {
        QFETCH(QList<double>, apekm); // a, P, e, K, M
        QTEST(MassFunctionMath::argumentsValid(apekm[0], apekm[1], apekm[2], float(apekm[3]), apekm[4]), "valid");
    }

    void classification_data()
    {
        QTest::addColumn<float>("jupiterMasses");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("color");

        const QColor brown = Colors::rgb(99, 31, 0);
        QTest::newRow("12.99") << 12.99f << "Planet" << Colors::rgb(255, 0, 0);
        QTest::newRow("13") << 13.0f << "Brown Dwarf" << brown;
        QTest::newRow("75.5") << 75.5f << "Brown Dwarf" << brown;
        QTest::newRow("76") << 76.0f << "Brown Dwarf" << brown;
        QTest::newRow("76.01") << 76.01f << "Star" << Colors::rgb(229, 168, 0);
    }

    void classification()
    {
        QFETCH(float, jupiterMasses);
        const CompanionClass companion = CompanionClass::of(jupiterMasses);
        QTEST(companion.name, "name");
        QTEST(companion.color, "color");
    }
};

QTEST_APPLESS_MAIN(TestMassFunction)
#include "tst_massfunction.moc"
