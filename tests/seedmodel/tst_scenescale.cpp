#include "seedmodel/orbitform.h"
#include "seedmodel/orbitmotion.h"
#include "seedmodel/scenescale.h"

#include <QTest>

#include <cmath>

class TestSceneScale : public QObject
{
    Q_OBJECT

private slots:
    void sizes_data()
    {
        QTest::addColumn<float>("axisAU");
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("height");

        // The room for the vertical half-axis: 7995 / 2 − 555 / 2 = 3720 twips.
        QTest::newRow("1 AU: 4620 shrunk to fit the height") << 1.0f << 0.0 << 3720.0 << 3720.0;
        QTest::newRow("9 AU: 41580, 4158, shrunk to fit") << 9.0f << 0.0 << 3720.0 << 3720.0;
        QTest::newRow("0.1 AU") << 0.1f << 0.0 << 462.0 << 462.0;
        QTest::newRow("0.08 AU: 369.6 × 10 still fits") << 0.08f << 0.0 << 3696.0 << 3696.0;
        QTest::newRow("0.05 AU inside the star's circle") << 0.05f << 0.0 << 731.0 << 731.0;
        QTest::newRow("0.02 AU magnified by 8") << 0.02f << 0.0 << 739.2 << 739.2;
        // Ellipses: height = radius × √(1 − e²).
        QTest::newRow("e 0.2 at 0.1 AU: 462 × 0.9797959") << 0.1f << 0.2 << 462.0 << 452.6657;
        QTest::newRow("e 0.6 at 0.1 AU: 462 × 0.8") << 0.1f << 0.6 << 462.0 << 369.6;
        QTest::newRow("e 0.5 after the radius grew: 731 × 0.8660254") << 0.05f << 0.5 << 731.0 << 633.0646;
        QTest::newRow("e 0.6 at 1 AU: 3696 high fits, 4620 wide") << 1.0f << 0.6 << 4620.0 << 3696.0;
        // 4620 × √0.99 = 4596.84 is too high: both × 3720 / 4596.84, radius 3720 / √0.99.
        QTest::newRow("e 0.1 at 1 AU: shrunk, shape kept") << 1.0f << 0.1 << 3738.7407 << 3720.0;
    }

    void sizes()
    {
        QFETCH(float, axisAU);
        QFETCH(double, eccentricity);
        QFETCH(double, radius);
        QFETCH(double, height);
        const SceneScale::Sizes sizes = SceneScale::forOrbit(axisAU, eccentricity);
        QVERIFY2(std::fabs(sizes.orbitRadius - radius) < 1e-3 && std::fabs(sizes.orbitHeight - height) < 1e-3,
                 qPrintable(QStringLiteral("%1 × %2").arg(sizes.orbitRadius).arg(sizes.orbitHeight)));
    }

    void orbitForm_data()
    {
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<QString>("name"); // empty: not drawn
        QTest::addColumn<double>("aspect");
        QTest::addColumn<double>("startAngle"); // -1: none

        QTest::newRow("whole circle") << 0.0 << "Circle" << 1.0 << 0.0;
        QTest::newRow("circle with a gap") << 0.05 << "Circle" << 1.0 << 0.05;
        QTest::newRow("0.0999 is still a circle") << 0.0999 << "Circle" << 1.0 << 0.0999;
        // Aspect √(1 − e²): nearly round at 0.1, flat at 0.9.
        QTest::newRow("0.1 is a nearly round ellipse") << 0.1 << "Ellipse" << 0.99498744 << -1.0;
        QTest::newRow("0.6 is four fifths as high as wide") << 0.6 << "Ellipse" << 0.8 << -1.0;
        QTest::newRow("0.9 is flat") << 0.9 << "Ellipse" << 0.43588989 << -1.0;
        QTest::newRow("1 is not drawn") << 1.0 << "" << 0.0 << 0.0;
        QTest::newRow("negative is not drawn") << -0.01 << "" << 0.0 << 0.0;
    }

    void orbitForm()
    {
        QFETCH(double, eccentricity);
        QFETCH(QString, name);
        const std::optional<OrbitForm> form = OrbitForm::of(eccentricity);
        QCOMPARE(form.has_value(), !name.isEmpty());
        if (!form)
            return;
        QCOMPARE(form->name, name);
        QFETCH(double, aspect);
        QVERIFY(std::fabs(form->aspect - aspect) < 1e-8);
        QTEST(form->startAngle.value_or(-1.0), "startAngle");
    }

    void corners_data()
    {
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<int>("angle");
        QTest::addColumn<QPointF>("planet");
        QTest::addColumn<QPointF>("star");

        // Radius 2310, height 462, star circle 318, centres (5377, 3997); y grows
        // downwards. The corners lie half a picture (375 × 555 for the planet,
        // 735 × 855 for the star) up and left of the path.
        QTest::newRow("circle at 0°: planet 3067, 3997; star 5695, 3997")
            << 0.0 << 0 << QPointF(2879.5, 3719.5) << QPointF(5327.5, 3569.5);
        QTest::newRow("circle at 90°: planet 5377, 1687; star 5377, 4315")
            << 0.0 << 90 << QPointF(5189.5, 1409.5) << QPointF(5009.5, 3887.5);
        QTest::newRow("ellipse uses its own height: planet 5377, 3535")
            << 0.2 << 90 << QPointF(5189.5, 3257.5) << QPointF(5009.5, 3887.5);
        QTest::newRow("e of 1 parks the planet") << 1.0 << 90 << QPointF(0, 0) << QPointF(5009.5, 3887.5);
        QTest::newRow("negative e parks the planet") << -0.5 << 0 << QPointF(0, 0) << QPointF(5327.5, 3569.5);
    }

    void corners()
    {
        QFETCH(double, eccentricity);
        QFETCH(int, angle);
        QFETCH(QPointF, planet);
        QFETCH(QPointF, star);
        const OrbitMotion::Orbit orbit{eccentricity, 2310, 462, 318, QPointF(5377, 3997), QPointF(5377, 3997)};
        QVERIFY((OrbitMotion::planetCorner(orbit, angle) - planet).manhattanLength() < 1e-3);
        QVERIFY((OrbitMotion::starCorner(orbit, angle) - star).manhattanLength() < 1e-3);
    }

    void sceneStaysOnItsOrbitAndInside_data()
    {
        QTest::addColumn<float>("axisAU");
        // Ends of the ranges the reductions and magnifications produce, and
        // (0.866, 1] and (8.66, 10] AU, which reach 4000 to 4620 twips.
        for (float a : {0.0001f, 0.02f, 0.05f, 0.068f, 0.0865f, 0.087f, 0.1f, 0.5f, 0.866f, 0.95f, 1.0f, 1.01f, 5.0f,
                        8.7f, 10.0f, 999.0f, 3e30f})
            QTest::newRow(qPrintable(QString::number(double(a)))) << a;
    }

    void sceneStaysOnItsOrbitAndInside()
    {
        QFETCH(float, axisAU);
        // The inner area is 10755 × 7995 twips, centred at (5377.5, 3997.5).
        const QRectF area(0, 0, 10755, 7995);
        const QPointF centre(5377.5, 3997.5);
        for (double e : {0.0, 0.05, 0.1, 0.2, 0.3, 0.5, 0.9}) {
            const SceneScale::Sizes sizes = SceneScale::forOrbit(axisAU, e);
            // The drawing is an ellipse of half-axes radius and radius × aspect.
            const double drawnHeight = sizes.orbitRadius * OrbitForm::of(e)->aspect;
            QVERIFY(area.contains(QRectF(centre.x() - sizes.orbitRadius, centre.y() - drawnHeight,
                                         2 * sizes.orbitRadius, 2 * drawnHeight)));
            const OrbitMotion::Orbit orbit{e, sizes.orbitRadius, sizes.orbitHeight, sizes.wobbleRadius, centre, centre};
            for (int angle = 0; angle < 360; ++angle) {
                const QRectF planet(OrbitMotion::planetCorner(orbit, angle), QSizeF(375, 555));
                const QRectF star(OrbitMotion::starCorner(orbit, angle), QSizeF(735, 855));
                const QPointF path = planet.center() - centre;
                const double onEllipse =
                    std::pow(path.x() / sizes.orbitRadius, 2) + std::pow(path.y() / drawnHeight, 2);
                if (!area.contains(planet) || !area.contains(star) || std::fabs(onEllipse - 1) > 1e-5)
                    QFAIL(qPrintable(
                        QStringLiteral("e %1, angle %2: %3 on the drawn orbit").arg(e).arg(angle).arg(onEllipse)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestSceneScale)
#include "tst_scenescale.moc"
