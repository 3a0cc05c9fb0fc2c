#include "labdata/analysisrunner.h"
#include "labdata/periodogramchart.h"
#include "labdata/plotdata.h"
#include "labdata/pointexclusion.h"

#include <QTest>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

Observations::DataSet twoInstruments()
{
    return {{{2450005.0, 10.0, 1.0, 0}, {2450003.0, -100.0, 3.0, 1}, {2450009.0, 20.0, 2.0, 0}}, {"A", "B"}};
}

/// A converged result with circular planets (P, K, T_p) and instrument offsets.
Fitting::Result circularFit(const QList<std::array<double, 3>> &planets, const QList<double> &offsets)
{
    Fitting::Result result;
    result.status = Fitting::Status::Converged;
    for (const auto &planet : planets) {
        Fitting::PlanetResult p;
        p.value.periodDays = planet[0];
        p.value.semiAmplitude = planet[1];
        p.value.periastronTime = planet[2];
        result.planets.push_back(p);
    }
    for (double offset : offsets) {
        Fitting::InstrumentResult instrument;
        instrument.offset = offset;
        result.instruments.push_back(instrument);
    }
    return result;
}

/// Measurements that the fit describes exactly: K_j cos(2π (t − T_j)/P_j) summed, plus offsets.
Observations::DataSet exactData(const Fitting::Result &fit, const QList<double> &times)
{
    Observations::DataSet data;
    data.instruments = {"A", "B"};
    for (qsizetype i = 0; i < times.size(); ++i) {
        const int instrument = int(i % 2);
        double v = fit.instruments[std::size_t(instrument)].offset;
        for (const auto &planet : fit.planets)
            v += planet.value.semiAmplitude
                * std::cos(2 * Pi * (times[i] - planet.value.periastronTime) / planet.value.periodDays);
        data.measurements.push_back({times[i], v, 1.5, instrument});
    }
    return data;
}

} // namespace

class TestLabPlotData : public QObject
{
    Q_OBJECT

private slots:
    void alignedPoints()
    {
        // Times from the earliest, 2450003. Without a fit each instrument's weighted mean is
        // taken off, A's (10 + 20/4) / 1.25 = 12 with weights 1 and 1/4; with one, its offsets.
        const QList<InstrumentPoints> points = PlotData::alignedPoints(twoInstruments(), nullptr);
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0].name, QStringLiteral("A"));
        QCOMPARE(points[0].points, (QList<QPointF>{{2.0, -2.0}, {6.0, 8.0}}));
        QCOMPARE(points[0].errors, (QList<double>{1.0, 2.0}));
        QCOMPARE(points[1].points, (QList<QPointF>{{0.0, 0.0}}));
        QVERIFY(points[0].color != points[1].color);
        const Fitting::Result fit = circularFit({}, {5.0, -90.0});
        const QList<InstrumentPoints> shifted = PlotData::alignedPoints(twoInstruments(), &fit);
        QCOMPARE(shifted[0].points, (QList<QPointF>{{2.0, 5.0}, {6.0, 15.0}}));
        QCOMPARE(shifted[1].points, (QList<QPointF>{{0.0, -10.0}}));
        QCOMPARE(PlotData::pointsPerInstrument(twoInstruments()), (QList<int>{2, 1}));
        QCOMPARE(PlotData::pointsPerInstrument({}), QList<int>{});
        QCOMPARE(PlotData::timeSpan(twoInstruments()), 6.0);
        QCOMPARE(PlotData::timeSpan({}), 0.0);
    }

    // The analysis sees each kept measurement with its own index value, and excluded ones come back with theirs.
    void exclusionKeepsActivityAligned()
    {
        Observations::DataSet data = twoInstruments();
        data.activity = {{"S-index", {0.1, 0.3, 0.9}}, {"FWHM", {7, 8, 9}}};
        PointExclusion exclusion;
        exclusion.reset(data.measurements.size());
        exclusion.setInstrumentHidden(1, true);
        exclusion.togglePoint(0);
        const auto kept = [&] {
            QList<double> values;
            for (const auto &index : exclusion.kept(data).activity)
                values.append(QList<double>(index.values.begin(), index.values.end()));
            return values;
        };
        QCOMPARE(kept(), (QList<double>{0.9, 9}));
        exclusion.togglePoint(0);
        QCOMPARE(kept(), (QList<double>{0.1, 0.9, 7, 9}));
        exclusion.setInstrumentHidden(1, false);
        QCOMPARE(kept(), (QList<double>{0.1, 0.3, 0.9, 7, 8, 9}));
    }

    void excludedPointsLeaveTheAnalysisButNotThePlots()
    {
        const Observations::DataSet data = twoInstruments();
        PointExclusion exclusion;
        exclusion.reset(data.measurements.size());
        exclusion.setInstrumentHidden(1, true);
        exclusion.togglePoint(0);
        // Only A's point at 2450009 is analysed; B, without a point left, is no instrument of the fit.
        Observations::DataSet kept = exclusion.kept(data);
        QCOMPARE(kept.instruments, std::vector<std::string>{"A"});
        QCOMPARE(kept.measurements.size(), std::size_t(1));
        QCOMPARE(kept.measurements[0].time, 2450009.0);
        QCOMPARE(kept.measurements[0].instrument, 0);
        QCOMPARE(exclusion.mask(data), (std::vector<bool>{true, true, false}));
        exclusion.togglePoint(0);
        exclusion.setInstrumentHidden(1, false);
        QVERIFY(!exclusion.excludesAny(data));
        QCOMPARE(exclusion.kept(data).measurements.size(), std::size_t(3));

        // Drawn greyed in one entry of their own, each still knowing its measurement.
        const PlotData::SplitPoints split =
            PlotData::splitExcluded(PlotData::alignedPoints(data, nullptr), {false, true, false});
        QCOMPARE(split.kept[0].points, (QList<QPointF>{{2.0, -2.0}, {6.0, 8.0}}));
        QCOMPARE(split.kept[0].measurements, (QList<qsizetype>{0, 2}));
        QVERIFY(split.kept[1].points.isEmpty());
        QCOMPARE(split.excluded.points, (QList<QPointF>{{0.0, 0.0}}));
        QCOMPARE(split.excluded.measurements, QList<qsizetype>{1});

        // A fit of A alone drawn over both: B keeps its weighted mean, -100, as without a fit.
        Fitting::Result fitOfA = circularFit({}, {5.0});
        fitOfA.instruments[0].name = data.instruments[0];
        const Fitting::Result drawn = PlotData::onInstrumentsOf(fitOfA, data);
        QCOMPARE(drawn.instruments.size(), std::size_t(2));
        QCOMPARE(drawn.instruments[0].offset, 5.0);
        QCOMPARE(drawn.instruments[1].offset, -100.0);

        // The exports mark rather than drop.
        const std::string marked = withExcludedColumn("h\na\nb\nc\n", {false, true, false}, ',');
        QCOMPARE(QString::fromStdString(marked), QStringLiteral("h,excluded\na,0\nb,1\nc,0\n"));
    }

    void modelCurve_data()
    {
        QTest::addColumn<double>("trend");
        QTest::newRow("no trend") << 0.0;
        QTest::newRow("trend 0.5 m/s/d") << 0.5;
    }

    void modelCurve()
    {
        QFETCH(double, trend);
        // P = 4 d, K = 3 m/s, T_p = 2450004, offsets 7 and −2: the first instrument's offset is taken off.
        Fitting::Result fit = circularFit({{4.0, 3.0, 2450004.0}}, {7.0, -2.0});
        fit.trendFitted = trend != 0;
        fit.trend = trend;
        fit.referenceTime = 2450006.0;
        const QList<QPointF> curve = PlotData::modelCurve(fit, twoInstruments(), 7);
        QCOMPARE(curve.size(), 7);
        // Seven samples over the 6-day span: one a day from 2450003.
        for (int i = 0; i < 7; ++i) {
            const double t = 2450003.0 + i;
            const double expected = 3.0 * std::cos(2 * Pi * (t - 2450004.0) / 4.0) + trend * (t - 2450006.0);
            QCOMPARE(curve[i].x(), double(i));
            QVERIFY2(std::abs(curve[i].y() - expected) < 1e-9, qPrintable(QString::number(curve[i].y())));
        }
    }

    void phaseFoldingRemovesTheOtherPlanet()
    {
        const Fitting::Result fit = circularFit({{3.0, 10.0, 100.0}, {17.0, 40.0, 105.0}}, {3.0, -8.0});
        QList<double> times;
        for (int i = 0; i < 40; ++i)
            times.append(100.0 + 1.37 * i);
        const Observations::DataSet data = exactData(fit, times);
        const QList<InstrumentPoints> folded = PlotData::phasePoints(fit, data, 0);
        int seen = 0;
        for (const InstrumentPoints &instrument : folded) {
            for (const QPointF &p : instrument.points) {
                QVERIFY(p.x() >= 0 && p.x() < 1);
                // Only planet b remains: 10 cos(2π phase).
                QVERIFY(std::abs(p.y() - 10.0 * std::cos(2 * Pi * p.x())) < 1e-9);
                ++seen;
            }
        }
        QCOMPARE(seen, 40);
        const QList<QPointF> curve = PlotData::phaseCurve(fit, 1, 5);
        QCOMPARE(curve.size(), 5);
        for (int i = 0; i < 5; ++i)
            QVERIFY(std::abs(curve[i].y() - 40.0 * std::cos(2 * Pi * i / 4.0)) < 1e-9);
        QVERIFY(PlotData::phasePoints(fit, data, 2).at(0).points.isEmpty());
    }

    void residualsAreDataMinusModel()
    {
        const Fitting::Result fit = circularFit({{5.0, 20.0, 0.0}}, {1.0, 2.0});
        Observations::DataSet data = exactData(fit, {0.0, 1.0, 2.5, 4.0});
        data.measurements[2].velocity += 3.25;
        const QList<InstrumentPoints> residuals = PlotData::residualPoints(fit, data);
        QCOMPARE(residuals[0].points.size() + residuals[1].points.size(), 4);
        QCOMPARE(residuals[0].points[1], QPointF(2.5, 3.25));
        QVERIFY(std::abs(residuals[1].points[0].y()) < 1e-9);
        QCOMPARE(PlotData::residualData(fit, data).measurements[2].uncertainty, 1.5);
    }

    void envelope_data()
    {
        QTest::addColumn<QList<double>>("frequencies");
        QTest::addColumn<QList<double>>("power");
        QTest::addColumn<int>("bins");
        QTest::addColumn<QList<QPointF>>("expected");

        QTest::newRow("short: every point, ascending period")
            << QList<double>{0.5, 0.25, 0.1} << QList<double>{0.2, 0.9, 0.4} << 100
            << QList<QPointF>{{2, 0.2}, {4, 0.9}, {10, 0.4}};
        QTest::newRow("one bin keeps the highest")
            << QList<double>{0.5, 0.25, 0.1} << QList<double>{0.2, 0.9, 0.4} << 1 << QList<QPointF>{{4, 0.9}};
        // Periods 1, 1.25, 10 and 12.5 in two log bins split at √125 ≈ 3.5.
        QTest::newRow("two bins") << QList<double>{1.0, 0.8, 0.1, 0.08} << QList<double>{0.1, 0.3, 0.7, 0.6} << 2
                                  << QList<QPointF>{{1.25, 0.3}, {10, 0.7}};
        QTest::newRow("zero and NaN frequencies skipped")
            << QList<double>{0.0, qQNaN(), 0.5} << QList<double>{0.9, 0.9, 0.1} << 10 << QList<QPointF>{{2, 0.1}};
        QTest::newRow("empty") << QList<double>{} << QList<double>{} << 10 << QList<QPointF>{};
    }

    void envelope()
    {
        QFETCH(QList<double>, frequencies);
        QFETCH(QList<double>, power);
        QFETCH(int, bins);
        QFETCH(QList<QPointF>, expected);
        const QList<QPointF> points =
            PeriodogramChart::envelope(std::vector<double>(frequencies.begin(), frequencies.end()),
                                       std::vector<double>(power.begin(), power.end()), bins);
        QCOMPARE(points, expected);
    }

    void runnerSaysWhyNot_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("planets");
        // The reasons are the periodogram's and the fit's own (tst_periodogram, tst_rvfit).
        QTest::newRow("periodogram of two points") << int(AnalysisRequest::Kind::Periodogram) << 1;
        QTest::newRow("fit of two points") << int(AnalysisRequest::Kind::Fit) << 1;
    }

    void runnerSaysWhyNot()
    {
        QFETCH(int, kind);
        QFETCH(int, planets);
        AnalysisRequest request;
        request.kind = AnalysisRequest::Kind(kind);
        request.data = twoInstruments();
        request.data.measurements.pop_back();
        request.options.planets = planets;
        const AnalysisOutcome outcome = AnalysisRunner::run(request, {}, nullptr);
        QVERIFY(!outcome.error.empty());
        QVERIFY(!outcome.cancelled);
        QVERIFY(!outcome.fit);
        QVERIFY(outcome.spectrum.power.empty());
    }

    void searchBringsItsResidualPeriodogram()
    {
        // A cancelled search is the observations panel's test, through the worker.
        const Fitting::Result truth = circularFit({{7.0, 30.0, 1.0}}, {2.0, -3.0});
        QList<double> times;
        for (int i = 0; i < 60; ++i)
            times.append(0.83 * i + 0.1 * (i % 7));
        AnalysisRequest request;
        request.kind = AnalysisRequest::Kind::FindPlanets;
        request.data = exactData(truth, times);
        const AnalysisOutcome found = AnalysisRunner::run(request, {}, nullptr);
        QVERIFY2(found.error.empty(), found.error.c_str());
        QVERIFY(found.fit && found.fit->planets.size() == 1);
        QVERIFY(std::abs(found.fit->planets[0].value.periodDays - 7.0) < 0.01);
        // The residual periodogram came along.
        QVERIFY(!found.spectrum.power.empty());
    }
};

QTEST_MAIN(TestLabPlotData)
#include "tst_labplotdata.moc"
