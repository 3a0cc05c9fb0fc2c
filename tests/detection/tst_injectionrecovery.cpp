#include "detection/injectionrecovery.h"
#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"
#include "periodogram/periodogram.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <cmath>
#include <functional>

namespace {

/// 200 measurements at random times over 400 days, σ = 2 m/s, white noise only.
Observations::DataSet whiteNoise()
{
    return NumericFixtures::noisyData({}, {0}, 200, 2458000, 400, 2, 0, 0, 17);
}

/// The bisection of a monotone function's root on [low, high].
template <class F> double root(F f, double low, double high)
{
    for (int i = 0; i < 200; ++i) {
        const double middle = (low + high) / 2;
        (f(low) * f(middle) <= 0 ? high : low) = middle;
    }
    return (low + high) / 2;
}

} // namespace

class TestInjectionRecovery : public QObject
{
    Q_OBJECT

private slots:
    void halfRecoveryMatchesTheThreshold_data();
    void halfRecoveryMatchesTheThreshold();
    void mapIsTheSameOnOneOrTwoThreads();
    void massAxisInjectsTheSameK();
    void badPlansAreRefused_data();
    void badPlansAreRefused();
};

using PlanChange = std::function<void(Observations::DataSet &, Detection::InjectionPlan &)>;
Q_DECLARE_METATYPE(PlanChange)
Q_DECLARE_METATYPE(Detection::InjectionNoise)

// The measured white noise itself, or fresh noise per trial: either is white noise of σ = 2 m/s.
void TestInjectionRecovery::halfRecoveryMatchesTheThreshold_data()
{
    QTest::addColumn<Detection::InjectionNoise>("noise");
    QTest::newRow("into the measured velocities") << Detection::InjectionNoise::Residuals;
    QTest::newRow("into fresh noise") << Detection::InjectionNoise::Simulated;
}

void TestInjectionRecovery::halfRecoveryMatchesTheThreshold()
{
    QFETCH(Detection::InjectionNoise, noise);
    const Observations::DataSet data = whiteNoise();
    Detection::InjectionPlan plan;
    plan.periodsDays = {5.3, 37, 120};
    plan.amplitudes = Detection::evenlySpacedInLog(0.3, 3, 14);
    plan.trials = 16;
    plan.falseAlarmThreshold = 0.01;
    plan.noise = noise;
    const auto map = Detection::injectionRecoveryMap(data, plan);
    QVERIFY2(map.ok(), map.reason().c_str());

    // The closed form. The threshold power z* is where Baluev's false-alarm probability on the map's grid meets the
    // threshold. At one frequency the generalised Lomb–Scargle power of N points is an F statistic:
    // (N − 3) p/(1 − p) ≈ a non-central χ² with 2 degrees of freedom and non-centrality λ = Σ s_i²/σ² = N K²/(2σ²)
    // for a sinusoid of amplitude K (its phases evenly spread). Half the planets are recovered where the median of
    // that χ² meets (N − 3) z*/(1 − z*); the median by Abdel-Aty's (1954, Biometrika 41, 538) cube-root form,
    // (k + λ)(1 − h)³ with h = 2(k + 2λ)/(9(k + λ)²), k = 2.
    const double n = double(data.measurements.size()), sigma = 2;
    const double threshold = root(
        [&](double z) {
            return Periodogram::falseAlarmProbability(z, data, map->grid.maxFrequency) - plan.falseAlarmThreshold;
        },
        1e-6, 0.999);
    const double chiSquare = (n - 3) * threshold / (1 - threshold);
    const double lambda = root(
        [&](double l) {
            const double h = 2 * (2 + 2 * l) / (9 * (2 + l) * (2 + l));
            return (2 + l) * std::pow(1 - h, 3) - chiSquare;
        },
        0, 1e4);
    const double predicted = sigma * std::sqrt(2 * lambda / n);

    const auto half = Detection::recoveryContour(*map, 0.5);
    const auto most = Detection::recoveryContour(*map, 0.9);
    for (std::size_t p = 0; p < plan.periodsDays.size(); ++p) {
        QVERIFY(half[p].has_value() && most[p].has_value());
        QVERIFY2(std::abs(*half[p] / predicted - 1) < 0.2,
                 (std::to_string(*half[p]) + " against " + std::to_string(predicted)).c_str());
        QVERIFY(*most[p] > *half[p]);
    }
}

void TestInjectionRecovery::mapIsTheSameOnOneOrTwoThreads()
{
    const Observations::DataSet data = whiteNoise();
    Detection::InjectionPlan plan;
    plan.periodsDays = {3.1, 11, 47};
    plan.amplitudes = {0.8, 1.2, 1.6};
    plan.trials = 4;
    plan.noise = Detection::InjectionNoise::Simulated;
    std::vector<std::vector<int>> maps;
    for (unsigned threads : {1u, 2u}) {
        plan.threads = threads;
        std::size_t lastDone = 0;
        const auto map = Detection::injectionRecoveryMap(
            data, plan, [&](std::size_t done, std::size_t) { lastDone = std::max(lastDone, done); });
        QVERIFY2(map.ok(), map.reason().c_str());
        QCOMPARE(lastDone, std::size_t(9));
        maps.push_back(map->recovered);
    }
    QCOMPARE(maps[0], maps[1]);
    const std::atomic<bool> cancel = true;
    QVERIFY(!Detection::injectionRecoveryMap(data, plan, {}, &cancel).ok());
    QVERIFY(maps[0] != std::vector<int>(9, 0) && maps[0] != std::vector<int>(9, 4)); // a map that tells cells apart
}

void TestInjectionRecovery::massAxisInjectsTheSameK()
{
    const Observations::DataSet data = whiteNoise();
    Detection::InjectionPlan plan;
    plan.periodsDays = {9.7};
    plan.amplitudes = {0.8, 1.1, 1.5};
    plan.trials = 6;
    const auto inK = Detection::injectionRecoveryMap(data, plan);
    plan.axis = Detection::AmplitudeAxis::MinimumMass;
    plan.starMassSolar = 0.8;
    for (double &k : plan.amplitudes)
        k = Kepler::minimumMass(9.7, k, 0, 0.8) * Kepler::jupiterMassesPerSolarMass;
    const auto inMass = Detection::injectionRecoveryMap(data, plan);
    QVERIFY(inK.ok() && inMass.ok());
    QCOMPARE(inMass->recovered, inK->recovered);
    QVERIFY(inK->recovered.front() < inK->recovered.back());
}

void TestInjectionRecovery::badPlansAreRefused_data()
{
    QTest::addColumn<PlanChange>("change");
    QTest::addColumn<QString>("named");
    QTest::newRow("no period") << PlanChange([](auto &, auto &plan) { plan.periodsDays.clear(); }) << "period";
    QTest::newRow("amplitudes descending") << PlanChange([](auto &, auto &plan) {
        plan.amplitudes = {2, 1};
    }) << "ascending";
    QTest::newRow("no trial") << PlanChange([](auto &, auto &plan) { plan.trials = 0; }) << "trials";
    QTest::newRow("threshold 0") << PlanChange([](auto &, auto &plan) { plan.falseAlarmThreshold = 0; }) << "threshold";
    QTest::newRow("velocity not a number")
        << PlanChange([](auto &data, auto &) { data.measurements[7].velocity = std::nan(""); }) << "finite";
    QTest::newRow("two measurements") << PlanChange([](auto &data, auto &) { data.measurements.resize(2); }) << "3";
}

void TestInjectionRecovery::badPlansAreRefused()
{
    QFETCH(PlanChange, change);
    QFETCH(QString, named);
    Observations::DataSet data = whiteNoise();
    Detection::InjectionPlan plan;
    plan.periodsDays = {10};
    plan.amplitudes = {1, 2};
    change(data, plan);
    const auto map = Detection::injectionRecoveryMap(data, plan);
    QVERIFY(!map.ok());
    QVERIFY2(QString::fromStdString(map.reason()).contains(named), map.reason().c_str());
}

QTEST_GUILESS_MAIN(TestInjectionRecovery)
#include "tst_injectionrecovery.moc"
