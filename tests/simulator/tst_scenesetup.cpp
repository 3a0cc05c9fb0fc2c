#include "simulatorfixture.h"

#include "app/appinfo.h"
#include "app/colors.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/textnumber.h"
#include "catalog/catalog.h"
#include "massfunction/form2.h"
#include "massfunction/massfunction.h"
#include "rv/rv.h"
#include "simulator/form1.h"
#include "simulator/orbitmotion.h"
#include "simulator/scenesetup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

const QColor Magenta = Colors::rgb(255, 0, 255);
const QColor CircleLine = Colors::rgb(0, 255, 169);
const QColor EllipseLine = Colors::rgb(0, 255, 149);
const QColor Black = Colors::rgb(0, 0, 0);
const QColor Yellow = Colors::rgb(255, 255, 0);

QStringList promptsOf(const QList<ScriptedPlatform::Box> &boxes)
{
    QStringList prompts;
    for (const ScriptedPlatform::Box &box : boxes)
        prompts.append(box.prompt);
    return prompts;
}

const QStringList AllPrompts = {SceneSetup::periodPrompt(),       SceneSetup::velocityPrompt(),
                                SceneSetup::eccentricityPrompt(), SceneSetup::periastronPrompt(),
                                SceneSetup::distancePrompt(),     SceneSetup::starMassPrompt()};

} // namespace

class TestSceneSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void catalogHitAsksTwoQuestions();
    void everyCatalogPlanet_data();
    void everyCatalogPlanet();
    void earthMassDisplay();
    void catalogMissAsksFourQuestions();
    void velocityBeyondSinglePrecisionMisses();
    void starMassTakesNoPart();
    void stopAnswers_data();
    void stopAnswers();
    void emptyEccentricityIsCircular();
    void refusals_data();
    void refusals();
    void circularOrbitKeepsScreen3();
    void brownDwarfBetween75And76();
    void drawingAfterSetUpAndStop();
    void ellipseDrawing();
    void massFunctionGuardStops();

private:
    Form1 *simulator() const { return m_fixture->simulator(); }
    ScriptedPlatform &platform() { return m_fixture->platform(); }
    QString panel1() const { return form<MDIForm1>()->panel1(); }

    std::unique_ptr<SimulatorFixture> m_fixture;
};

void TestSceneSetup::init()
{
    m_fixture = std::make_unique<SimulatorFixture>();
}

void TestSceneSetup::cleanup()
{
    m_fixture.reset();
}

void TestSceneSetup::catalogHitAsksTwoQuestions()
{
    m_fixture->setUp({QStringLiteral("4.230785"), QStringLiteral("55.94")});

    QCOMPARE(promptsOf(platform().inputBoxes), AllPrompts.mid(0, 2));
    for (const ScriptedPlatform::Box &box : platform().inputBoxes)
        QCOMPARE(box.title, QStringLiteral(" Orbiquest9 Ver. 9.0"));
    QCOMPARE(platform().beeps, 2);
    QVERIFY(platform().messageBoxes.isEmpty());

    Form2 *catalog = form<Form2>();
    QCOMPARE(catalog->Text1->text(), QStringLiteral("0.4716685"));
    QCOMPARE(catalog->Text5->text(), QStringLiteral("Planet"));
    QCOMPARE(Controls::foreColor(catalog->Text5), Colors::rgb(255, 0, 0));
    QCOMPARE(catalog->Text3->text(), QStringLiteral("Circle"));
    QCOMPARE(Controls::foreColor(catalog->Text3), Colors::rgb(0, 0, 169));

    RV *rv = form<RV>();
    QCOMPARE(rv->Text1->text(), QStringLiteral("0.013"));
    QCOMPARE(rv->Text2->text(), QStringLiteral("55.94"));
    QCOMPARE(rv->Text3->text(), QStringLiteral("4.230785"));
    QCOMPARE(rv->Text5->text(), TextNumber::shortest(58 * OrbitMotion::RadiansPerDegree));
    QCOMPARE(SimulatorFixture::countColor(rv->RVC->image(), Yellow) > 200, true);

    QCOMPARE(panel1(), QStringLiteral("Running  ") + AppInfo::copyrightNotice());
    QVERIFY(simulator()->Timer1->isActive());
    QCOMPARE(Controls::foreColor(simulator()->Label1), Colors::rgb(255, 255, 255));
    QCOMPARE(simulator()->BodyClass, QStringLiteral("Planet"));
    QCOMPARE(simulator()->EntryCount, qint16(15));
    QCOMPARE(simulator()->WobbleRadius, 318.0);
    // 0.0527 AU gives 243.5 twips, inside the star's circle, so 500 more.
    QVERIFY(std::fabs(simulator()->OrbitRadius - 743.474) < 1e-2);
}

void TestSceneSetup::everyCatalogPlanet_data()
{
    QTest::addColumn<int>("index");
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i)
        QTest::newRow(qPrintable(PlanetCatalog::planetName(i))) << i;
}

void TestSceneSetup::everyCatalogPlanet()
{
    QFETCH(int, index);
    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const auto i = size_t(index);
    m_fixture->setUp({TextNumber::shortest(catalog.CatalogP[i]),
                      TextNumber::shortest(catalog.CatalogK[i])});

    QCOMPARE(platform().inputBoxes.size(), 2);
    QVERIFY(platform().messageBoxes.isEmpty());
    QCOMPARE(simulator()->Eccentricity, catalog.CatalogE[i]);
    QCOMPARE(simulator()->AxisAU, float(catalog.CatalogA[i]));
    QCOMPARE(form<RV>()->Text5->text(),
             TextNumber::shortest(catalog.CatalogOmega[i] * OrbitMotion::RadiansPerDegree));
    QCOMPARE(form<Form2>()->Text3->text(),
             catalog.CatalogE[i] < 0.1 ? QStringLiteral("Circle") : QStringLiteral("Ellipse"));
    const float expected = MassFunctionMath::jupiterMasses(MassFunctionMath::minimumMassKg(
        catalog.CatalogA[i] * MassFunctionMath::MetresPerAU, catalog.CatalogP[i],
        catalog.CatalogE[i], float(catalog.CatalogK[i])));
    QCOMPARE(form<Form2>()->Text1->text(), TextNumber::shortest(expected));
    QVERIFY(simulator()->Timer1->isActive());
}

void TestSceneSetup::earthMassDisplay()
{
    form<Form2>()->Check1->setChecked(true);
    m_fixture->setUp({QStringLiteral("4.230785"), QStringLiteral("55.94")});
    QCOMPARE(form<Form2>()->Text1->text(), QStringLiteral("149.9906"));
    // The class is judged in Jupiter masses whatever the display.
    QCOMPARE(form<Form2>()->Text5->text(), QStringLiteral("Planet"));
    QCOMPARE(simulator()->MinMassJup, 0.4716685f);
}

void TestSceneSetup::catalogMissAsksFourQuestions()
{
    m_fixture->setUp({QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"),
                      QStringLiteral("90"), QStringLiteral("0.1"), QStringLiteral("1")});

    QCOMPARE(promptsOf(platform().inputBoxes), AllPrompts);
    QCOMPARE(platform().beeps, 6);
    QVERIFY(platform().messageBoxes.isEmpty());
    QCOMPARE(form<RV>()->Text1->text(), QStringLiteral("0.2"));
    QCOMPARE(form<RV>()->Text2->text(), QStringLiteral("50"));
    QCOMPARE(form<RV>()->Text3->text(), QStringLiteral("10"));
    QCOMPARE(form<RV>()->Text5->text(), TextNumber::shortest(90 * OrbitMotion::RadiansPerDegree));
    QCOMPARE(form<Form2>()->Text3->text(), QStringLiteral("Ellipse"));
    QCOMPARE(Controls::foreColor(form<Form2>()->Text3), Colors::rgb(0, 0, 149));
    QCOMPARE(simulator()->StarMassSolar, 1.0);
    QVERIFY(std::fabs(simulator()->OrbitRadius - 462) < 1e-3);
    QVERIFY(std::fabs(simulator()->OrbitHeight - 2310) < 1e-3);
    const float expected = MassFunctionMath::jupiterMasses(
        MassFunctionMath::minimumMassKg(double(0.1f) * MassFunctionMath::MetresPerAU, 10, 0.2, 50));
    QCOMPARE(form<Form2>()->Text1->text(), TextNumber::shortest(expected));
    QCOMPARE(panel1(), QStringLiteral("Running  ") + AppInfo::copyrightNotice());
}

void TestSceneSetup::velocityBeyondSinglePrecisionMisses()
{
    m_fixture->setUp({QStringLiteral("4.230785"), QStringLiteral("55.9401")});
    QVERIFY(platform().inputBoxes.size() > 2);
    QCOMPARE(platform().inputBoxes.at(2).prompt, SceneSetup::eccentricityPrompt());
}

void TestSceneSetup::starMassTakesNoPart()
{
    m_fixture->setUp({QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"),
                      QStringLiteral("90"), QStringLiteral("0.1"), QStringLiteral("1")});
    const QString withOneSun = form<Form2>()->Text1->text();
    m_fixture->setUp({QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"),
                      QStringLiteral("90"), QStringLiteral("0.1"), QStringLiteral("3")});
    QCOMPARE(form<Form2>()->Text1->text(), withOneSun);
    QCOMPARE(simulator()->StarMassSolar, 3.0);
}

void TestSceneSetup::stopAnswers_data()
{
    QTest::addColumn<QStringList>("answers");

    const QStringList toA = {QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"),
                             QStringLiteral("90")};
    QTest::newRow("P empty") << QStringList{QString()};
    QTest::newRow("P zero") << QStringList{QStringLiteral("0")};
    QTest::newRow("P negative") << QStringList{QStringLiteral("-3")};
    QTest::newRow("P not a number") << QStringList{QStringLiteral("abc")};
    QTest::newRow("K empty") << QStringList{QStringLiteral("10"), QString()};
    QTest::newRow("K zero") << QStringList{QStringLiteral("10"), QStringLiteral("0")};
    QTest::newRow("K below single precision") << QStringList{QStringLiteral("10"), QStringLiteral("1e-50")};
    QTest::newRow("e negative") << QStringList{QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("-0.1")};
    QTest::newRow("omega empty") << QStringList{QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"), QString()};
    QTest::newRow("omega zero") << QStringList{QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"), QStringLiteral("0")};
    QTest::newRow("omega negative") << QStringList{QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("0.2"), QStringLiteral("-5")};
    QTest::newRow("a empty") << (toA + QStringList{QString()});
    QTest::newRow("a zero") << (toA + QStringList{QStringLiteral("0")});
    QTest::newRow("a below single precision") << (toA + QStringList{QStringLiteral("1e-50")});
    QTest::newRow("M empty") << (toA + QStringList{QStringLiteral("1"), QString()});
    QTest::newRow("M zero") << (toA + QStringList{QStringLiteral("1"), QStringLiteral("0")});
}

void TestSceneSetup::stopAnswers()
{
    QFETCH(QStringList, answers);
    simulator()->Simulator->circle(QPointF(5000, 4000), 1000, Magenta);
    m_fixture->setUp(answers);

    QCOMPARE(promptsOf(platform().inputBoxes), AllPrompts.mid(0, answers.size()));
    // One beep per question and one from the stop.
    QCOMPARE(platform().beeps, answers.size() + 1);
    QVERIFY(platform().messageBoxes.isEmpty());
    QVERIFY(!simulator()->Timer1->isActive());
    QCOMPARE(panel1(), SimulatorFixture::stoppedPanel());
    QCOMPARE(SimulatorFixture::countColor(simulator()->Simulator->image(), Magenta), 0);
    QCOMPARE(form<Form2>()->Text1->text(), QString());
    QCOMPARE(form<RV>()->Text1->text(), QString());
}

void TestSceneSetup::emptyEccentricityIsCircular()
{
    m_fixture->setUp({QStringLiteral("10"), QStringLiteral("50"), QString(), QStringLiteral("90"),
                      QStringLiteral("0.1"), QStringLiteral("1")});
    QCOMPARE(platform().inputBoxes.size(), 6);
    QCOMPARE(simulator()->Eccentricity, 0.0);
    QCOMPARE(form<Form2>()->Text3->text(), QStringLiteral("Circle"));
    QCOMPARE(form<RV>()->Text1->text(), QStringLiteral("0"));
}

void TestSceneSetup::refusals_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("reason");

    const QString eccentricity = SceneSetup::eccentricityRefusal();
    const QString tooLarge = SceneSetup::tooLargeRefusal();
    QTest::newRow("e of 1") << QStringList{"10", "50", "1"} << eccentricity;
    QTest::newRow("e above 1") << QStringList{"10", "50", "1.5"} << eccentricity;
    QTest::newRow("e beyond double range") << QStringList{"10", "50", "1e999"} << eccentricity;
    QTest::newRow("P beyond double range") << QStringList{"1e400"} << tooLarge;
    QTest::newRow("K beyond single range") << QStringList{"10", "1e39"} << tooLarge;
    QTest::newRow("omega beyond double range") << QStringList{"10", "50", "0.2", "1e400"} << tooLarge;
    QTest::newRow("a beyond single range") << QStringList{"10", "50", "0.2", "90", "1e39"} << tooLarge;
    QTest::newRow("M overflows in kilograms") << QStringList{"10", "50", "0.2", "90", "1", "1e300"} << tooLarge;
    QTest::newRow("mass overflows") << QStringList{"1e30", "1e30", "0.2", "90", "1e30", "1"} << tooLarge;
    // A tiny orbit keeps the mass finite while 16·K leaves single precision.
    QTest::newRow("curve overflows") << QStringList{"1", "2.5e37", "0", "90", "1e-20", "1"} << tooLarge;
}

void TestSceneSetup::refusals()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, reason);
    m_fixture->setUp(answers);

    QCOMPARE(platform().inputBoxes.size(), answers.size());
    QCOMPARE(platform().messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = platform().messageBoxes.first();
    QCOMPARE(box.prompt, reason);
    QCOMPARE(box.title, QStringLiteral("Orbiquest9"));
    QCOMPARE(box.style, MsgBox::OkOnly | MsgBox::Exclamation);
    QCOMPARE(platform().beeps, answers.size() + 1);
    QVERIFY(!simulator()->Timer1->isActive());
    QCOMPARE(panel1(), SimulatorFixture::stoppedPanel());
    QCOMPARE(form<Form2>()->Text1->text(), QString());
    QCOMPARE(form<RV>()->Text2->text(), QString());
    for (double value : {simulator()->PeriodDays, double(simulator()->SemiAmplitude),
                         simulator()->Eccentricity, double(simulator()->AxisAU),
                         simulator()->AxisMetres, simulator()->StarMassKg, simulator()->MinMassKg,
                         double(simulator()->MinMassJup), simulator()->OrbitRadius,
                         simulator()->OrbitHeight})
        QVERIFY(std::isfinite(value));
}

void TestSceneSetup::circularOrbitKeepsScreen3()
{
    QPointer<RV> shown = form<RV>();
    shown->show();
    m_fixture->setUp({QStringLiteral("2.87598"), QStringLiteral("40.4")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    QCOMPARE(form<RV>(), shown.data());
    QCOMPARE(shown->Text1->text(), QStringLiteral("0"));
    QVERIFY(SimulatorFixture::countColor(shown->RVC->image(), Yellow) > 200);
    QVERIFY(platform().messageBoxes.isEmpty());
}

void TestSceneSetup::brownDwarfBetween75And76()
{
    // At 1 AU and one year, 1 m/s is 0.03517 Jupiter masses.
    m_fixture->setUp({QStringLiteral("365.2422"), QStringLiteral("3000"), QStringLiteral("0"),
                      QStringLiteral("90"), QStringLiteral("1"), QStringLiteral("1")});
    QCOMPARE(form<Form2>()->Text5->text(), QStringLiteral("Star"));
    m_fixture->setUp({QStringLiteral("365.2422"), QStringLiteral("2146.7"), QStringLiteral("0"),
                      QStringLiteral("90"), QStringLiteral("1"), QStringLiteral("1")});
    QVERIFY(simulator()->MinMassJup > 75 && simulator()->MinMassJup <= 76);
    QCOMPARE(form<Form2>()->Text5->text(), QStringLiteral("Brown Dwarf"));
    QCOMPARE(Controls::foreColor(form<Form2>()->Text5), Colors::rgb(99, 31, 0));
}

void TestSceneSetup::drawingAfterSetUpAndStop()
{
    // 47UMa c: e = 0, 3.8 AU, drawn as a whole circle of 4620 × 3.8 / 10 twips.
    m_fixture->setUp({QStringLiteral("2594"), QStringLiteral("11.1")});
    Form1 *form1 = simulator();
    const QImage drawn = form1->Simulator->image();
    const QPointF star(form1->StarCenterX, form1->StarCenterY);
    const QPointF orbit(form1->OrbitCenterX, form1->OrbitCenterY);
    const double radius = form1->OrbitRadius;
    QVERIFY(std::fabs(radius - 1755.6) < 1e-2);
    for (const QPointF &offset : {QPointF(318, 0), QPointF(-318, 0), QPointF(0, 318), QPointF(0, -318)})
        QVERIFY(SimulatorFixture::colorNear(drawn, star + offset, Magenta));
    for (const QPointF &offset : {QPointF(radius, 0), QPointF(-radius, 0), QPointF(0, radius),
                                  QPointF(0, -radius)})
        QVERIFY(SimulatorFixture::colorNear(drawn, orbit + offset, CircleLine));
    // Nothing of either colour lies well inside the star's circle.
    QVERIFY(!SimulatorFixture::colorNear(drawn, star, Magenta, 10));

    form1->Exit_Click();
    const QImage stopped = form1->Simulator->image();
    QCOMPARE(SimulatorFixture::countColor(stopped, Magenta), 0);
    QCOMPARE(SimulatorFixture::countColor(stopped, CircleLine), 0);
    QCOMPARE(SimulatorFixture::countColor(stopped, Black), stopped.width() * stopped.height());
}

void TestSceneSetup::ellipseDrawing()
{
    // 16Cygni B: e = 0.681 at 1.681 AU, radius 7766.2 reduced to 776.6.
    m_fixture->setUp({QStringLiteral("798.5"), QStringLiteral("50.5")});
    Form1 *form1 = simulator();
    const QImage drawn = form1->Simulator->image();
    const QPointF centre(form1->OrbitCenterX, form1->OrbitCenterY);
    const double radius = form1->OrbitRadius;
    const double height = form1->Eccentricity * radius;
    QVERIFY(SimulatorFixture::colorNear(drawn, centre + QPointF(radius, 0), EllipseLine));
    QVERIFY(SimulatorFixture::colorNear(drawn, centre + QPointF(-radius, 0), EllipseLine));
    QVERIFY(SimulatorFixture::colorNear(drawn, centre + QPointF(0, height), EllipseLine));
    QVERIFY(SimulatorFixture::colorNear(drawn, centre + QPointF(0, -height), EllipseLine));
    QVERIFY(!SimulatorFixture::colorNear(drawn, centre + QPointF(0, radius), EllipseLine));
    QCOMPARE(SimulatorFixture::countColor(drawn, CircleLine), 0);
}

void TestSceneSetup::massFunctionGuardStops()
{
    simulator()->Timer1->start();
    QCOMPARE(simulator()->MassFunction(1, 1, 0.1, 0, 1), 0.0f);
    QCOMPARE(platform().beeps, 1);
    QVERIFY(!simulator()->Timer1->isActive());
    QCOMPARE(panel1(), SimulatorFixture::stoppedPanel());
    QCOMPARE(simulator()->MassFunction(1e10, 1, 1.5, 10, 1), 0.0f);
    QCOMPARE(platform().beeps, 2);
    QVERIFY(simulator()->MassFunction(1e10, 1, 0.1, 10, 1) > 0);
    QCOMPARE(simulator()->MassFunction(1e10, 1, 0.1, 10, 1),
             simulator()->MassFunction(1e10, 1, 0.1, 10, 7));
}

QTEST_MAIN(TestSceneSetup)
#include "tst_scenesetup.moc"
