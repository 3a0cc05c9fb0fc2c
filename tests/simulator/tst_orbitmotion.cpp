#include "simulator/orbitmotion.h"

#include <QTest>

#include <cmath>

using OrbitMotion::Orbit;

class TestOrbitMotion : public QObject
{
    Q_OBJECT

private slots:
    void corners_data();
    void corners();
};

void TestOrbitMotion::corners_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<double>("orbitHeight");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QPointF>("planet");
    QTest::addColumn<QPointF>("star");

    // Radius 2310, star circle 318, both centres at (5377, 3997); y grows
    // downwards, so a quarter turn takes the star below and the planet above.
    QTest::newRow("circle at 0°") << 0.0 << 0.0 << 0 << QPointF(3067, 3997) << QPointF(5695, 3997);
    QTest::newRow("circle at 90°") << 0.0 << 0.0 << 90 << QPointF(5377, 1687) << QPointF(5377, 4315);
    QTest::newRow("circle at 180°") << 0.05 << 0.0 << 180 << QPointF(7687, 3997) << QPointF(5059, 3997);
    QTest::newRow("ellipse uses its own height") << 0.2 << 462.0 << 90 << QPointF(5377, 3535)
                                                 << QPointF(5377, 4315);
    QTest::newRow("e of 1 parks the planet") << 1.0 << 0.0 << 90 << QPointF(0, 0) << QPointF(5377, 4315);
    QTest::newRow("negative e parks the planet") << -0.5 << 0.0 << 0 << QPointF(0, 0) << QPointF(5695, 3997);
}

void TestOrbitMotion::corners()
{
    QFETCH(double, eccentricity);
    QFETCH(double, orbitHeight);
    QFETCH(int, angle);
    QFETCH(QPointF, planet);
    QFETCH(QPointF, star);

    const Orbit orbit{eccentricity, 2310, orbitHeight, 318, QPointF(5377, 3997), QPointF(5377, 3997)};
    const QPointF planetAt = OrbitMotion::planetCorner(orbit, angle);
    const QPointF starAt = OrbitMotion::starCorner(orbit, angle);
    QVERIFY2(std::fabs(planetAt.x() - planet.x()) < 1e-3 && std::fabs(planetAt.y() - planet.y()) < 1e-3,
             qPrintable(QStringLiteral("%1, %2").arg(planetAt.x()).arg(planetAt.y())));
    QVERIFY2(std::fabs(starAt.x() - star.x()) < 1e-3 && std::fabs(starAt.y() - star.y()) < 1e-3,
             qPrintable(QStringLiteral("%1, %2").arg(starAt.x()).arg(starAt.y())));
}

QTEST_APPLESS_MAIN(TestOrbitMotion)
#include "tst_orbitmotion.moc"
