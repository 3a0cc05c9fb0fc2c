#include "ground/colors.h"
#include "ground/textnumber.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestTextNumber : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void overflowReadsInfinite();
    void shortestSingle_data();
    void shortestSingle();
    void shortestDouble_data();
    void shortestDouble();
    void printItem_data();
    void printItem();
    void roundHalfEven_data();
    void roundHalfEven();
    void palette_data();
    void palette();
};

void TestTextNumber::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("number then letters") << "12abc" << 12.0;
    QTest::newRow("blanks inside") << " 1 2" << 12.0;
    QTest::newRow("tab and line feed ignored") << "\t3\n.5" << 3.5;
    QTest::newRow("carriage return ends") << "4\r5" << 4.0;
    QTest::newRow("decimal") << "4.230785" << 4.230785;
    QTest::newRow("leading period") << ".5" << 0.5;
    QTest::newRow("negative") << "-0.1" << -0.1;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("exponent") << "1.5E3" << 1500.0;
    QTest::newRow("lower-case exponent") << "2e-2" << 0.02;
    QTest::newRow("D exponent") << "3D2" << 300.0;
    QTest::newRow("exponent without digits") << "5E" << 5.0;
    QTest::newRow("second period ends") << "1.2.3" << 1.2;
    QTest::newRow("comma ends") << "1,5" << 1.0;
    QTest::newRow("hexadecimal") << "&H1F" << 31.0;
    QTest::newRow("hexadecimal 16-bit negative") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("bad octal digit") << "&O8" << 0.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("full-width digits are not digits") << "１２" << 0.0;
    QTest::newRow("tiny underflows to zero") << "1e-400" << 0.0;
}

void TestTextNumber::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(TextNumber::leadingNumber(text), expected);
}

void TestTextNumber::overflowReadsInfinite()
{
    QCOMPARE(TextNumber::leadingNumber(u"1e400"), std::numeric_limits<double>::infinity());
    QCOMPARE(TextNumber::leadingNumber(u"-1e400"), -std::numeric_limits<double>::infinity());
    const double minusZero = TextNumber::leadingNumber(u"-0");
    QCOMPARE(minusZero, 0.0);
    QVERIFY(!std::signbit(minusZero));
}

void TestTextNumber::shortestSingle_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mass of 51Peg b") << 0.4716685f << "0.4716685";
    QTest::newRow("Earth masses") << 149.9906f << "149.9906";
    QTest::newRow("seven digits kept") << 4.230785f << "4.230785";
    QTest::newRow("eighth digit rounded") << 1.23456789f << "1.234568";
    QTest::newRow("whole") << 318.0f << "318";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("negative") << -2.5f << "-2.5";
    QTest::newRow("large uses exponent") << 12345678.0f << "1.234568E+07";
    QTest::newRow("small keeps fixed") << 0.0001f << "0.0001";
    QTest::newRow("smaller uses exponent") << 0.00001f << "1E-05";
}

void TestTextNumber::shortestSingle()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(TextNumber::shortest(value), expected);
}

void TestTextNumber::shortestDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("period") << 3.52474554 << "3.52474554";
    QTest::newRow("fifteen digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("omega in radians") << 58 * 0.017453292421651667 << "1.0122909604558";
    QTest::newRow("large uses exponent") << 1e15 << "1E+15";
    QTest::newRow("below the limit stays fixed") << 123456789012345.0 << "123456789012345";
}

void TestTextNumber::shortestDouble()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(TextNumber::shortest(value), expected);
}

void TestTextNumber::printItem_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("positive") << 2.5 << " 2.5 ";
    QTest::newRow("negative") << -2.5 << "-2.5 ";
    QTest::newRow("zero") << 0.0 << " 0 ";
    QTest::newRow("negative zero") << -0.0 << " 0 ";
    QTest::newRow("below one keeps its zero") << 0.47 << " 0.47 ";
    QTest::newRow("period") << 4.230785 << " 4.230785 ";
}

void TestTextNumber::printItem()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(TextNumber::printItem(value), expected);
    QCOMPARE(TextNumber::printItem(float(value)), expected);
}

void TestTextNumber::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 to even below") << 2.5 << 2.0;
    QTest::newRow("3.5 to even above") << 3.5 << 4.0;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("2.6") << 2.6 << 3.0;
}

void TestTextNumber::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(TextNumber::roundHalfEven(value), expected);
}

void TestTextNumber::palette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("black") << 0 << QColor(0, 0, 0);
    QTest::newRow("light grey") << 7 << QColor(192, 192, 192);
    QTest::newRow("light yellow") << 14 << QColor(255, 255, 0);
    QTest::newRow("white") << 15 << QColor(255, 255, 255);
    QTest::newRow("out of range") << 16 << QColor(0, 0, 0);
}

void TestTextNumber::palette()
{
    QFETCH(int, index);
    QFETCH(QColor, expected);
    QCOMPARE(Colors::qbColor(index), expected);
}

QTEST_GUILESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
