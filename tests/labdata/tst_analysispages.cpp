// The Observations tab's pages beside the periodogram: the spectral window,
// the alias labels of the peak table and the detectability map.
#include "labdata/analysisrunner.h"
#include "labdata/detectabilitychart.h"
#include "labdata/detectabilitypane.h"
#include "labdata/observationspanel.h"
#include "labdata/windowchart.h"
#include "labdata/windowpane.h"
#include "support/findcontrol.h"
#include "support/panelfixture.h"

#include "observations/synthetic.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace {

/// One measurement a night for `nights` nights, `night` days apart (1 for
/// the same clock time, 1/1.0027379 for the same sidereal time), the hour
/// scattered by `hourScatter` hours, of a circular planet of period
/// `period` and semi-amplitude 10 m/s with 1 m/s noise.
Observations::DataSet nightly(int nights, double night, double hourScatter, double period)
{
    std::mt19937_64 random(7);
    std::normal_distribution<double> noise(0, 1), hour(0, hourScatter / 24);
    Observations::DataSet data;
    data.instruments = {"nightly"};
    for (int k = 0; k < nights; ++k) {
        const double t = 2460000.3 + k * night + hour(random);
        const double v = period > 0 ? 10 * std::cos(2 * std::numbers::pi * t / period) : 0;
        data.measurements.push_back({t, v + noise(random), 1.0, 0});
    }
    return data;
}

/// 40 uniform points of one planet, P = 12.3 d, K = 25 m/s, σ = 1 m/s.
Observations::DataSet quickSet()
{
    const Kepler::Orbit planet{12.3, 25.0, 0.0, 1.0, 2460003.0};
    const Observations::SyntheticPlan plan{.count = 40,
                                           .spanDays = 150,
                                           .startTime = 2460000.0,
                                           .cadence = Observations::Cadence::Uniform,
                                           .noiseSigma = 1.0,
                                           .seed = 11};
    return Observations::simulate(std::span(&planet, 1), plan);
}

} // namespace

class TestAnalysisPages : public QObject, private PanelFixture
{
    Q_OBJECT

    template <class T> T *child(const char *name) { return control<T>(m_panel.get(), name); }

    void waitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!m_panel->runner()->isRunning(), 30000); }

    /// The peak table's rows as (period, alias text).
    QList<QPair<double, QString>> peakRows()
    {
        auto *table = child<QTableWidget>("peakTable");
        QList<QPair<double, QString>> rows;
        for (int row = 0; row < table->rowCount(); ++row)
            rows.append({table->item(row, 1)->text().toDouble(), table->item(row, 4)->text()});
        return rows;
    }

    void setMapRange(double periodFrom, double periodTo, int periods, double kFrom, double kTo, int amplitudes,
                     int trials)
    {
        child<QDoubleSpinBox>("mapPeriodFrom")->setValue(periodFrom);
        child<QDoubleSpinBox>("mapPeriodTo")->setValue(periodTo);
        child<QSpinBox>("mapPeriodCount")->setValue(periods);
        child<QDoubleSpinBox>("mapAmplitudeFrom")->setValue(kFrom);
        child<QDoubleSpinBox>("mapAmplitudeTo")->setValue(kTo);
        child<QSpinBox>("mapAmplitudeCount")->setValue(amplitudes);
        child<QSpinBox>("mapTrials")->setValue(trials);
    }

private slots:
    void init() { openPanel(); }

    void cleanup() { closePanel(); }

    void windowMarksTheDay_data()
    {
        QTest::addColumn<double>("night");
        QTest::addColumn<double>("dayFrequency");
        QTest::addColumn<QString>("name");
        QTest::newRow("same clock time") << 1.0 << 1.0 << "1 day";
        // Near the same sidereal time each night the star returns every sidereal day.
        QTest::newRow("same sidereal time") << 1 / 1.00273790935 << 1.00273790935 << "sidereal day";
    }

    void windowMarksTheDay()
    {
        QFETCH(double, night);
        QFETCH(double, dayFrequency);
        QFETCH(QString, name);
        const int nights = 60;
        m_panel->setData(nightly(nights, night, 0, 0), QStringLiteral("nightly"));
        waitIdle();
        // The grid holds 10 frequencies per 1/T: one step is a tenth of the peak width.
        const double step = 0.1 / ((nights - 1) * night);
        auto *table = child<QTableWidget>("windowPeakTable");
        bool marked = false;
        for (int row = 0; row < table->rowCount(); ++row)
            marked |= table->item(row, 2)->text() == name
                && std::abs(1 / table->item(row, 0)->text().toDouble() - dayFrequency) <= step * 1.01;
        QVERIFY2(marked, qPrintable(name + QStringLiteral(" not listed at its frequency")));
        QVERIFY(child<WindowPane>("windowPane")->chart()->markNames().contains(name));
    }

    void aliasesOfANightlyPlanet()
    {
        // The hour scattered by an hour lowers the window's daily peak below 1,
        // so the true period stands above its aliases.
        m_panel->setData(nightly(60, 1.0, 1.0, 1.5), QStringLiteral("1.5-day planet"));
        waitIdle();
        child<QDoubleSpinBox>("periodFrom")->setValue(0.5);
        child<QDoubleSpinBox>("periodTo")->setValue(20);
        child<QPushButton>("periodogramButton")->click();
        waitIdle();
        const auto rows = peakRows();
        const auto alias = [&rows](double period) {
            for (const auto &[p, text] : rows)
                if (std::abs(p - period) < 0.02 * period)
                    return std::optional(text);
            return std::optional<QString>();
        };
        // |1/1.5 − 1| = 1/3 and 1/1.5 + 1 = 5/3 cycles a day.
        QCOMPARE(alias(1.5), QString());
        for (double period : {3.0, 0.6}) {
            QVERIFY2(alias(period), qPrintable(QStringLiteral("no peak at %1 d").arg(period)));
            QVERIFY2(alias(period)->contains(QStringLiteral("1.5 d"))
                         && alias(period)->contains(QStringLiteral("1 day")),
                     qPrintable(*alias(period)));
        }
    }

    void mapOfAFittedPlanet()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        waitIdle();
        child<QPushButton>("fitButton")->click();
        waitIdle();
        QVERIFY(m_panel->fitResult() && m_panel->fitResult()->planets.size() == 1);
        child<QTabWidget>("analysisTabs")->setCurrentWidget(child<QWidget>("detectabilityPane"));
        setMapRange(5, 40, 3, 1, 80, 4, 3);
        auto *pane = child<DetectabilityPane>("detectabilityPane");
        child<QPushButton>("mapRunButton")->click();
        QVERIFY(pane->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!pane->isRunning(), 60000);
        DetectabilityChart *chart = pane->chart();
        QVERIFY(chart->hasMap());
        // 80 m/s against 1 m/s of noise is found every time, so both contours exist.
        QVERIFY(!chart->contour(0.5).isEmpty());
        QVERIFY(!chart->contour(0.9).isEmpty());
        QCOMPARE(chart->planetNames(), QStringList{QStringLiteral("b")});
        const QPointF planet = chart->planetSeries()->at(0);
        QVERIFY(std::abs(planet.x() - 12.3) < 0.2 && std::abs(planet.y() - 25) < 2);
        QVERIFY(child<QPushButton>("mapSaveCsv")->isEnabled());

        m_panel->setData(nightly(30, 1.0, 1.0, 0), QStringLiteral("other"));
        QVERIFY(!chart->hasMap());
        QVERIFY(chart->planetNames().isEmpty());
    }

    void cancelStopsTheMap()
    {
        m_panel->setData(quickSet(), QStringLiteral("quick"));
        waitIdle();
        setMapRange(1, 100, 200, 0.1, 100, 200, 1000);
        auto *pane = child<DetectabilityPane>("detectabilityPane");
        child<QPushButton>("mapRunButton")->click();
        QVERIFY(pane->isRunning());
        child<QPushButton>("mapCancelButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!pane->isRunning(), 30000);
        QVERIFY(!pane->chart()->hasMap());
        QVERIFY(child<QLabel>("mapStatus")->text().contains(QStringLiteral("Cancelled")));
        QVERIFY(child<QPushButton>("mapRunButton")->isEnabled());
    }
};

QTEST_MAIN(TestAnalysisPages)
#include "tst_analysispages.moc"
