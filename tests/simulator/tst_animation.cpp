#include "simulatorfixture.h"

#include "app/appinfo.h"
#include "app/colors.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "rv/rv.h"
#include "simulator/form1.h"
#include "simulator/orbitmotion.h"
#include "simulator/stopsimulation.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <memory>

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timerPaceAndStart();
    void beforeTheFirstSetUpBothSitOnTheCentre();
    void tickMovesBothPictures_data();
    void tickMovesBothPictures();
    void tickNeverRedrawsTheOrbit();
    void angleWraps();
    void stopAfterSetUpStopClearsTheRvPicture();
    void stopAfterExitClearsTheSimulatorPicture();
    void stopLoadsRvHidden();

private:
    Form1 *simulator() const { return m_fixture->simulator(); }
    std::unique_ptr<SimulatorFixture> m_fixture;
};

void TestAnimation::init()
{
    m_fixture = std::make_unique<SimulatorFixture>();
}

void TestAnimation::cleanup()
{
    m_fixture.reset();
}

void TestAnimation::timerPaceAndStart()
{
    // 360 ticks a revolution at the old platform's 15.6 ms: about 5.6 s.
    QCOMPARE(simulator()->Timer1->interval(), 16);
    QVERIFY(simulator()->Timer1->isActive());
}

void TestAnimation::beforeTheFirstSetUpBothSitOnTheCentre()
{
    Form1 *form1 = simulator();
    form1->Timer1_Timer();
    const QPoint centre = form1->Simulator->toPixels(QPointF(form1->CenterX, form1->CenterY));
    QCOMPARE(form1->Planet1->pos(), centre);
    QCOMPARE(form1->Star->pos(), centre);
}

void TestAnimation::tickMovesBothPictures_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<QPointF>("planet");
    QTest::addColumn<QPointF>("star");

    QTest::newRow("0°") << 0 << QPointF(3067, 3997) << QPointF(5695, 3997);
    QTest::newRow("90°") << 90 << QPointF(5377, 1687) << QPointF(5377, 4315);
}

void TestAnimation::tickMovesBothPictures()
{
    QFETCH(int, angle);
    QFETCH(QPointF, planet);
    QFETCH(QPointF, star);

    Form1 *form1 = simulator();
    form1->OrbitCenterX = form1->StarCenterX = 5377;
    form1->OrbitCenterY = form1->StarCenterY = 3997;
    form1->Eccentricity = 0;
    form1->OrbitRadius = 2310;
    form1->WobbleRadius = 318;
    form1->AngleDeg = qint16(angle);
    const QSize planetSize = form1->Planet1->size();
    form1->Timer1_Timer();

    // Nearest-pixel placement; a corner a hair above the line may floor one pixel up.
    const QPoint planetPixel = form1->Simulator->toPixels(planet);
    const QPoint starPixel = form1->Simulator->toPixels(star);
    QVERIFY((form1->Planet1->pos() - planetPixel).manhattanLength() <= 1);
    QVERIFY((form1->Star->pos() - starPixel).manhattanLength() <= 1);
    QCOMPARE(form1->Planet1->size(), planetSize);
    QCOMPARE(form1->AngleDeg, qint16(angle + 1));
}

void TestAnimation::tickNeverRedrawsTheOrbit()
{
    m_fixture->setUp({QStringLiteral("4.230785"), QStringLiteral("55.94")});
    Form1 *form1 = simulator();
    const QImage before = form1->Simulator->image();
    for (int i = 0; i < 400; ++i)
        form1->Timer1_Timer();
    QCOMPARE(form1->Simulator->image(), before);
}

void TestAnimation::angleWraps()
{
    Form1 *form1 = simulator();
    form1->AngleDeg = 32766;
    form1->Timer1_Timer();
    QCOMPARE(form1->AngleDeg, qint16(32767));
    form1->Timer1_Timer();
    QCOMPARE(form1->AngleDeg, qint16(1));
}

void TestAnimation::stopAfterSetUpStopClearsTheRvPicture()
{
    Form1 *form1 = simulator();
    QImage background(20, 20, QImage::Format_RGB32);
    background.fill(Qt::red);
    form1->Simulator->setPicture(background);
    form<RV>()->RVC->setPicture(background);
    form1->Label1->setText(QStringLiteral("caption"));

    StopSimulation();

    QCOMPARE(m_fixture->platform().beeps, 1);
    QVERIFY(!form1->Timer1->isActive());
    QCOMPARE(form1->Label1->text(), QString());
    QVERIFY(!form1->Simulator->picture().isNull());
    QVERIFY(form<RV>()->RVC->picture().isNull());
    QCOMPARE(form<MDIForm1>()->panel1(), SimulatorFixture::stoppedPanel());
}

void TestAnimation::stopAfterExitClearsTheSimulatorPicture()
{
    Form1 *form1 = simulator();
    QImage background(20, 20, QImage::Format_RGB32);
    background.fill(Qt::red);
    form1->Simulator->setPicture(background);
    form<RV>()->RVC->setPicture(background);

    form1->Exit_Click();

    QCOMPARE(form1->Tag, QStringLiteral("Stop"));
    QVERIFY(form1->Simulator->picture().isNull());
    QVERIFY(!form<RV>()->RVC->picture().isNull());
    QVERIFY(!form1->Timer1->isActive());
}

void TestAnimation::stopLoadsRvHidden()
{
    QVERIFY(!FormRegistry::instance().isLoaded<RV>());
    StopSimulation();
    QVERIFY(FormRegistry::instance().isLoaded<RV>());
    QVERIFY(!form<RV>()->isVisible());
}

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
