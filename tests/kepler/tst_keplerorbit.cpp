#include "kepler/keplerorbit.h"
#include "support/numericfixtures.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <vector>

using Kepler::Orbit;
using NumericFixtures::circularVelocity;
using NumericFixtures::longPi;

namespace {

constexpr double pi = std::numbers::pi;
constexpr double tolerance = 1e-12;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// E − e sin E − M in long double: 1e-19 of its own rounding against the 1e-12 asked for.
long double residual(double eccentricAnomaly, double e, double meanAnomaly)
{
    const long double anomaly = eccentricAnomaly;
    return anomaly - e * std::sin(anomaly) - meanAnomaly;
}

// A dense grid over [−π, π] and the hard places: M = 0, ±tiny, the approach to ±π, and where the search's table
// switches, at M_j = E_j − e sin E_j with E_j = jπ/64, and a hair either side.
std::vector<double> meanAnomalyGrid(double e)
{
    std::vector<double> grid;
    constexpr int steps = 20000;
    for (int i = -steps; i <= steps; ++i)
        grid.push_back(pi * i / steps);
    for (int power = -320; power <= 0; ++power) {
        const double small = std::pow(10.0, power / 2.0);
        for (double m : {small, pi - small, 1e-3 * small})
            grid.insert(grid.end(), {m, -m});
    }
    for (double m : {0.0, -0.0, std::numeric_limits<double>::denorm_min(), std::nextafter(pi, 0.0), pi, -pi})
        grid.push_back(m);
    for (int j = 1; j < 64; ++j) {
        const long double node = j * longPi / 64;
        const double m = double(node - e * std::sin(node));
        grid.insert(grid.end(), {std::nextafter(m, 0.0), m, std::nextafter(m, 4.0), -m});
    }
    return grid;
}

} // namespace

class TestKeplerOrbit : public QObject
{
    Q_OBJECT

private slots:
    void solverMeetsTheEquation_data()
    {
        QTest::addColumn<double>("e");
        for (double e : {0.0, 1e-300, 1e-9, 0.1, 0.3, 0.4999999, 0.5, 0.6, 0.8, 0.9, 0.95, 0.97, 0.99, 0.995, 0.999,
                         0.9995, 0.9999, 0.99999, 1 - 1e-9})
            QTest::addRow("e = %.10g", e) << e;
        for (int i = 0; i <= 50; ++i) {
            const double e = 0.9999 * i / 50.0 + 1e-7 * i; // off the rows above, and off round numbers
            QTest::addRow("e = %.10g (sweep)", e) << e;
        }
    }

    void solverMeetsTheEquation()
    {
        QFETCH(double, e);
        const Kepler::KeplerEquation equation(e);
        for (double m : meanAnomalyGrid(e)) {
            const double once = Kepler::eccentricAnomaly(m, e);
            const double prepared = equation.eccentricAnomaly(m);
            const QByteArray where = QByteArray("M = ") + QByteArray::number(m, 'g', 17);
            QVERIFY2(std::fabs(residual(once, e, m)) <= tolerance, where);
            QVERIFY2(std::fabs(residual(prepared, e, m)) <= tolerance, where);
            // E lies in [−π, π] with the sign of M (0 for M = 0).
            QVERIFY2(std::fabs(once) <= pi && once * m >= 0, where);
            QVERIFY2(std::fabs(prepared) <= pi && prepared * m >= 0, where);
            const Kepler::EccentricAnomaly solved = equation.solve(m);
            QVERIFY2(std::fabs(solved.sine - std::sin(solved.anomaly)) <= 4e-16
                         && std::fabs(solved.cosine - std::cos(solved.anomaly)) <= 4e-16,
                     where);
        }
        // The batch gives only sin E and cos E: the angle they name must meet the equation, on a unit circle.
        const std::vector<double> grid = meanAnomalyGrid(e);
        std::vector<double> sines(grid.size()), cosines(grid.size());
        equation.sinesAndCosines(grid, sines.data(), cosines.data());
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const long double angle = std::atan2((long double)sines[i], (long double)cosines[i]);
            const QByteArray where = QByteArray("batch, M = ") + QByteArray::number(grid[i], 'g', 17);
            QVERIFY2(std::fabs(angle - e * std::sin(angle) - grid[i]) <= tolerance, where);
            QVERIFY2(std::fabs(sines[i] * sines[i] + cosines[i] * cosines[i] - 1) <= 1e-15, where);
        }
    }

    void anyMeanAnomaly_data()
    {
        QTest::addColumn<double>("meanAnomaly");
        QTest::addColumn<double>("e");
        for (double e : {0.0, 0.5, 0.99, 0.9999}) {
            for (double m : {3.5, -3.5, 7.0, 2 * pi, 100.0, -1000.5, 1e7, -1e7 + 0.25, 123456789.0, 4.19e8, 4.3e8,
                             6.5e9, -1e12, 3e15, 1e300, std::numeric_limits<double>::max()})
                QTest::addRow("M = %g, e = %g", m, e) << m << e;
        }
        // No solution: the solver still returns, with a NaN.
        for (auto [m, e] : {std::pair{notANumber, 0.5},
                            {infinity, 0.5},
                            {-infinity, 0.5},
                            {1.0, notANumber},
                            {1.0, 1.0},
                            {1.0, 1.5},
                            {1.0, -0.1},
                            {1.0, infinity}})
            QTest::addRow("M = %g, e = %g", m, e) << m << e;
    }

    void anyMeanAnomaly()
    {
        QFETCH(double, meanAnomaly);
        QFETCH(double, e);
        if (!std::isfinite(meanAnomaly) || !(e >= 0 && e < 1)) {
            QVERIFY(std::isnan(Kepler::eccentricAnomaly(meanAnomaly, e)));
            QVERIFY(std::isnan(Kepler::KeplerEquation(e).eccentricAnomaly(meanAnomaly)));
            return;
        }
        // Modulo 2π, even where a double holds no phase. Below 2^26 turns (|M| < 4.2e8) the header promises the
        // true 2π (the long-double 2π here is 1e-19 off, so 2e-20 per radian of M on top); beyond, the exact
        // reduction by the double nearest 2π.
        const bool truePi = std::fabs(meanAnomaly) < 67108864.0 * 2 * pi;
        const long double twoPi = truePi ? 2 * longPi : 2 * pi;
        const double allowed = tolerance + (truePi ? 2e-20 * std::fabs(meanAnomaly) : 0.0);
        const long double reducedM = truePi
            ? std::fma(-twoPi, std::nearbyint(meanAnomaly / twoPi), (long double)meanAnomaly)
            : std::remainder(meanAnomaly, 2 * pi);
        for (double anomaly :
             {Kepler::eccentricAnomaly(meanAnomaly, e), Kepler::KeplerEquation(e).eccentricAnomaly(meanAnomaly)}) {
            const long double r = anomaly - e * std::sin((long double)anomaly) - reducedM;
            const long double reduced = r - twoPi * std::nearbyint(r / twoPi);
            QVERIFY2(std::fabs(reduced) <= allowed, QByteArray::number(double(reduced)));
            QVERIFY(std::fabs(anomaly) <= pi);
        }
    }

    void trueAnomaly_data()
    {
        QTest::addColumn<double>("eccentricAnomaly");
        QTest::addColumn<double>("e");
        for (double e : {0.0, 0.1, 0.5, 0.9, 0.999, 0.9999})
            for (double anomaly : {0.0, 1e-6, 0.01, 0.5, 1.0, pi / 2, 2.0, 3.0, 3.14159, -0.3, -2.5})
                QTest::addRow("E = %g, e = %g", anomaly, e) << anomaly << e;
    }

    void trueAnomaly()
    {
        QFETCH(double, eccentricAnomaly);
        QFETCH(double, e);
        // cos ν = (cos E − e)/(1 − e cos E), sin ν = √(1 − e²) sin E/(1 − e cos E), in long double and with
        // cos E − e as (1 − e) − 2 sin²(E/2) so the reference does not cancel at e → 1, E → 0.
        const long double E = eccentricAnomaly;
        const long double denominator = 1 - e * std::cos(E);
        const long double sinHalf = std::sin(E / 2);
        const long double cosNu = ((1 - (long double)e) - 2 * sinHalf * sinHalf) / denominator;
        const long double sinNu = std::sqrt((1 - (long double)e) * (1 + e)) * std::sin(E) / denominator;
        const long double expected = std::atan2(sinNu, cosNu);
        const double nu = Kepler::trueAnomaly(eccentricAnomaly, e);
        QVERIFY2(std::fabs(nu - expected) <= 1e-12, QByteArray::number(nu - double(expected)));
        if (e == 0)
            QCOMPARE(nu, eccentricAnomaly);
    }

    void circularOrbitIsACosine_data()
    {
        QTest::addColumn<double>("omega");
        QTest::addColumn<double>("t");
        for (double omega : {0.0, 1.0, -2.0, pi})
            for (double t : {2460000.0, 2460001.3, 2460123.456, 2459000.0, 0.0})
                QTest::addRow("omega = %g, t = %g", omega, t) << omega << t;
    }

    void circularOrbitIsACosine()
    {
        QFETCH(double, omega);
        QFETCH(double, t);
        const Orbit orbit{4.2308, 55.9, 0.0, omega, 2460000.25};
        QVERIFY(!Kepler::refusal(orbit));
        // t = 0 lies 581,451 orbits before T_p: the phase (t − T_p)/P, a double,
        // carries a rounding of 6e-11 turns there, 2e-8 m/s of this K.
        QVERIFY(std::fabs(Kepler::radialVelocity(orbit, t) - circularVelocity(orbit, t)) <= 1e-7);
    }

    void curveOverOnePeriod_data()
    {
        QTest::addColumn<double>("e");
        QTest::addColumn<double>("omega");
        for (double e : {0.0, 0.2, 0.6, 0.8, 0.97})
            for (double omega : {0.0, 1.1, -2.2, pi})
                QTest::addRow("e = %g, omega = %g", e, omega) << e << omega;
    }

    void curveOverOnePeriod()
    {
        QFETCH(double, e);
        QFETCH(double, omega);
        // The orbit closes, so the mean velocity is zero; the trapezoid rule on a smooth periodic function
        // converges faster than any power of the step, so a million points leave only rounding.
        // cos(ν + ω) spans [−1, 1], so max − min = 2K and the top is K (1 + e cos ω); at e ≤ 0.8, ν moves
        // at most 2e-4 rad between samples, an error in cos below 2e-8.
        const Orbit orbit{10.0, 7.0, e, omega, 0.3};
        std::vector<double> times(1000000);
        for (std::size_t i = 0; i < times.size(); ++i)
            times[i] = orbit.periodDays * double(i) / double(times.size());
        const std::vector<double> velocities = Kepler::radialVelocities({&orbit, 1}, times);
        const double mean = std::accumulate(velocities.begin(), velocities.end(), 0.0) / double(velocities.size());
        QVERIFY2(std::fabs(mean) <= 1e-9, QByteArray::number(mean));
        const auto [low, high] = std::minmax_element(velocities.begin(), velocities.end());
        const double k = orbit.semiAmplitude;
        if (e <= 0.8)
            QVERIFY(std::fabs((*high - *low) - 2 * k) <= 2e-7 * k
                    && std::fabs(*high - k * (1 + e * std::cos(omega))) <= 2e-7 * k);
    }

    void planetsAdd()
    {
        const std::vector<Orbit> planets{{4.2308, 55.9, 0.0, 1.0, 2450001.0},
                                         {111.4, 30.0, 0.6, 1.2, 2450010.0},
                                         {1500.0, 12.0, 0.3, -0.4, 2449000.0}};
        std::vector<double> times;
        for (int i = 0; i < 500; ++i)
            times.push_back(2450000.0 + 3.7 * i);
        const std::vector<double> curve = Kepler::radialVelocities(planets, times);
        QCOMPARE(curve.size(), times.size());
        for (std::size_t i = 0; i < times.size(); ++i) {
            double sum = 0;
            for (const Orbit &planet : planets)
                sum += Kepler::radialVelocity(planet, times[i]);
            QVERIFY(std::fabs(Kepler::radialVelocity(planets, times[i]) - sum) <= 1e-9);
            QVERIFY(std::fabs(curve[i] - sum) <= 1e-9);
        }
        QVERIFY(Kepler::radialVelocities({}, times) == std::vector<double>(times.size(), 0.0));
    }

    void conjunction_data()
    {
        QTest::addColumn<double>("e");
        QTest::addColumn<double>("omega");
        QTest::addColumn<double>("expectedOffset"); // (T_c − T_p)/P, or NaN when only worked out below
        // ω = π/2: ν_c = 0, at periastron; ω = −π/2: ν_c = π, half a period away; circular: (π/2 − ω)/2π turns.
        QTest::newRow("at periastron") << 0.6 << pi / 2 << 0.0;
        QTest::newRow("at apastron") << 0.6 << -pi / 2 << 0.5;
        QTest::newRow("circular, omega = 0") << 0.0 << 0.0 << 0.25;
        QTest::newRow("circular, omega = 1") << 0.0 << 1.0 << (pi / 2 - 1) / (2 * pi);
        QTest::newRow("circular, omega = pi") << 0.0 << pi << -0.25;
        for (double e : {0.1, 0.5, 0.9, 0.99})
            for (double omega : {0.0, 0.4, 2.0, -1.0, 3.0, 7.5})
                QTest::addRow("e = %g, omega = %g", e, omega) << e << omega << notANumber;
    }

    void conjunction()
    {
        QFETCH(double, e);
        QFETCH(double, omega);
        QFETCH(double, expectedOffset);
        // Times near zero, so that the check below keeps the digits of T_c − T_p.
        const double period = 3.5;
        const double periastron = 12.125;
        const double conjunction = Kepler::conjunctionFromPeriastron(periastron, period, e, omega);
        const double offset = (conjunction - periastron) / period;
        QVERIFY(std::fabs(offset) <= 0.5 + 1e-12);
        if (std::fabs(expectedOffset) == 0.5) // either half period
            QVERIFY2(std::fabs(std::fabs(offset) - 0.5) <= 1e-12, QByteArray::number(offset));
        else if (!std::isnan(expectedOffset))
            QVERIFY2(std::fabs(offset - expectedOffset) <= 1e-12, QByteArray::number(offset));
        // At T_c the true anomaly is π/2 − ω (through M = 2π offset and Kepler's equation).
        const double nu = Kepler::trueAnomaly(Kepler::eccentricAnomaly(2 * pi * offset, e), e);
        QVERIFY2(std::fabs(std::remainder(nu - (pi / 2 - omega), 2 * pi)) <= 1e-9, QByteArray::number(nu));
        QVERIFY(std::fabs(Kepler::periastronFromConjunction(conjunction, period, e, omega) - periastron) <= 1e-12);
        // And back at a Julian date, where a day has 5e-10 d of spacing.
        const double later = 2455000.125;
        const double back = Kepler::periastronFromConjunction(
            Kepler::conjunctionFromPeriastron(later, period, e, omega), period, e, omega);
        QVERIFY(std::fabs(back - later) <= 1e-9);
    }

    void refusal_data()
    {
        QTest::addColumn<Orbit>("orbit");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("velocityNaN"); // by hand: NaN or e ∉ [0, 1) leaves no finite term
        const Orbit valid{4.2308, 55.9, 0.0, 0.0, 2450000.0};
        QTest::newRow("valid") << valid << false << false;
        QTest::newRow("e = 0.9999") << Orbit{10, 1, 0.9999, -7, 0} << false << false;
        QTest::newRow("K = 0") << Orbit{10, 0, 0.5, 1, -5} << false << false;
        const auto with = [&](auto member, double value) {
            Orbit orbit = valid;
            orbit.*member = value;
            return orbit;
        };
        QTest::newRow("P NaN") << with(&Orbit::periodDays, notANumber) << true << true;
        QTest::newRow("P = 0") << with(&Orbit::periodDays, 0.0) << true << true;
        QTest::newRow("P < 0") << with(&Orbit::periodDays, -3.0) << true << false;
        QTest::newRow("P infinite") << with(&Orbit::periodDays, infinity) << true << false;
        QTest::newRow("K NaN") << with(&Orbit::semiAmplitude, notANumber) << true << true;
        QTest::newRow("K < 0") << with(&Orbit::semiAmplitude, -1.0) << true << false;
        QTest::newRow("K infinite") << with(&Orbit::semiAmplitude, infinity) << true << false;
        QTest::newRow("e NaN") << with(&Orbit::eccentricity, notANumber) << true << true;
        QTest::newRow("e = 1") << with(&Orbit::eccentricity, 1.0) << true << true;
        QTest::newRow("e = -0.1") << with(&Orbit::eccentricity, -0.1) << true << true;
        QTest::newRow("omega NaN") << with(&Orbit::omegaRadians, notANumber) << true << true;
        QTest::newRow("omega infinite") << with(&Orbit::omegaRadians, -infinity) << true << true;
        QTest::newRow("T_p NaN") << with(&Orbit::periastronTime, notANumber) << true << true;
        QTest::newRow("T_p infinite") << with(&Orbit::periastronTime, infinity) << true << true;
    }

    void refusal()
    {
        QFETCH(Orbit, orbit);
        QFETCH(bool, refused);
        QFETCH(bool, velocityNaN);
        const auto reason = Kepler::refusal(orbit);
        QCOMPARE(reason.has_value(), refused);
        if (reason)
            QVERIFY(reason->reason.size() > 20 && reason->reason.back() == '.');
        // Refused orbits are the caller's to stop; the evaluators must still return.
        const std::vector<double> times{0.0, 1.5, 1e9};
        QCOMPARE(Kepler::radialVelocities({&orbit, 1}, times).size(), times.size());
        if (velocityNaN)
            QVERIFY(std::isnan(Kepler::radialVelocity(orbit, 1.5)));
    }
};

QTEST_APPLESS_MAIN(TestKeplerOrbit)
#include "tst_keplerorbit.moc"
