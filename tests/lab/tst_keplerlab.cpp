#include "frame/mainframe.h"
#include "lab/rvplot.h"
#include "simulator/simulatorwindow.h"
#include "support/labscene.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <numbers>

namespace {

QDoubleSpinBox *spin(const char *name)
{
    return labControl<QDoubleSpinBox>(name);
}

/// The spin boxes of P, K, e, ω, M★ and i, in that order.
QList<double> elementSpins()
{
    QList<double> values;
    for (const char *name : {"periodSpin", "semiAmplitudeSpin", "eccentricitySpin", "omegaSpin", "starMassSpin",
                             "inclinationSpin"})
        values.append(spin(name)->value());
    return values;
}

QLineSeries *series(const char *name)
{
    for (QAbstractSeries *each : labControl<QChartView>("rvChart")->chart()->series()) {
        if (each->name() == QLatin1String(name))
            return qobject_cast<QLineSeries *>(each);
    }
    qFatal("no series %s", name);
}

std::pair<double, double> extremes(const QLineSeries *line)
{
    double lowest = INFINITY, highest = -INFINITY;
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
    planet.seedAxisAu = 1;
    return planet;
}

} // namespace

class TestKeplerLab : public LabScene
{
    Q_OBJECT

private slots:
    void menuOpensOneLabThatAnimatesUntilClosed_data()
    {
        QTest::addColumn<bool>("fromScreen1");
        QTest::newRow("Screen1's Core menu") << true;
        QTest::newRow("the frame's Screen menu") << false;
    }

    void menuOpensOneLabThatAnimatesUntilClosed()
    {
        QFETCH(bool, fromScreen1);
        QObject *owner = fromScreen1 ? static_cast<QObject *>(form<SimulatorWindow>()) : form<MainFrame>();
        QMenu *menu = owner->findChild<QMenu *>(QString::fromLatin1(fromScreen1 ? "m5" : "m1"));
        QAction *item = menu->findChild<QAction *>(QStringLiteral("KeplerLab"));
        QVERIFY(item && menu->actions().contains(item));
        QCOMPARE(item->text(), QStringLiteral("Kepler Lab(&K)"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F6));
        QVERIFY(!FormRegistry::instance().isLoaded<KeplerLab>());
        item->trigger();
        QPointer<KeplerLab> lab = FormRegistry::instance().find<KeplerLab>();
        QVERIFY(lab);
        QCOMPARE(lab->windowTitle(), QStringLiteral("Orbiquest9 - Kepler Lab"));
        QPointer<QMdiSubWindow> subWindow = qobject_cast<QMdiSubWindow *>(lab->parentWidget());
        QVERIFY(subWindow && form<MainFrame>()->mdiArea()->subWindowList().contains(subWindow));
        item->trigger();
        QCOMPARE(form<MainFrame>()->findChildren<KeplerLab *>().size(), 1);

        // The animation runs while the lab is seen and playing.
        auto *timer = lab->findChild<QTimer *>(QStringLiteral("frameTimer"));
        QVERIFY(timer->isActive());
        QVERIFY(!labControl<QPushButton>("playButton")->isEnabled());
        QTest::mouseClick(labControl<QPushButton>("pauseButton"), Qt::LeftButton);
        QVERIFY(!timer->isActive());
        QTest::mouseClick(labControl<QPushButton>("playButton"), Qt::LeftButton);
        QVERIFY(timer->isActive());
        const double before = lab->animationTime();
        QTRY_VERIFY(lab->animationTime() != before);
        subWindow->showMinimized();
        QVERIFY(!timer->isActive());
        subWindow->showNormal();
        QVERIFY(timer->isActive());
        // The close box unloads it; it opens again afresh.
        subWindow->close();
        QVERIFY(!FormRegistry::instance().isLoaded<KeplerLab>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!lab && !subWindow);
        KeplerLab::open();
        QVERIFY(FormRegistry::instance().isLoaded<KeplerLab>());
    }

    void everyControlIsNamed()
    {
        // The controls the other tests use are found by name and kind there.
        for (const char *name : {"periastronTimeSpin", "periastronTimeSlider", "orbitView", "sideView"})
            QVERIFY2(form<KeplerLab>()->findChild<QWidget *>(QString::fromLatin1(name)), name);
        QCOMPARE(labControl<QListWidget>("planetList")->count(), 15);
        QMenu *file = labControl<QMenu>("labFileMenu");
        const QList<std::pair<const char *, QKeySequence>> items = {
            {"exportCurveItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
            {"savePlotItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
            {"saveOrbitItem", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
            {"closeLabItem", QKeySequence(Qt::CTRL | Qt::Key_W)}};
        for (const auto &[name, keys] : items) {
            QAction *action = labControl<QAction>(name);
            QVERIFY2(file->actions().contains(action), name);
            QCOMPARE(action->shortcut(), keys);
        }
    }

    void catalogListPicksAPlanet()
    {
        // HD202206 b: P 255.870 d, K 564.8 m/s, e 0.4350, ω 161.18°, M★ 1.15; its curve reaches
        // K(1 + e cos ω) = 564.8 · 0.5883 = 332.3 and −K(1 − e cos ω) = −797.3 m/s.
        labControl<QListWidget>("planetList")->setCurrentRow(12);
        QCOMPARE(elementSpins(), (QList<double>{255.87, 564.8, 0.435, 161.2, 1.15, 90}));
        const auto [low, high] = extremes(series("true Keplerian curve"));
        QVERIFY2(std::fabs(high - 332.3) < 0.5 && std::fabs(low + 797.3) < 0.5, qPrintable(QString::number(high)));
        // The eccentricity box reshapes it: a circle of the same K spans ±564.8 m/s, and 1500
        // samples miss a flat extreme by far less than 0.05 m/s.
        spin("eccentricitySpin")->setValue(0);
        const auto [circleLow, circleHigh] = extremes(series("true Keplerian curve"));
        QVERIFY2(std::fabs(circleHigh - 564.8) < 0.05, qPrintable(QString::number(circleHigh)));
        QVERIFY2(std::fabs(circleLow + 564.8) < 0.05, qPrintable(QString::number(circleLow)));
        QCOMPARE(form<KeplerLab>()->planet().orbit.eccentricity, 0.0);
    }

    void sliderAndSpinBoxAgree_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("value");
        // Linear: e over 0 to 0.99, i over 0 to 90, ω over 0 to 360; log: P over 0.1 to 1e5 d,
        // K over 0.1 to 5000 m/s, M★ over 0.08 to 50, the speed over 0.1 to 20 times.
        QTest::newRow("e") << "eccentricity" << 200 << 0.198;
        QTest::newRow("i") << "inclination" << 1000 << 90.0;
        QTest::newRow("omega") << "omega" << 250 << 90.0;
        QTest::newRow("P") << "period" << 500 << 100.0;
        QTest::newRow("K top") << "semiAmplitude" << 1000 << 5000.0;
        QTest::newRow("star mass top") << "starMass" << 1000 << 50.0;
        QTest::newRow("speed top") << "speed" << 1000 << 20.0;
    }

    void sliderAndSpinBoxAgree()
    {
        QFETCH(QString, element);
        QFETCH(int, step);
        QFETCH(double, value);
        auto *slider = labControl<QSlider>(qPrintable(element + QStringLiteral("Slider")));
        QDoubleSpinBox *box = spin(qPrintable(element + QStringLiteral("Spin")));
        slider->setValue(step);
        QCOMPARE(box->value(), value);
        slider->setValue(0);
        box->setValue(value);
        QCOMPARE(slider->value(), step);
    }

    void phaseAxisAndSchematic()
    {
        form<KeplerLab>()->showPlanet(roundPlanet(8, 10, 0.5, 0));
        spin("periastronTimeSpin")->setValue(2);
        QLineSeries *curve = series("true Keplerian curve");
        QCOMPARE(curve->points().constFirst().x(), 0.0);
        QCOMPARE(curve->points().constLast().x(), 8.0);
        // Time axis: periastron at t = 2 d (sample 375 of 1500 over 8 d), where v = K(1 + e) for ω = 0.
        QVERIFY(std::fabs(curve->points().at(375).y() - 15.0) < 1e-3);

        labControl<QCheckBox>("phaseCheck")->setChecked(true);
        QCOMPARE(curve->points().constLast().x(), 1.0);
        QVERIFY(std::fabs(curve->points().constFirst().y() - 15.0) < 1e-9);
        auto *axis = qobject_cast<QValueAxis *>(labControl<QChartView>("rvChart")->chart()->axes(Qt::Horizontal).constFirst());
        QCOMPARE(axis->min(), 0.0);
        QCOMPARE(axis->max(), 1.0);
        QVERIFY(axis->titleText().contains(QStringLiteral("phase")));

        QLineSeries *schematic = series("Screen3's schematic curve");
        QVERIFY(!schematic->isVisible());
        labControl<QCheckBox>("schematicCheck")->setChecked(true);
        QVERIFY(schematic->isVisible());
        QCOMPARE(schematic->count(), curve->count());
        // At phase 0.25 the seed's angle is 90°: K [cos 90° + e] = 5 m/s (sample 374 lies 0.0005 of a
        // phase early, 0.03 m/s above); the true star, past periastron at e = 0.5, is already beyond ν = 90°.
        const QPointF quarter = schematic->points().at(1499 / 4);
        QVERIFY2(std::fabs(quarter.y() - 5.0) < 0.05, qPrintable(QString::number(quarter.y())));
        QVERIFY(curve->points().at(1499 / 4).y() < 0);
    }

    void cursorFollowsThePlanet()
    {
        KeplerLab *lab = form<KeplerLab>();
        lab->pause();
        lab->showPlanet(roundPlanet(20, 10, 0, 0));
        lab->setAnimationTime(25);
        QCOMPARE(lab->animationTime(), 5.0);
        RvPlot *plot = labControl<RvPlot>("rvChart");
        QCOMPARE(plot->cursorX(), 5.0);
        // A quarter orbit after periastron of a circle with ω = 0 the dot sits at (5 d, 0).
        const QPointF expected = plot->chart()->mapToPosition(QPointF(5, 0));
        QVERIFY(std::fabs(plot->markerPosition().x() - expected.x()) < 0.01);
        QVERIFY(std::fabs(plot->markerPosition().y() - expected.y()) < 0.01);
        QCOMPARE(plot->cursorLine().x1(), plot->markerPosition().x());
        QCOMPARE(plot->cursorLine().x2(), plot->markerPosition().x());
        labControl<QCheckBox>("phaseCheck")->setChecked(true);
        QCOMPARE(plot->cursorX(), 0.25);
    }

    void extremesStayFinite_data()
    {
        QTest::addColumn<QString>("values"); ///< "P|K|e|M★|i", many at the spin boxes' ends
        QTest::addColumn<QString>("trueMass"); ///< how the true mass's line starts
        QTest::newRow("short, heavy, nearly parabolic, nearly face-on") << "0.01|100000|0.999|0.01|0.1"
                                                                          << "at i = 0.1°: ";
        QTest::newRow("long, light, circular, heavy star") << "1000000|0.001|0|200|90" << "at i = 90.0°: ";
        QTest::newRow("face-on, eccentric") << "365.25|10|0.9|1|0" << "at i = 0.0°: undetermined (face-on)";
        // The masses are DerivedValues' (tst_labnumbers); shown here with their units, rounded to four
        // digits: m = 2.0006 Jupiter masses (the root of (m sin i)³/(M☉ + m)² = f, worked separately)
        // and 317.83 Earth masses each.
        QTest::newRow("Jupiter at 30 degrees") << "4332.59|12.47|0.0489|1|30"
                                               << "at i = 30.0°: 2.001 Jupiter masses = 635.9 Earth masses";
    }

    void extremesStayFinite()
    {
        QFETCH(QString, values);
        QFETCH(QString, trueMass);
        const QStringList value = values.split(u'|');
        KeplerLab *lab = form<KeplerLab>();
        labControl<QCheckBox>("schematicCheck")->setChecked(true);
        const char *names[] = {"periodSpin", "semiAmplitudeSpin", "eccentricitySpin", "starMassSpin",
                               "inclinationSpin"};
        for (int i = 0; i < 5; ++i)
            spin(names[i])->setValue(value.at(i).toDouble());
        QVERIFY(!labControl<QLabel>("refusalLabel")->isVisibleTo(lab));
        for (const char *name : {"true Keplerian curve", "Screen3's schematic curve"}) {
            for (const QPointF &point : series(name)->points())
                QVERIFY2(std::isfinite(point.x()) && std::isfinite(point.y()), name);
        }
        for (QLabel *label : labControl<QWidget>("derivedBox")->findChildren<QLabel *>())
            QVERIFY2(!label->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                         && !label->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                     qPrintable(label->text()));
        const QString shown = labControl<QLabel>("trueMassLabel")->text();
        QVERIFY2(shown.startsWith(trueMass), qPrintable(shown));
        QCOMPARE(labControl<QLabel>("starSpeedLabel")->text().contains(QStringLiteral("undetermined")),
                 trueMass.contains(QStringLiteral("undetermined")));
        lab->setAnimationTime(lab->planet().orbit.periodDays * 0.37);
        QVERIFY(std::isfinite(labControl<RvPlot>("rvChart")->markerPosition().y()));
    }

    void followsTheRunningPlanet()
    {
        // 16 Cygni B from the catalog: P 798.5 d, K 50.5 m/s, e 0.681, ω 85.8°, M★ 0.99.
        m_platform->inputAnswers.append({QStringLiteral("798.5"), QStringLiteral("50.5")});
        form<SimulatorWindow>()->findChild<QAction *>(QStringLiteral("Screen1"))->trigger();
        KeplerLab::open();
        QCOMPARE(form<KeplerLab>()->planet().name, QStringLiteral("16Cygni B"));
        QCOMPARE(elementSpins(), (QList<double>{798.5, 50.5, 0.681, 85.8, 0.99, 90}));
        QCOMPARE(labControl<QListWidget>("planetList")->currentRow(), 11);
        // A new set-up hands its planet over: P 100, K 20, e 0.2, ω 30°, a 0.5 AU, M★ 0.8.
        m_platform->inputAnswers.append({QStringLiteral("100"), QStringLiteral("20"), QStringLiteral("0.2"),
                                         QStringLiteral("30"), QStringLiteral("0.5"), QStringLiteral("0.8")});
        form<SimulatorWindow>()->findChild<QAction *>(QStringLiteral("Screen1"))->trigger();
        QCOMPARE(elementSpins(), (QList<double>{100, 20, 0.2, 30, 0.8, 90}));
        QCOMPARE(form<KeplerLab>()->planet().orbit.eccentricity, 0.2);
        QCOMPARE(form<KeplerLab>()->planet().seedAxisAu, 0.5);
        QCOMPARE(labControl<QListWidget>("planetList")->currentRow(), -1);
        // After a stop, the lab opens with the first catalog planet.
        FormRegistry::instance().unload<KeplerLab>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form<SimulatorWindow>()->findChild<QAction *>(QStringLiteral("Exit"))->trigger();
        KeplerLab::open();
        QCOMPARE(form<KeplerLab>()->planet().name, QStringLiteral("51Peg b"));
        QCOMPARE(spin("periodSpin")->value(), 4.2308);
    }

    void exports_data()
    {
        QTest::addColumn<QString>("itemName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("curve CSV") << "exportCurveItem" << "curve.csv";
        QTest::newRow("plot SVG") << "savePlotItem" << "plot.svg";
        QTest::newRow("orbit PNG") << "saveOrbitItem" << "orbit.png";
        QTest::newRow("orbit SVG") << "saveOrbitItem" << "orbit.SVG";
    }

    void exports()
    {
        QFETCH(QString, itemName);
        QFETCH(QString, fileName);
        KeplerLab::open();
        form<KeplerLab>()->showPlanet(roundPlanet(4, 10, 0, 0));
        const QString path = m_environment->path() + u'/' + fileName;
        m_platform->fileNames.enqueue(path);
        labControl<QAction>(qPrintable(itemName))->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (fileName.endsWith(QStringLiteral("csv"))) {
            QCOMPARE(m_platform->saveFilters, QStringList{QStringLiteral("CSV text (*.csv)")});
            // The rows' form is LabCurve's (tst_labnumbers); here the curve shown, written whole: a header,
            // 1500 samples and the empty piece after the last line end; v = K at t = 0 and t = P.
            const QList<QByteArray> lines = bytes.split('\n');
            QCOMPARE(lines.size(), 1 + 1500 + 1);
            QCOMPARE(lines.at(1), QByteArray("0.000000,0.000000,10.000000"));
            QCOMPARE(lines.at(1500), QByteArray("4.000000,0.000000,10.000000"));
        } else if (fileName.endsWith(QStringLiteral("png"))) {
            QVERIFY(m_platform->saveFilters.constLast().contains(QStringLiteral("*.svg")));
            const QImage picture = QImage::fromData(bytes, "PNG");
            QVERIFY(picture.width() > 200 && picture.height() > 150);
        } else {
            QVERIFY(bytes.startsWith("<?xml") && bytes.contains("<svg"));
            QVERIFY(bytes.contains("Orbiquest9 - Kepler Lab"));
            // Lines as vectors, not a picture of the screen.
            QVERIFY(bytes.contains("<path") || bytes.contains("<polyline"));
            QVERIFY(!bytes.contains("<image"));
        }
        QVERIFY(m_platform->messageBoxes.isEmpty());
        // A folder that does not exist is said; a cancelled dialog writes nothing and says nothing.
        const QString missing = m_environment->path() + QStringLiteral("/no such folder/") + fileName;
        m_platform->fileNames.enqueue(missing);
        labControl<QAction>(qPrintable(itemName))->trigger();
        labControl<QAction>(qPrintable(itemName))->trigger();
        QCOMPARE(m_platform->messageBoxes.size(), 1);
        QCOMPARE(m_platform->messageBoxes.constFirst().title, QStringLiteral("Orbiquest9 - Kepler Lab"));
        QCOMPARE(m_platform->messageBoxes.constFirst().style, MsgBox::Exclamation);
        QVERIFY(m_platform->messageBoxes.constFirst().prompt.contains(fileName));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_MAIN(TestKeplerLab)
#include "tst_keplerlab.moc"
