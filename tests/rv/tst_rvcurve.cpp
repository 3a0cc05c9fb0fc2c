#include "rv/rvcurve.h"

#include <QTest>

#include <cmath>

using RvCurve::Elements;
using RvCurve::Row;

Q_DECLARE_METATYPE(Row)

class TestRvCurve : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void noRowOutsideTheRange_data();
    void noRowOutsideTheRange();
    void heights_data();
    void heights();
    void abscissa_data();
    void abscissa();
    void pointCount_data();
    void pointCount();
    void firstAndLastPoints();
    void tooLargeGivesNoCurve();
    void summary();
    void summaryOfSmallMass();
};

void TestRvCurve::rows_data()
{
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("k");
    QTest::addColumn<Row>("row");

    QTest::newRow("e 0.1 is eccentric") << 0.1 << 50.0 << Row::EccentricSmallK;
    QTest::newRow("K 99.99") << 0.3 << 99.99 << Row::EccentricSmallK;
    QTest::newRow("K 100") << 0.3 << 100.0 << Row::EccentricLargeK;
    QTest::newRow("e 0.0999 is circular") << 0.0999 << 50.0 << Row::CircularLargeK;
    QTest::newRow("K 9.99") << 0.05 << 9.99 << Row::CircularSmallK;
    QTest::newRow("K 10") << 0.05 << 10.0 << Row::CircularLargeK;
    QTest::newRow("circular orbit") << 0.0 << 20.0 << Row::CircularLargeK;
    QTest::newRow("negative K") << 0.0 << -20.0 << Row::CircularSmallK;
}

void TestRvCurve::rows()
{
    QFETCH(double, e);
    QFETCH(double, k);
    QFETCH(Row, row);
    QCOMPARE(RvCurve::rowFor(e, k), std::optional<Row>(row));
}

void TestRvCurve::noRowOutsideTheRange_data()
{
    QTest::addColumn<double>("e");
    QTest::newRow("1") << 1.0;
    QTest::newRow("-0.01") << -0.01;
}

void TestRvCurve::noRowOutsideTheRange()
{
    QFETCH(double, e);
    QVERIFY(!RvCurve::rowFor(e, 50));
    QVERIFY(RvCurve::points(Elements{e, 50, 5, 0}).isEmpty());
}

void TestRvCurve::heights_data()
{
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("omega");
    QTest::addColumn<float>("theta");
    QTest::addColumn<double>("expected");

    const double halfPi = RvCurve::Pi / 2;
    QTest::newRow("eccentric small K") << 0.1 << 50.0 << 0.0 << 0.0f << 3180 + 800 * 1.1;
    QTest::newRow("eccentric small K, omega") << 0.5 << 50.0 << halfPi << 0.0f
                                              << 3180 + 800 * (std::cos(halfPi) + 0.5 * std::cos(halfPi));
    QTest::newRow("eccentric large K, mirrored K·e") << 0.3 << 100.0 << 0.0 << 0.0f << 3150.0;
    QTest::newRow("circular small K, 160·K") << 0.05 << 9.99 << 0.0 << 0.0f << 3180 + 1598.4;
    QTest::newRow("circular large K, 16·K") << 0.05 << 20.0 << 0.0 << 0.0f << 3500.0;
    QTest::newRow("half a turn") << 0.0 << 20.0 << 0.0 << float(RvCurve::Pi) << 2860.0;
    QTest::newRow("K 0 is flat") << 0.0 << 0.0 << 1.0 << 1.0f << 3180.0;
    QTest::newRow("negative K mirrored") << 0.0 << -20.0 << 0.0 << 0.0f << 3180 - 3200.0;
}

void TestRvCurve::heights()
{
    QFETCH(double, e);
    QFETCH(double, k);
    QFETCH(double, omega);
    QFETCH(float, theta);
    QFETCH(double, expected);
    const Elements elements{e, k, 5, omega};
    const float y = RvCurve::height(*RvCurve::rowFor(e, k), elements, theta);
    QVERIFY2(std::fabs(y - expected) < 1e-3, qPrintable(QString::number(y)));
}

void TestRvCurve::abscissa_data()
{
    QTest::addColumn<double>("period");
    QTest::addColumn<float>("theta");
    QTest::addColumn<double>("expected");

    QTest::newRow("P 10") << 10.0 << 1.0f << 700.0;
    QTest::newRow("P 9.99") << 9.99 << 1.0f << 1299.0;
    QTest::newRow("P 0 stays on X 300") << 0.0 << 5.0f << 300.0;
    QTest::newRow("long period") << 1083.2 << 2.0f << 1200.0;
}

void TestRvCurve::abscissa()
{
    QFETCH(double, period);
    QFETCH(float, theta);
    QFETCH(double, expected);
    QVERIFY(std::fabs(RvCurve::abscissa(period, theta) - expected) < 1e-3);
}

void TestRvCurve::pointCount_data()
{
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("p");

    QTest::newRow("51Peg b") << 0.013 << 55.94 << 4.230785;
    QTest::newRow("circular") << 0.0 << 40.4 << 2.87598;
    QTest::newRow("eccentric") << 0.681 << 50.5 << 798.5;
    QTest::newRow("eccentric large K") << 0.435 << 564.8 << 255.87;
    QTest::newRow("K 0") << 0.0 << 0.0 << 10.0;
}

void TestRvCurve::pointCount()
{
    QFETCH(double, e);
    QFETCH(double, k);
    QFETCH(double, p);
    QCOMPARE(RvCurve::points(Elements{e, k, p, 1.0}).size(), RvCurve::PointCount);
}

void TestRvCurve::firstAndLastPoints()
{
    const Elements elements{0.0, 20.0, 10.0, 0.0};
    const QList<QPointF> points = RvCurve::points(elements);
    QCOMPARE(points.size(), 241);
    // Y at θ = 0, X two degrees later.
    const double twoDegrees = RvCurve::Pi / 90;
    QVERIFY(std::fabs(points.first().y() - 3500) < 1e-3);
    QVERIFY(std::fabs(points.first().x() - (200 + 500 * twoDegrees)) < 1e-3);
    // The last Y is taken just short of 720°, its X just short of 722°.
    const double lastYAngle = 719.997 * RvCurve::Pi / 180;
    QVERIFY(std::fabs(points.last().y() - (3180 + 320 * std::cos(lastYAngle))) < 1e-2);
    QVERIFY(std::fabs(points.last().x() - (200 + 500 * 721.997 * RvCurve::Pi / 180)) < 1e-1);
    // Three degrees between neighbours.
    QVERIFY(std::fabs(points[1].x() - points[0].x() - 500 * 3 * RvCurve::Pi / 180) < 1e-2);
}

void TestRvCurve::tooLargeGivesNoCurve()
{
    // 16·K beyond single precision: no points at infinity.
    QVERIFY(RvCurve::points(Elements{0.0, 1e38, 10.0, 0.0}).isEmpty());
    QVERIFY(RvCurve::points(Elements{0.5, -1e38, 10.0, 0.0}).isEmpty());
    // A period of 10 days or more takes no part in X.
    QCOMPARE(RvCurve::points(Elements{0.0, 20.0, 1e300, 0.0}).size(), RvCurve::PointCount);
}

void TestRvCurve::summary()
{
    const QList<RvCurve::SummaryLine> lines
        = RvCurve::summary(QStringLiteral("51Peg b"), 2.5, Elements{0.013, 55.94, 4.230785, 1});
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0].text, QStringLiteral("Planet: 51Peg b"));
    QCOMPARE(lines[0].position, QPointF(168, 0));
    QCOMPARE(lines[1].text, QStringLiteral("Mass = 2.5 M_JUP/sin"));
    QCOMPARE(lines[1].italicTail, QStringLiteral("i"));
    QCOMPARE(lines[1].position, QPointF(168, 318));
    QCOMPARE(lines[2].text, QStringLiteral("P = 4.230785 day"));
    QCOMPARE(lines[2].position, QPointF(4500, 318));
    QCOMPARE(lines[3].text, QStringLiteral("K =55.94m/s"));
    QCOMPARE(lines[3].position, QPointF(5000, 718));
    QCOMPARE(lines[4].text, QStringLiteral("e =0.013"));
    QCOMPARE(lines[4].position, QPointF(5000, 1018));
    for (int i : {0, 2, 3, 4})
        QCOMPARE(lines[i].italicTail, QString());
}

void TestRvCurve::summaryOfSmallMass()
{
    const QList<RvCurve::SummaryLine> lines
        = RvCurve::summary(QString(), 0.4716685, Elements{-0.5, -3, -2, 0});
    QCOMPARE(lines[0].text, QStringLiteral("Planet: "));
    QCOMPARE(lines[1].text, QStringLiteral("Mass = 0.4716685 M_JUP/sin"));
    QCOMPARE(lines[2].text, QStringLiteral("P =-2 day"));
    QCOMPARE(lines[3].text, QStringLiteral("K =-3m/s"));
    QCOMPARE(lines[4].text, QStringLiteral("e =-0.5"));
}

QTEST_APPLESS_MAIN(TestRvCurve)
#include "tst_rvcurve.moc"
