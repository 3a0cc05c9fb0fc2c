#include "detection/activity.h"
#include "detection/spectralwindow.h"
#include "detection/spottedstar.h"
#include "periodogram/periodogram.h"

#include <QTest>

#include <cmath>
#include <numbers>

Q_DECLARE_METATYPE(std::vector<double>)

class TestActivity : public QObject
{
    Q_OBJECT

private slots:
    void pValueFollowsStudentsT_data();
    void pValueFollowsStudentsT();
    void spottedStarIsUnmasked_data();
    void spottedStarIsUnmasked();
};

void TestActivity::pValueFollowsStudentsT_data()
{
    QTest::addColumn<std::vector<double>>("x");
    QTest::addColumn<std::vector<double>>("y");
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("p");
    // ν = 1: t = r/√(1 − r²) is Cauchy, p = 1 − (2/π) asin|r|; here r = 1/2, p = 2/3.
    QTest::newRow("n = 3") << std::vector<double>{1, 2, 3} << std::vector<double>{1, 3, 2} << 0.5 << 2.0 / 3;
    // ν = 2: P(|T| < t) = t/√(2 + t²) = |r|, so p = 1 − |r|; here r = 4/5.
    QTest::newRow("n = 4") << std::vector<double>{1, 2, 3, 4} << std::vector<double>{1, 3, 2, 4} << 0.8 << 0.2;
    QTest::newRow("n = 4, anticorrelated")
        << std::vector<double>{1, 2, 3, 4} << std::vector<double>{4, 2, 3, 1} << -0.8 << 0.2;
    // ν = 2 again, r = 1/√(1 + a²) = 1 − 1e-9: the p-value 1e-9 keeps its digits.
    const double e = 1e-9, a = std::sqrt(1 / ((1 - e) * (1 - e)) - 1);
    QTest::newRow("n = 4, tiny p") << std::vector<double>{-1, -1, 1, 1}
                                   << std::vector<double>{-1 - a, -1 + a, 1 - a, 1 + a} << 1 - e << e;
}

void TestActivity::pValueFollowsStudentsT()
{
    QFETCH(std::vector<double>, x);
    QFETCH(std::vector<double>, y);
    QFETCH(double, r);
    QFETCH(double, p);
    const auto correlation = Detection::pearsonCorrelation(x, y);
    QVERIFY2(correlation.ok(), correlation.reason().c_str());
    QVERIFY(std::abs(correlation->r - r) < 1e-14);
    QVERIFY2(std::abs(correlation->pValue - p) < 1e-6 * p, std::to_string(correlation->pValue).c_str());
}

void TestActivity::spottedStarIsUnmasked_data()
{
    QTest::addColumn<double>("activity");
    QTest::addColumn<bool>("flagged");
    QTest::newRow("spotted star, no planet") << 10.0 << true;
    QTest::newRow("planet, quiet star") << 0.0 << false;
}

void TestActivity::spottedStarIsUnmasked()
{
    QFETCH(double, activity);
    QFETCH(bool, flagged);
    Observations::SyntheticPlan plan;
    plan.count = 150;
    plan.spanDays = 400;
    plan.seed = 5;
    Detection::SpottedStar star;
    star.rotationPeriodDays = 23;
    star.velocityAmplitude = activity;
    star.indexAmplitude = activity > 0 ? 0.05 : 0;
    const std::vector<Kepler::Orbit> planets =
        activity > 0 ? std::vector<Kepler::Orbit>{} : std::vector<Kepler::Orbit>{{13.1, 10, 0, 0, 2460000}};
    const auto spotted = Detection::simulateSpottedStar(planets, plan, star);
    QVERIFY2(spotted.ok(), spotted.reason().c_str());
    std::vector<double> velocities;
    for (const auto &m : spotted->data.measurements)
        velocities.push_back(m.velocity);
    const auto correlation = Detection::pearsonCorrelation(velocities, spotted->index);
    QVERIFY(correlation.ok());
    QVERIFY2(flagged ? std::abs(correlation->r) > 0.8 : std::abs(correlation->r) < 0.2,
             std::to_string(correlation->r).c_str());

    const auto index = Detection::indexAsData(spotted->data, spotted->index);
    QVERIFY(index.ok());
    const auto grid = Periodogram::automaticGrid(spotted->data);
    const auto velocityPeaks =
        Periodogram::highestPeaks(Periodogram::generalisedLombScargle(spotted->data, grid).value(), spotted->data, 1);
    const auto indexPeaks =
        Periodogram::highestPeaks(Periodogram::generalisedLombScargle(*index, grid).value(), *index, 5);
    const auto coincidences =
        Detection::activityCoincidences(velocityPeaks, indexPeaks, Detection::timeSpan(spotted->data));
    QCOMPARE(coincidences.front().has_value(), flagged);
}

QTEST_GUILESS_MAIN(TestActivity)
#include "tst_activity.moc"
