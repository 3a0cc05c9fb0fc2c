#include "ground/formregistry.h"
#include "frame/mdiform1.h"
#include "lab/keplerlab.h"
#include "lab/rvplot.h"
#include "simulator/form1.h"
#include "support/scriptedplatform.h"
#include "support/testenvironment.h"

#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

template<class T>
T *control(const char *name)
{
    T *found = form<KeplerLab>()->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QDoubleSpinBox *spin(const char *name)
{
    return control<QDoubleSpinBox>(name);
}

QLineSeries *series(const char *name)
{
    for (QAbstractSeries *each : control<QChartView>("rvChart")->chart()->series()) {
        if (each->name() == QLatin1String(name))
            return qobject_cast<QLineSeries *>(each);
    }
    qFatal("no series %s", name);
}

std::pair<double, double> extremes(const QLineSeries *line)
{
    double lowest = INFINITY;
    double highest = -INFINITY;
    for (const QPointF &point : line->points()) {
        lowest = std::min(lowest, point.y());
        highest = std::max(highest, point.y());
    }
    return {lowest, highest};
}

/// A planet with round elements, edge-on, periastron at t = 0.
LabPlanet roundPlanet(double period, double k, double e, double omegaDegrees)
{
    LabPlanet planet;
    planet.name = QStringLiteral("test planet");
    planet.orbit = {period, k, e, omegaDegrees * std::numbers::pi / 180, 0};
    planet.starMassSolar = 1;
    planet.seedAxisAu = 1;
    return planet;
}

QAction *item(QObject *owner, const char *name)
{
    return owner->findChild<QAction *>(QString::fromLatin1(name));
}

} // namespace

class TestKeplerLab : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuItemsOpenOneLab_data();
    void menuItemsOpenOneLab();
    void everyControlIsNamed();
    void eccentricityShapesTheCurve_data();
    void eccentricityShapesTheCurve();
    void sliderAndSpinBoxAgree_data();
    void sliderAndSpinBoxAgree();
    void phaseAxisAndSchematic();
    void cursorFollowsThePlanet();
    void faceOnGivesNoNumberThatIsNot();
    void extremesStayFinite_data();
    void extremesStayFinite();
    void opensWithTheRunningPlanet();
    void setUpHandsItsPlanetOver();
    void catalogListPicksAPlanet();
    void curveExport();
    void pictureExport_data();
    void pictureExport();
    void exportFailureIsSaid();
    void playPauseAndHideStopTheTimer();
    void closeBoxUnloads();

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<ScriptedPlatform> m_platform;
};

void TestKeplerLab::init()
{
    m_environment = std::make_unique<TestEnvironment>();
    m_platform = std::make_unique<ScriptedPlatform>();
}

void TestKeplerLab::cleanup()
{
    m_environment.reset();
    m_platform.reset();
}

void TestKeplerLab::menuItemsOpenOneLab_data()
{
    QTest::addColumn<bool>("fromScreen1");
    QTest::newRow("Screen1's Core menu") << true;
    QTest::newRow("the frame's Screen menu") << false;
}

void TestKeplerLab::menuItemsOpenOneLab()
{
    QFETCH(bool, fromScreen1);
    QObject *owner = fromScreen1 ? static_cast<QObject *>(form<Form1>()) : form<MDIForm1>();
    QMenu *menu = owner->findChild<QMenu *>(QString::fromLatin1(fromScreen1 ? "m5" : "m1"));
    QAction *lab = item(menu, "KeplerLab");
    QVERIFY(lab);
    QVERIFY(menu->actions().contains(lab));
    QCOMPARE(lab->text(), QStringLiteral("Kepler Lab(&K)"));
    QCOMPARE(lab->shortcut(), QKeySequence(Qt::Key_F6));

    QVERIFY(!FormRegistry::instance().isLoaded<KeplerLab>());
    lab->trigger();
    KeplerLab *window = FormRegistry::instance().find<KeplerLab>();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Orbiquest9 - Kepler Lab"));
    auto *subWindow = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    QVERIFY(subWindow);
    QVERIFY(form<MDIForm1>()->mdiArea()->subWindowList().contains(subWindow));
    lab->trigger();
    QCOMPARE(form<MDIForm1>()->findChildren<KeplerLab *>().size(), 1);
}

void TestKeplerLab::everyControlIsNamed()
{
    for (const char *name : {"periodSpin", "semiAmplitudeSpin", "eccentricitySpin", "omegaSpin",
                             "periastronTimeSpin", "starMassSpin", "inclinationSpin", "speedSpin"})
        QVERIFY2(form<KeplerLab>()->findChild<QDoubleSpinBox *>(QString::fromLatin1(name)), name);
    for (const char *name : {"periodSlider", "semiAmplitudeSlider", "eccentricitySlider", "omegaSlider",
                             "periastronTimeSlider", "starMassSlider", "inclinationSlider", "speedSlider"})
        QVERIFY2(form<KeplerLab>()->findChild<QSlider *>(QString::fromLatin1(name)), name);
    QVERIFY(control<QChartView>("rvChart"));
    QVERIFY(control<QWidget>("orbitView"));
    QVERIFY(control<QWidget>("sideView"));
    QVERIFY(control<QPushButton>("playButton"));
    QVERIFY(control<QPushButton>("pauseButton"));
    QVERIFY(control<QCheckBox>("phaseCheck"));
    QVERIFY(control<QCheckBox>("schematicCheck"));
    QCOMPARE(control<QListWidget>("planetList")->count(), 15);

    QMenu *file = control<QMenu>("labFileMenu");
    const QList<std::pair<const char *, QKeySequence>> items = {
        {"exportCurveItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
        {"savePlotItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"saveOrbitItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
        {"closeLabItem", QKeySequence(Qt::CTRL | Qt::Key_W)}};
    for (const auto &[name, keys] : items) {
        QAction *action = item(file, name);
        QVERIFY2(action && file->actions().contains(action), name);
        QCOMPARE(action->shortcut(), keys);
    }
}

void TestKeplerLab::eccentricityShapesTheCurve_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("omega");
    QTest::addColumn<double>("e");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("lowest");
    // K(1 + e cos ω) and −K(1 − e cos ω), worked by hand.
    QTest::newRow("circle") << 40.0 << 0.0 << 0.0 << 40.0 << -40.0;
    QTest::newRow("e 0.5, omega 0") << 50.0 << 0.0 << 0.5 << 75.0 << -25.0;
    QTest::newRow("e 0.3, omega 90") << 50.0 << 90.0 << 0.3 << 50.0 << -50.0;
    QTest::newRow("e 0.6, omega 180") << 10.0 << 180.0 << 0.6 << 4.0 << -16.0;
    QTest::newRow("e 0.8, omega 60") << 20.0 << 60.0 << 0.8 << 28.0 << -12.0;
}

void TestKeplerLab::eccentricityShapesTheCurve()
{
    QFETCH(double, k);
    QFETCH(double, omega);
    QFETCH(double, e);
    QFETCH(double, highest);
    QFETCH(double, lowest);
    form<KeplerLab>()->showPlanet(roundPlanet(10, k, 0, omega));
    spin("eccentricitySpin")->setValue(e);
    const auto [low, high] = extremes(series("true Keplerian curve"));
    // 1500 samples: a flat extreme is missed by far less than 0.05 m/s.
    QVERIFY2(std::fabs(high - highest) < 0.05, qPrintable(QString::number(high)));
    QVERIFY2(std::fabs(low - lowest) < 0.05, qPrintable(QString::number(low)));
    QCOMPARE(form<KeplerLab>()->planet().orbit.eccentricity, e);
}

void TestKeplerLab::sliderAndSpinBoxAgree_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<int>("step");
    QTest::addColumn<double>("value");
    // Linear: e over 0 to 0.99, i over 0 to 90; log: P over 0.1 to 1e5 d.
    QTest::newRow("e") << "eccentricity" << 200 << 0.198;
    QTest::newRow("i") << "inclination" << 1000 << 90.0;
    QTest::newRow("i half") << "inclination" << 500 << 45.0;
    QTest::newRow("P") << "period" << 500 << 100.0;
    QTest::newRow("omega") << "omega" << 250 << 90.0;
}

void TestKeplerLab::sliderAndSpinBoxAgree()
{
    QFETCH(QString, element);
    QFETCH(int, step);
    QFETCH(double, value);
    form<KeplerLab>();
    const QByteArray spinName = (element + QStringLiteral("Spin")).toLatin1();
    const QByteArray sliderName = (element + QStringLiteral("Slider")).toLatin1();
    auto *slider = control<QSlider>(sliderName.constData());
    slider->setValue(step);
    QCOMPARE(spin(spinName.constData())->value(), value);
    // And back: the spin box moves the slider.
    slider->setValue(0);
    spin(spinName.constData())->setValue(value);
    QCOMPARE(slider->value(), step);
}

void TestKeplerLab::phaseAxisAndSchematic()
{
    KeplerLab *lab = form<KeplerLab>();
    lab->showPlanet(roundPlanet(8, 10, 0.5, 0));
    spin("periastronTimeSpin")->setValue(2);
    QLineSeries *curve = series("true Keplerian curve");
    QCOMPARE(curve->points().constFirst().x(), 0.0);
    QCOMPARE(curve->points().constLast().x(), 8.0);
    // Time axis: periastron at t = 2 d, where v = K(1 + e) for ω = 0.
    QVERIFY(std::fabs(curve->points().at(375).y() - 15.0) < 1e-3);

    control<QCheckBox>("phaseCheck")->setChecked(true);
    QCOMPARE(curve->points().constLast().x(), 1.0);
    QVERIFY(std::fabs(curve->points().constFirst().y() - 15.0) < 1e-9);
    auto *axis = qobject_cast<QValueAxis *>(
        control<QChartView>("rvChart")->chart()->axes(Qt::Horizontal).constFirst());
    QCOMPARE(axis->min(), 0.0);
    QCOMPARE(axis->max(), 1.0);
    QVERIFY(axis->titleText().contains(QStringLiteral("phase")));

    QLineSeries *schematic = series("Screen3's schematic curve");
    QVERIFY(!schematic->isVisible());
    control<QCheckBox>("schematicCheck")->setChecked(true);
    QVERIFY(schematic->isVisible());
    QCOMPARE(schematic->count(), curve->count());
    // At phase 0.25 the seed's angle is 90°: K [cos 90° + e] = 5 m/s; the
    // true star, past periastron at e = 0.5, is already beyond ν = 90°.
    const QPointF quarter = schematic->points().at(1499 / 4);
    QVERIFY(std::fabs(quarter.y() - 10 * (std::cos(2 * std::numbers::pi * quarter.x()) + 0.5)) < 1e-9);
    QVERIFY(curve->points().at(1499 / 4).y() < 0);
}

void TestKeplerLab::cursorFollowsThePlanet()
{
    KeplerLab *lab = form<KeplerLab>();
    lab->pause();
    lab->showPlanet(roundPlanet(20, 10, 0, 0));
    lab->setAnimationTime(25);
    QCOMPARE(lab->animationTime(), 5.0);
    RvPlot *plot = control<RvPlot>("rvChart");
    QCOMPARE(plot->cursorX(), 5.0);
    // The dot sits on the curve where the chart puts (5 d, v(5 d)) = (5, 0):
    // a quarter orbit after periastron of a circle with ω = 0.
    const QPointF expected = plot->chart()->mapToPosition(QPointF(5, 0));
    QVERIFY(std::fabs(plot->markerPosition().x() - expected.x()) < 0.01);
    QVERIFY(std::fabs(plot->markerPosition().y() - expected.y()) < 0.01);
    QCOMPARE(plot->cursorLine().x1(), plot->markerPosition().x());
    QCOMPARE(plot->cursorLine().x2(), plot->markerPosition().x());
    control<QCheckBox>("phaseCheck")->setChecked(true);
    QCOMPARE(plot->cursorX(), 0.25);
}

void TestKeplerLab::faceOnGivesNoNumberThatIsNot()
{
    form<KeplerLab>()->showPlanet(roundPlanet(4332.59, 12.47, 0.0489, 0));
    for (double degrees : {30.0, 0.1, 0.0}) {
        spin("inclinationSpin")->setValue(degrees);
        for (QLabel *label : control<QWidget>("derivedBox")->findChildren<QLabel *>()) {
            QVERIFY2(!label->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                         && !label->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                     qPrintable(label->text()));
        }
    }
    QVERIFY(control<QLabel>("trueMassLabel")->text().contains(QStringLiteral("undetermined (face-on)")));
    QVERIFY(control<QLabel>("starSpeedLabel")->text().contains(QStringLiteral("undetermined")));
    spin("inclinationSpin")->setValue(30);
    // Twice m sin i at 30° (sin 30° = 1/2), while m is far below M★.
    const QString trueMass = control<QLabel>("trueMassLabel")->text();
    QVERIFY(trueMass.startsWith(QStringLiteral("at i = 30.0°: ")));
    const double jupiters = trueMass.section(QStringLiteral(": "), 1).section(u' ', 0, 0).toDouble();
    const double minimum = control<QLabel>("minimumMassLabel")->text().section(u' ', 0, 0).toDouble();
    QVERIFY2(minimum > 0.98 && std::fabs(jupiters / minimum - 2) < 0.01, qPrintable(trueMass));
}

void TestKeplerLab::extremesStayFinite_data()
{
    QTest::addColumn<QString>("values"); ///< "P|K|e|M★|i" at the spin boxes' ends
    QTest::newRow("short, heavy, nearly parabolic, nearly face-on") << "0.01|100000|0.999|0.01|0.1";
    QTest::newRow("long, light, circular, heavy star") << "1000000|0.001|0|200|90";
    QTest::newRow("face-on, eccentric") << "365.25|10|0.9|1|0";
}

void TestKeplerLab::extremesStayFinite()
{
    QFETCH(QString, values);
    const QStringList value = values.split(u'|');
    KeplerLab *lab = form<KeplerLab>();
    control<QCheckBox>("schematicCheck")->setChecked(true);
    const char *names[] = {"periodSpin", "semiAmplitudeSpin", "eccentricitySpin", "starMassSpin",
                           "inclinationSpin"};
    for (int i = 0; i < 5; ++i)
        spin(names[i])->setValue(value.at(i).toDouble());
    QVERIFY(!control<QLabel>("refusalLabel")->isVisibleTo(lab));
    for (const char *name : {"true Keplerian curve", "Screen3's schematic curve"}) {
        for (const QPointF &point : series(name)->points())
            QVERIFY2(std::isfinite(point.x()) && std::isfinite(point.y()), name);
    }
    for (QLabel *label : control<QWidget>("derivedBox")->findChildren<QLabel *>()) {
        QVERIFY2(!label->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                     && !label->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                 qPrintable(label->text()));
    }
    lab->setAnimationTime(lab->planet().orbit.periodDays * 0.37);
    QVERIFY(std::isfinite(control<RvPlot>("rvChart")->markerPosition().y()));
}

void TestKeplerLab::opensWithTheRunningPlanet()
{
    // 16 Cygni B from the catalog: P 798.5 d, K 50.5 m/s, e 0.681, ω 85.8°, M★ 0.99.
    m_platform->inputAnswers.append({QStringLiteral("798.5"), QStringLiteral("50.5")});
    form<Form1>()->findChild<QAction *>(QStringLiteral("Screen1"))->trigger();
    KeplerLab::open();
    const LabPlanet &planet = form<KeplerLab>()->planet();
    QCOMPARE(planet.name, QStringLiteral("16Cygni B"));
    QCOMPARE(spin("periodSpin")->value(), 798.5);
    QCOMPARE(spin("semiAmplitudeSpin")->value(), 50.5);
    QCOMPARE(spin("eccentricitySpin")->value(), 0.681);
    QCOMPARE(spin("omegaSpin")->value(), 85.8);
    QCOMPARE(spin("starMassSpin")->value(), 0.99);
    QCOMPARE(spin("inclinationSpin")->value(), 90.0);
    QCOMPARE(control<QListWidget>("planetList")->currentRow(), 11);

    // After a stop, the lab opens with the first catalog planet.
    FormRegistry::instance().unload<KeplerLab>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form<Form1>()->findChild<QAction *>(QStringLiteral("Exit"))->trigger();
    KeplerLab::open();
    QCOMPARE(form<KeplerLab>()->planet().name, QStringLiteral("51Peg b"));
    QCOMPARE(spin("periodSpin")->value(), 4.2308);
}

void TestKeplerLab::setUpHandsItsPlanetOver()
{
    KeplerLab::open();
    QCOMPARE(form<KeplerLab>()->planet().name, QStringLiteral("51Peg b"));
    // A planet of one's own: P 100, K 20, e 0.2, ω 30°, a 0.5 AU, M★ 0.8.
    m_platform->inputAnswers.append({QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("0.2"),
                                     QStringLiteral("30"), QStringLiteral("0.5"), QStringLiteral("0.8")});
    form<Form1>()->findChild<QAction *>(QStringLiteral("Screen1"))->trigger();
    const LabPlanet &planet = form<KeplerLab>()->planet();
    QCOMPARE(planet.orbit.periodDays, 100.0);
    QCOMPARE(planet.orbit.semiAmplitude, 20.0);
    QCOMPARE(planet.orbit.eccentricity, 0.2);
    QCOMPARE(spin("omegaSpin")->value(), 30.0);
    QCOMPARE(spin("starMassSpin")->value(), 0.8);
    QCOMPARE(planet.seedAxisAu, 0.5);
    QCOMPARE(control<QListWidget>("planetList")->currentRow(), -1);
}

void TestKeplerLab::catalogListPicksAPlanet()
{
    form<KeplerLab>();
    control<QListWidget>("planetList")->setCurrentRow(12);
    // HD202206 b: P 255.870 d, K 564.8 m/s, e 0.4350, ω 161.18°.
    QCOMPARE(spin("periodSpin")->value(), 255.87);
    QCOMPARE(spin("semiAmplitudeSpin")->value(), 564.8);
    const auto [low, high] = extremes(series("true Keplerian curve"));
    const double cosOmega = std::cos(161.18 * std::numbers::pi / 180);
    QVERIFY(std::fabs(high - 564.8 * (1 + 0.435 * cosOmega)) < 0.5);
    QVERIFY(std::fabs(low + 564.8 * (1 - 0.435 * cosOmega)) < 0.5);
}

void TestKeplerLab::curveExport()
{
    KeplerLab *lab = form<KeplerLab>();
    lab->showPlanet(roundPlanet(4, 10, 0, 0));
    const QString path = m_environment->path() + QStringLiteral("/curve.csv");
    m_platform->fileNames.enqueue(path);
    item(lab, "exportCurveItem")->trigger();
    QCOMPARE(m_platform->saveFilters, QStringList{QStringLiteral("CSV text (*.csv)")});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 1 + 1500 + 1); // header, samples, empty after the last line end
    QCOMPARE(lines.at(0), QByteArray("time (days),phase (periastron = 0),velocity (m/s)"));
    QCOMPARE(lines.at(1), QByteArray("0.000000,0.000000,10.000000"));
    QCOMPARE(lines.at(1500), QByteArray("4.000000,0.000000,10.000000"));
    QVERIFY(m_platform->messageBoxes.isEmpty());
}

void TestKeplerLab::pictureExport_data()
{
    QTest::addColumn<QString>("itemName");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plot PNG") << "savePlotItem" << "plot.png";
    QTest::newRow("plot SVG") << "savePlotItem" << "plot.svg";
    QTest::newRow("orbit PNG") << "saveOrbitItem" << "orbit.png";
    QTest::newRow("orbit SVG") << "saveOrbitItem" << "orbit.SVG";
}

void TestKeplerLab::pictureExport()
{
    QFETCH(QString, itemName);
    QFETCH(QString, fileName);
    KeplerLab::open();
    const QString path = m_environment->path() + u'/' + fileName;
    m_platform->fileNames.enqueue(path);
    item(form<KeplerLab>(), itemName.toLatin1().constData())->trigger();
    QVERIFY(m_platform->saveFilters.constLast().contains(QStringLiteral("*.svg")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (fileName.endsWith(QStringLiteral("png"))) {
        const QImage picture = QImage::fromData(bytes, "PNG");
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() > 200 && picture.height() > 150);
    } else {
        QVERIFY(bytes.startsWith("<?xml"));
        QVERIFY(bytes.contains("<svg"));
        QVERIFY(bytes.contains("Orbiquest9 - Kepler Lab"));
        // Lines as vectors, not a picture of the screen.
        QVERIFY(bytes.contains("<path") || bytes.contains("<polyline"));
        QVERIFY(!bytes.contains("<image"));
    }
    QVERIFY(m_platform->messageBoxes.isEmpty());
}

void TestKeplerLab::exportFailureIsSaid()
{
    KeplerLab *lab = form<KeplerLab>();
    const QString path = m_environment->path() + QStringLiteral("/no such folder/curve.csv");
    m_platform->fileNames.enqueue(path);
    item(lab, "exportCurveItem")->trigger();
    QCOMPARE(m_platform->messageBoxes.size(), 1);
    QCOMPARE(m_platform->messageBoxes.constFirst().title, QStringLiteral("Orbiquest9 - Kepler Lab"));
    QCOMPARE(m_platform->messageBoxes.constFirst().style, MsgBox::Exclamation);
    QVERIFY(m_platform->messageBoxes.constFirst().prompt.contains(QStringLiteral("curve.csv")));
    QVERIFY(!QFile::exists(path));
    // A cancelled dialog writes nothing and says nothing.
    item(lab, "savePlotItem")->trigger();
    QCOMPARE(m_platform->messageBoxes.size(), 1);
}

void TestKeplerLab::playPauseAndHideStopTheTimer()
{
    KeplerLab::open();
    KeplerLab *lab = form<KeplerLab>();
    auto *timer = lab->findChild<QTimer *>(QStringLiteral("frameTimer"));
    QVERIFY(timer->isActive());
    QVERIFY(!control<QPushButton>("playButton")->isEnabled());
    QTest::mouseClick(control<QPushButton>("pauseButton"), Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QTest::mouseClick(control<QPushButton>("playButton"), Qt::LeftButton);
    QVERIFY(timer->isActive());
    const double before = lab->animationTime();
    QTRY_VERIFY(lab->animationTime() != before);
    qobject_cast<QMdiSubWindow *>(lab->parentWidget())->showMinimized();
    QVERIFY(!timer->isActive());
    qobject_cast<QMdiSubWindow *>(lab->parentWidget())->showNormal();
    QVERIFY(timer->isActive());
}

void TestKeplerLab::closeBoxUnloads()
{
    KeplerLab::open();
    QPointer<KeplerLab> lab = form<KeplerLab>();
    QPointer<QMdiSubWindow> subWindow = qobject_cast<QMdiSubWindow *>(lab->parentWidget());
    subWindow->close();
    QVERIFY(!FormRegistry::instance().isLoaded<KeplerLab>());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!lab);
    QVERIFY(!subWindow);
    KeplerLab::open();
    QVERIFY(FormRegistry::instance().isLoaded<KeplerLab>());
}

QTEST_MAIN(TestKeplerLab)
#include "tst_keplerlab.moc"
