#include "lab/derivedvalues.h"
#include "lab/elementcontrol.h"
#include "lab/labcurve.h"
#include "lab/orbitgeometry.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

Kepler::Orbit orbit(double period, double k, double e, double omega, double periastron = 0)
{
    return {period, k, e, omega, periastron};
}

/// The Sun's reflex to Jupiter, seen at `inclination` degrees.
LabPlanet jupiter(double inclination)
{
    LabPlanet planet;
    planet.orbit = orbit(4332.59, 12.47, 0.0489, 0);
    planet.inclinationDegrees = inclination;
    return planet;
}

} // namespace

class TestLabNumbers : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes()
    {
        // P = 4 d sampled at whole days, periastron at 1 d: a circular orbit is K cos(2π(t − T_p)/P)
        // (the velocity for any ω is tst_keplerorbit's), the phase (t − T_p)/P mod 1.
        std::vector<LabCurve::Point> points(5);
        LabCurve::sample(orbit(4, 10, 0, 0, 1), 0, points);
        QCOMPARE(LabCurve::csv(points),
                 QByteArray("time (days),phase (periastron = 0),velocity (m/s)\n"
                            "0.000000,0.750000,0.000000\n1.000000,0.000000,10.000000\n"
                            "2.000000,0.250000,0.000000\n3.000000,0.500000,-10.000000\n"
                            "4.000000,0.750000,0.000000\n"));
    }

    void timeFolding_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("phase");
        QTest::addColumn<double>("firstOrbit");
        // P = 4 d, T_p = 1 d: the phase is (t − 1)/4 mod 1, the first orbit's time t mod 4.
        QTest::newRow("before periastron") << 0.0 << 0.75 << 0.0;
        QTest::newRow("mid orbit") << 2.5 << 0.375 << 2.5;
        QTest::newRow("a whole orbit") << 4.0 << 0.75 << 0.0;
        QTest::newRow("an orbit earlier") << -3.0 << 0.0 << 1.0;
        QTest::newRow("before zero") << -1.0 << 0.5 << 3.0;
        QTest::newRow("far future") << 4001.0 << 0.0 << 1.0;
        QTest::newRow("exactly one orbit after periastron") << 5.0 << 0.0 << 1.0;
    }

    void phaseOfOneIsZero()
    {
        // P = 0.1 d, T_p = 0: t = 0.3 d is three orbits, but 0.3 / 0.1 is 2.9999999999999996 in doubles,
        // a phase a hair short of 1 that must read as the periastron it is.
        QCOMPARE(LabCurve::phaseAt(orbit(0.1, 1, 0, 0), 0.3), 0.0);
    }

    void timeFolding()
    {
        QFETCH(double, time);
        QFETCH(double, phase);
        QFETCH(double, firstOrbit);
        const Kepler::Orbit elements = orbit(4, 1, 0, 0, 1);
        QCOMPARE(LabCurve::phaseAt(elements, time), phase);
        QCOMPARE(LabCurve::firstOrbitTime(elements, time), firstOrbit);
    }

    void schematic_data()
    {
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<double>("omega");
        QTest::addColumn<double>("phase");
        QTest::addColumn<double>("expected");
        // K = 10: K [cos(2π·phase + ω) + e cos ω] worked by hand.
        QTest::newRow("periastron, omega 0") << 0.5 << 0.0 << 0.0 << 15.0;
        QTest::newRow("omega 90, quarter") << 0.5 << Pi / 2 << 0.25 << -10.0;
        QTest::newRow("omega 180, periastron") << 0.2 << Pi << 0.0 << -12.0;
    }

    void schematic()
    {
        QFETCH(double, eccentricity);
        QFETCH(double, omega);
        QFETCH(double, phase);
        QFETCH(double, expected);
        const double v = LabCurve::schematicVelocity(orbit(10, 10, eccentricity, omega), phase);
        QVERIFY2(std::fabs(v - expected) < 1e-12, qPrintable(QString::number(v, 'g', 17)));
    }

    void planetPlace_data()
    {
        QTest::addColumn<double>("eccentricity");
        QTest::addColumn<double>("omega");
        QTest::addColumn<double>("trueAnomaly");
        QTest::addColumn<QPointF>("expected");
        // The planet's periastron lies opposite the star's, at ω + π from the node.
        QTest::newRow("e 0.5, periastron at a(1 - e)") << 0.5 << 0.0 << 0.0 << QPointF(-0.5, 0);
        QTest::newRow("e 0.5, apastron at a(1 + e)") << 0.5 << 0.0 << Pi << QPointF(1.5, 0);
        QTest::newRow("omega 90: periastron on our side") << 0.0 << Pi / 2 << 0.0 << QPointF(0, -1);
        QTest::newRow("e 0.6, quarter: r = a(1 - e^2)") << 0.6 << 0.0 << Pi / 2 << QPointF(0, -0.64);
    }

    void planetPlace()
    {
        QFETCH(double, eccentricity);
        QFETCH(double, omega);
        QFETCH(double, trueAnomaly);
        QFETCH(QPointF, expected);
        const auto point = OrbitGeometry::planetAtTrueAnomaly(orbit(1, 1, eccentricity, omega), 1, trueAnomaly);
        QVERIFY2(std::fabs(point.x - expected.x()) < 1e-12 && std::fabs(point.y - expected.y()) < 1e-12,
                 qPrintable(QStringLiteral("(%1, %2)").arg(point.x).arg(point.y)));
    }

    void geometryAgreesWithTheVelocity()
    {
        // The star sits opposite the planet: it recedes (v > 0) exactly when the planet's y falls. This
        // holds only if the place follows the time through Kepler's equation, as the velocity does; the
        // equation itself, so equal areas in equal times, is tst_keplerorbit's.
        const Kepler::Orbit elements = orbit(10, 30, 0.4, 2.0, 1.5);
        int checked = 0;
        for (int k = 0; k < 400; ++k) {
            const double t = 10.0 * k / 400;
            const double v = Kepler::radialVelocity(elements, t);
            if (std::fabs(v) < 1)
                continue;
            const double dy =
                OrbitGeometry::planetAt(elements, 1, t + 1e-4).y - OrbitGeometry::planetAt(elements, 1, t - 1e-4).y;
            QVERIFY2((v > 0) == (dy < 0), qPrintable(QStringLiteral("t = %1").arg(t)));
            ++checked;
        }
        QVERIFY(checked > 300);
    }

    void sliderSteps_data()
    {
        QTest::addColumn<bool>("logarithmic");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("onAStep"); ///< the value sits exactly on its step
        // Log scale over 0.1 to 1e5 (six decades): step = 1000 · log10(v/0.1) / 6; the middle
        // steps of both scales are checked through the lab's sliders.
        QTest::newRow("log, 1") << true << 1.0 << 167 << false;
        QTest::newRow("log, top") << true << 1e5 << 1000 << true;
        QTest::newRow("log, below the span") << true << 0.01 << 0 << false;
        QTest::newRow("log, zero") << true << 0.0 << 0 << false;
        // Linear over 0 to 90.
        QTest::newRow("linear, 9") << false << 9.0 << 100 << true;
        QTest::newRow("linear, above the span") << false << 120.0 << 1000 << false;
    }

    void sliderSteps()
    {
        QFETCH(bool, logarithmic);
        QFETCH(double, value);
        QFETCH(int, step);
        QFETCH(bool, onAStep);
        const ElementControl::Range range = logarithmic
            ? ElementControl::Range{0.1, 1e5, ElementControl::Scale::Logarithmic}
            : ElementControl::Range{0, 90, ElementControl::Scale::Linear};
        QCOMPARE(ElementControl::stepFor(range, value), step);
        if (onAStep)
            QVERIFY(std::fabs(ElementControl::valueAt(range, step) - value) < 1e-9 * value);
    }

    void masses_data()
    {
        QTest::addColumn<double>("inclination");
        QTest::addColumn<double>("jupiters"); ///< the true mass; NaN for none
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<double>("axisAu");
        // The Sun's reflex to Jupiter: one Jupiter mass. a³ = GM (1 + m/M☉) P² / 4π²
        // worked separately with the IAU nominal GM☉ and GM♃; m = (m sin i)/sin i while m ≪ M★.
        QTest::newRow("Jupiter edge-on") << 90.0 << 1.0 << 0.01 << 5.2028;
        QTest::newRow("Jupiter at 30 degrees") << 30.0 << 2.0 << 0.02 << 5.2045;
        // Face-on the velocities say nothing of m; a follows from m sin i.
        QTest::newRow("Jupiter face-on") << 0.0 << qQNaN() << 0.0 << 5.2028;
    }

    void masses()
    {
        QFETCH(double, inclination);
        QFETCH(double, jupiters);
        QFETCH(double, tolerance);
        QFETCH(double, axisAu);
        const DerivedValues::Values values = DerivedValues::of(jupiter(inclination));
        if (std::isnan(jupiters)) {
            QVERIFY(!values.trueMassSolar && !values.starSpeed);
        } else {
            QVERIFY(values.trueMassSolar.has_value());
            const double mass = DerivedValues::jupiterMasses(*values.trueMassSolar);
            QVERIFY2(std::fabs(mass - jupiters) <= tolerance, qPrintable(QString::number(mass)));
        }
        QVERIFY2(std::fabs(values.semiMajorAxisAu - axisAu) < 0.002,
                 qPrintable(QString::number(values.semiMajorAxisAu)));
    }

    void companionAndReflex_data()
    {
        QTest::addColumn<double>("starMass");
        QTest::addColumn<double>("period");
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("axisAu");
        QTest::addColumn<double>("reflexShare");
        QTest::addColumn<QString>("massText");
        // Edge-on circular orbits built around a chosen m: f = m³ / (M★ + m)², K = (2πG f / P)^(1/3),
        // a = (G (M★ + m) P² / 4π²)^(1/3), worked separately with GM☉ = 1.3271244e20 m³/s².
        // Equal-mass binary, M★ = m = 1 over 365.25 d: f = 1/4, a = 2^(1/3) AU, where M★ alone
        // gives 1.0000 AU; the star's share m/(M★ + m) = 1/2, half of m/M★.
        QTest::newRow("equal-mass binary")
            << 1.0 << 365.25 << 18763.2982 << 1.259905 << 0.5 << "1048 Jupiter masses = 3.329e+05 Earth masses: Star";
        // A brown dwarf of 0.05 M☉ = 52.38 Jupiter masses about M★ = 1 over 100 d: a = 0.428546 AU
        // (0.421633 from M★ alone), share 0.05/1.05 = 0.047619, not 0.05.
        QTest::newRow("brown dwarf") << 1.0 << 100.0 << 2220.08563 << 0.428546 << 0.05 / 1.05
                                     << "52.38 Jupiter masses = 1.665e+04 Earth masses: Brown Dwarf";
        // m = 1 M☉ about M★ = 0.5 over 10 d: f = 1/1.5² = 4/9, a = 0.1039836 AU, share 2/3.
        QTest::newRow("heavier than its star") << 0.5 << 10.0 << 75416.2755 << 0.1039836 << 2.0 / 3
                                               << "1048 Jupiter masses = 3.329e+05 Earth masses: Star "
                                                  "(heavier than the star)";
    }

    void companionAndReflex()
    {
        QFETCH(double, starMass);
        QFETCH(double, period);
        QFETCH(double, k);
        QFETCH(double, axisAu);
        QFETCH(double, reflexShare);
        QFETCH(QString, massText);
        LabPlanet planet;
        planet.orbit = orbit(period, k, 0, 0);
        planet.starMassSolar = starMass;
        const DerivedValues::Values values = DerivedValues::of(planet);
        QVERIFY2(std::fabs(values.semiMajorAxisAu / axisAu - 1) < 1e-5,
                 qPrintable(QString::number(values.semiMajorAxisAu)));
        QVERIFY2(std::fabs(values.reflexShare / reflexShare - 1) < 1e-5,
                 qPrintable(QString::number(values.reflexShare)));
        const DerivedValues::Texts texts = DerivedValues::describe(values, planet);
        QCOMPARE(texts.trueMass, QStringLiteral("at i = 90.0°: ") + massText);
    }

    void seedMassBeside()
    {
        // 51 Peg b with its catalog radius: the seed has always shown 0.4716685.
        LabPlanet planet;
        planet.orbit = orbit(4.230785, 55.94, 0.013, 58 * Pi / 180);
        planet.starMassSolar = 1.09;
        planet.seedAxisAu = 0.0527;
        QVERIFY(DerivedValues::of(planet).seedMassJupiter.has_value());
        QCOMPARE(float(*DerivedValues::of(planet).seedMassJupiter), 0.4716685f);
        planet.seedAxisAu = 0;
        QVERIFY(!DerivedValues::of(planet).seedMassJupiter);
    }
};

QTEST_APPLESS_MAIN(TestLabNumbers)
#include "tst_labnumbers.moc"
