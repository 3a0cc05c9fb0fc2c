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
    void abscissa();
    void points();
    void summary_data();
    void summary();
};

void TestRvCurve::rows_data()
{
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("omega");
    QTest::addColumn<Row>("row");
    QTest::addColumn<double>("height"); // at θ = 0

    QTest::newRow("e 0.1: first row") << 0.1 << 50.0 << 0.0 << Row::EccentricSmallK << 3180 + 800 * 1.1;
    QTest::newRow("first row turns with ω") << 0.5 << 50.0 << Constants::Pi / 2 << Row::EccentricSmallK
                                            << 3180 + 1200 * std::cos(Constants::Pi / 2);
    QTest::newRow("K 99.99: first row") << 0.3 << 99.99 << 0.0 << Row::EccentricSmallK << 3180 + 16 * 99.99 * 1.3;
    QTest::newRow("K 100: second row, K·e") << 0.3 << 100.0 << 0.0 << Row::EccentricLargeK << 3150.0;
    QTest::newRow("e 0.0999: third row") << 0.0999 << 50.0 << 0.0 << Row::CircularLargeK << 3980.0;
    QTest::newRow("K 10: 16·K") << 0.05 << 10.0 << 0.0 << Row::CircularLargeK << 3340.0;
    QTest::newRow("K 9.99: 160·K") << 0.05 << 9.99 << 0.0 << Row::CircularSmallK << 3180 + 1598.4;
    QTest::newRow("K 0 is flat") << 0.0 << 0.0 << 1.0 << Row::CircularSmallK << 3180.0;
}

void TestRvCurve::rows()
{
    QFETCH(double, e);
    QFETCH(double, k);
    QFETCH(double, omega);
    QFETCH(Row, row);
    QFETCH(double, height);
    QCOMPARE(RvCurve::rowFor(e, k), std::optional<Row>(row));
    const float y = RvCurve::height(row, Elements{e, k, 5, omega}, 0);
    QVERIFY2(std::fabs(y - height) < 1e-2, qPrintable(QString::number(y)));
}

void TestRvCurve::noCurve()
{
    for (double e : {1.0, -0.01}) {
        QVERIFY(!RvCurve::rowFor(e, 50));
        QVERIFY(RvCurve::points(Elements{e, 50, 5, 0}).isEmpty());
    }
    // 16·K beyond single precision: no points at infinity.
    QVERIFY(RvCurve::points(Elements{0.0, 1e38, 10.0, 0.0}).isEmpty());
}

void TestRvCurve::abscissa()
{
    // Below 10 days P stretches the phase so that two orbits fill the plot.
    QCOMPARE(RvCurve::abscissa(10, 1), 700.0f);
    QCOMPARE(RvCurve::abscissa(9.99, 1), 1299.0f);
    QCOMPARE(RvCurve::abscissa(0, 5), 300.0f);
}

void TestRvCurve::points()
{
    for (const Elements &elements : {Elements{0.435, 564.8, 255.87, 1}, Elements{0, 0, 1e300, 0}})
        QCOMPARE(RvCurve::points(elements).size(), 241);
    const QList<QPointF> points = RvCurve::points(Elements{0.0, 20.0, 10.0, 0.0});
    // Y at θ = 0, X two degrees later; the last Y just short of 720°.
    QVERIFY(std::fabs(points.first().y() - 3500) < 1e-3);
    QVERIFY(std::fabs(points.first().x() - (200 + 500 * Constants::Pi / 90)) < 1e-3);
    QVERIFY(std::fabs(points.last().y() - (3180 + 320 * std::cos(719.997 * Constants::Pi / 180))) < 1e-2);
}

void TestRvCurve::summary_data()
{
    QTest::addColumn<bool>("earthMasses");
    QTest::addColumn<QString>("massLine");
    QTest::newRow("Jupiter masses") << false << "Mass = 2.5 M_JUP/sin|i";
    QTest::newRow("Earth masses") << true << "Mass = 2.5 M_E/sin|i";
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
