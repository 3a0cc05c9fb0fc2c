#include "handfit/handfitpane.h"
#include "labdata/datachart.h"
#include "labdata/labobservations.h"
#include "labdata/observationspanel.h"
#include "support/labscene.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <numbers>

namespace {

/// A circular orbit, P = 10 d, K = 10 m/s, periastron at t = 0: at t = kP/8
/// the star moves at K cos(kπ/4).
constexpr double TrueK = 10;
constexpr int Points = 8;
/// The noise on each velocity, σ = 1: χ² at the true elements is Σ n² = 4.
constexpr double Noise[Points] = {1, 0, -1, 0, 1, 0, -1, 0};

LabPlanet circularPlanet()
{
    LabPlanet planet;
    planet.name = QStringLiteral("hand");
    planet.orbit = {10, TrueK, 0, 0, 0};
    return planet;
}

/// The eight measurements; every second one from instrument 2 when `twoInstruments`.
Observations::DataSet eightPoints(bool twoInstruments)
{
    Observations::DataSet data;
    data.instruments = twoInstruments ? std::vector<std::string>{"A", "B"} : std::vector<std::string>{"A"};
    for (int k = 0; k < Points; ++k) {
        const double velocity = TrueK * std::cos(k * std::numbers::pi / 4) + Noise[k];
        data.measurements.push_back({k * 1.25, velocity, 1, twoInstruments ? k % 2 : 0});
    }
    return data;
}

HandFitPane *pane()
{
    return labControl<HandFitPane>("handFitPane");
}

/// The lab open on the circular planet with `data` on its Observations tab.
void openWith(const Observations::DataSet &data)
{
    KeplerLab::open();
    form<KeplerLab>()->pause();
    form<KeplerLab>()->showPlanet(circularPlanet());
    LabObservations::panel(form<KeplerLab>())->setData(data, QStringLiteral("hand"));
    for (int k = 1; k <= int(data.instruments.size()); ++k)
        labControl<QDoubleSpinBox>(qPrintable(QStringLiteral("offset%1Spin").arg(k)))->setValue(0);
}

} // namespace

class TestHandFit : public LabScene
{
    Q_OBJECT

private slots:
    void meterFollowsTheElements_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("chiSquare");
        // Residuals n_k − (K' − K) cos(kπ/4), squared and summed by hand.
        QTest::newRow("true elements") << "semiAmplitudeSpin" << TrueK << 4.0;
        QTest::newRow("K 2 m/s too large") << "semiAmplitudeSpin" << 12.0 << 20.0;
        QTest::newRow("K 1 m/s too small") << "semiAmplitudeSpin" << 9.0 << 8.0;
        // Half a period late: every velocity flips, r_k = n_k + 2K cos(kπ/4).
        QTest::newRow("periastron half a period late") << "periastronTimeSpin" << 5.0 << 1604.0;
    }

    void meterFollowsTheElements()
    {
        QFETCH(QString, spin);
        QFETCH(double, value);
        QFETCH(double, chiSquare);
        openWith(eightPoints(false));
        QVERIFY(!pane()->isHidden());
        labControl<QDoubleSpinBox>(qPrintable(spin))->setValue(value);
        QVERIFY(pane()->goodness());
        const Challenge::Goodness &meter = *pane()->goodness();
        QVERIFY(std::fabs(meter.chiSquare - chiSquare) < 1e-9);
        // ν = 8 points − 5 elements − 1 offset.
        const QString reduced = QString::number(chiSquare / 2, 'f', 2);
        QVERIFY2(labControl<QLineEdit>("goodnessMeter")->text().contains(reduced),
                 qPrintable(labControl<QLineEdit>("goodnessMeter")->text()));
        QVERIFY(std::fabs(meter.rms - std::sqrt(chiSquare / Points)) < 1e-9);
    }

    void aBetterPeriodLowersTheMeter()
    {
        openWith(eightPoints(false));
        labControl<QDoubleSpinBox>("periodSpin")->setValue(10.4);
        QVERIFY2(pane()->goodness()->chiSquare > 8, qPrintable(QString::number(pane()->goodness()->chiSquare)));
        labControl<QDoubleSpinBox>("periodSpin")->setValue(10);
        QVERIFY(std::fabs(pane()->goodness()->chiSquare - 4) < 1e-9);
    }

    void anOffsetShiftsItsInstrumentsResidualsByItself()
    {
        openWith(eightPoints(true));
        const std::vector<double> before = pane()->goodness()->residuals;
        labControl<QDoubleSpinBox>("offset2Spin")->setValue(3.25);
        const std::vector<double> after = pane()->goodness()->residuals;
        for (int k = 0; k < Points; ++k)
            QVERIFY(std::fabs(after[k] - (before[k] - (k % 2 == 1 ? 3.25 : 0))) < 1e-12);
        // The residual chart shows them.
        const QList<QPointF> shown = labControl<DataChart>("residualChart")->instrumentSeries().at(1)->points();
        QVERIFY(std::fabs(shown.at(0).y() - after[1]) < 1e-12);
    }

    void theFoldPutsEachPointAtItsPhase()
    {
        openWith(eightPoints(false));
        labControl<QDoubleSpinBox>("periastronTimeSpin")->setValue(1);
        labControl<QCheckBox>("foldCheck")->setChecked(true);
        const QList<QPointF> points = labControl<DataChart>("handFitChart")->instrumentSeries().at(0)->points();
        // (t − 1)/10 reduced to [0, 1) for t = 0, 1.25, 2.5 … 8.75.
        const double phases[Points] = {0.9, 0.025, 0.15, 0.275, 0.4, 0.525, 0.65, 0.775};
        QCOMPARE(points.size(), Points);
        for (int k = 0; k < Points; ++k)
            QVERIFY2(std::fabs(points[k].x() - phases[k]) < 1e-12, qPrintable(QString::number(points[k].x())));
        labControl<QCheckBox>("foldCheck")->setChecked(false);
        QCOMPARE(labControl<DataChart>("handFitChart")->instrumentSeries().at(0)->points().at(1).x(), 1.25);
    }

    void howCloseSaysOnlyARatioAndHidesWithoutHints()
    {
        // 40 noisy points of an eccentric orbit; the student's K is far too small.
        Observations::DataSet data;
        data.instruments = {"A"};
        const Kepler::Orbit truth{10, 20, 0.2, 1, 2};
        for (int i = 0; i < 40; ++i) {
            const double t = 1.37 * i;
            data.measurements.push_back({t, Kepler::radialVelocity(truth, t) + 2 * std::sin(12.9898 * i), 2, 0});
        }
        openWith(data);
        LabPlanet student = circularPlanet();
        student.orbit = {10, 8, 0.2, 1, 2};
        form<KeplerLab>()->showPlanet(student);
        auto *button = labControl<QPushButton>("howCloseButton");
        auto *answer = labControl<QLabel>("howCloseLabel");
        QVERIFY(button->isVisibleTo(pane()));
        button->click();
        QTRY_VERIFY_WITH_TIMEOUT(answer->text().contains(QStringLiteral("times")), 30000);
        // One number only, the ratio: no element of the best fit.
        static const QRegularExpression number(QStringLiteral("[0-9]+(\\.[0-9]+)?"));
        QList<QString> numbers;
        for (const QRegularExpressionMatch &match : number.globalMatch(answer->text()))
            numbers.append(match.captured());
        QCOMPARE(numbers.size(), 1);
        QVERIFY2(numbers.first().toDouble() > 2, qPrintable(answer->text()));

        form<KeplerLab>()->setHintsAllowed(false);
        QVERIFY(!button->isVisibleTo(pane()));
        form<KeplerLab>()->setHintsAllowed(true);
        QVERIFY(button->isVisibleTo(pane()));
    }

    void presentationEnlargesAndGivesBack()
    {
        KeplerLab::open();
        auto *check = labControl<QCheckBox>("phaseCheck");
        auto *plot = labControl<QChartView>("rvChart");
        const double normalText = check->font().pointSizeF();
        const double normalTitle = plot->chart()->titleFont().pointSizeF();
        QAction *presentation = labControl<QAction>("presentationItem");
        presentation->trigger();
        QVERIFY(check->font().pointSizeF() > 1.4 * normalText);
        QVERIFY(plot->chart()->titleFont().pointSizeF() > 1.4 * normalTitle);
        presentation->trigger();
        QCOMPARE(check->font().pointSizeF(), normalText);
        QCOMPARE(plot->chart()->titleFont().pointSizeF(), normalTitle);
    }
};

QTEST_MAIN(TestHandFit)
#include "tst_handfit.moc"
