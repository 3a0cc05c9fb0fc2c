#include "kepler/keplerorbit.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace Kepler {

namespace {

constexpr double pi = std::numbers::pi;

// 2π in two parts: twoPiHigh is the double nearest 2π, twoPiLow what it
// misses. M − k·twoPiHigh is exact in one fma when k has at most 30 bits, so
// subtracting k·twoPiLow afterwards reduces M by the true 2π to about 4e-16.
constexpr double twoPiHigh = 2 * std::numbers::pi;
constexpr double twoPiLow = 2.4492935982947064e-16;
constexpr double exactTurnsUpTo = 1073741824.0; // 2^30 turns

// M reduced into [−π, π] (it may end up within 1e-15 beyond ±π).
double reducedMeanAnomaly(double meanAnomaly)
{
    if (std::fabs(meanAnomaly) <= pi)
        return meanAnomaly;
    const double turns = std::nearbyint(meanAnomaly / twoPiHigh);
    if (std::fabs(turns) <= exactTurnsUpTo)
        return std::fma(-turns, twoPiHigh, meanAnomaly) - turns * twoPiLow;
    // Beyond 2^30 turns a double M no longer carries a phase worth keeping
    // (its spacing exceeds 1e-6 rad): reduce it exactly by the double 2π.
    // Infinity and NaN come out as NaN.
    return std::remainder(meanAnomaly, twoPiHigh);
}

// The solver's table: eccentric anomalies E_j = jπ/32 on [0, π] with their
// sine and cosine. For a given e, M_j = E_j − e sin E_j increases with j,
// so a mean anomaly is bracketed by a binary search, and the sine and cosine
// of any E are a short Taylor series away from the nearest node.
constexpr int intervals = detail::solverIntervals;
constexpr double nodeStep = pi / intervals;

struct Node
{
    double anomaly;
    double sine;
    double cosine;
};

const std::array<Node, intervals + 1> nodes = [] {
    std::array<Node, intervals + 1> table{};
    for (int j = 0; j <= intervals; ++j) {
        const double anomaly = j == intervals ? pi : j * nodeStep;
        table[j] = {anomaly, std::sin(anomaly), std::cos(anomaly)};
    }
    return table;
}();

struct SineCosine
{
    double sine;
    double cosine;
};

// sin and cos of node.anomaly + d for |d| ≤ 0.05 (half a node step, a little
// more after a correction): the series stop at d⁷ and d⁸, whose next terms
// are below 5e-18.
SineCosine nearNode(const Node &node, double d)
{
    const double d2 = d * d;
    const double sinD = d * (1 + d2 * (-1.0 / 6 + d2 * (1.0 / 120 + d2 * (-1.0 / 5040))));
    const double cosDMinusOne = d2 * (-0.5 + d2 * (1.0 / 24 + d2 * (-1.0 / 720 + d2 * (1.0 / 40320))));
    return {node.sine + (node.sine * cosDMinusOne + node.cosine * sinD),
            node.cosine + (node.cosine * cosDMinusOne - node.sine * sinD)};
}

const Node &nearestNode(double eccentricAnomaly)
{
    const double position = eccentricAnomaly * (intervals / pi) + 0.5;
    // Written so that NaN lands on node 0 instead of an undefined conversion.
    if (!(position >= 1))
        return nodes[0];
    if (position >= intervals)
        return nodes[intervals];
    return nodes[static_cast<int>(position)];
}

// The starting guess inside [E_k, E_k+1] for one e: the quintic Hermite
// interpolant of the inverse function E(M) through both nodes, matching E,
// dE/dM = 1/(1 − e cos E) and d²E/dM² = −e sin E/(1 − e cos E)³ at each,
// written as E_k + t (c1 + t (c2 + … + t c5)) with t = (M − M_k)/(M_k+1 − M_k).
// Off by at most 3e-4 rad right next to the singular corner (e → 1, E ≈ π/16),
// by far less elsewhere.
using Interval = detail::SolverInterval;

Interval hermiteInterval(int k, double e)
{
    const Node &a = nodes[k];
    const Node &b = nodes[k + 1];
    const double meanA = a.anomaly - e * a.sine;
    const double width = (b.anomaly - e * b.sine) - meanA;
    const double slopeA = 1 / (1 - e * a.cosine);
    const double slopeB = 1 / (1 - e * b.cosine);
    // Derivatives with respect to t.
    const double firstA = width * slopeA;
    const double firstB = width * slopeB;
    const double secondA = -width * width * e * a.sine * slopeA * slopeA * slopeA;
    const double secondB = -width * width * e * b.sine * slopeB * slopeB * slopeB;
    const double rest = (b.anomaly - a.anomaly) - firstA - 0.5 * secondA;
    const double restFirst = firstB - firstA - secondA;
    const double restSecond = secondB - secondA;
    return {meanA, 1 / width,
            {firstA, 0.5 * secondA, 10 * rest - 4 * restFirst + 0.5 * restSecond,
             -15 * rest + 7 * restFirst - restSecond, 6 * rest - 3 * restFirst + 0.5 * restSecond}};
}

// E − E_k at M for the interval's interpolant.
double hermiteOffset(const Interval &interval, double meanAnomaly)
{
    const double t = (meanAnomaly - interval.startMean) * interval.inverseWidth;
    const std::array<double, 5> &c = interval.coefficients;
    return t * (c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4]))));
}

// Starting guess for E < π/16 at e ≥ 0.5, where E(M) bends like a cube root
// and no polynomial in M fits: the exact root of sin E ≈ E − E³/6, that is of
// (e/6) E³ + (1 − e) E = M, by Cardano's formula written without the
// cancellation of its two cube roots. Relative error below E²/20 ≤ 2e-3.
double cubicStart(double meanAnomaly, double e)
{
    const double p = 6 * (1 - e) / e; // E³ + p E = q
    const double q = 6 * meanAnomaly / e;
    const double halfQ = 0.5 * q;
    const double thirdP = p / 3;
    const double root = std::cbrt(halfQ + std::sqrt(halfQ * halfQ + thirdP * thirdP * thirdP));
    const double other = thirdP / root;
    return q / (root * root + thirdP + other * other);
}

// Near periastron at high e (E < π/8, e ≥ 0.5) the starts are rougher and the
// iteration's constant larger, so a Newton step follows the Halley step
// there; elsewhere the Halley step alone leaves rounding error.
constexpr int cubicIntervals = 2;
constexpr int cornerIntervals = 4;
constexpr double cornerEccentricity = 0.5;

struct Step
{
    double anomaly;
    double change;
    SineCosine start; // sin and cos where the step started
};

// One Halley step (third order) from `start`, with sin and cos of the start
// from the Taylor series about `node` (|start − node| ≤ ~0.05).
Step halleyStep(double start, const Node &node, double meanAnomaly, double e)
{
    const SineCosine at = nearNode(node, start - node.anomaly);
    const double residual = start - e * at.sine - meanAnomaly;
    const double slope = 1 - e * at.cosine;
    const double change = -residual * slope / (slope * slope - 0.5 * residual * e * at.sine);
    return {start + change, change, at};
}

// The guard: the root of a mean anomaly in [0, π] lies in [0, π]. (When the
// reduction left M a hair beyond π, π is within that hair of the root.)
double clampedToHalfTurn(double anomaly)
{
    if (anomaly < 0)
        return 0;
    return anomaly > pi ? pi : anomaly;
}

// Solution for M in [0, π] in the corner region, from the bracket k < cornerIntervals.
double solveNearPeriastron(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double start = k < cubicIntervals ? cubicStart(meanAnomaly, e)
                                            : nodes[k].anomaly + hermiteOffset(interval, meanAnomaly);
    const Step halley = halleyStep(start, nearestNode(start), meanAnomaly, e);
    // The Newton step's sine and cosine are carried over from the start's by
    // the angle addition formulas: the Halley step is below 1e-3 rad.
    const double h = halley.change;
    const double h2 = h * h;
    const double sinH = h * (1 - h2 / 6 * (1 - h2 / 20));
    const double cosHMinusOne = -0.5 * h2 * (1 - h2 / 12);
    const SineCosine &at = halley.start;
    const double sine = at.sine + (at.sine * cosHMinusOne + at.cosine * sinH);
    const double cosine = at.cosine + (at.cosine * cosHMinusOne - at.sine * sinH);
    const double newton = -(halley.anomaly - e * sine - meanAnomaly) / (1 - e * cosine);
    return clampedToHalfTurn(halley.anomaly + newton);
}

// Solution for M in [0, π] in interval k away from the corner.
double solveInInterval(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double offset = hermiteOffset(interval, meanAnomaly);
    const Node &node = nodes[offset > 0.5 * nodeStep ? k + 1 : k];
    return clampedToHalfTurn(halleyStep(nodes[k].anomaly + offset, node, meanAnomaly, e).anomaly);
}

bool inCorner(int k, double e)
{
    return k < cornerIntervals && e >= cornerEccentricity;
}

// E in [0, π] for M in [0, π], with nothing prepared for this e.
double solveOnHalfTurn(double meanAnomaly, double e)
{
    int k = 0;
    for (int step = intervals / 2; step > 0; step /= 2) {
        const Node &node = nodes[k + step];
        if (node.anomaly - e * node.sine <= meanAnomaly)
            k += step;
    }
    // The cubic start needs no interval.
    const Interval interval = (inCorner(k, e) && k < cubicIntervals) ? Interval{} : hermiteInterval(k, e);
    return inCorner(k, e) ? solveNearPeriastron(k, meanAnomaly, e, interval)
                          : solveInInterval(k, meanAnomaly, e, interval);
}

bool validEccentricity(double e)
{
    return e >= 0 && e < 1;
}

// Solves for any M through the solution on [0, π]: E − e sin E is odd in E.
template<typename SolveOnHalfTurn>
double solvedWithSign(double meanAnomaly, SolveOnHalfTurn solveOnHalfTurn)
{
    const double reduced = reducedMeanAnomaly(meanAnomaly);
    return std::copysign(solveOnHalfTurn(std::fabs(reduced)), reduced);
}

// √(1 + e) and √(1 − e), the scales of the half-angle form below.
struct HalfAngleScales
{
    explicit HalfAngleScales(double e) : plus(std::sqrt(1 + e)), minus(std::sqrt(1 - e)) {}
    double plus;
    double minus;
};

// sin ν and cos ν for the eccentric anomaly E, from the half-angle form
// tan(ν/2) = √((1 + e)/(1 − e)) tan(E/2): with s = √(1 + e) sin(E/2) and
// c = √(1 − e) cos(E/2), sin ν = 2sc/(c² + s²) and cos ν = (c² − s²)/(c² + s²).
// Both squares stay accurate at e → 1 and E → 0, where cos E − e would cancel,
// and nothing is singular at E = π.
SineCosine trueAnomalyDirection(double eccentricAnomaly, const HalfAngleScales &scales)
{
    const double s = scales.plus * std::sin(0.5 * eccentricAnomaly);
    const double c = scales.minus * std::cos(0.5 * eccentricAnomaly);
    const double norm = c * c + s * s; // = 1 − e cos E > 0
    return {2 * s * c / norm, (c - s) * (c + s) / norm};
}

// M at the planet's inferior conjunction, in [−π, π]: ν_c = π/2 − ω, then
// E_c by the half-angle form read backwards, tan(E/2) = √((1 − e)/(1 + e)) tan(ν/2).
double conjunctionMeanAnomaly(double e, double omegaRadians)
{
    const double nu = 0.5 * pi - omegaRadians;
    const HalfAngleScales scales(e);
    const double anomaly = 2 * std::atan2(scales.minus * std::sin(0.5 * nu), scales.plus * std::cos(0.5 * nu));
    return reducedMeanAnomaly(anomaly - e * std::sin(anomaly));
}

// What one planet's velocity needs at every time, worked out once per orbit.
class VelocityTerms
{
public:
    explicit VelocityTerms(const Orbit &orbit)
        : m_period(orbit.periodDays)
        , m_periastron(orbit.periastronTime)
        , m_eccentricity(orbit.eccentricity)
        , m_amplitude(orbit.semiAmplitude)
        , m_cosOmega(std::cos(orbit.omegaRadians))
        , m_sinOmega(std::sin(orbit.omegaRadians))
        , m_scales(orbit.eccentricity)
    {
    }

    // M = 2π (t − T_p)/P, radians in [−π, π]. The phase is reduced to
    // [−½, ½] before it becomes an angle: subtracting whole turns is exact,
    // so long time spans keep their digits.
    double meanAnomaly(double timeDays) const
    {
        double phase = (timeDays - m_periastron) / m_period;
        phase -= std::nearbyint(phase);
        return twoPiHigh * phase;
    }

    // v = K [cos(ν + ω) + e cos ω], m/s, for the eccentric anomaly E.
    double velocity(double eccentricAnomaly) const
    {
        const SineCosine nu = trueAnomalyDirection(eccentricAnomaly, m_scales);
        return m_amplitude
               * (nu.cosine * m_cosOmega - nu.sine * m_sinOmega + m_eccentricity * m_cosOmega);
    }

private:
    double m_period;
    double m_periastron;
    double m_eccentricity;
    double m_amplitude;
    double m_cosOmega;
    double m_sinOmega;
    HalfAngleScales m_scales;
};

} // namespace

std::optional<std::string> refusal(const Orbit &orbit)
{
    if (!std::isfinite(orbit.periodDays) || orbit.periodDays <= 0)
        return std::string("The period must be a finite number of days greater than zero.");
    if (!std::isfinite(orbit.semiAmplitude) || orbit.semiAmplitude < 0)
        return std::string("The velocity semi-amplitude K must be a finite number of m/s, zero or more.");
    if (!std::isfinite(orbit.eccentricity) || orbit.eccentricity < 0)
        return std::string("The eccentricity must be a number from 0 up to (but not including) 1.");
    if (orbit.eccentricity >= 1)
        return std::string("An eccentricity of 1 or more is no closed orbit: the planet would escape.");
    if (!std::isfinite(orbit.omegaRadians))
        return std::string("The argument of periastron ω must be a finite angle.");
    if (!std::isfinite(orbit.periastronTime))
        return std::string("The time of periastron must be a finite number of days.");
    return std::nullopt;
}

double eccentricAnomaly(double meanAnomaly, double eccentricity)
{
    if (!validEccentricity(eccentricity))
        return std::numeric_limits<double>::quiet_NaN();
    return solvedWithSign(meanAnomaly, [eccentricity](double m) { return solveOnHalfTurn(m, eccentricity); });
}

KeplerEquation::KeplerEquation(double eccentricity)
    : m_eccentricity(validEccentricity(eccentricity) ? eccentricity : std::numeric_limits<double>::quiet_NaN())
    , m_cornerIntervals(m_eccentricity >= cornerEccentricity ? cornerIntervals : 0)
{
    for (int j = 0; j <= intervals; ++j)
        m_nodeMeans[j] = nodes[j].anomaly - m_eccentricity * nodes[j].sine;
    for (int k = 0; k < intervals; ++k)
        m_intervals[k] = hermiteInterval(k, m_eccentricity);
}

double KeplerEquation::eccentricAnomaly(double meanAnomaly) const
{
    return solvedWithSign(meanAnomaly, [this](double m) {
        int k = 0;
        for (int step = intervals / 2; step > 0; step /= 2)
            if (m_nodeMeans[k + step] <= m)
                k += step;
        return k < m_cornerIntervals ? solveNearPeriastron(k, m, m_eccentricity, m_intervals[k])
                                     : solveInInterval(k, m, m_eccentricity, m_intervals[k]);
    });
}

double trueAnomaly(double eccentricAnomaly, double eccentricity)
{
    const SineCosine direction = trueAnomalyDirection(eccentricAnomaly, HalfAngleScales(eccentricity));
    return std::atan2(direction.sine, direction.cosine);
}

double radialVelocity(const Orbit &orbit, double timeDays)
{
    const VelocityTerms terms(orbit);
    return terms.velocity(eccentricAnomaly(terms.meanAnomaly(timeDays), orbit.eccentricity));
}

double radialVelocity(std::span<const Orbit> orbits, double timeDays)
{
    double sum = 0;
    for (const Orbit &orbit : orbits)
        sum += radialVelocity(orbit, timeDays);
    return sum;
}

std::vector<double> radialVelocities(std::span<const Orbit> orbits, std::span<const double> timesDays)
{
    std::vector<double> velocities(timesDays.size(), 0.0);
    for (const Orbit &orbit : orbits) {
        const VelocityTerms terms(orbit);
        const KeplerEquation equation(orbit.eccentricity);
        for (std::size_t i = 0; i < timesDays.size(); ++i)
            velocities[i] += terms.velocity(equation.eccentricAnomaly(terms.meanAnomaly(timesDays[i])));
    }
    return velocities;
}

double periastronFromConjunction(double conjunctionTime, double periodDays, double e, double omega)
{
    return conjunctionTime - periodDays * conjunctionMeanAnomaly(e, omega) / twoPiHigh;
}

double conjunctionFromPeriastron(double periastronTime, double periodDays, double e, double omega)
{
    return periastronTime + periodDays * conjunctionMeanAnomaly(e, omega) / twoPiHigh;
}

} // namespace Kepler
