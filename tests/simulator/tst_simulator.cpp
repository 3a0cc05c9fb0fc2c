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
#include "simulator/stopsimulation.h"
#include "support/imagecheck.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

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
const QColor Yellow = Colors::rgb(255, 255, 0);
const QColor Black = Colors::rgb(0, 0, 0);

/// True when `image` has `color` within `reach` pixels of the pixel `twips` falls on.
bool colorNear(const QImage &image, QPointF twips, const QColor &color, int reach = 2)
{
    const QPoint centre(int(std::floor(twips.x() / 15)), int(std::floor(twips.y() / 15)));
    for (int y = centre.y() - reach; y <= centre.y() + reach; ++y) {
        for (int x = centre.x() - reach; x <= centre.x() + reach; ++x) {
            if (image.valid(x, y) && QColor(image.pixel(x, y)) == color)
                return true;
        }
    }
    return false;
}

QString stoppedPanel()
{
    return AppInfo::title() + QStringLiteral("  ") + AppInfo::copyrightNotice();
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void catalogHit_data();
    void catalogHit();
    void catalogMiss();
    void stops_data();
    void stops();
    void massFunctionGuard();
    void eccentricityJustBelowOne();
    void drawing_data();
    void drawing();
    void tick();
    void stopSimulation_data();
    void stopSimulation();
    void pressShowsInformation_data();
    void pressShowsInformation();

private:
    /// Queues the answers to the set-up's input boxes, separated by '|'; returns their number.
    int queueAnswers(const QString &answers);
    int setUp(const QString &answers);
    static Form1 *simulator() { return form<Form1>(); }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestSimulator::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
    form<Form1>();
    // A test sees only what its own actions caused, not the start-up's.
    m_platform->messageBoxes.clear();
    m_platform->beeps = 0;
}

void TestSimulator::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}

int TestSimulator::queueAnswers(const QString &answers)
{
    const QStringList list = answers.split(u'|');
    for (const QString &answer : list)
        m_platform->inputAnswers.enqueue(answer);
    return int(list.size());
}

int TestSimulator::setUp(const QString &answers)
{
    const int count = queueAnswers(answers);
    simulator()->Screen1_Click();
    return count;
}

void TestSimulator::catalogHit_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("jupiter");
    QTest::addColumn<QString>("earth");
    QTest::addColumn<QString>("bodyClass");

    // Worked out separately in double precision with single-precision
    // rounding of K, m, m_J and the Earth-mass product.
    QTest::newRow("1 51Peg b") << 1 << "0.4716685" << "149.9906" << "Planet";
    QTest::newRow("2 HD149026 b") << 2 << "0.3367548" << "107.088" << "Planet";
    QTest::newRow("3 HD209458 b") << 3 << "0.6900058" << "219.4218" << "Planet";
    QTest::newRow("4 Cassiopeia HD17156 b") << 4 << "2.780583" << "884.2253" << "Planet";
    QTest::newRow("5 55Cnc b") << 5 << "0.8329747" << "264.886" << "Planet";
    QTest::newRow("6 55Cnc c") << 6 << "0.1570678" << "49.94755" << "Planet";
    QTest::newRow("7 55Cnc d") << 7 << "3.900659" << "1240.41" << "Planet";
    QTest::newRow("8 55Cnc e") << 8 << "0.03772559" << "11.99674" << "Planet";
    QTest::newRow("9 55Cnc f") << 9 << "0.141519" << "45.00306" << "Planet";
    QTest::newRow("10 47UMa b") << 10 << "2.647517" << "841.9104" << "Planet";
    QTest::newRow("11 47UMa c") << 11 << "0.7937268" << "252.4051" << "Planet";
    QTest::newRow("12 16Cygni B") << 12 << "1.681055" << "534.5755" << "Planet";
    QTest::newRow("13 HD202206 b") << 13 << "17.58865" << "5593.19" << "Brown Dwarf";
    QTest::newRow("14 HD202206 c") << 14 << "2.444548" << "777.3663" << "Planet";
    QTest::newRow("15 HD137510 b") << 15 << "22.71384" << "7223.002" << "Brown Dwarf";
}

void TestSimulator::catalogHit()
{
    QFETCH(int, index);
    QFETCH(QString, jupiter);
    QFETCH(QString, earth);
    QFETCH(QString, bodyClass);
    const PlanetCatalog catalog = PlanetCatalog::builtIn();
    const auto i = size_t(index);
    const QString answers
        = TextNumber::shortest(catalog.CatalogP[i]) + u'|' + TextNumber::shortest(catalog.CatalogK[i]);
    // Screen3 stays open, circular orbits included, for the curve.
    QPointer<RV> rv = form<RV>();
    rv->show();
    setUp(answers);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(rv && rv->isVisible());

    QCOMPARE(m_platform->inputBoxes.size(), 2);
    QCOMPARE(m_platform->inputBoxes.first().title, QStringLiteral(" Orbiquest9 Ver. 9.0"));
    QCOMPARE(m_platform->beeps, 2);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    Form2 *form2 = form<Form2>();
    QCOMPARE(form2->Text1->text(), jupiter);
    QCOMPARE(form2->Text5->text(), bodyClass);
    QCOMPARE(simulator()->AxisAU, float(catalog.CatalogA[i]));
    QCOMPARE(QStringList({rv->Text1->text(), rv->Text3->text() + u'|' + rv->Text2->text()}),
             QStringList({TextNumber::shortest(catalog.CatalogE[i]), answers}));
    QCOMPARE(rv->Text5->text(), TextNumber::shortest(catalog.CatalogOmega[i] * OrbitMotion::RadiansPerDegree));
    QVERIFY(countColor(rv->RVC->image(), Yellow) > 200);
    QCOMPARE(form<MDIForm1>()->panel1(), QStringLiteral("Running  ") + AppInfo::copyrightNotice());
    QVERIFY(simulator()->Timer1->isActive());

    // The class is still judged in Jupiter masses.
    form2->Check1->setChecked(true);
    setUp(answers);
    QCOMPARE(form2->Text1->text(), earth);
    QCOMPARE(form2->Text5->text(), bodyClass);
}

void TestSimulator::catalogMiss()
{
    // 51Peg b's period with a K a hair off in single precision; a star of 3 suns.
    setUp(QStringLiteral("4.230785|55.9401|0.2|90|0.1|3"));

    QCOMPARE(m_platform->inputBoxes.size(), 6);
    QCOMPARE(m_platform->beeps, 6);
    QVERIFY(m_platform->messageBoxes.isEmpty());
    RV *rv = form<RV>();
    QCOMPARE(QStringList({rv->Text1->text(), rv->Text2->text(), rv->Text3->text()}),
             QStringList({"0.2", "55.9401", "4.230785"}));
    QCOMPARE(rv->Text5->text(), TextNumber::shortest(90 * OrbitMotion::RadiansPerDegree));
    QCOMPARE(form<Form2>()->Text3->text(), QStringLiteral("Ellipse"));
    QCOMPARE(form<Form2>()->Text5->text(), QStringLiteral("Planet"));
    QCOMPARE(Controls::foreColor(form<Form2>()->Text5), Colors::rgb(255, 0, 0));
    QCOMPARE(simulator()->StarMassSolar, 3.0);
    // 462 × √(1 − 0.2²)
    QVERIFY(std::fabs(simulator()->OrbitHeight - 452.6657) < 1e-3);
    // The star's mass takes no part in the minimum mass.
    const float expected = MassFunctionMath::jupiterMasses(MassFunctionMath::minimumMassKg(
        double(0.1f) * MassFunctionMath::MetresPerAU, 4.230785, 0.2, 55.9401f));
    QCOMPARE(form<Form2>()->Text1->text(), TextNumber::shortest(expected));
}

void TestSimulator::stops_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("refusal"); // empty: a plain stop answer, no box

    QTest::newRow("P empty") << "" << "";
    QTest::newRow("P zero") << "0" << "";
    QTest::newRow("P negative") << "-3" << "";
    QTest::newRow("P not a number") << "abc" << "";
    QTest::newRow("K zero") << "10|0" << "";
    QTest::newRow("K below single precision") << "10|1e-50" << "";
    QTest::newRow("e negative") << "10|50|-0.1" << "";
    QTest::newRow("omega empty") << "10|50|0.2|" << "";
    QTest::newRow("omega zero") << "10|50|0.2|0" << "";
    QTest::newRow("a zero") << "10|50|0.2|90|0" << "";
    QTest::newRow("a below single precision") << "10|50|0.2|90|1e-50" << "";
    QTest::newRow("M zero") << "10|50|0.2|90|1|0" << "";

    const QString eccentricity = SceneSetup::eccentricityRefusal();
    const QString tooLarge = SceneSetup::tooLargeRefusal();
    QTest::newRow("e of 1") << "10|50|1" << eccentricity;
    QTest::newRow("e beyond double range") << "10|50|1e999" << eccentricity;
    QTest::newRow("P beyond double range") << "1e400" << tooLarge;
    QTest::newRow("K beyond single range") << "10|1e39" << tooLarge;
    QTest::newRow("omega beyond double range") << "10|50|0.2|1e400" << tooLarge;
    QTest::newRow("a beyond single range") << "10|50|0.2|90|1e39" << tooLarge;
    QTest::newRow("M overflows in kilograms") << "10|50|0.2|90|1|1e300" << tooLarge;
    QTest::newRow("mass overflows") << "1e30|1e30|0.2|90|1e30|1" << tooLarge;
}

void TestSimulator::stops()
{
    QFETCH(QString, answers);
    QFETCH(QString, refusal);
    const int asked = setUp(answers);

    QCOMPARE(m_platform->inputBoxes.size(), asked);
    // One beep per question and one from the stop.
    QCOMPARE(m_platform->beeps, asked + 1);
    QCOMPARE(m_platform->messageBoxes.size(), refusal.isEmpty() ? 0 : 1);
    if (!refusal.isEmpty()) {
        const ScriptedPlatform::Box box = m_platform->messageBoxes.first();
        QCOMPARE(box.prompt, refusal);
        QCOMPARE(box.title, QStringLiteral("Orbiquest9"));
        QCOMPARE(box.style, MsgBox::OkOnly | MsgBox::Exclamation);
    }
    QVERIFY(!simulator()->Timer1->isActive());
    QCOMPARE(form<MDIForm1>()->panel1(), stoppedPanel());
    QCOMPARE(form<Form2>()->Text1->text(), QString());
    QCOMPARE(form<RV>()->Text2->text(), QString());
}

void TestSimulator::massFunctionGuard()
{
    Form1 *form1 = simulator();
    QVERIFY(!FormRegistry::instance().isLoaded<RV>());
    QVERIFY(form1->Timer1->isActive());
    QVERIFY(form1->MassFunction(1e10, 1, 0.1, 10, 1) > 0);

    QCOMPARE(form1->MassFunction(1e10, 1, 1.5, 10, 1), 0.0f);
    QCOMPARE(m_platform->beeps, 1);
    QVERIFY(!form1->Timer1->isActive());
    QCOMPARE(form<MDIForm1>()->panel1(), stoppedPanel());
    // The stop loads the RV window, hidden, to clear its picture.
    QVERIFY(FormRegistry::instance().isLoaded<RV>());
    QVERIFY(!form<RV>()->isVisible());
}

void TestSimulator::eccentricityJustBelowOne()
{
    // 0.9999999999999999 < 1 is an orbit; written with 15 digits it reads
    // "1", which the RV window cannot draw and says so, as for e = 1.
    setUp(QStringLiteral("10|50|0.9999999999999999|90|0.1|1"));

    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.first().prompt,
             QStringLiteral("Can NOT draw the radial velocity curve. "));
    QCOMPARE(form<RV>()->Text1->text(), QStringLiteral("1"));
    QCOMPARE(form<Form2>()->Text3->text(), QStringLiteral("Ellipse"));
    QVERIFY(simulator()->Timer1->isActive());
}

void TestSimulator::drawing_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<QColor>("line");
    QTest::addColumn<QColor>("formText"); // colour of "Circle" or "Ellipse" in Screen2

    const QColor circle = Colors::rgb(0, 255, 169);
    // 47UMa c: e = 0 at 3.8 AU, 17556 twips shrunk by ten.
    QTest::newRow("circle") << "2594|11.1" << 1755.6 << 1.0 << circle << Colors::rgb(0, 0, 169);
    QTest::newRow("empty e is a circle") << "10|50||90|0.1|1" << 462.0 << 1.0 << circle << Colors::rgb(0, 0, 169);
    // 16Cygni B: e = 0.681 at 1.681 AU, 7766.2 twips shrunk by ten; √(1 − 0.681²) = 0.7322834.
    QTest::newRow("ellipse") << "798.5|50.5" << 776.62 << 0.7322834 << Colors::rgb(0, 255, 149) << Colors::rgb(0, 0, 149);
}

void TestSimulator::drawing()
{
    QFETCH(QString, answers);
    QFETCH(double, radius);
    QFETCH(double, aspect);
    QFETCH(QColor, line);
    QFETCH(QColor, formText);
    setUp(answers);
    QCOMPARE(Controls::foreColor(form<Form2>()->Text3), formText);
    Form1 *form1 = simulator();
    // The animation moves pictures over the drawing and never redraws it.
    for (int i = 0; i < 400; ++i)
        form1->Timer1_Timer();

    const QImage drawn = form1->Simulator->image();
    const QPointF star(form1->StarCenterX, form1->StarCenterY);
    for (const QPointF &offset : {QPointF(318, 0), QPointF(-318, 0), QPointF(0, 318), QPointF(0, -318)})
        QVERIFY(colorNear(drawn, star + offset, Magenta));
    QVERIFY(!colorNear(drawn, star, Magenta, 10));
    const QPointF orbit(form1->OrbitCenterX, form1->OrbitCenterY);
    const double height = aspect * radius;
    for (const QPointF &offset : {QPointF(radius, 0), QPointF(-radius, 0), QPointF(0, height), QPointF(0, -height)})
        QVERIFY(colorNear(drawn, orbit + offset, line));

    form1->Exit_Click();
    const QImage stopped = form1->Simulator->image();
    QCOMPARE(countColor(stopped, Black), stopped.width() * stopped.height());
}

void TestSimulator::tick()
{
    Form1 *form1 = simulator();
    form1->OrbitCenterX = form1->StarCenterX = 5377;
    form1->OrbitCenterY = form1->StarCenterY = 3997;
    form1->Eccentricity = 0;
    form1->OrbitRadius = 2310;
    form1->WobbleRadius = 318;
    form1->AngleDeg = 90;
    form1->Timer1_Timer();

    // The pictures' centres at (5377, 1687) and (5377, 4315), their corners
    // half a picture (375 × 555 and 735 × 855) up and left. Nearest-pixel
    // placement; a corner a hair above the line may floor one pixel up.
    const PictureBox *area = form1->Simulator;
    QVERIFY((form1->Planet1->pos() - area->toPixels(QPointF(5189.5, 1409.5))).manhattanLength() <= 1);
    QVERIFY((form1->Star->pos() - area->toPixels(QPointF(5009.5, 3887.5))).manhattanLength() <= 1);
    // The geometry centres pictures of the designed sizes; these are they.
    QCOMPARE(QSizeF(form1->Planet1->size()) * 15, OrbitMotion::PlanetPicture);
    QCOMPARE(QSizeF(form1->Star->size()) * 15, OrbitMotion::StarPicture);
    QCOMPARE(form1->AngleDeg, qint16(91));
    form1->AngleDeg = 32767;
    form1->Timer1_Timer();
    QCOMPARE(form1->AngleDeg, qint16(1));
}

void TestSimulator::stopSimulation_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("simulatorPictureGoes");

    QTest::newRow("Tag Stop: the simulator's picture goes") << "Stop" << true;
    QTest::newRow("other Tag: the RV picture goes") << "Running" << false;
}

void TestSimulator::stopSimulation()
{
    QFETCH(QString, tag);
    QFETCH(bool, simulatorPictureGoes);
    Form1 *form1 = simulator();
    QImage background(20, 20, QImage::Format_RGB32);
    background.fill(Qt::red);
    form1->Simulator->setPicture(background);
    form<RV>()->RVC->setPicture(background);
    form1->Simulator->circle(QPointF(5000, 4000), 1000, Magenta);
    form1->Tag = tag;

    StopSimulation();

    QCOMPARE(countColor(form1->Simulator->image(), Magenta), 0);
    QCOMPARE(form1->Simulator->picture().isNull(), simulatorPictureGoes);
    QCOMPARE(form<RV>()->RVC->picture().isNull(), !simulatorPictureGoes);
}

void TestSimulator::pressShowsInformation_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QString>("choice"); // the pop-up item chosen
    QTest::addColumn<int>("popups");
    QTest::addColumn<int>("questions");

    QTest::newRow("left") << Qt::LeftButton << "" << 0 << 0;
    QTest::newRow("middle") << Qt::MiddleButton << "" << 0 << 0;
    QTest::newRow("right, menu dismissed") << Qt::RightButton << "" << 1 << 0;
    QTest::newRow("right, Screen1 runs first") << Qt::RightButton << "Screen1" << 1 << 2;
}

void TestSimulator::pressShowsInformation()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QString, choice);
    QFETCH(int, popups);
    QFETCH(int, questions);
    m_platform->popupChoices.enqueue(choice);
    queueAnswers(QStringLiteral("4.230785|55.94"));
    QTest::mousePress(simulator()->Simulator, button, {}, QPoint(100, 100));

    QCOMPARE(m_platform->popups, popups);
    QCOMPARE(m_platform->inputBoxes.size(), questions);
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    const ScriptedPlatform::Box box = m_platform->messageBoxes.first();
    QCOMPARE(box.title, QStringLiteral("【Information】Orbiquest9 Ver(9.0.59)"));
    QCOMPARE(box.style, MsgBox::Information);
    QCOMPARE(box.prompt, AppInfo::organisation() + QStringLiteral("\r\nMidlevels Floor 31\r\n")
                             + AppInfo::homePage().toString());
}

QTEST_MAIN(TestSimulator)
#include "tst_simulator.moc"
