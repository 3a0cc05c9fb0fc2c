#include "detection/injectionrecovery.h"
#include "periodogram/periodogram.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <cmath>

namespace {

/// 200 measurements at random times over 400 days, σ = 2 m/s, white noise only.
Observations::DataSet whiteNoise()
{
    return NumericFixtures::noisyData({}, {0}, 200, 2458000, 400, 2, 0, 0, 17);
}

/// The bisection of a monotone function's root on [low, high].
template <class F>
double root(F f, double low, double high)
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
    void halfRecoveryMatchesTheThreshold();
    void mapIsTheSameOnOneOrTwoThreads();
};

void TestInjectionRecovery::halfRecoveryMatchesTheThreshold()
{
    const Observations::DataSet data = whiteNoise();
    Detection::InjectionPlan plan;
    plan.periodsDays = {5.3, 37, 120};
    plan.amplitudes = Detection::evenlySpacedInLog(0.3, 3, 14);
    plan.trials = 16;
    plan.falseAlarmThreshold = 0.01;
    plan.noise = Detection::InjectionNoise::Simulated;
    const auto map = Detection::injectionRecoveryMap(data, plan);
    QVERIFY2(map.ok(), map.reason().c_str());

    // The closed form. The threshold power z* is where Baluev's false-alarm probability on the map's grid meets the
    // threshold. At one frequency the generalised Lomb–Scargle power of N points is an F statistic:
    // (N − 3) p/(1 − p) ≈ a non-central χ² with 2 degrees of freedom and non-centrality λ = Σ s_i²/σ² = N K²/(2σ²)
    // for a sinusoid of amplitude K (its phases evenly spread). Half the planets are recovered where the median of
    // that χ² meets (N − 3) z*/(1 − z*); the median by Abdel-Aty's (1954, Biometrika 41, 538) cube-root form,
    // (k + λ)(1 − h)³ with h = 2(k + 2λ)/(9(k + λ)²), k = 2.
    const double n = double(data.measurements.size()), sigma = 2;
    const double threshold = root([&](double z) {
        return Periodogram::falseAlarmProbability(z, data, map->grid.maxFrequency) - plan.falseAlarmThreshold;
    }, 1e-6, 0.999);
    const double chiSquare = (n - 3) * threshold / (1 - threshold);
    const double lambda = root([&](double l) {
        const double h = 2 * (2 + 2 * l) / (9 * (2 + l) * (2 + l));
        return (2 + l) * std::pow(1 - h, 3) - chiSquare;
    }, 0, 1e4);
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
        const auto map = Detection::injectionRecoveryMap(data, plan, [&](std::size_t done, std::size_t) {
            lastDone = std::max(lastDone, done);
        });
        QVERIFY2(map.ok(), map.reason().c_str());
        QCOMPARE(lastDone, std::size_t(9));
        maps.push_back(map->recovered);
    }
    QCOMPARE(maps[0], maps[1]);
    QVERIFY(maps[0] != std::vector<int>(9, 0) && maps[0] != std::vector<int>(9, 4)); // a map that tells cells apart
}

QTEST_GUILESS_MAIN(TestInjectionRecovery)
#include "tst_injectionrecovery.moc"
