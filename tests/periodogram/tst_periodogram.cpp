#include "observations/rvreader.h"
#include "periodogram/periodogram.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <Eigen/Dense>

#include <cmath>
#include <functional>
#include <numbers>
#include <random>

using Observations::DataSet;
using Waves = std::vector<std::pair<double, double>>;
using Change = std::function<void(DataSet &, Periodogram::FrequencyGrid &)>;

Q_DECLARE_METATYPE(Waves)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// Random times over a span, uncertainties between 1 and 3 m/s, velocities of 3 m/s plus
/// sinusoids A sin(2π t/P + 0.7) of the given (P, A) as circular orbits, plus Gaussian noise.
DataSet sinusoids(const Waves &waves, int points, double span, double start, unsigned seed)
{
    std::vector<Kepler::Orbit> orbits;
    for (auto [period, amplitude] : waves)
        orbits.push_back({period, amplitude, 0, 0.7 - std::numbers::pi / 2, 0});
    return NumericFixtures::noisyData(orbits, {3}, points, start, span, 1, 2, 0, seed);
}

/// The definition, independently: weighted least squares of a + b cos + c sin
/// at one frequency, p = 1 − χ²/χ²₀ with χ²₀ about the weighted mean.
double directPower(const DataSet &data, double frequency)
{
    const auto n = Eigen::Index(data.measurements.size());
    Eigen::MatrixXd design(n, 3);
    Eigen::VectorXd y(n), w(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const auto &m = data.measurements[std::size_t(i)];
        design.row(i) << 1, std::cos(twoPi * frequency * m.time), std::sin(twoPi * frequency * m.time);
        y(i) = m.velocity;
        w(i) = 1 / (m.uncertainty * m.uncertainty);
    }
    const Eigen::MatrixXd weighted = design.transpose() * w.asDiagonal();
    const Eigen::Vector3d x = (weighted * design).ldlt().solve(weighted * y);
    const Eigen::VectorXd residual = y - design * x;
    const Eigen::VectorXd deviation = y.array() - w.dot(y) / w.sum();
    return 1 - w.dot(residual.cwiseAbs2()) / w.dot(deviation.cwiseAbs2());
}

} // namespace

class TestPeriodogram : public QObject
{
    Q_OBJECT

private slots:
    // Every frequency of an automatic grid large enough for two threads, and
    // one of barycentric dates, against the definition; one thread or two
    // give the same spectrum, bit for bit.
    void powerMatchesLeastSquares_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("timeOffset");
        QTest::newRow("automatic grid, two threads") << 200 << 0.0;
        QTest::newRow("barycentric Julian dates") << 60 << 2457000.0;
    }
    void powerMatchesLeastSquares()
    {
        QFETCH(int, points);
        QFETCH(double, timeOffset);
        const DataSet data = sinusoids({{17.3, 4.0}}, points, 300, timeOffset, 11);
        const auto grid = Periodogram::automaticGrid(data);
        const auto spectrum = Periodogram::generalisedLombScargle(data, grid).value();
        QCOMPARE(spectrum.power.size(), grid.count);
        for (std::size_t k = 0; k < spectrum.power.size(); ++k) {
            const double expected = directPower(data, spectrum.frequencies[k]);
            QVERIFY2(std::abs(spectrum.power[k] - expected) <= 1e-9,
                     qPrintable(QStringLiteral("f = %1: power %2, least squares %3")
                                    .arg(spectrum.frequencies[k], 0, 'g', 12)
                                    .arg(spectrum.power[k], 0, 'g', 15)
                                    .arg(expected, 0, 'g', 15)));
        }
        QCOMPARE(spectrum.frequencies.back(), grid.maxFrequency);
        if (double(points) * double(grid.count) > 2e6) {
            const auto oneThread = Periodogram::generalisedLombScargle(data, grid, nullptr, Periodogram::Threads::One);
            QVERIFY(oneThread->power == spectrum.power);
        }
    }

    void findsInjectedPeriods_data()
    {
        QTest::addColumn<Waves>("waves"); // (period, amplitude)
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("span");
        QTest::addColumn<unsigned>("seed");
        QTest::addColumn<double>("offset"); // of a second instrument, which takes the second half, if any
        QTest::newRow("4.23 d, strong") << Waves{{4.23, 10.0}} << 80 << 400.0 << 5u << 0.0;
        QTest::newRow("0.9 d, weaker") << Waves{{0.9, 3.0}} << 80 << 400.0 << 5u << 0.0;
        QTest::newRow("9.1 d and 31 d, distinct peaks") << Waves{{9.1, 8.0}, {31.0, 6.0}} << 120 << 500.0 << 3u << 0.0;
        QTest::newRow("an offset between instruments is no signal") << Waves{} << 60 << 200.0 << 9u << 50.0;
    }
    void findsInjectedPeriods()
    {
        QFETCH(Waves, waves);
        QFETCH(int, points);
        QFETCH(double, span);
        QFETCH(unsigned, seed);
        QFETCH(double, offset);
        DataSet data = sinusoids(waves, points, span, 0, seed);
        if (offset != 0) {
            data.instruments = {"A", "B"};
            for (auto &m : data.measurements)
                if (m.time > span / 2) {
                    m.instrument = 1;
                    m.velocity += offset;
                }
        }
        const auto spectrum = *Periodogram::generalisedLombScargle(data, Periodogram::automaticGrid(data));
        const auto peaks = Periodogram::highestPeaks(spectrum, data, 3);
        QCOMPARE(peaks.size(), std::size_t(3));
        QVERIFY(peaks[0].power >= peaks[1].power && peaks[1].power >= peaks[2].power);
        if (waves.empty())
            QVERIFY2(peaks[0].falseAlarmProbability > 0.01, qPrintable(QString::number(peaks[0].power)));
        else
            QVERIFY(peaks[0].falseAlarmProbability < 1e-6);
        // A peak is 1/T wide in frequency; its top lies well within. Each wave has its own peak.
        for (std::size_t w = 0; w < waves.size(); ++w) {
            const double period = waves[w].first;
            const auto found = std::find_if(peaks.begin(), peaks.begin() + long(waves.size()), [&](const auto &peak) {
                return std::abs(1 / peak.periodDays - 1 / period) < 0.3 / span;
            });
            QVERIFY2(found != peaks.begin() + long(waves.size()), qPrintable(QString::number(peaks[w].periodDays)));
        }
    }

    // Noise only: the fraction of realisations whose highest peak exceeds a
    // power must follow Baluev's bound, which is close to exact where it is small.
    void falseAlarmAgainstMonteCarlo()
    {
        const int realisations = 400;
        const DataSet layout = sinusoids({}, 40, 150, 0, 1);
        const auto grid = Periodogram::automaticGrid(layout);
        std::mt19937 random(77);
        std::normal_distribution<double> normal(0, 1);
        std::vector<double> highest;
        for (int r = 0; r < realisations; ++r) {
            DataSet data = layout;
            for (auto &m : data.measurements)
                m.velocity = m.uncertainty * normal(random);
            const auto spectrum = *Periodogram::generalisedLombScargle(data, grid);
            highest.push_back(*std::max_element(spectrum.power.begin(), spectrum.power.end()));
        }
        for (double fap : {0.05, 0.1, 0.2}) {
            double power = 0.0, high = 1.0;
            for (int step = 0; step < 60; ++step) {
                const double middle = (power + high) / 2;
                (Periodogram::falseAlarmProbability(middle, layout, grid.maxFrequency) > fap ? power : high) = middle;
            }
            const double observed =
                double(std::count_if(highest.begin(), highest.end(), [&](double p) { return p > power; }))
                / realisations;
            QVERIFY2(
                observed > 0.4 * fap && observed < 1.3 * fap,
                qPrintable(QStringLiteral("bound %1 at p = %2, Monte-Carlo %3").arg(fap).arg(power).arg(observed)));
        }
    }

    // Baluev's 1 − (1 − Ψ) e^{−τ} evaluated by hand (Python's math.lgamma) for
    // eight points at t = 0, 1, 2, 3, 5, 8, 13, 21 d with σ = 1, 1, 1, 1, 1, 1,
    // 2, 2 m/s (weighted variance of the times 21.408, T_eff = 16.402 d) and
    // f_max = 0.5 c/d; two instruments take one degree of freedom more.
    // The bare bound Ψ + τ would be 1.79 and 2.58 in the first two rows.
    void falseAlarmByHand_data()
    {
        QTest::addColumn<double>("power");
        QTest::addColumn<int>("instruments");
        QTest::addColumn<double>("expected");
        QTest::newRow("p = 0.6") << 0.6 << 1 << 0.833972427780001;
        QTest::newRow("p = 0.6, two instruments") << 0.6 << 2 << 0.925143375432106;
        QTest::newRow("p = 0.9") << 0.9 << 1 << 0.124051413002385;
        QTest::newRow("p = 0: never significant") << 0.0 << 1 << 1.0;
    }
    void falseAlarmByHand()
    {
        QFETCH(double, power);
        QFETCH(int, instruments);
        QFETCH(double, expected);
        DataSet data;
        data.instruments = {"A", "B"};
        const double times[] = {0, 1, 2, 3, 5, 8, 13, 21};
        for (int i = 0; i < 8; ++i)
            data.measurements.push_back(
                {times[i], double(i % 3), i < 6 ? 1.0 : 2.0, instruments == 2 && i >= 4 ? 1 : 0});
        QVERIFY2(std::abs(Periodogram::falseAlarmProbability(power, data, 0.5) - expected) < 1e-12,
                 qPrintable(QString::number(Periodogram::falseAlarmProbability(power, data, 0.5), 'g', 15)));
    }

    void peaksCloserThanOneWidthCountOnce()
    {
        // Ten times spread over most of 100 days make a peak a little over
        // 0.01 cycles/day wide. The side lobe at 0.055 lies within that of the
        // highest peak at 0.050 and is skipped; 0.080 is a peak of its own, and
        // so is the maximum at the grid's edge, 0.001.
        const DataSet data = sinusoids({}, 10, 100, 0, 3);
        Periodogram::Spectrum spectrum;
        for (int k = 1; k <= 100; ++k) {
            spectrum.frequencies.push_back(k / 1000.0);
            spectrum.power.push_back(k == 50 ? 0.9 : k == 55 ? 0.8 : k == 80 ? 0.5 : k == 1 ? 0.3 : 0.1);
        }
        const auto peaks = Periodogram::highestPeaks(spectrum, data, 3);
        QCOMPARE(peaks.size(), std::size_t(3));
        QCOMPARE(peaks[0].frequency, 0.050);
        QCOMPARE(peaks[1].frequency, 0.080);
        QCOMPARE(peaks[2].frequency, 0.001);
        QCOMPARE(peaks[1].periodDays, 12.5);
    }

    void cancelGivesEmptySpectrum()
    {
        const DataSet data = sinusoids({{10, 1}}, 200, 100, 0, 6);
        std::atomic<bool> cancel{true};
        const auto spectrum = Periodogram::generalisedLombScargle(data, {0.01, 5, 100000}, &cancel);
        QVERIFY(spectrum.ok() && spectrum->frequencies.empty() && spectrum->power.empty());
    }

    void refuses_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("reasonPart");
        const auto row = [](const char *name, const Change &change, const char *reason) {
            QTest::newRow(name) << change << QString(reason);
        };
        using Grid = Periodogram::FrequencyGrid;
        row(
            "two points", [](DataSet &d, Grid &) { d.measurements.resize(2); }, "at least 3");
        row(
            "same time",
            [](DataSet &d, Grid &) {
                for (auto &m : d.measurements)
                    m.time = 5;
            },
            "same time");
        row(
            "not a number", [](DataSet &d, Grid &) { d.measurements[2].velocity = NAN; }, "finite");
        row(
            "zero uncertainty", [](DataSet &d, Grid &) { d.measurements[1].uncertainty = 0; }, "uncertainty");
        row(
            "constant velocity",
            [](DataSet &d, Grid &) {
                for (auto &m : d.measurements)
                    m.velocity = 4;
            },
            "do not vary");
        row(
            "time of 1e300 days", [](DataSet &d, Grid &) { d.measurements[3].time = 1e300; }, "100 million days");
        row(
            "velocity faster than light", [](DataSet &d, Grid &) { d.measurements[3].velocity = -3e8; },
            "faster than light");
        row(
            "uncertainty of 1e-300 m/s", [](DataSet &d, Grid &) { d.measurements[3].uncertainty = 1e-300; },
            "below 1 micrometre");
        row(
            "grid from zero", [](DataSet &, Grid &g) { g.minFrequency = 0; }, "frequency grid");
        row(
            "grid crossed", [](DataSet &, Grid &g) { g.minFrequency = 1.5; }, "frequency grid");
        row(
            "grid of one point", [](DataSet &, Grid &g) { g.count = 1; }, "frequency grid");
    }
    void refuses()
    {
        QFETCH(Change, change);
        QFETCH(QString, reasonPart);
        DataSet data;
        data.instruments = {"x"};
        for (int i = 0; i < 6; ++i)
            data.measurements.push_back({double(i), double(i % 3), 1.0, 0});
        Periodogram::FrequencyGrid grid{0.01, 1, 100};
        // Unchanged, these data pass on the smallest grid: each row's refusal is its change's.
        QVERIFY(!Periodogram::refusal(data, {0.01, 1, 2}));
        change(data, grid);
        const auto reason = Periodogram::refusal(data, grid);
        QVERIFY(reason.has_value());
        QVERIFY2(QString::fromStdString(reason->reason).contains(reasonPart), reason->reason.c_str());
        QCOMPARE(Periodogram::generalisedLombScargle(data, grid).reason(), reason->reason);
        if (!reasonPart.contains("grid"))
            QCOMPARE(Periodogram::automaticGrid(data).count, std::size_t(0));
    }

    // The grid's limits worked by hand from the cadence: f_min = 1/(2T);
    // f_max = 1/(2Δ) for the smallest spacing Δ ≥ 0.1 d, within [1.2, 10]
    // but at least 20 f_min; 10 points per 1/T.
    void automaticGridFollowsSampling_data()
    {
        QTest::addColumn<std::vector<double>>("times");
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("maxFrequency");
        std::vector<double> nightly, threeANight, seasons, fiveMinutes;
        for (int i = 0; i < 50; ++i) {
            nightly.push_back(i);
            fiveMinutes.push_back(i * 5.0 / 1440);
        }
        for (int night = 0; night < 30; ++night)
            for (double hour : {0.0, 0.15, 0.3})
                threeANight.push_back(night + hour);
        for (int night = 0; night < 100; ++night) {
            seasons.push_back(night);
            seasons.push_back(365 + night);
        }
        std::sort(seasons.begin(), seasons.end());
        QTest::newRow("one a night: the one-day alias and a bit") << nightly << 49.0 << 1.2;
        QTest::newRow("three a night, 0.15 d apart") << threeANight << 29.3 << 0.5 / 0.15;
        QTest::newRow("two seasons of nights, 265 days apart") << seasons << 464.0 << 1.2;
        QTest::newRow("every 5 minutes for 4 hours: up to T/10")
            << fiveMinutes << 49 * 5.0 / 1440 << 20 * 0.5 / (49 * 5.0 / 1440);
    }
    void automaticGridFollowsSampling()
    {
        QFETCH(std::vector<double>, times);
        QFETCH(double, span);
        QFETCH(double, maxFrequency);
        DataSet data;
        data.instruments = {"x"};
        for (std::size_t i = 0; i < times.size(); ++i)
            data.measurements.push_back({times[i], std::sin(double(i) * 0.3), 1.0, 0});
        const auto grid = Periodogram::automaticGrid(data);
        QVERIFY2(std::abs(grid.maxFrequency - maxFrequency) < 1e-9 * maxFrequency,
                 qPrintable(QString::number(grid.maxFrequency)));
        QVERIFY(std::abs(grid.minFrequency - 0.5 / span) < 1e-12 / span);
        const double points = (maxFrequency - 0.5 / span) * span * 10 + 1;
        QVERIFY2(double(grid.count) >= points && double(grid.count) < points + 1,
                 qPrintable(QString::number(grid.count)));
    }

    // 51 Peg's shipped data: the yearly side lobes of 4.2306 d (4.2815 d and
    // 4.2224 d, 1/355 d and 1/2200 d away) are no peaks of their own.
    void sideLobesAreNoPeaks()
    {
        const auto read = Observations::loadFile(ORBIQUEST9_SOURCE_DIR "/data/rv/51peg.sys");
        QVERIFY(read.ok());
        const DataSet &data = read->data;
        const auto spectrum = *Periodogram::generalisedLombScargle(data, Periodogram::automaticGrid(data));
        const auto peaks = Periodogram::highestPeaks(spectrum, data, 5);
        QVERIFY(std::abs(peaks[0].periodDays - 4.2306) < 1e-3);
        for (std::size_t k = 1; k < peaks.size(); ++k)
            QVERIFY2(std::abs(peaks[k].frequency - peaks[0].frequency) > 1 / 300.0,
                     qPrintable(QString::number(peaks[k].periodDays)));
    }
};

QTEST_APPLESS_MAIN(TestPeriodogram)
#include "tst_periodogram.moc"
