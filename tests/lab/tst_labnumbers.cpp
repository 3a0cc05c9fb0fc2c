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

} // namespace

Q_DECLARE_METATYPE(Kepler::Orbit)

class TestLabNumbers : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes_data();
    void csvBytes();
    void phase_data();
    void phase();
    void firstOrbit_data();
    void firstOrbit();
    void schematic_data();
    void schematic();
    void planetPlace_data();
    void planetPlace();
    void equalAreasInEqualTimes();
    void geometryAgreesWithTheVelocity();
    void sliderSteps_data();
    void sliderSteps();
    void masses_data();
    void masses();
    void faceOnHasNoMass();
    void seedMassBeside();
};

void TestLabNumbers::csvBytes_data()
{
    QTest::addColumn<Kepler::Orbit>("elements");
    QTest::addColumn<QByteArray>("rows");

    // P = 4 d sampled at whole days: a circular orbit is K cos(2π(t − T_p)/P + ω).
    QTest::newRow("cosine") << orbit(4, 10, 0, 0)
                            << QByteArray("0.000000,0.000000,10.000000\n"
                                          "1.000000,0.250000,0.000000\n"
                                          "2.000000,0.500000,-10.000000\n"
                                          "3.000000,0.750000,0.000000\n"
                                          "4.000000,0.000000,10.000000\n");
    QTest::newRow("periastron at 1 d") << orbit(4, 10, 0, 0, 1)
                                       << QByteArray("0.000000,0.750000,0.000000\n"
                                                     "1.000000,0.000000,10.000000\n"
                                                     "2.000000,0.250000,0.000000\n"
                                                     "3.000000,0.500000,-10.000000\n"
                                                     "4.000000,0.750000,0.000000\n");
    QTest::newRow("omega 90 degrees is minus sine") << orbit(4, 2.5, 0, Pi / 2)
                                                    << QByteArray("0.000000,0.000000,0.000000\n"
                                                                  "1.000000,0.250000,-2.500000\n"
                                                                  "2.000000,0.500000,0.000000\n"
                                                                  "3.000000,0.750000,2.500000\n"
                                                                  "4.000000,0.000000,0.000000\n");
}

void TestLabNumbers::csvBytes()
{
    QFETCH(Kepler::Orbit, elements);
    QFETCH(QByteArray, rows);
    std::vector<LabCurve::Point> points(5);
    LabCurve::sample(elements, 0, points);
    QCOMPARE(LabCurve::csv(points),
             QByteArray("time (days),phase (periastron = 0),velocity (m/s)\n") + rows);
}

void TestLabNumbers::phase_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<double>("expected");
    // P = 4 d, T_p = 1 d.
    QTest::newRow("before periastron") << 0.0 << 0.75;
    QTest::newRow("next periastron") << 5.0 << 0.0;
    QTest::newRow("an orbit earlier") << -3.0 << 0.0;
    QTest::newRow("mid orbit") << 2.5 << 0.375;
    QTest::newRow("far future") << 4001.0 << 0.0;
}

void TestLabNumbers::phase()
{
    QFETCH(double, time);
    QFETCH(double, expected);
    const double phase = LabCurve::phaseAt(orbit(4, 1, 0, 0, 1), time);
    QVERIFY(phase >= 0 && phase < 1);
    QCOMPARE(phase, expected);
}

void TestLabNumbers::firstOrbit_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<double>("expected");
    // P = 4 d; the periastron time plays no part.
    QTest::newRow("inside") << 2.5 << 2.5;
    QTest::newRow("two orbits on") << 9.0 << 1.0;
    QTest::newRow("before zero") << -1.0 << 3.0;
    QTest::newRow("a whole orbit") << 4.0 << 0.0;
}

void TestLabNumbers::firstOrbit()
{
    QFETCH(double, time);
    QFETCH(double, expected);
    QCOMPARE(LabCurve::firstOrbitTime(orbit(4, 1, 0, 0, 1.7), time), expected);
}

void TestLabNumbers::schematic_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<double>("omega");
    QTest::addColumn<double>("phase");
    QTest::addColumn<double>("expected");
    // K = 10: K [cos(2π·phase + ω) + e cos ω] worked by hand.
    QTest::newRow("periastron, omega 0") << 0.5 << 0.0 << 0.0 << 15.0;
    QTest::newRow("half way, omega 0") << 0.5 << 0.0 << 0.5 << -5.0;
    QTest::newRow("omega 90, quarter") << 0.5 << Pi / 2 << 0.25 << -10.0;
    QTest::newRow("omega 180, periastron") << 0.2 << Pi << 0.0 << -12.0;
}

void TestLabNumbers::schematic()
{
    QFETCH(double, eccentricity);
    QFETCH(double, omega);
    QFETCH(double, phase);
    QFETCH(double, expected);
    const double v = LabCurve::schematicVelocity(orbit(10, 10, eccentricity, omega), phase);
    QVERIFY2(std::fabs(v - expected) < 1e-12, qPrintable(QString::number(v, 'g', 17)));
}

void TestLabNumbers::planetPlace_data()
{
    QTest::addColumn<double>("eccentricity");
    QTest::addColumn<double>("omega");
    QTest::addColumn<double>("trueAnomaly");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    // The planet's periastron lies opposite the star's, at ω + π from the node.
    QTest::newRow("circle, periastron") << 0.0 << 0.0 << 0.0 << -1.0 << 0.0;
    QTest::newRow("e 0.5, periastron at a(1 - e)") << 0.5 << 0.0 << 0.0 << -0.5 << 0.0;
    QTest::newRow("e 0.5, apastron at a(1 + e)") << 0.5 << 0.0 << Pi << 1.5 << 0.0;
    QTest::newRow("omega 90: periastron on our side") << 0.0 << Pi / 2 << 0.0 << 0.0 << -1.0;
    QTest::newRow("e 0.6, quarter: r = a(1 - e^2)") << 0.6 << 0.0 << Pi / 2 << 0.0 << -0.64;
}

void TestLabNumbers::planetPlace()
{
    QFETCH(double, eccentricity);
    QFETCH(double, omega);
    QFETCH(double, trueAnomaly);
    QFETCH(double, x);
    QFETCH(double, y);
    const auto point = OrbitGeometry::planetAtTrueAnomaly(orbit(1, 1, eccentricity, omega), 1, trueAnomaly);
    QVERIFY2(std::fabs(point.x - x) < 1e-12 && std::fabs(point.y - y) < 1e-12,
             qPrintable(QStringLiteral("(%1, %2)").arg(point.x).arg(point.y)));
}

void TestLabNumbers::equalAreasInEqualTimes()
{
    // Kepler's second law: each of n equal time steps sweeps πab/n.
    const double e = 0.7;
    const Kepler::Orbit elements = orbit(10, 1, e, 1.1, 0.3);
    const int steps = 200;
    const double share = Pi * std::sqrt(1 - e * e) / steps;
    for (int k = 0; k < steps; ++k) {
        // The small triangle from the star to two points close in time.
        double area = 0;
        const int slices = 50;
        for (int s = 0; s < slices; ++s) {
            const double t0 = 0.3 + 10.0 * (k + double(s) / slices) / steps;
            const double t1 = 0.3 + 10.0 * (k + double(s + 1) / slices) / steps;
            const auto a = OrbitGeometry::planetAt(elements, 1, t0);
            const auto b = OrbitGeometry::planetAt(elements, 1, t1);
            area += 0.5 * std::fabs(a.x * b.y - a.y * b.x);
        }
        QVERIFY2(std::fabs(area - share) < 2e-3 * share,
                 qPrintable(QStringLiteral("step %1: %2 instead of %3").arg(k).arg(area).arg(share)));
    }
}

void TestLabNumbers::geometryAgreesWithTheVelocity()
{
    // The star sits opposite the planet, so its distance behind the sky
    // plane grows while the planet's shrinks: the star recedes (v > 0)
    // exactly when the planet's y falls.
    const Kepler::Orbit elements = orbit(10, 30, 0.4, 2.0, 1.5);
    int checked = 0;
    for (int k = 0; k < 400; ++k) {
        const double t = 10.0 * k / 400;
        const double v = Kepler::radialVelocity(elements, t);
        if (std::fabs(v) < 1)
            continue;
        const double dy = OrbitGeometry::planetAt(elements, 1, t + 1e-4).y
                          - OrbitGeometry::planetAt(elements, 1, t - 1e-4).y;
        QVERIFY2((v > 0) == (dy < 0), qPrintable(QStringLiteral("t = %1").arg(t)));
        ++checked;
    }
    QVERIFY(checked > 300);
}

void TestLabNumbers::sliderSteps_data()
{
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("onAStep"); ///< the value sits exactly on its step
    // Log scale over 0.1 to 1e5 (six decades): step = 1000 · log10(v/0.1) / 6.
    QTest::newRow("log, 1") << true << 1.0 << 167 << false;
    QTest::newRow("log, 100") << true << 100.0 << 500 << true;
    QTest::newRow("log, top") << true << 1e5 << 1000 << true;
    QTest::newRow("log, below the span") << true << 0.01 << 0 << false;
    QTest::newRow("log, zero") << true << 0.0 << 0 << false;
    // Linear over 0 to 90.
    QTest::newRow("linear, 45") << false << 45.0 << 500 << true;
    QTest::newRow("linear, 9") << false << 9.0 << 100 << true;
    QTest::newRow("linear, above the span") << false << 120.0 << 1000 << false;
}

void TestLabNumbers::sliderSteps()
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

void TestLabNumbers::masses_data()
{
    QTest::addColumn<Kepler::Orbit>("elements");
    QTest::addColumn<double>("starMass");
    QTest::addColumn<double>("inclination");
    QTest::addColumn<double>("jupiters");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("axisAu");
    // The Sun's reflex to Jupiter: one Jupiter mass. a³ = GM (1 + m/M☉) P² / 4π²
    // worked separately with the IAU nominal GM☉ and GM♃.
    const Kepler::Orbit jupiter = orbit(4332.59, 12.47, 0.0489, 0);
    QTest::newRow("Jupiter edge-on") << jupiter << 1.0 << 90.0 << 1.0 << 0.01 << 5.2028;
    // m = (m sin i)/sin i while m ≪ M★: twice the mass at 30°.
    QTest::newRow("Jupiter at 30 degrees") << jupiter << 1.0 << 30.0 << 2.0 << 0.02 << 5.2045;
    QTest::newRow("Jupiter at 5.739 degrees (sin i = 0.1)")
        << jupiter << 1.0 << 5.739 << 10.0 << 0.1 << 5.2176;
}

void TestLabNumbers::masses()
{
    QFETCH(Kepler::Orbit, elements);
    QFETCH(double, starMass);
    QFETCH(double, inclination);
    QFETCH(double, jupiters);
    QFETCH(double, tolerance);
    QFETCH(double, axisAu);
    LabPlanet planet;
    planet.orbit = elements;
    planet.starMassSolar = starMass;
    planet.inclinationDegrees = inclination;
    const DerivedValues::Values values = DerivedValues::of(planet);
    QVERIFY(values.trueMassSolar.has_value());
    const double mass = DerivedValues::jupiterMasses(*values.trueMassSolar);
    QVERIFY2(std::fabs(mass - jupiters) <= tolerance, qPrintable(QString::number(mass)));
    QVERIFY2(std::fabs(DerivedValues::jupiterMasses(values.minimumMassSolar) - 1.0) <= 0.01,
             qPrintable(QString::number(values.minimumMassSolar)));
    QVERIFY2(std::fabs(values.semiMajorAxisAu - axisAu) < 0.002,
             qPrintable(QString::number(values.semiMajorAxisAu)));
    // A Jupiter mass is 317.8 Earth masses.
    QVERIFY(std::fabs(DerivedValues::earthMasses(values.minimumMassSolar)
                      / DerivedValues::jupiterMasses(values.minimumMassSolar) - 317.8) < 0.2);
}

void TestLabNumbers::faceOnHasNoMass()
{
    LabPlanet planet;
    planet.orbit = orbit(4332.59, 12.47, 0.0489, 0);
    planet.inclinationDegrees = 0;
    const DerivedValues::Values values = DerivedValues::of(planet);
    QVERIFY(!values.trueMassSolar);
    QVERIFY(!values.starSpeed);
    QVERIFY(std::isfinite(values.semiMajorAxisAu));
    const DerivedValues::Texts texts = DerivedValues::describe(values, planet);
    QVERIFY(texts.trueMass.contains(QStringLiteral("undetermined (face-on)")));
    for (const QString &text : {texts.minimumMass, texts.trueMass, texts.semiMajorAxis,
                                texts.starSpeed, texts.seedMass}) {
        QVERIFY2(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                     && !text.contains(QStringLiteral("inf"), Qt::CaseInsensitive),
                 qPrintable(text));
    }
}

void TestLabNumbers::seedMassBeside()
{
    // 51 Peg b with its catalog radius: the seed has always shown 0.4716685.
    LabPlanet planet;
    planet.orbit = orbit(4.230785, 55.94, 0.013, 58 * Pi / 180);
    planet.starMassSolar = 1.09;
    planet.seedAxisAu = 0.0527;
    const DerivedValues::Values values = DerivedValues::of(planet);
    QVERIFY(values.seedMassJupiter.has_value());
    QCOMPARE(float(*values.seedMassJupiter), 0.4716685f);
    planet.seedAxisAu = 0;
    QVERIFY(!DerivedValues::of(planet).seedMassJupiter);
}

QTEST_APPLESS_MAIN(TestLabNumbers)
#include "tst_labnumbers.moc"
