#include "frame/mainframe.h"
#include "lab/orbitview.h"
#include "lab/rvplot.h"
#include "simulator/simulatorwindow.h"
#include "support/labscene.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
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
    for (const char *name :
         {"periodSpin", "semiAmplitudeSpin", "eccentricitySpin", "omegaSpin", "starMassSpin", "inclinationSpin"})
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

    void catalogListPicksAPlanet()
    {
        // HD202206 b: P 255.870 d, K 564.8 m/s, e 0.4350, ω 161.18°, M★ 1.15; its curve reaches
        // K(1 + e cos ω) = 564.8 · 0.5883 = 332.3 and −K(1 − e cos ω) = −797.3 m/s.
        labControl<QListWidget>("planetList")->setCurrentRow(12);
        QCOMPARE(elementSpins(), (QList<double>{255.87, 564.8, 0.435, 161.18, 1.15, 90}));
        const auto [low, high] = extremes(series("true Keplerian curve"));
        QVERIFY2(std::fabs(high - 332.3) < 0.5 && std::fabs(low + 797.3) < 0.5, qPrintable(QString::number(high)));
        // The eccentricity box reshapes it: a circle of the same K spans ±564.8 m/s, and 1500
        // samples miss a flat extreme by far less than 0.05 m/s.
        spin("eccentricitySpin")->setValue(0);
        const auto [circleLow, circleHigh] = extremes(series("true Keplerian curve"));
        QVERIFY2(std::fabs(circleHigh - 564.8) < 0.05, qPrintable(QString::number(circleHigh)));
        QVERIFY2(std::fabs(circleLow + 564.8) < 0.05, qPrintable(QString::number(circleLow)));
        QCOMPARE(form<KeplerLab>()->planet().orbit.eccentricity, 0.0);
        QCOMPARE(labControl<QLabel>("planetNameLabel")->text(), QStringLiteral("HD202206 b (elements changed)"));
    }

    void catalogListSaysWhereAValueWasRevised()
    {
        // 55 Cnc e, eighth in the list: the catalog's 2.7955 d stays, the list adds what replaced it.
        QListWidget *list = labControl<QListWidget>("planetList");
        const QListWidgetItem *revised = list->item(7);
        QVERIFY2(revised->text().contains(QStringLiteral("0.7365 d")), qPrintable(revised->text()));
        for (const char *paper : {"Dawson & Fabrycky (2010)", "Winn et al. (2011)", "Demory et al. (2011)"})
            QVERIFY2(revised->toolTip().contains(QLatin1String(paper)), paper);
        list->setCurrentRow(7);
        QCOMPARE(form<KeplerLab>()->planet().orbit.periodDays, 2.7955);
    }

    void elementBoxesKeepTheirDigits_data()
    {
        QTest::addColumn<int>("catalogRow");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("element"); ///< the element checked: P, K or T_p
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("changed"); ///< the name says "(elements changed)"
        // 51 Peg b's catalog period typed back: the planet stays as it was.
        QTest::newRow("P to seven digits") << 0 << "periodSpin"
                                           << "4.230785"
                                           << "P" << 4.230785 << false;
        QTest::newRow("T_p to 0.0001 d") << 0 << "periastronTimeSpin"
                                         << "15.7123"
                                         << "T_p" << 15.7123 << true;
        QTest::newRow("full-width digits and point") << 0 << "semiAmplitudeSpin"
                                                     << "１２．５"
                                                     << "K" << 12.5 << true;
        QTest::newRow("full-width minus") << 0 << "periastronTimeSpin"
                                          << "－３．２５"
                                          << "T_p" << -3.25 << true;
        // HD 209458 b's catalog period, 3.52474554 d, shown whole and kept.
        QTest::newRow("catalog's nine digits") << 2 << "periodSpin" << QString() << "P" << 3.52474554 << false;
        // A fitted period carries more digits than any box shows; editing another element keeps them.
        QTest::newRow("a fit's period") << -1 << "inclinationSpin"
                                        << "45"
                                        << "P" << 4.23078512345 << true;
    }

    void elementBoxesKeepTheirDigits()
    {
        QFETCH(int, catalogRow);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, element);
        QFETCH(double, value);
        QFETCH(bool, changed);
        KeplerLab::open();
        if (catalogRow >= 0)
            labControl<QListWidget>("planetList")->setCurrentRow(catalogRow);
        else
            form<KeplerLab>()->showPlanet(roundPlanet(value, 55.94, 0, 0));
        QDoubleSpinBox *edited = spin(qPrintable(box));
        QLineEdit *line = edited->findChild<QLineEdit *>();
        edited->selectAll();
        if (std::ranges::all_of(typed, [](QChar c) { return c.unicode() < 128; })) {
            QTest::keyClicks(edited, typed);
        } else {
            // Full-width text arrives from an input method as one committed string.
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QCoreApplication::sendEvent(line, &commit);
        }
        const LabPlanet &planet = form<KeplerLab>()->planet();
        QCOMPARE(element == u"P"       ? planet.orbit.periodDays
                     : element == u"K" ? planet.orbit.semiAmplitude
                                       : planet.orbit.periastronTime,
                 value);
        QCOMPARE(labControl<QLabel>("planetNameLabel")->text().endsWith(QStringLiteral("(elements changed)")), changed);
        // The whole number fits in the box as laid out.
        QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) < line->width(), qPrintable(line->text()));
    }

    void sliderAndSpinBoxAgree_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("step");
        QTest::addColumn<double>("value");
        // Linear: e over 0 to 0.99, ω over 0 to 360; log: P over 0.1 to 1e5 d, the speed over 0.1 to
        // 20 times.
        QTest::newRow("e") << "eccentricity" << 200 << 0.198;
        QTest::newRow("omega") << "omega" << 250 << 90.0;
        QTest::newRow("P") << "period" << 500 << 100.0;
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
        auto *axis =
            qobject_cast<QValueAxis *>(labControl<QChartView>("rvChart")->chart()->axes(Qt::Horizontal).constFirst());
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
        labControl<QCheckBox>("phaseCheck")->setChecked(true);
        QCOMPARE(plot->cursorX(), 0.25);
    }

    void extremesStayFinite_data()
    {
        QTest::addColumn<QString>("values");   ///< "P|K|e|M★|i", many at the spin boxes' ends
        QTest::addColumn<QString>("trueMass"); ///< how the true mass's line starts
        QTest::newRow("short, heavy, nearly parabolic, nearly face-on") << "0.01|100000|0.999|0.01|0.1"
                                                                        << "at i = 0.1°: ";
        QTest::newRow("long, light, circular, heavy star") << "1000000|0.001|0|200|90"
                                                           << "at i = 90.0°: ";
        QTest::newRow("face-on, eccentric") << "365.25|10|0.9|1|0"
                                            << "at i = 0.0°: undetermined (face-on)";
        // The masses are DerivedValues' (tst_labnumbers); shown here with their units, rounded to four
        // digits: m = 2.0006 Jupiter masses (the root of (m sin i)³/(M☉ + m)² = f, worked separately)
        // and 317.83 Earth masses each.
        QTest::newRow("Jupiter at 30 degrees") << "4332.59|12.47|0.0489|1|30"
                                               << "at i = 30.0°: 2.001 Jupiter masses = 635.9 Earth masses: Planet";
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
        QCOMPARE(form<KeplerLab>()->planet().seedAxisAu, 0.5);
        QCOMPARE(labControl<QListWidget>("planetList")->currentRow(), -1);
        // After a stop, the lab opens with the first catalog planet.
        FormRegistry::instance().unload<KeplerLab>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form<SimulatorWindow>()->findChild<QAction *>(QStringLiteral("Exit"))->trigger();
        KeplerLab::open();
        QCOMPARE(form<KeplerLab>()->planet().name, QStringLiteral("51Peg b"));
        QCOMPARE(spin("periodSpin")->value(), 4.230785);
    }

    void exports_data()
    {
        QTest::addColumn<QString>("itemName");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("curve CSV") << "exportCurveItem"
                                   << "curve.csv";
        QTest::newRow("plot SVG") << "savePlotItem"
                                  << "plot.svg";
        QTest::newRow("orbit PNG") << "saveOrbitItem"
                                   << "orbit.png";
    }

    void exports()
    {
        // Asking, writing whole and saying a failure are ExportFlow's (tst_exportflow); here each
        // command writes what it names.
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
            // The curve shown, whole: a header, 1500 samples, v = K at t = 0 and t = P.
            const QList<QByteArray> lines = bytes.split('\n');
            QCOMPARE(lines.size(), 1 + 1500 + 1);
            QCOMPARE(lines.at(1500), QByteArray("4.000000,0.000000,10.000000"));
        } else if (fileName.endsWith(QStringLiteral("png"))) {
            const QImage picture = QImage::fromData(bytes, "PNG");
            QVERIFY(picture.width() > 200 && picture.height() > 150);
        } else {
            // Lines as vectors, not a picture of the screen.
            QVERIFY(bytes.contains("<path") || bytes.contains("<polyline"));
            QVERIFY(!bytes.contains("<image"));
        }
    }

    void reflexOrbitIsTheStarsShare()
    {
        // An equal-mass binary (M★ = m = 1 M☉, P = 365.25 d, K = 18763.3 m/s, worked in tst_labnumbers):
        // the star's orbit is half the relative one, drawn at 0.18 of the planet's, so enlarged 0.36 times.
        form<KeplerLab>()->showPlanet(roundPlanet(365.25, 18763.2982, 0, 0));
        QVERIFY(std::fabs(labControl<OrbitView>("orbitView")->reflexEnlargement() - 0.36) < 1e-4);
    }

    void everyControlIsReachableAt1024x768()
    {
        KeplerLab::open();
        KeplerLab *lab = form<KeplerLab>();
        auto *subWindow = qobject_cast<QMdiSubWindow *>(lab->parentWidget());
        QMdiArea *workArea = form<MainFrame>()->mdiArea();
        // Placed inside the frame's work area, whatever the frame's size.
        QVERIFY(workArea->viewport()->rect().contains(subWindow->geometry()));
        // The frame as large as a 1024 × 768 screen; the lab fills its work area, as it is placed in a
        // frame smaller than the lab's own size.
        form<MainFrame>()->resize(1024, 768);
        QVERIFY(QTest::qWaitForWindowExposed(form<MainFrame>()));
        subWindow->setGeometry(workArea->viewport()->rect());
        QCoreApplication::processEvents();
        // The lab asks no more room than that, or part of it would hang outside the frame or the screen.
        QVERIFY(form<MainFrame>()->height() <= 768);
        QVERIFY2(workArea->viewport()->rect().contains(subWindow->geometry()),
                 qPrintable(QStringLiteral("%1 × %2").arg(subWindow->width()).arg(subWindow->height())));
        const QRect labArea = lab->rect();
        for (QWidget *widget : lab->findChildren<QWidget *>()) {
            const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
                || qobject_cast<QSlider *>(widget) || qobject_cast<QAbstractItemView *>(widget)
                || qobject_cast<QLabel *>(widget) || qobject_cast<QChartView *>(widget)
                || widget->objectName().endsWith(u"View");
            if (!control || !widget->isVisibleTo(lab) || !widget->isVisible())
                continue;
            const QString name = widget->objectName() + u' ' + QString::fromLatin1(widget->metaObject()->className());
            // A control is given at least the room it asks for...
            QVERIFY2(widget->width() >= widget->minimumSizeHint().width()
                         && widget->height() >= widget->minimumSizeHint().height(),
                     qPrintable(name));
            // ...and lies inside the lab, or on a scroll area's page no wider than its view.
            QScrollArea *scroll = nullptr;
            for (QWidget *up = widget->parentWidget(); up != lab && !scroll; up = up->parentWidget())
                scroll = qobject_cast<QScrollArea *>(up);
            const QRect place(widget->mapTo(lab, QPoint(0, 0)), widget->size());
            QVERIFY2(labArea.contains(place) || scroll, qPrintable(name));
            if (scroll) {
                QVERIFY2(scroll->widget()->width() <= scroll->viewport()->width(), qPrintable(name));
                QVERIFY2(labArea.contains(QRect(scroll->mapTo(lab, QPoint(0, 0)), scroll->size())), qPrintable(name));
            }
        }
    }
};

QTEST_MAIN(TestKeplerLab)
#include "tst_keplerlab.moc"
