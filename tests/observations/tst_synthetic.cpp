#include "observations/rvwriter.h"
#include "observations/synthetic.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

using namespace Observations;
using NumericFixtures::circularVelocity;

Q_DECLARE_METATYPE(Observations::SyntheticPlan)
Q_DECLARE_METATYPE(Observations::Cadence)

namespace {

constexpr double start = 2460000.0;

SyntheticPlan plan(std::size_t count, double span, Cadence cadence, double sigma, double jitter, std::uint64_t seed)
{
    SyntheticPlan p;
    p.count = count;
    p.spanDays = span;
    p.startTime = start;
    p.cadence = cadence;
    p.noiseSigma = sigma;
    p.jitter = jitter;
    p.seed = seed;
    return p;
}

struct Moments
{
    double mean = 0;
    double deviation = 0;
};

Moments moments(const std::vector<double> &values)
{
    const double n = double(values.size());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    const double squares = std::accumulate(values.begin(), values.end(), 0.0,
                                           [&](double sum, double v) { return sum + (v - mean) * (v - mean); });
    return {mean, std::sqrt(squares / (n - 1))};
}

} // namespace

class TestSynthetic : public QObject
{
    Q_OBJECT

private slots:
    void deterministic()
    {
        const Kepler::Orbit planet{10.0, 30.0, 0.3, 1.0, start + 2};
        for (const Cadence cadence : {Cadence::Uniform, Cadence::Nightly}) {
            const SyntheticPlan first = plan(50, 200, cadence, 2, 1, 7);
            SyntheticPlan other = first;
            other.seed = 8;
            const std::string a = toText(simulate({&planet, 1}, first));
            QCOMPARE(toText(simulate({&planet, 1}, first)), a);
            QVERIFY(toText(simulate({&planet, 1}, other)) != a);
        }
    }

    void scatter_data()
    {
        QTest::addColumn<double>("sigma");
        QTest::addColumn<double>("jitter");
        QTest::addColumn<double>("scatter"); // √(σ² + s²), by hand

        QTest::newRow("noise only") << 2.0 << 0.0 << 2.0;
        QTest::newRow("3-4-5") << 3.0 << 4.0 << 5.0;
    }

    void scatter()
    {
        QFETCH(double, sigma);
        QFETCH(double, jitter);
        QFETCH(double, scatter);

        const Kepler::Orbit planet{3.0, 20.0, 0.0, 0.0, start};
        const std::size_t n = 20000;
        const DataSet data = simulate({&planet, 1}, plan(n, 1000, Cadence::Uniform, sigma, jitter, 11));
        QCOMPARE(data.measurements.size(), n);
        std::vector<double> residuals;
        for (const Measurement &m : data.measurements) {
            QCOMPARE(m.uncertainty, sigma); // jitter is not in the reported uncertainty
            residuals.push_back(m.velocity - circularVelocity(planet, m.time));
        }
        const Moments r = moments(residuals);
        // Sampling errors: σ/√n for the mean, σ/√(2n) for the deviation; 4 of them.
        const double n_ = double(n);
        QVERIFY2(std::fabs(r.mean) < 4 * scatter / std::sqrt(n_), qPrintable(QString::number(r.mean)));
        QVERIFY2(std::fabs(r.deviation - scatter) < 4 * scatter / std::sqrt(2 * n_),
                 qPrintable(QString::number(r.deviation)));
        // And they are Gaussian: 68.3 % within one deviation (binomial error 0.33 %).
        const auto inside =
            std::count_if(residuals.begin(), residuals.end(), [&](double x) { return std::fabs(x) < scatter; });
        QVERIFY2(std::fabs(double(inside) / n_ - 0.6827) < 0.0133, qPrintable(QString::number(inside)));
    }

    void cadence_data()
    {
        QTest::addColumn<Cadence>("cadence");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("span");
        QTest::addColumn<std::uint64_t>("seed");
        QTest::addColumn<double>("longestGapAtLeast"); // days

        QTest::newRow("uniform") << Cadence::Uniform << 10000 << 400.0 << std::uint64_t(5) << 0.0;
        // Two years hold two seasonal gaps of 120 days each.
        QTest::newRow("two years") << Cadence::Nightly << 150 << 730.5 << std::uint64_t(1) << 100.0;
        // Half a year, a third of the nights used: bad weather leaves gaps of several nights.
        QTest::newRow("half a year") << Cadence::Nightly << 60 << 182.6 << std::uint64_t(4) << 5.0;
        // As many points as nights gives the gaps back: every night once, in order.
        QTest::newRow("every night when asked for") << Cadence::Nightly << 30 << 30.9 << std::uint64_t(2) << 0.0;
    }

    void cadence()
    {
        QFETCH(Cadence, cadence);
        QFETCH(int, count);
        QFETCH(double, span);
        QFETCH(std::uint64_t, seed);
        QFETCH(double, longestGapAtLeast);

        const Kepler::Orbit planet{5.0, 10.0, 0.0, 0.0, start};
        const DataSet data = simulate({&planet, 1}, plan(std::size_t(count), span, cadence, 1, 0, seed));
        QCOMPARE(int(data.measurements.size()), count);
        std::vector<double> phases;
        std::set<long> nights;
        double longestGap = 0;
        for (std::size_t i = 0; i < data.measurements.size(); ++i) {
            const double sinceStart = data.measurements[i].time - start;
            QVERIFY(sinceStart >= 0 && sinceStart < span);
            const double night = std::floor(sinceStart);
            phases.push_back(sinceStart / span);
            nights.insert(long(night));
            QVERIFY2(cadence == Cadence::Uniform || (sinceStart - night < 0.25 && night < std::floor(span)),
                     "within the six hours' window of a night of the span");
            if (i > 0) {
                const double gap = data.measurements[i].time - data.measurements[i - 1].time;
                QVERIFY(gap >= 0 && (cadence == Cadence::Uniform || gap > 0)); // in time order, nightly one per night
                longestGap = std::max(longestGap, gap);
            }
        }
        QVERIFY2(longestGap >= longestGapAtLeast, qPrintable(QString::number(longestGap)));
        if (cadence == Cadence::Nightly) {
            QCOMPARE(int(nights.size()), count); // one point per night
            return;
        }
        // A uniform variable on [0, 1): mean 1/2, deviation 1/√12.
        const Moments u = moments(phases);
        QVERIFY(std::fabs(u.mean - 0.5) < 4 / std::sqrt(12.0 * double(count)));
        QVERIFY(std::fabs(u.deviation - 1 / std::sqrt(12.0)) < 0.01);
    }

    void offsets()
    {
        // Each instrument's points follow the closed-form curve shifted by its offset: noise far below the
        // velocities' rounding puts every point on it. The noise itself is the scatter test's.
        const Kepler::Orbit planet{4.2308, 56.0, 0.0, 0.7, start + 1.3};
        SyntheticPlan a = plan(200, 50, Cadence::Uniform, 1e-9, 0, 3);
        a.instrument = "A";
        a.instrumentOffset = -12.5;
        SyntheticPlan b = plan(300, 50, Cadence::Uniform, 1e-9, 0, 22);
        b.instrument = "B";
        b.instrumentOffset = 40;
        const DataSet data = simulate({&planet, 1}, std::vector<SyntheticPlan>{a, b});
        QCOMPARE(data.instruments, (std::vector<std::string>{"A", "B"}));
        QCOMPARE(data.measurements.size(), std::size_t(500));
        std::size_t fromA = 0;
        for (std::size_t i = 0; i < data.measurements.size(); ++i) {
            const Measurement &m = data.measurements[i];
            QVERIFY(i == 0 || m.time >= data.measurements[i - 1].time);
            fromA += m.instrument == 0;
            const double offset = m.instrument == 0 ? -12.5 : 40.0;
            QVERIFY2(std::fabs(m.velocity - circularVelocity(planet, m.time) - offset) < 1e-6,
                     qPrintable(QString::number(m.time, 'f', 6)));
        }
        QCOMPARE(fromA, std::size_t(200));
    }

    void refusals_data()
    {
        QTest::addColumn<SyntheticPlan>("plan");
        QTest::addColumn<double>("eccentricity");

        const SyntheticPlan good = plan(10, 100, Cadence::Nightly, 1, 0, 1);
        const auto with = [&](auto change) { return NumericFixtures::changed(good, change); };
        QTest::newRow("no points") << with([](SyntheticPlan &p) { p.count = 0; }) << 0.0;
        QTest::newRow("over a million") << with([](SyntheticPlan &p) {
            p.count = 1'000'001;
            p.cadence = Cadence::Uniform;
        }) << 0.0;
        QTest::newRow("zero span") << with([](SyntheticPlan &p) { p.spanDays = 0; }) << 0.0;
        QTest::newRow("NaN span") << with([](SyntheticPlan &p) { p.spanDays = std::nan(""); }) << 0.0;
        QTest::newRow("infinite start") << with([](SyntheticPlan &p) { p.startTime = INFINITY; }) << 0.0;
        QTest::newRow("zero σ") << with([](SyntheticPlan &p) { p.noiseSigma = 0; }) << 0.0;
        QTest::newRow("negative jitter") << with([](SyntheticPlan &p) { p.jitter = -1; }) << 0.0;
        QTest::newRow("NaN offset") << with([](SyntheticPlan &p) { p.instrumentOffset = std::nan(""); }) << 0.0;
        QTest::newRow("more points than nights") << with([](SyntheticPlan &p) { p.count = 101; }) << 0.0;
        QTest::newRow("nightly over centuries") << with([](SyntheticPlan &p) { p.spanDays = 1e7; }) << 0.0;
        QTest::newRow("good plan, unbound planet") << good << 1.0;
    }

    void refusals()
    {
        QFETCH(SyntheticPlan, plan);
        QFETCH(double, eccentricity);
        const Kepler::Orbit planet{5.0, 10.0, eccentricity, 0.0, start};
        QCOMPARE(refusal(plan).has_value(), eccentricity < 1); // the unbound planet's plan is good
        QVERIFY(simulate({&planet, 1}, plan).measurements.empty());
    }
};

QTEST_APPLESS_MAIN(TestSynthetic)
#include "tst_synthetic.moc"
