#include "catalog/catalog.h"
#include "frame/mainframe.h"
#include "ground/appinfo.h"
#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "massfunction/massfunctionwindow.h"
#include "rv/velocitycurvewindow.h"
#include "seedmodel/storedvalues.h"
#include "simulator/scenesetup.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/imagecheck.h"
#include "support/seedscene.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <optional>

namespace {

const QColor Magenta = Colors::rgb(255, 0, 255);
const QColor Yellow = Colors::rgb(255, 255, 0);
const QColor Black = Colors::rgb(0, 0, 0);
// The centre of the drawing area, 10815 × 8055 twips inside a border.
const QPointF Centre(5377.5, 3997.5);

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

QLineEdit *box(const QObject *window, const char *name)
{
    return control<QLineEdit>(window, name);
}

QTimer *animationTimer()
{
    return control<QTimer>(form<SimulatorWindow>(), "Timer1");
}

PictureBox *drawingArea()
{
    return control<PictureBox>(form<SimulatorWindow>(), "Simulator");
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
    void init()
    {
        m_scene.emplace();
        m_platform = &m_scene->platform;
        form<SimulatorWindow>();
        // A test sees only what its own actions caused, not the start-up's.
        m_platform->messageBoxes.clear();
        m_platform->beeps = 0;
    }

    void cleanup() { m_scene.reset(); }

    void catalogHit_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("jupiter");
        QTest::addColumn<QString>("earth");
        QTest::addColumn<QString>("bodyClass");
        QTest::addColumn<QString>("answers"); // P|K as typed, and as the RV boxes carry them
        QTest::addColumn<QString>("eccentricity");
        QTest::addColumn<QString>("omegaRadians"); // ω° × 0.017453292421651667, 15 digits

        // Worked out separately in double precision with single-precision
        // rounding of K, m, m_J and the Earth-mass product. The first and the
        // last planet the look-up walks to, a circle and a brown dwarf; the
        // mass function itself and the classes are tst_massfunction's, the
        // published elements tst_catalog's.
        QTest::newRow("1 51Peg b") << 1 << "0.4716685"
                                   << "149.9906"
                                   << "Planet"
                                   << "4.230785|55.94"
                                   << "0.013"
                                   << "1.0122909604558";
        QTest::newRow("2 HD149026 b") << 2 << "0.3367548"
                                      << "107.088"
                                      << "Planet"
                                      << "2.87598|40.4"
                                      << "0"
                                      << "0";
        QTest::newRow("15 HD137510 b") << 15 << "22.71384"
                                       << "7223.002"
                                       << "Brown Dwarf"
                                       << "804.9|418"
                                       << "0.359"
                                       << "0.541052065071202";
    }

    void catalogHit()
    {
        QFETCH(int, index);
        QFETCH(QString, jupiter);
        QFETCH(QString, earth);
        QFETCH(QString, bodyClass);
        QFETCH(QString, answers);
        // Screen3 stays open, circular orbits included, for the curve.
        QPointer<VelocityCurveWindow> rv = form<VelocityCurveWindow>();
        rv->show();
        MassFunctionWindow *form2 = form<MassFunctionWindow>();
        // The plot names the catalog's planet, not the row chosen in Screen2.
        control<QListWidget>(form2, "List1")->setCurrentRow(3);
        setUp(answers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(rv && rv->isVisible());

        QCOMPARE(m_platform->inputBoxes.size(), 2);
        QCOMPARE(m_platform->inputBoxes.first().title, QStringLiteral(" Orbiquest9 Ver. 9.0"));
        QCOMPARE(m_platform->beeps, 2);
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QCOMPARE(boxTexts(form2, {"Text1", "Text5"}), jupiter + u'|' + bodyClass);
        const Simulation &simulation = simulator()->simulation();
        QCOMPARE(simulation.elements.catalogIndex, index);
        QCOMPARE(boxTexts(rv, {"Text3", "Text2"}), answers);
        QTEST(box(rv, "Text1")->text(), "eccentricity");
        QTEST(box(rv, "Text5")->text(), "omegaRadians");
        QVERIFY(countColor(control<PictureBox>(rv, "RVC")->image(), Yellow) > 200);
        QCOMPARE(rv->printedSummary().mid(0, 2),
                 QStringList({"Planet: " + PlanetCatalog::planetName(index), "Mass = " + jupiter + " M_JUP/sini"}));
        QCOMPARE(form<MainFrame>()->panel1(), QStringLiteral("Running  ") + AppInfo::copyrightNotice());
        QVERIFY(animationTimer()->isActive());

        // The Earth-mass box converts the shown mass, and plots it; the class
        // is still judged in Jupiter masses.
        auto *earthMassBox = control<QCheckBox>(form2, "Check1");
        earthMassBox->setChecked(true);
        QCOMPARE(box(form2, "Text1")->text(), earth);
        setUp(answers);
        QCOMPARE(boxTexts(form2, {"Text1", "Text5"}), earth + u'|' + bodyClass);
        QCOMPARE(rv->printedSummary().at(1), "Mass = " + earth + " M_E/sini");
        earthMassBox->setChecked(false);
        QCOMPARE(box(form2, "Text1")->text(), jupiter);

        // A chosen row clears the result; the box then has nothing to convert.
        control<QListWidget>(form2, "List1")->setCurrentRow(2);
        QCOMPARE(boxTexts(form2, {"Text1", "Text3", "Text5"}), QStringLiteral("||"));
        earthMassBox->setChecked(true);
        QCOMPARE(box(form2, "Text1")->text(), QString());
    }

    void fullWidthAnswersReadAsTheirDigits()
    {
        // Typed through an input method in full-width mode: 51Peg b.
        setUp(QStringLiteral("４．２３０７８５|５５．９４"));
        QCOMPARE(m_platform->inputBoxes.size(), 2);
        QCOMPARE(simulator()->simulation().elements.catalogIndex, 1);
        QVERIFY(simulator()->isAnimating());
    }

    void catalogMiss()
    {
        QSignalSpy started(simulator(), &SimulatorWindow::simulationStarted);
        control<QListWidget>(form<MassFunctionWindow>(), "List1")->setCurrentRow(3);
        // 51Peg b's period with a K a hair off in single precision; a star of 3 suns.
        setUp(QStringLiteral("4.230785|55.9401|0.2|90|0.1|3"));

        // Readers get the whole simulation with the signal; the Kepler lab's
        // test checks the typed P, e, ω, a and M★ arrive.
        QCOMPARE(started.size(), 1);
        const auto announced = started.first().first().value<Simulation>();
        QCOMPARE(announced.elements.semiAmplitude, 55.9401f);
        QCOMPARE(announced.elements.catalogIndex, 0);

        QCOMPARE(m_platform->inputBoxes.size(), 6);
        QCOMPARE(m_platform->beeps, 6);
        QVERIFY(m_platform->messageBoxes.isEmpty());
        VelocityCurveWindow *rv = form<VelocityCurveWindow>();
        // ω: 90° with the program's radians per degree, 0.017453292421651667.
        QCOMPARE(boxTexts(rv, {"Text1", "Text2", "Text3", "Text5"}),
                 QStringLiteral("0.2|55.9401|4.230785|1.57079631794865"));
        // Worked by hand: total mass a³/P² = 0.1³ / (4.230785 / 365.2422)² suns,
        // m sin i = K √(1 − e²) (M² P / 2πG)^(1/3) = 3.15972e27 kg = 1.664136 M_J.
        // The star's mass of 3 takes no part. A planet of one's own has no name.
        QCOMPARE(rv->printedSummary().mid(0, 2), QStringList({"Planet: ", "Mass = 1.664136 M_JUP/sini"}));
        MassFunctionWindow *form2 = form<MassFunctionWindow>();
        QCOMPARE(boxTexts(form2, {"Text1", "Text3", "Text5"}), QStringLiteral("1.664136|Ellipse|Planet"));
        QCOMPARE(Controls::foreColor(box(form2, "Text5")), Colors::rgb(255, 0, 0));
    }

    void stops_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("refusal"); // empty: a plain stop answer, no box

        QTest::newRow("P empty") << ""
                                 << "";
        QTest::newRow("P zero") << "0"
                                << "";
        QTest::newRow("K zero") << "10|0"
                                << "";
        QTest::newRow("K below single precision") << "10|1e-50"
                                                  << "";
        QTest::newRow("e negative") << "10|50|-0.1"
                                    << "";
        QTest::newRow("omega zero") << "10|50|0.2|0"
                                    << "";
        QTest::newRow("a zero") << "10|50|0.2|90|0"
                                << "";
        QTest::newRow("a below single precision") << "10|50|0.2|90|1e-50"
                                                  << "";
        QTest::newRow("M zero") << "10|50|0.2|90|1|0"
                                << "";
        const QString eccentricity = SceneSetup::eccentricityRefusal();
        const QString tooLarge = SceneSetup::tooLargeRefusal();
        QTest::newRow("e of 1") << "10|50|1" << eccentricity;
        QTest::newRow("P beyond double range") << "1e400" << tooLarge;
        QTest::newRow("K beyond single range") << "10|1e39" << tooLarge;
        QTest::newRow("omega beyond double range") << "10|50|0.2|1e400" << tooLarge;
        QTest::newRow("a beyond single range") << "10|50|0.2|90|1e39" << tooLarge;
        QTest::newRow("M overflows in kilograms") << "10|50|0.2|90|1|1e300" << tooLarge;
        QTest::newRow("mass overflows") << "1e30|1e30|0.2|90|1e30|1" << tooLarge;
    }

    void stops()
    {
        QFETCH(QString, answers);
        QFETCH(QString, refusal);
        QSignalSpy started(simulator(), &SimulatorWindow::simulationStarted);
        const int asked = setUp(answers);

        QCOMPARE(m_platform->inputBoxes.size(), asked);
        // One beep per question and one from the stop.
        QCOMPARE(m_platform->beeps, asked + 1);
        QCOMPARE(started.size(), 0);
        if (refusal.isEmpty())
            QVERIFY(m_platform->messageBoxes.isEmpty());
        else
            QCOMPARE(onlyMessage(*m_platform, MsgBox::OkOnly | MsgBox::Exclamation), refusal);
        QVERIFY(!animationTimer()->isActive());
        QCOMPARE(box(form<MassFunctionWindow>(), "Text1")->text() + box(form<VelocityCurveWindow>(), "Text2")->text(),
                 QString());
    }

    void eccentricityJustBelowOne()
    {
        // 0.9999999999999999 < 1 is an orbit; written with 15 digits it reads
        // "1", which the RV window cannot draw and says so, as for e = 1.
        setUp(QStringLiteral("10|50|0.9999999999999999|90|0.1|1"));
        QCOMPARE(onlyMessage(*m_platform, MsgBox::OkOnly), QStringLiteral("Can NOT draw the radial velocity curve. "));
        QCOMPARE(box(form<VelocityCurveWindow>(), "Text1")->text(), QStringLiteral("1"));
        QCOMPARE(box(form<MassFunctionWindow>(), "Text3")->text(), QStringLiteral("Ellipse"));
        QVERIFY(animationTimer()->isActive());
    }

    void drawing_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("aspect"); // 1: drawn as a circle
        QTest::addColumn<double>("gap");    // radians left undrawn above the right-hand end

        // 47UMa c: e = 0 at 3.8 AU, 17556 twips shrunk by ten.
        QTest::newRow("circle") << "2594|11.1" << 1755.6 << 1.0 << 0.0;
        // 0.5 AU: 2310 twips, drawn counter-clockwise from e radians round to a full turn.
        QTest::newRow("e 0.09: a circle with a gap") << "10|50|0.09|90|0.5|1" << 2310.0 << 1.0 << 0.09;
        // 16Cygni B: e = 0.681 at 1.681 AU, 7766.2 twips shrunk by ten; √(1 − 0.681²) = 0.7322834.
        QTest::newRow("ellipse") << "798.5|50.5" << 776.62 << 0.7322834 << 0.0;
    }

    void drawing()
    {
        QFETCH(QString, answers);
        QFETCH(double, radius);
        QFETCH(double, aspect);
        QFETCH(double, gap);
        const bool circle = aspect == 1;
        const QColor line = circle ? Colors::rgb(0, 255, 169) : Colors::rgb(0, 255, 149);
        // An orbit of the other shape, drawn before, must be wiped.
        setUp(circle ? QStringLiteral("798.5|50.5") : QStringLiteral("2594|11.1"));
        setUp(answers);
        QCOMPARE(Controls::foreColor(box(form<MassFunctionWindow>(), "Text3")),
                 circle ? Colors::rgb(0, 0, 169) : Colors::rgb(0, 0, 149));
        SimulatorWindow *form1 = simulator();
        QCOMPARE(form1->simulation().starCentre, Centre);
        // The animation moves pictures over the drawing and never redraws it.
        for (int i = 0; i < 400; ++i)
            form1->animateOneTick();

        const QImage drawn = drawingArea()->image();
        QCOMPARE(countColor(drawn, Black) + countColor(drawn, Magenta) + countColor(drawn, line),
                 drawn.width() * drawn.height());
        for (const QPointF &offset : {QPointF(318, 0), QPointF(-318, 0), QPointF(0, 318), QPointF(0, -318)})
            QVERIFY(colorNear(drawn, Centre + offset, Magenta));
        QVERIFY(!colorNear(drawn, Centre, Magenta, 10));
        auto onOrbit = [&](double radians) {
            return Centre + QPointF(radius * std::cos(radians), -aspect * radius * std::sin(radians));
        };
        for (double radians :
             {0.0, 0.2, 1.0, StoredValues::Pi / 2, StoredValues::Pi, 4.5, 3 * StoredValues::Pi / 2, 6.2})
            QVERIFY2(colorNear(drawn, onOrbit(radians), line), qPrintable(QString::number(radians)));
        if (gap > 0)
            QVERIFY(!colorNear(drawn, onOrbit(gap / 2), line, 3));
    }

    void tick()
    {
        SimulatorWindow *form1 = simulator();
        const PictureBox *area = drawingArea();
        auto *planet = control<QLabel>(form1, "Planet1");
        auto *star = control<QLabel>(form1, "Star");
        // Before any set-up the first tick puts both pictures on the centre;
        // after it the timer rests, while the animation stays switched on.
        QVERIFY(animationTimer()->isActive());
        form1->animateOneTick();
        QVERIFY(!animationTimer()->isActive());
        QVERIFY(form1->isAnimating());
        QCOMPARE(planet->pos(), area->toPixels(QPointF(5190, 3720)));
        QCOMPARE(star->pos(), area->toPixels(QPointF(5010, 3570)));
        // Where the pictures' corners go round an orbit is tst_scenescale's;
        // it centres pictures of the designed sizes, and these are they.
        QCOMPARE(QSizeF(planet->size()) * 15, OrbitMotion::PlanetPicture);
        QCOMPARE(QSizeF(star->size()) * 15, OrbitMotion::StarPicture);
    }

    void angleWrapsAfter32767()
    {
        Simulation simulation;
        simulation.angleDeg = 32766;
        QCOMPARE(simulation.nextAngle(), qint16(32766));
        QCOMPARE(simulation.nextAngle(), qint16(0));
        QCOMPARE(simulation.angleDeg, qint16(1));
    }

    void paceIsOneDegreeEvery16Ms()
    {
        // One revolution is 360 ticks of 16 ms. Timer1 sleeps through ticks
        // that move no picture by a pixel, and counts them on waking.
        QTimer *timer = animationTimer();
        // 0.05 AU: 231 twips, pushed out by 500 past the star's circle.
        setUp(QStringLiteral("10|50||90|0.05|1"));
        const qint16 startAngle = simulator()->simulation().angleDeg;
        int waitedMs = 0;
        bool someWakeSkippedATick = false;
        while (waitedMs < 360 * 16) {
            const int interval = timer->interval();
            someWakeSkippedATick = someWakeSkippedATick || interval > 16;
            waitedMs += interval;
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
            QCOMPARE(simulator()->simulation().angleDeg - startAngle, waitedMs / 16);
        }
        QVERIFY(someWakeSkippedATick);
    }

    void secondSetUpGoesOnFromTheReachedAngle()
    {
        // The angle is never reset: a new planet starts where the last one stood.
        setUp(QStringLiteral("798.5|50.5"));
        SimulatorWindow *form1 = simulator();
        while (form1->simulation().angleDeg < 90)
            form1->animateOneTick();
        setUp(QStringLiteral("2594|11.1")); // 47UMa c, a circle
        form1->animateOneTick();
        // A quarter turn on from the start (planet left of its centre), the
        // planet stands straight above the orbit's centre; its picture of
        // 375 × 555 twips is centred on that point.
        const Simulation &scene = form1->simulation();
        const QPointF expected = scene.orbitCentre - QPointF(0, scene.sizes.orbitRadius) - QPointF(375, 555) / 2;
        QCOMPARE(control<QLabel>(form1, "Planet1")->pos(), drawingArea()->toPixels(expected));
    }

    void stopSimulation_data()
    {
        QTest::addColumn<bool>("exit"); // EXIT sets the status word "Stop" and stops
        QTest::newRow("EXIT: the simulator's picture goes") << true;
        QTest::newRow("plain stop: the RV picture goes") << false;
    }

    void stopSimulation()
    {
        QFETCH(bool, exit);
        SimulatorWindow *form1 = simulator();
        QImage background(20, 20, QImage::Format_RGB32);
        background.fill(Qt::red);
        PictureBox *plot = control<PictureBox>(form<VelocityCurveWindow>(), "RVC");
        drawingArea()->setPicture(background);
        plot->setPicture(background);
        drawingArea()->circle(QPointF(5000, 4000), 1000, Magenta);
        if (exit)
            control<QAction>(form1, "Exit")->trigger();
        else
            form1->stopSimulation();

        QCOMPARE(form1->statusWord(), exit ? QStringLiteral("Stop") : QString());
        // Either way it stops only: every window stays loaded.
        QVERIFY(!form1->isAnimating());
        QCOMPARE(m_platform->beeps, 1);
        QCOMPARE(form<MainFrame>()->panel1(), stoppedPanel());
        QCOMPARE(FormRegistry::instance().count(), 3);
        QCOMPARE(countColor(drawingArea()->image(), Magenta), 0);
        QCOMPARE(drawingArea()->picture().isNull(), exit);
        QCOMPARE(plot->picture().isNull(), !exit);
    }

    void pressShowsInformation_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("choice"); // the pop-up item chosen
        QTest::addColumn<int>("popups");
        QTest::addColumn<int>("questions");

        QTest::newRow("left") << Qt::LeftButton << "" << 0 << 0;
        QTest::newRow("right, menu dismissed") << Qt::RightButton << "" << 1 << 0;
        QTest::newRow("right, Screen1 runs first") << Qt::RightButton << "Screen1" << 1 << 2;
    }

    void pressShowsInformation()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, choice);
        m_platform->popupChoices.enqueue(choice);
        queueAnswers(*m_platform, QStringLiteral("4.230785|55.94"));
        QTest::mousePress(drawingArea(), button, {}, QPoint(100, 100));

        QTEST(m_platform->popups, "popups");
        QTEST(int(m_platform->inputBoxes.size()), "questions");
        QCOMPARE(onlyMessage(*m_platform, MsgBox::Information, QStringLiteral("【Information】Orbiquest9 Ver(9.0.59)")),
                 AppInfo::organisation() + QStringLiteral("\r\nMidlevels Floor 31\r\n")
                     + AppInfo::homePage().toString());
    }

private:
    int setUp(const QString &answers) { return setUpScene(*m_platform, answers); }

    static SimulatorWindow *simulator() { return form<SimulatorWindow>(); }

    std::optional<SeedScene> m_scene;
    ScriptedPlatform *m_platform = nullptr;
};

QTEST_MAIN(TestSimulator)
#include "tst_simulator.moc"
