#include "seedmodel/rvcurve.h"
#include "seedmodel/storedvalues.h"

#include <QTest>

#include <cmath>

using RvCurve::Elements;
using RvCurve::Row;

Q_DECLARE_METATYPE(Row)
Q_DECLARE_METATYPE(Elements)

class TestRvCurve : public QObject
{
    Q_OBJECT

private slots:
    void rows_data()
    {
        QTest::addColumn<Elements>("elements"); // e, K, P, ω
        QTest::addColumn<Row>("row");
        QTest::addColumn<double>("theta");
        QTest::addColumn<double>("height");

        const double pi = StoredValues::Pi;
        // The zero axis is at 3480; the curve may reach 1200 either side of it.
        // Velocity grows downwards: Y = 3480 + s·K·(cos(θ + ω) + c).
        QTest::newRow("e 0.1: 16·50·1.1") << Elements{0.1, 50, 5, 0} << Row::EccentricSmallK << 0.0 << 3480 + 880.0;
        QTest::newRow("first row turns with ω")
            << Elements{0.5, 50, 5, pi / 2} << Row::EccentricSmallK << 0.0 << 3480.0;
        QTest::newRow("first row, ω 0 at θ π: 16·50·(−1 + 0.5)")
            << Elements{0.5, 50, 5, 0} << Row::EccentricSmallK << pi << 3480 - 400.0;
        // 16·99.99·1.3 = 2079.8 is more than the room: the peak is scaled to 1200.
        QTest::newRow("K 99.99: first row, scaled to fit")
            << Elements{0.3, 99.99, 5, 0} << Row::EccentricSmallK << 0.0 << 4680.0;
        QTest::newRow("K 100: second row, same direction")
            << Elements{0.3, 100, 5, 0} << Row::EccentricLargeK << 0.0 << 4680.0;
        // K 200, e 0.5, ω 0: peak 200·1.5 = 300 m/s → 4 twips per m/s; at θ = π
        // the velocity is 200·(−1 + 0.5) = −100 m/s, 400 twips above the axis.
        QTest::newRow("second row keeps the e·cos ω term")
            << Elements{0.5, 200, 5, 0} << Row::EccentricLargeK << pi << 3080.0;
        QTest::newRow("e 0.0999: fourth row, 16·50")
            << Elements{0.0999, 50, 5, 0} << Row::CircularLargeK << 0.0 << 4280.0;
        QTest::newRow("K 10: 16·K") << Elements{0.05, 10, 5, 0} << Row::CircularLargeK << 0.0 << 3640.0;
        QTest::newRow("K 5: 160·K") << Elements{0.05, 5, 5, 0} << Row::CircularSmallK << 0.0 << 4280.0;
        QTest::newRow("K 9.99: 160·K = 1598.4, scaled to 1200")
            << Elements{0.05, 9.99, 5, 0} << Row::CircularSmallK << 0.0 << 4680.0;
        QTest::newRow("brown dwarf K 2000 at θ π: 1200 up")
            << Elements{0, 2000, 5, 0} << Row::CircularLargeK << pi << 2280.0;
        QTest::newRow("negative K is mirrored: 160·(−5)")
            << Elements{0, -5, 5, 0} << Row::CircularSmallK << 0.0 << 2680.0;
        QTest::newRow("K 0 is flat") << Elements{0, 0, 5, 1} << Row::CircularSmallK << 0.0 << 3480.0;
    }

    void rows()
    {
        QFETCH(Elements, elements);
        QFETCH(Row, row);
        QFETCH(double, theta);
        QFETCH(double, height);
        QCOMPARE(RvCurve::rowFor(elements.eccentricity, elements.semiAmplitude), std::optional<Row>(row));
        const float y = RvCurve::height(row, elements, float(theta));
        QVERIFY2(std::fabs(y - height) < 1e-2, qPrintable(QString::number(y)));
    }

    void points_data()
    {
        QTest::addColumn<Elements>("elements");
        QTest::addColumn<double>("firstX"); // NaN: no curve at all
        QTest::addColumn<double>("lastX");

        // Y at θ = 0 and X two degrees later, the last X at θ ≈ 721.997° = 12.60122 rad.
        const double twoDegrees = StoredValues::Pi / 90;
        QTest::newRow("e 1: no curve") << Elements{1, 50, 5, 0} << qQNaN() << qQNaN();
        QTest::newRow("e below 0: no curve") << Elements{-0.01, 50, 5, 0} << qQNaN() << qQNaN();
        QTest::newRow("ω not finite: no curve") << Elements{0, 50, 10, qInf()} << qQNaN() << qQNaN();
        QTest::newRow("P 0: stays at 300") << Elements{0, 20, 0, 0} << 300.0 << 300.0;
        QTest::newRow("P 4.230785: 300 + 423.0785·θ")
            << Elements{0, 20, 4.230785, 0} << 300 + 423.0785 * twoDegrees << 5631.31;
        QTest::newRow("P 9.99: no wider than P 5, 300 + 500·θ, inside 7335")
            << Elements{0, 20, 9.99, 0} << 300 + 500 * twoDegrees << 6600.61;
        QTest::newRow("P 10: 200 + 500·θ") << Elements{0, 20, 10, 0} << 200 + 500 * twoDegrees << 6500.61;
    }

    void points()
    {
        QFETCH(Elements, elements);
        QFETCH(double, firstX);
        QFETCH(double, lastX);
        const QList<QPointF> points = RvCurve::points(elements);
        if (std::isnan(firstX)) {
            QVERIFY(points.isEmpty());
            return;
        }
        QCOMPARE(points.size(), 241);
        // K 20 on a circle: 3480 + 16·20·cos θ, the last Y just short of 720°.
        QVERIFY(std::fabs(points.first().y() - 3800) < 1e-3);
        QVERIFY(std::fabs(points.first().x() - firstX) < 1e-3);
        QVERIFY(std::fabs(points.last().y() - (3480 + 320 * std::cos(719.997 * StoredValues::Pi / 180))) < 1e-2);
        QVERIFY2(std::fabs(points.last().x() - lastX) < 0.05, qPrintable(QString::number(points.last().x())));
    }

    void everyPlanetFits()
    {
        // The plot is 7335 × 4935; the curve keeps within 1200 of the axis at 3480.
        const QRectF plot = QRectF(0, 2280, 7335, 2400).adjusted(-1e-3, -1e-3, 1e-3, 1e-3);
        int curves = 0;
        for (double period : {0.1, 1.0, 4.230785, 5.58, 8.0, 9.99, 10.0, 1000.0, 1e6, 1e300}) {
            for (double k : {0.0, 0.01, 5.0, 9.99, 10.0, 55.94, 99.99, 100.0, 2000.0, 1e6, 1e38}) {
                for (double e : {0.0, 0.05, 0.1, 0.5, 0.99}) {
                    for (double omega : {0.1, 1.0, 3.0, 6.0}) {
                        const QList<QPointF> points = RvCurve::points(Elements{e, k, period, omega});
                        QCOMPARE(points.size(), 241);
                        for (const QPointF &point : points) {
                            if (!plot.contains(point))
                                QFAIL(qPrintable(QStringLiteral("P %1 K %2 e %3 ω %4: %5, %6")
                                                     .arg(period)
                                                     .arg(k)
                                                     .arg(e)
                                                     .arg(omega)
                                                     .arg(point.x())
                                                     .arg(point.y())));
                        }
                        ++curves;
                    }
                }
            }
        }
        QCOMPARE(curves, 10 * 11 * 5 * 4);
    }

    void summary_data()
    {
        QTest::addColumn<bool>("earthMasses");
        QTest::addColumn<QString>("massLine");
        QTest::newRow("Jupiter masses") << false << "Mass = 2.5 M_JUP/sin|i";
        QTest::newRow("Earth masses") << true << "Mass = 2.5 M_E/sin|i";
    }

    void summary()
    {
        QFETCH(bool, earthMasses);
        QFETCH(QString, massLine);
        QStringList texts;
        for (const RvCurve::SummaryLine &line :
             RvCurve::summary(QStringLiteral("51Peg b"), 2.5, earthMasses, Elements{0.013, 55.94, 4.230785, 1}))
            texts << line.text + u'|' + line.italicTail;
        QCOMPARE(texts, QStringList({"Planet: 51Peg b|", massLine, "P = 4.230785 day|", "K =55.94m/s|", "e =0.013|"}));
    }
};

QTEST_APPLESS_MAIN(TestRvCurve)
#include "tst_rvcurve.moc"
