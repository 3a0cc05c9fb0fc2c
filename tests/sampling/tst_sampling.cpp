// The posterior sampler: a known distribution recovered, the autocorrelation
// time of a chain whose time is known in closed form, the convergence verdict
// and reproducibility from the seed.

#include "sampling/diagnostics.h"
#include "sampling/ensemblesampler.h"
#include "sampling/posterior.h"
#include "sampling/posteriorexport.h"
#include "sampling/randomstream.h"

#include "support/numericfixtures.h"

#include <QtTest>

#include <cmath>
#include <numbers>

namespace {

/// A correlated 2-D Gaussian: means (1, −2), σ (1, 2), correlation 0.8.
class Gaussian final : public Sampling::LogDensity
{
public:
    static constexpr double mean[2] = {1.0, -2.0};
    static constexpr double sigma[2] = {1.0, 2.0};
    static constexpr double rho = 0.8;
    int dimension() const override { return 2; }
    double logDensity(std::span<const double> x) const override
    {
        const double u = (x[0] - mean[0]) / sigma[0];
        const double v = (x[1] - mean[1]) / sigma[1];
        return -(u * u - 2 * rho * u * v + v * v) / (2 * (1 - rho * rho));
    }
};

/// One planet (P 12.3 d, K 15 m/s, e 0.2) seen 50 times with 4 m/s noise, and its fit.
struct OnePlanet
{
    Kepler::Orbit truth{12.3, 15.0, 0.2, 1.0, 2458003.0};
    Observations::DataSet data = NumericFixtures::noisyData({truth}, {5.0}, 50, 2458000, 200, 4.0, 0, 0, 11);
    Fitting::Options options = [this] {
        Fitting::Options o;
        o.startingOrbits = {truth};
        return o;
    }();
    Fitting::Result fit = Fitting::fit(data, options);
};

const Sampling::Summary &named(const std::vector<Sampling::Summary> &summaries, const std::string &name)
{
    for (const auto &s : summaries)
        if (s.name == name)
            return s;
    qFatal("no summary %s", name.c_str());
}

} // namespace

class TestSampling : public QObject
{
    Q_OBJECT

private slots:
    void recoversAKnownGaussian()
    {
        const Gaussian target;
        Sampling::WorkerPool pool(2);
        constexpr int walkers = 32;
        Sampling::EnsembleSampler sampler(target, walkers, 5, pool);
        std::vector<double> start;
        Sampling::RandomStream random(9, 0, 0);
        for (int k = 0; k < 2 * walkers; ++k)
            start.push_back(0.1 * random.normal());
        sampler.start(start);
        sampler.advance(6000);
        const auto &chain = sampler.chain();
        const int burnIn = 500;
        const double tau =
            std::max(Sampling::autocorrelationTime(chain, 0, burnIn), Sampling::autocorrelationTime(chain, 1, burnIn));
        const double independent = walkers * (chain.steps() - burnIn) / tau;
        QVERIFY(independent > 2000);
        double m[2] = {0, 0};
        double c[3] = {0, 0, 0};
        const double n = double(walkers) * (chain.steps() - burnIn);
        for (int s = burnIn; s < chain.steps(); ++s)
            for (int k = 0; k < walkers; ++k)
                for (int p = 0; p < 2; ++p)
                    m[p] += chain.at(s, k, p) / n;
        for (int s = burnIn; s < chain.steps(); ++s)
            for (int k = 0; k < walkers; ++k) {
                const double a = chain.at(s, k, 0) - m[0];
                const double b = chain.at(s, k, 1) - m[1];
                c[0] += a * a / n;
                c[1] += a * b / n;
                c[2] += b * b / n;
            }
        // Four Monte-Carlo standard errors: σ/√N for a mean, and for a
        // (co)variance √((σ_a² σ_b² + σ_ab²)/N) of a Gaussian.
        const double s0 = Gaussian::sigma[0], s1 = Gaussian::sigma[1], s01 = Gaussian::rho * s0 * s1;
        QVERIFY2(std::abs(m[0] - Gaussian::mean[0]) < 4 * s0 / std::sqrt(independent),
                 qPrintable(QString::number(m[0])));
        QVERIFY2(std::abs(m[1] - Gaussian::mean[1]) < 4 * s1 / std::sqrt(independent),
                 qPrintable(QString::number(m[1])));
        QVERIFY(std::abs(c[0] - s0 * s0) < 4 * std::sqrt(2 * s0 * s0 * s0 * s0 / independent));
        QVERIFY(std::abs(c[1] - s01) < 4 * std::sqrt((s0 * s0 * s1 * s1 + s01 * s01) / independent));
        QVERIFY(std::abs(c[2] - s1 * s1) < 4 * std::sqrt(2 * s1 * s1 * s1 * s1 / independent));
    }

    void autocorrelationTimeOfAnAr1Chain_data()
    {
        QTest::addColumn<double>("phi");
        QTest::newRow("phi 0") << 0.0;
        QTest::newRow("phi 0.5") << 0.5;
        QTest::newRow("phi 0.9") << 0.9;
    }
    void autocorrelationTimeOfAnAr1Chain()
    {
        // x_t = φ x_{t−1} + ε_t has ρ(t) = φ^t, so τ = 1 + 2 Σ φ^t = (1 + φ)/(1 − φ).
        QFETCH(double, phi);
        Sampling::Chain chain;
        chain.walkers = 32;
        chain.dimension = 1;
        const int steps = 20000;
        std::vector<double> x(std::size_t(chain.walkers));
        for (int k = 0; k < chain.walkers; ++k)
            x[std::size_t(k)] = Sampling::RandomStream(3, 0, std::uint64_t(k)).normal() / std::sqrt(1 - phi * phi);
        for (int s = 0; s < steps; ++s)
            for (int k = 0; k < chain.walkers; ++k) {
                x[std::size_t(k)] = phi * x[std::size_t(k)]
                    + Sampling::RandomStream(3, std::uint64_t(s) + 1, std::uint64_t(k)).normal();
                chain.values.push_back(x[std::size_t(k)]);
                chain.logDensities.push_back(0);
            }
        const double expected = (1 + phi) / (1 - phi);
        const double tau = Sampling::autocorrelationTime(chain, 0, 0);
        QVERIFY2(std::abs(tau - expected) < 0.05 * expected, qPrintable(QString::number(tau)));
        QVERIFY(std::abs(Sampling::splitRHat(chain, 0, 0) - 1) < 0.01);
    }

    void convergedPosteriorOfOnePlanet()
    {
        const OnePlanet set;
        QVERIFY(set.fit.ok());
        Sampling::SamplerOptions options;
        options.seed = 3;
        options.threads = 1;
        const auto result = Sampling::samplePosterior(set.data, set.fit, set.options, options);
        QCOMPARE(result.status, Sampling::Status::Converged);
        QVERIFY(result.chain.steps() - result.burnIn > Sampling::lengthInTimes * result.maxAutocorrelationTime);
        QVERIFY(result.maxRHat < Sampling::rHatLimit);
        const auto &k = named(result.derived, "K1").posterior;
        QVERIFY(k.lower95 < set.truth.semiAmplitude && set.truth.semiAmplitude < k.upper95);
        QVERIFY(k.lower95 < k.lower68 && k.lower68 < k.median && k.median < k.upper68 && k.upper68 < k.upper95);
        const auto &e = named(result.derived, "e1").posterior;
        QVERIFY(e.lower95 >= 0 && e.upper95 < 1);
        const std::string csv = Sampling::chainCsv(result);
        QVERIFY(csv.starts_with("step,walker,lnPosterior,ln P1,ln K1,sqrt(e) cos w1,sqrt(e) sin w1,Tc1,offset I0\n"));
        QVERIFY(Sampling::posteriorJson(result).find("\"status\": \"converged\"") != std::string::npos);
    }

    void aTinyStepLimitIsNotConverged()
    {
        const OnePlanet set;
        Sampling::SamplerOptions options;
        options.maxSteps = 100;
        const auto result = Sampling::samplePosterior(set.data, set.fit, set.options, options);
        QCOMPARE(result.status, Sampling::Status::NotConverged);
        QVERIFY(result.sampled.empty() && result.derived.empty());
        QVERIFY(QString::fromStdString(result.message).startsWith("Not converged within the limit of 100 steps"));
        QVERIFY(Sampling::posteriorJson(result).find("\"derived\": []") != std::string::npos);
    }

    void sameChainFromTheSeedWithOneOrTwoThreads()
    {
        const OnePlanet set;
        Sampling::SamplerOptions options;
        options.maxSteps = 200;
        options.seed = 42;
        options.threads = 1;
        const auto one = Sampling::samplePosterior(set.data, set.fit, set.options, options);
        options.threads = 2;
        const auto two = Sampling::samplePosterior(set.data, set.fit, set.options, options);
        QCOMPARE(one.chain.steps(), 200);
        QVERIFY(one.chain.values == two.chain.values);
        options.seed = 43;
        QVERIFY(Sampling::samplePosterior(set.data, set.fit, set.options, options).chain.values != one.chain.values);
    }

    void likelihoodAgreesWithTheFit()
    {
        const OnePlanet set;
        const auto model = Sampling::PosteriorModel::build(set.data, set.fit, set.options);
        QVERIFY(model.ok());
        // ln L = −½ Σ [r²/σ² + ln(2π σ²)] summed here, point by point, from the fit's own model velocities.
        const std::vector<double> velocities = Fitting::modelVelocities(set.fit, set.data);
        double expected = 0;
        for (std::size_t i = 0; i < velocities.size(); ++i) {
            const auto &m = set.data.measurements[i];
            const double variance = m.uncertainty * m.uncertainty;
            const double r = m.velocity - velocities[i];
            expected -= 0.5 * (r * r / variance + std::log(2 * std::numbers::pi * variance));
        }
        QVERIFY(std::abs(model->logDensity(model->bestFit()) - expected) < 1e-9 * std::abs(expected));
    }

    void refusals()
    {
        const OnePlanet set;
        Fitting::Result failed;
        failed.message = "x";
        QCOMPARE(Sampling::samplePosterior(set.data, failed, set.options, {}).status, Sampling::Status::Refused);
        Sampling::SamplerOptions odd;
        odd.walkers = 11;
        const auto refused = Sampling::samplePosterior(set.data, set.fit, set.options, odd);
        QCOMPARE(refused.status, Sampling::Status::Refused);
        QVERIFY(QString::fromStdString(refused.message).contains("even"));
        // The posterior holds no coefficient on an activity index: it refuses rather than sample another model.
        Fitting::Result decorrelated = set.fit;
        decorrelated.decorrelatedAgainst = "BIS";
        const auto notSampled = Sampling::samplePosterior(set.data, decorrelated, set.options, {});
        QCOMPARE(notSampled.status, Sampling::Status::Refused);
        QVERIFY(QString::fromStdString(notSampled.message).contains("decorrelated against an activity index"));
    }
};

QTEST_GUILESS_MAIN(TestSampling)
#include "tst_sampling.moc"
