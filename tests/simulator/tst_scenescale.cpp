#include "app/colors.h"
#include "simulator/orbitform.h"
#include "simulator/scenescale.h"

#include <QTest>

#include <cmath>

class TestSceneScale : public QObject
{
    Q_OBJECT

private slots:
    void orbitRadius_data();
    void orbitRadius();
    void orbitHeight_data();
    void orbitHeight();
    void orbitForm_data();
    void orbitForm();
    void noFormOutsideTheRange_data();
    void noFormOutsideTheRange();
};

void TestSceneScale::orbitRadius_data()
{
    QTest::addColumn<float>("axisAU");
    QTest::addColumn<double>("expected");

    QTest::newRow("1 AU is not reduced") << 1.0f << 4620.0;
    QTest::newRow("0.1 AU") << 0.1f << 462.0;
    QTest::newRow("0.07 AU within 100 of the star's circle") << 0.07f << 3234.0;
    QTest::newRow("0.05 AU inside the star's circle") << 0.05f << 731.0;
    QTest::newRow("0.02 AU magnified by 8") << 0.02f << 739.2;
    QTest::newRow("5 AU") << 5.0f << 2310.0;
    QTest::newRow("exactly 10 AU") << 10.0f << 462.0;
    QTest::newRow("55Cnc d at 5.97 AU") << 5.97f << 2758.14;
}

void TestSceneScale::orbitRadius()
{
    QFETCH(float, axisAU);
    QFETCH(double, expected);
    const SceneScale::Sizes sizes = SceneScale::forOrbit(axisAU, 0);
    QVERIFY2(std::fabs(sizes.orbitRadius - expected) < 1e-3,
             qPrintable(QString::number(sizes.orbitRadius, 'g', 10)));
    QCOMPARE(sizes.wobbleRadius, 318.0);
}

void TestSceneScale::orbitHeight_data()
{
    QTest::addColumn<float>("axisAU");
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("height");

    QTest::newRow("e 0.2 at 0.1 AU: 92.4, 462, 2310") << 0.1f << 0.2 << 462.0 << 2310.0;
    QTest::newRow("circle has height e times radius") << 1.0f << 0.05 << 4620.0 << 231.0;
    QTest::newRow("e exactly 0.1 is not magnified") << 0.1f << 0.1 << 462.0 << 46.2;
    QTest::newRow("tall enough already") << 1.0f << 0.5 << 4620.0 << 2310.0;
    QTest::newRow("height before the radius grows") << 0.05f << 0.5 << 731.0 << 577.5;
}

void TestSceneScale::orbitHeight()
{
    QFETCH(float, axisAU);
    QFETCH(double, eccentricity);
    QFETCH(double, radius);
    QFETCH(double, height);
    const SceneScale::Sizes sizes = SceneScale::forOrbit(axisAU, eccentricity);
    QVERIFY(std::fabs(sizes.orbitRadius - radius) < 1e-3);
    QVERIFY2(std::fabs(sizes.orbitHeight - height) < 1e-3,
             qPrintable(QString::number(sizes.orbitHeight, 'g', 10)));
}

void TestSceneScale::orbitForm_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("lineColor");
    QTest::addColumn<QColor>("textColor");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<double>("startAngle");

    const QColor circleLine = Colors::rgb(0, 255, 169);
    const QColor circleText = Colors::rgb(0, 0, 169);
    const QColor ellipseLine = Colors::rgb(0, 255, 149);
    const QColor ellipseText = Colors::rgb(0, 0, 149);
    QTest::newRow("whole circle") << 0.0 << "Circle" << circleLine << circleText << 1.0 << 0.0;
    QTest::newRow("circle with a gap") << 0.05 << "Circle" << circleLine << circleText << 1.0 << 0.05;
    QTest::newRow("just below 0.1") << 0.0999 << "Circle" << circleLine << circleText << 1.0 << 0.0999;
    QTest::newRow("0.1 is an ellipse") << 0.1 << "Ellipse" << ellipseLine << ellipseText << 0.1 << -1.0;
    QTest::newRow("flat ellipse") << 0.9 << "Ellipse" << ellipseLine << ellipseText << 0.9 << -1.0;
}

void TestSceneScale::orbitForm()
{
    QFETCH(double, eccentricity);
    QFETCH(QString, name);
    QFETCH(QColor, lineColor);
    QFETCH(QColor, textColor);
    QFETCH(double, aspect);
    QFETCH(double, startAngle);
    const std::optional<OrbitForm> form = OrbitForm::of(eccentricity);
    QVERIFY(form);
    QCOMPARE(form->name, name);
    QCOMPARE(form->lineColor, lineColor);
    QCOMPARE(form->textColor, textColor);
    QCOMPARE(form->aspect, aspect);
    QCOMPARE(form->startAngle.value_or(-1.0), startAngle);
}

void TestSceneScale::noFormOutsideTheRange_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::newRow("1") << 1.0;
    QTest::newRow("above 1") << 1.5;
    QTest::newRow("negative") << -0.01;
}

void TestSceneScale::noFormOutsideTheRange()
{
    QFETCH(double, eccentricity);
    QVERIFY(!OrbitForm::of(eccentricity));
}

QTEST_APPLESS_MAIN(TestSceneScale)
#include "tst_scenescale.moc"
