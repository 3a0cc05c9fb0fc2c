#include "ground/colors.h"
#include "ground/textnumber.h"

#include <QTest>

#include <cmath>

class TestTextNumber : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
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
        QTest::newRow("minus zero reads as plus zero") << "-0" << 0.0;
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
        QTest::newRow("full-width digits and point") << "１２．５" << 12.5;
        QTest::newRow("full-width minus") << "－３" << -3.0;
        QTest::newRow("full-width plus") << "＋７" << 7.0;
        QTest::newRow("minus sign") << "\u22120.25" << -0.25;
        QTest::newRow("full-width exponent digits") << "1E２" << 100.0;
        QTest::newRow("full-width comma ends") << "1，5" << 1.0;
        QTest::newRow("tiny underflows to zero") << "1e-400" << 0.0;
        QTest::newRow("overflow reads infinite") << "1e400" << qInf();
        QTest::newRow("negative overflow") << "-1e400" << -qInf();
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double read = TextNumber::leadingNumber(text);
        QCOMPARE(read, expected);
        QCOMPARE(std::signbit(read), std::signbit(expected));
    }

    void shortest_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single"); // written as a float, 7 digits, else 15
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("printed"); // as PRINT writes it: a sign or a blank, and a blank after

        QTest::newRow("seven digits kept") << 4.230785 << true << "4.230785"
                                           << " 4.230785 ";
        QTest::newRow("eighth digit rounded") << 1.23456789 << true << "1.234568"
                                              << " 1.234568 ";
        QTest::newRow("whole") << 318.0 << true << "318"
                               << " 318 ";
        QTest::newRow("zero") << 0.0 << true << "0"
                              << " 0 ";
        QTest::newRow("negative zero") << -0.0 << true << "0"
                                       << " 0 ";
        QTest::newRow("negative") << -2.5 << true << "-2.5"
                                  << "-2.5 ";
        QTest::newRow("below one keeps its zero") << 0.47 << true << "0.47"
                                                  << " 0.47 ";
        QTest::newRow("large single uses exponent") << 12345678.0 << true << "1.234568E+07"
                                                    << " 1.234568E+07 ";
        QTest::newRow("small keeps fixed") << 0.0001 << true << "0.0001"
                                           << " 0.0001 ";
        QTest::newRow("smaller uses exponent") << 0.00001 << true << "1E-05"
                                               << " 1E-05 ";
        QTest::newRow("period") << 3.52474554 << false << "3.52474554"
                                << " 3.52474554 ";
        QTest::newRow("fifteen digits") << 0.1 + 0.2 << false << "0.3"
                                        << " 0.3 ";
        QTest::newRow("omega in radians") << 58 * 0.017453292421651667 << false << "1.0122909604558"
                                          << " 1.0122909604558 ";
        QTest::newRow("large double uses exponent") << 1e15 << false << "1E+15"
                                                    << " 1E+15 ";
        QTest::newRow("below the limit stays fixed") << 123456789012345.0 << false << "123456789012345"
                                                     << " 123456789012345 ";
        QTest::newRow("negative double") << -2.5 << false << "-2.5"
                                         << "-2.5 ";
        QTest::newRow("negative zero double") << -0.0 << false << "0"
                                              << " 0 ";
    }

    void shortest()
    {
        QFETCH(double, value);
        QFETCH(bool, single);
        QTEST(single ? TextNumber::shortest(float(value)) : TextNumber::shortest(value), "expected");
        QTEST(single ? TextNumber::printItem(float(value)) : TextNumber::printItem(value), "printed");
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");

        QTest::newRow("2.5 to even below") << 2.5 << 2.0;
        QTest::newRow("3.5 to even above") << 3.5 << 4.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("2.6") << 2.6 << 3.0;
    }

    void roundHalfEven()
    {
        QFETCH(double, value);
        QTEST(TextNumber::roundHalfEven(value), "expected");
    }

    void palette_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("expected");

        QTest::newRow("black") << 0 << QColor(0, 0, 0);
        QTest::newRow("light grey") << 7 << QColor(192, 192, 192);
        QTest::newRow("light yellow") << 14 << QColor(255, 255, 0);
        QTest::newRow("white") << 15 << QColor(255, 255, 255);
        QTest::newRow("out of range") << 16 << QColor(0, 0, 0);
    }

    void palette()
    {
        QFETCH(int, index);
        QTEST(Colors::qbColor(index), "expected");
    }
};

QTEST_GUILESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
