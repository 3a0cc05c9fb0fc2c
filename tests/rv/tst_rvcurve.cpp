#include "ground/constants.h"
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
    void noCurve();
    void abscissa_data();
    void abscissa();
    void points();
    void lastAbscissa_data();
    void lastAbscissa();
    void everyPlanetFits();
    void summary_data();
    void summary();
};

void TestRvCurve::rows_data()
{
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("omega");
    QTest::addColumn<Row>("row");
    QTest::addColumn<double>("theta");
    QTest::addColumn<double>("height");

    // The zero axis is at 3480; the curve may reach 1200 either side of it.
    // Velocity grows downwards: Y = 3480 + s·K·(cos(θ + ω) + c).
    QTest::newRow("e 0.1: 16·50·1.1") << 0.1 << 50.0 << 0.0 << Row::EccentricSmallK << 0.0 << 3480 + 880.0;
    QTest::newRow("first row turns with ω") << 0.5 << 50.0 << Constants::Pi / 2 << Row::EccentricSmallK << 0.0
                                            << 3480.0;
    QTest::newRow("first row, ω 0 at θ π: 16·50·(−1 + 0.5)") << 0.5 << 50.0 << 0.0 << Row::EccentricSmallK
                                                            << Constants::Pi << 3480 - 400.0;
    // 16·99.99·1.3 = 2079.8 is more than the room: the peak is scaled to 1200.
    QTest::newRow("K 99.99: first row, scaled to fit") << 0.3 << 99.99 << 0.0 << Row::EccentricSmallK << 0.0
                                                      << 4680.0;
    QTest::newRow("K 100: second row, same direction") << 0.3 << 100.0 << 0.0 << Row::EccentricLargeK << 0.0
                                                      << 4680.0;
    // K 200, e 0.5, ω 0: peak 200·1.5 = 300 m/s → 4 twips per m/s; at θ = π
    // the velocity is 200·(−1 + 0.5) = −100 m/s, 400 twips above the axis.
    QTest::newRow("second row keeps the e·cos ω term") << 0.5 << 200.0 << 0.0 << Row::EccentricLargeK
                                                      << Constants::Pi << 3080.0;
    QTest::newRow("e 0.0999: fourth row, 16·50") << 0.0999 << 50.0 << 0.0 << Row::CircularLargeK << 0.0 << 4280.0;
    QTest::newRow("K 10: 16·K") << 0.05 << 10.0 << 0.0 << Row::CircularLargeK << 0.0 << 3640.0;
    QTest::newRow("K 5: 160·K") << 0.05 << 5.0 << 0.0 << Row::CircularSmallK << 0.0 << 4280.0;
    QTest::newRow("K 9.99: 160·K = 1598.4, scaled to 1200") << 0.05 << 9.99 << 0.0 << Row::CircularSmallK << 0.0
                                                           << 4680.0;
    QTest::newRow("brown dwarf K 2000 at θ π: 1200 up") << 0.0 << 2000.0 << 0.0 << Row::CircularLargeK
                                                       << Constants::Pi << 2280.0;
    QTest::newRow("negative K is mirrored: 160·(−5)") << 0.0 << -5.0 << 0.0 << Row::CircularSmallK << 0.0 << 2680.0;
    QTest::newRow("K 0 is flat") << 0.0 << 0.0 << 1.0 << Row::CircularSmallK << 0.0 << 3480.0;
}

void TestRvCurve::rows()
{
    QFETCH(double, e);
    QFETCH(double, k);
    QFETCH(double, omega);
    QFETCH(Row, row);
    QFETCH(double, theta);
    QFETCH(double, height);
    QCOMPARE(RvCurve::rowFor(e, k), std::optional<Row>(row));
    const float y = RvCurve::height(row, Elements{e, k, 5, omega}, float(theta));
    QVERIFY2(std::fabs(y - height) < 1e-2, qPrintable(QString::number(y)));
}

void TestRvCurve::noCurve()
{
    for (double e : {1.0, -0.01}) {
        QVERIFY(!RvCurve::rowFor(e, 50));
        QVERIFY(RvCurve::points(Elements{e, 50, 5, 0}).isEmpty());
    }
    QVERIFY(RvCurve::points(Elements{0.0, 50, 10, qInf()}).isEmpty());
}

void TestRvCurve::abscissa_data()
{
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("theta");
    QTest::addColumn<double>("x");

    QTest::newRow("P 10: 200 + 500·θ") << 10.0 << 1.0 << 700.0;
    QTest::newRow("P 1: 300 + 100·θ") << 1.0 << 1.0 << 400.0;
    QTest::newRow("P 4: 300 + 400·θ") << 4.0 << 2.0 << 1100.0;
    QTest::newRow("P 5: 300 + 500·θ") << 5.0 << 1.0 << 800.0;
    QTest::newRow("P 9.99 no wider than P 5") << 9.99 << 1.0 << 800.0;
    QTest::newRow("P 0 stays at 300") << 0.0 << 5.0 << 300.0;
}

void TestRvCurve::abscissa()
{
    QFETCH(double, period);
    QFETCH(double, theta);
    QFETCH(double, x);
    QCOMPARE(RvCurve::abscissa(period, float(theta)), float(x));
}

void TestRvCurve::points()
{
    for (const Elements &elements : {Elements{0.435, 564.8, 255.87, 1}, Elements{0, 0, 1e300, 0},
                                     Elements{0.0, 1e38, 10.0, 0.0}})
        QCOMPARE(RvCurve::points(elements).size(), 241);
    const QList<QPointF> points = RvCurve::points(Elements{0.0, 20.0, 10.0, 0.0});
    // Y at θ = 0, X two degrees later; the last Y just short of 720°.
    QVERIFY(std::fabs(points.first().y() - 3800) < 1e-3);
    QVERIFY(std::fabs(points.first().x() - (200 + 500 * Constants::Pi / 90)) < 1e-3);
    QVERIFY(std::fabs(points.last().y() - (3480 + 320 * std::cos(719.997 * Constants::Pi / 180))) < 1e-2);
}

void TestRvCurve::summary_data()
{
    QTest::addColumn<bool>("earthMasses");
    QTest::addColumn<QString>("massLine");
    QTest::newRow("Jupiter masses") << false << "Mass = 2.5 M_JUP/sin|i";
    QTest::newRow("Earth masses") << true << "Mass = 2.5 M_E/sin|i";
}

void TestRvCurve::lastAbscissa_data()
{
    QTest::addColumn<double>("period");
    QTest::addColumn<double>("x");

    // The last X is taken at θ ≈ 721.997° = 12.60122 rad.
    QTest::newRow("P 1: 300 + 100·12.60122") << 1.0 << 1560.122;
    QTest::newRow("P 4.230785: 300 + 423.0785·12.60122") << 4.230785 << 5631.31;
    QTest::newRow("P 8: 300 + 500·12.60122, inside 7335") << 8.0 << 6600.61;
    QTest::newRow("P 1000: 200 + 500·12.60122") << 1000.0 << 6500.61;
}

void TestRvCurve::lastAbscissa()
{
    QFETCH(double, period);
    QFETCH(double, x);
    const QList<QPointF> points = RvCurve::points(Elements{0.0, 20.0, period, 0.0});
    QVERIFY2(std::fabs(points.last().x() - x) < 0.05, qPrintable(QString::number(points.last().x())));
}

void TestRvCurve::everyPlanetFits()
{
    // The plot is 7335 × 4935; the curve keeps within 1200 of the axis at 3480.
    const QRectF plot(0, 2280, 7335, 2400);
    int curves = 0;
    for (double period : {0.1, 1.0, 4.230785, 5.58, 8.0, 9.99, 10.0, 1000.0, 1e6}) {
        for (double k : {0.01, 5.0, 9.99, 10.0, 55.94, 99.99, 100.0, 2000.0, 1e6}) {
            for (double e : {0.0, 0.05, 0.1, 0.5, 0.99}) {
                for (double omega : {0.1, 1.0, 3.0, 6.0}) {
                    const QList<QPointF> points = RvCurve::points(Elements{e, k, period, omega});
                    QCOMPARE(points.size(), 241);
                    for (const QPointF &point : points)
                        QVERIFY2(plot.adjusted(-1e-3, -1e-3, 1e-3, 1e-3).contains(point),
                                 qPrintable(QStringLiteral("P %1 K %2 e %3 ω %4: %5, %6")
                                                .arg(period).arg(k).arg(e).arg(omega)
                                                .arg(point.x()).arg(point.y())));
                    ++curves;
                }
            }
        }
    }
    QCOMPARE(curves, 9 * 9 * 5 * 4);
}

void TestRvCurve::summary()
{
    QFETCH(bool, earthMasses);
    QFETCH(QString, massLine);
    QStringList texts;
    for (const RvCurve::SummaryLine &line : RvCurve::summary(
             QStringLiteral("51Peg b"), 2.5, earthMasses, Elements{0.013, 55.94, 4.230785, 1}))
        texts << line.text + u'|' + line.italicTail;
    QCOMPARE(texts, QStringList({"Planet: 51Peg b|", massLine, "P = 4.230785 day|",
                                 "K =55.94m/s|", "e =0.013|"}));
}

QTEST_APPLESS_MAIN(TestRvCurve)
#include "tst_rvcurve.moc"
