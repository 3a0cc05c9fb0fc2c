#include "simulator/orbitform.h"
#include "simulator/orbitmotion.h"
#include "simulator/scenescale.h"

#include <QTest>

#include <cmath>

namespace {

bool near(QPointF got, QPointF wanted)
{
    return std::fabs(got.x() - wanted.x()) < 1e-3 && std::fabs(got.y() - wanted.y()) < 1e-3;
}

} // namespace

class TestSceneScale : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void orbitForm_data();
    void orbitForm();
    void corners_data();
    void corners();
};

void TestSceneScale::sizes_data()
{
    QTest::addColumn<float>("axisAU");
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("height");

    QTest::newRow("1 AU is not reduced") << 1.0f << 0.0 << 4620.0 << 0.0;
    QTest::newRow("0.1 AU") << 0.1f << 0.0 << 462.0 << 0.0;
    QTest::newRow("0.07 AU within 100 of the star's circle") << 0.07f << 0.0 << 3234.0 << 0.0;
    QTest::newRow("0.05 AU inside the star's circle") << 0.05f << 0.0 << 731.0 << 0.0;
    QTest::newRow("0.02 AU magnified by 8") << 0.02f << 0.0 << 739.2 << 0.0;
    QTest::newRow("e 0.2 at 0.1 AU: 92.4, 462, 2310") << 0.1f << 0.2 << 462.0 << 2310.0;
    QTest::newRow("e exactly 0.1 is not magnified") << 0.1f << 0.1 << 462.0 << 46.2;
    QTest::newRow("height taken before the radius grows") << 0.05f << 0.5 << 731.0 << 577.5;
}

void TestSceneScale::sizes()
{
    QFETCH(float, axisAU);
    QFETCH(double, eccentricity);
    QFETCH(double, radius);
    QFETCH(double, height);
    const SceneScale::Sizes sizes = SceneScale::forOrbit(axisAU, eccentricity);
    QVERIFY(near({sizes.orbitRadius, sizes.orbitHeight}, {radius, height}));
}

void TestSceneScale::orbitForm_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<QString>("name"); // empty: not drawn
    QTest::addColumn<double>("aspect");
    QTest::addColumn<double>("startAngle"); // -1: none

    QTest::newRow("whole circle") << 0.0 << "Circle" << 1.0 << 0.0;
    QTest::newRow("circle with a gap") << 0.05 << "Circle" << 1.0 << 0.05;
    QTest::newRow("0.0999 is still a circle") << 0.0999 << "Circle" << 1.0 << 0.0999;
    QTest::newRow("0.1 is an ellipse") << 0.1 << "Ellipse" << 0.1 << -1.0;
    QTest::newRow("1 is not drawn") << 1.0 << "" << 0.0 << 0.0;
    QTest::newRow("negative is not drawn") << -0.01 << "" << 0.0 << 0.0;
}

void TestSceneScale::orbitForm()
{
    QFETCH(double, eccentricity);
    QFETCH(QString, name);
    QFETCH(double, aspect);
    QFETCH(double, startAngle);
    const std::optional<OrbitForm> form = OrbitForm::of(eccentricity);
    QCOMPARE(form.has_value(), !name.isEmpty());
    if (!form)
        return;
    QCOMPARE(form->name, name);
    QCOMPARE(form->aspect, aspect);
    QCOMPARE(form->startAngle.value_or(-1.0), startAngle);
}

void TestSceneScale::corners_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QPointF>("planet");
    QTest::addColumn<QPointF>("star");

    // Radius 2310, height 462, star circle 318, centres (5377, 3997); y grows downwards.
    QTest::newRow("circle at 0°") << 0.0 << 0 << QPointF(3067, 3997) << QPointF(5695, 3997);
    QTest::newRow("circle at 90°") << 0.0 << 90 << QPointF(5377, 1687) << QPointF(5377, 4315);
    QTest::newRow("ellipse uses its own height") << 0.2 << 90 << QPointF(5377, 3535) << QPointF(5377, 4315);
    QTest::newRow("e of 1 parks the planet") << 1.0 << 90 << QPointF(0, 0) << QPointF(5377, 4315);
    QTest::newRow("negative e parks the planet") << -0.5 << 0 << QPointF(0, 0) << QPointF(5695, 3997);
}

void TestSceneScale::corners()
{
    QFETCH(double, eccentricity);
    QFETCH(int, angle);
    QFETCH(QPointF, planet);
    QFETCH(QPointF, star);
    const OrbitMotion::Orbit orbit{eccentricity, 2310, 462, 318, QPointF(5377, 3997), QPointF(5377, 3997)};
    QVERIFY(near(OrbitMotion::planetCorner(orbit, angle), planet));
    QVERIFY(near(OrbitMotion::starCorner(orbit, angle), star));
}

QTEST_APPLESS_MAIN(TestSceneScale)
#include "tst_scenescale.moc"
