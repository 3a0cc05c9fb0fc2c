#include "detection/aliasdecision.h"
#include "detection/aliases.h"
#include "detection/spectralwindow.h"
#include "fitting/rvfit.h"
#include "observations/rvreader.h"
#include "observations/synthetic.h"
#include "periodogram/periodogram.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using Observations::DataSet;

namespace {

/// A circular planet of period P (days) and K (m/s), seen nightly (one point a night within a 6-hour window).
DataSet nightly(double period, double k, std::size_t count, double span, std::uint64_t seed)
{
    const std::vector<Kepler::Orbit> planets{{period, k, 0, 0, 2460000.3}};
    Observations::SyntheticPlan plan;
    plan.count = count;
    plan.spanDays = span;
    plan.noiseSigma = 2;
    plan.seed = seed;
    return Observations::simulate(planets, plan);
}

/// The peak nearest a period, which must lie within one peak width of it.
std::size_t peakAt(const std::vector<Periodogram::Peak> &peaks, double period, double span)
{
    const auto nearest = std::min_element(peaks.begin(), peaks.end(), [&](const auto &a, const auto &b) {
        return std::abs(a.frequency - 1 / period) < std::abs(b.frequency - 1 / period);
    });
    if (nearest == peaks.end() || std::abs(nearest->frequency - 1 / period) > 1 / span)
        return peaks.size();
    return std::size_t(nearest - peaks.begin());
}

} // namespace

class TestAliases : public QObject
{
    Q_OBJECT

private slots:
    void nightlyWindowPeaksAtOneDay_data();
    void nightlyWindowPeaksAtOneDay();
    void aliasesOfANightlyPlanetAreLabelled();
    void decisionFindsTheTruePeriod_data();
    void decisionFindsTheTruePeriod();
    void fiftyFiveCancriEIsNotItsOneDayAlias();
};

void TestAliases::nightlyWindowPeaksAtOneDay_data()
{
    QTest::addColumn<std::size_t>("count");
    QTest::addColumn<double>("span");
    QTest::newRow("one season") << std::size_t(90) << 200.0;
    QTest::newRow("three years") << std::size_t(300) << 1100.0;
}

void TestAliases::nightlyWindowPeaksAtOneDay()
{
    QFETCH(std::size_t, count);
    QFETCH(double, span);
    const DataSet data = nightly(5, 0, count, span, 7);
    const auto grid = Detection::windowGrid(data);
    const auto peaks = Detection::windowPeaks(Detection::spectralWindow(data, grid), Detection::timeSpan(data), 1);
    QCOMPARE(peaks.size(), std::size_t(1));
    const double f = peaks.front().frequency;
    QVERIFY2(std::abs(f - 1) <= grid.step() || std::abs(f - 1.0027379) <= grid.step(), std::to_string(f).c_str());
    QVERIFY(peaks.front().name == "1 day" || peaks.front().name == "sidereal day");
    QVERIFY(peaks.front().power > 0.5); // a nightly cadence repeats itself almost exactly a day later
}

void TestAliases::aliasesOfANightlyPlanetAreLabelled()
{
    const DataSet data = nightly(1.5, 15, 120, 300, 3);
    const double span = Detection::timeSpan(data);
    const auto grid = Periodogram::gridBetween(1 / (2 * span), 2.5, span);
    const auto peaks = Periodogram::highestPeaks(Periodogram::generalisedLombScargle(data, grid).value(), data, 10);
    const auto window = Detection::windowPeaks(Detection::spectralWindow(data, grid), span, 3);
    const std::size_t planet = peakAt(peaks, 1.5, span);
    QVERIFY(planet < peaks.size());
    for (const std::vector<double> &planets : {std::vector<double>{}, std::vector<double>{1 / 1.5}}) {
        const auto labels = Detection::labelAliases(peaks, planets, window, span);
        QCOMPARE(labels[planet].kind, Detection::AliasKind::None);
        for (double alias : {3.0, 0.6}) {
            const std::size_t index = peakAt(peaks, alias, span);
            QVERIFY2(index < peaks.size(), std::to_string(alias).c_str());
            QCOMPARE(labels[index].kind,
                     planets.empty() ? Detection::AliasKind::AliasOfPeak : Detection::AliasKind::AliasOfPlanet);
            QCOMPARE(labels[index].parent, planets.empty() ? planet : 0);
            QCOMPARE(std::abs(labels[index].order), 1);
            QVERIFY(std::abs(labels[index].windowFrequency - 1) < 0.01);
        }
    }
    const std::vector<Periodogram::Peak> windowItself{{1 / window.front().frequency, window.front().frequency, 0.3, 1}};
    QCOMPARE(Detection::labelAliases(windowItself, {}, window, span).front().kind, Detection::AliasKind::WindowPeak);
}

void TestAliases::decisionFindsTheTruePeriod_data()
{
    QTest::addColumn<double>("truth");
    QTest::addColumn<double>("alias");
    // One-day aliases: |1/1.5 − 1| = 1/3 (3 d) and |1/1.2 − 1| = 1/6 (6 d).
    QTest::newRow("1.5 d against 3 d") << 1.5 << 3.0;
    QTest::newRow("3 d against 1.5 d") << 3.0 << 1.5;
    QTest::newRow("1.2 d against 6 d") << 1.2 << 6.0;
}

void TestAliases::decisionFindsTheTruePeriod()
{
    QFETCH(double, truth);
    QFETCH(double, alias);
    const DataSet data = nightly(truth, 6, 80, 200, 11);
    const double span = Detection::timeSpan(data);
    const auto window = Detection::windowPeaks(Detection::spectralWindow(data, Detection::windowGrid(data)), span, 2);
    for (const auto &[first, second] : {std::pair{truth, alias}, std::pair{alias, truth}}) {
        const auto decision = Detection::decideBetweenAliases(data, 1 / first, 1 / second, window);
        QVERIFY2(decision.ok(), decision.reason().c_str());
        QCOMPARE(1 / decision->preferredFrequency(), first == truth ? first : second);
        QVERIFY(decision->preferredFraction > 0.9);
    }
}

void TestAliases::fiftyFiveCancriEIsNotItsOneDayAlias()
{
    // Dawson & Fabrycky (2010) showed with these velocities that 55 Cnc e has 0.7365 d, not 2.8 d.
    const DataSet data = Observations::loadFile(ORBIQUEST9_SOURCE_DIR "/data/rv/55Cnc.sys")->data;
    const double span = Detection::timeSpan(data);
    Fitting::Options options;
    options.grid = Periodogram::gridBetween(1 / 16.0, 1 / 13.0, span);
    const Fitting::Result b = Fitting::fit(data, options);
    QVERIFY2(b.ok(), b.message.c_str());
    QVERIFY(std::abs(b.planets.front().value.periodDays - 14.65) < 0.01);
    DataSet residuals = data;
    const auto model = Fitting::modelVelocities(b, data);
    for (std::size_t i = 0; i < model.size(); ++i)
        residuals.measurements[i].velocity -= model[i];
    const auto window =
        Detection::windowPeaks(Detection::spectralWindow(residuals, Detection::windowGrid(residuals)), span, 3);
    const double e = 1 / 0.7365;
    const double alias = std::abs(e - 1.0027379);
    QVERIFY(std::abs(1 / alias - 2.8) < 0.05);
    const auto decision = Detection::decideBetweenAliases(residuals, alias, e, window);
    QVERIFY2(decision.ok(), decision.reason().c_str());
    QCOMPARE(decision->preferred, std::size_t(1));
    QVERIFY2(decision->preferredFraction > 0.75, std::to_string(decision->preferredFraction).c_str());
}

QTEST_GUILESS_MAIN(TestAliases)
#include "tst_aliases.moc"
