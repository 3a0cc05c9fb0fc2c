#include "numeric/numbertext.h"

#include <QTest>

#include <cmath>
#include <limits>

class NumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void measuredKeepsTwoDigitsOfTheUncertainty_data();
    void measuredKeepsTwoDigitsOfTheUncertainty();
    void shortestReadsBackToTheSameDouble_data();
    void shortestReadsBackToTheSameDouble();
};

void NumberTextTest::measuredKeepsTwoDigitsOfTheUncertainty_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("uncertainty");
    QTest::addColumn<QString>("expected");
    // Rounded by hand: the uncertainty to two significant digits, the value to the same place.
    QTest::newRow("BJD periastron") << 2450518.12345 << 0.0121 << "2450518.123 ± 0.012";
    QTest::newRow("period") << 4.2307853 << 0.0000347 << "4.230785 ± 0.000035";
    QTest::newRow("tens") << 12345.6 << 123.0 << "12350 ± 120";
    QTest::newRow("rounds up a digit") << 1.23456 << 0.0996 << "1.23 ± 0.10";
    QTest::newRow("negative offset") << -3.14159 << 0.25 << "-3.14 ± 0.25";
    QTest::newRow("no uncertainty") << 55.5 << 0.0 << "55.5";
    QTest::newRow("not finite") << std::numeric_limits<double>::quiet_NaN() << 1.0 << "undefined";
}

void NumberTextTest::measuredKeepsTwoDigitsOfTheUncertainty()
{
    QFETCH(double, value);
    QFETCH(double, uncertainty);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(Numeric::measuredText(value, uncertainty)), expected);
}

void NumberTextTest::shortestReadsBackToTheSameDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("BJD") << 2450518.1234 << "2450518.1234";
    QTest::newRow("a third") << 1.0 / 3.0 << "0.3333333333333333";
    QTest::newRow("small") << 1e-7 << "1e-07";
}

void NumberTextTest::shortestReadsBackToTheSameDouble()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const std::string text = Numeric::shortestText(value);
    QCOMPARE(QString::fromStdString(text), expected);
    QCOMPARE(std::stod(text), value);
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
