#include "kepler/keplerorbit.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace Kepler {

namespace {

constexpr double pi = std::numbers::pi;

// 2π in three parts for Cody and Waite's reduction: the first two have 27
// significant bits, so k·part is exact for |k| < 2^26 turns, M − k·first is
// exact too (the two are within a factor 2), and the reduced M is good to
// about 5e-16 rad.
constexpr double twoPiFirst = 0x1.921fb54p+2;
constexpr double twoPiSecond = 0x1.10b461p-28;
constexpr double twoPiThird = 2.2884754904439327e-17;
constexpr double twoPi = 2 * std::numbers::pi; // the double nearest 2π
constexpr double exactTurnsBelow = 67108864.0; // 2^26

// The integer nearest x, inline: adding and subtracting 1.5·2^52 rounds any
// |x| < 2^51 (std::nearbyint is a library call on plain x86-64).
double nearestInteger(double x)
{
    constexpr double shift = 6755399441055744.0;
    return std::fabs(x) < 0x1p51 ? (x + shift) - shift : std::nearbyint(x);
}

// M reduced into [−π, π] (it may end up within 1e-15 beyond ±π).
[[gnu::always_inline]] inline double reducedMeanAnomaly(double meanAnomaly)
{
    if (std::fabs(meanAnomaly) <= pi)
        return meanAnomaly;
    const double turns = nearestInteger(meanAnomaly * (1 / twoPi));
    if (std::fabs(turns) < exactTurnsBelow)
        return ((meanAnomaly - turns * twoPiFirst) - turns * twoPiSecond) - turns * twoPiThird;
    // Beyond 2^26 turns (|M| > 4e8), reduce exactly by the double 2π: its
    // error costs |M|·4e-17, less than the spacing of doubles near M, so M
    // itself is the coarser of the two. Infinity and NaN come out as NaN.
    return std::remainder(meanAnomaly, twoPi);
}

// The solver's table: eccentric anomalies E_j = jπ/64 on [0, π] with their
// sine and cosine. For a given e, M_j = E_j − e sin E_j increases with j, so
// a search brackets M between two nodes, and the sine and cosine of any E
// are a short Taylor series away from the nearest node.
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

// How many of the seven nodes first, first + stride, …, first + 6·stride
// have M_j ≤ M. The seven comparisons are independent of one another, so a
// round costs one comparison time, not seven.
template<typename MeanAtNode>
[[gnu::always_inline]] inline int nodesAtOrBelow(int first, int stride, double meanAnomaly, MeanAtNode meanAtNode)
{
    int count = 0;
    for (int i = 0; i < 7; ++i)
        count += int(meanAtNode(first + i * stride) <= meanAnomaly);
    return count;
}

// The k with M_k ≤ M < M_k+1 (0 for M below M_1 or NaN), for M in [0, π]:
// a search in base 8 whose two rounds a solve waits for, where a binary
// search would wait for six. The second round looks at most 7 nodes past the
// first's, so k stays below 64 when the reduction left M a hair beyond π.
template<typename MeanAtNode>
[[gnu::always_inline]] inline int bracket(double meanAnomaly, MeanAtNode meanAtNode)
{
    static_assert(intervals == 64);
    const int coarse = 8 * nodesAtOrBelow(8, 8, meanAnomaly, meanAtNode);
    return coarse + nodesAtOrBelow(coarse + 1, 1, meanAnomaly, meanAtNode);
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

using Interval = detail::SolverInterval;

// The hot path's small functions are inlined by force: each call would
// otherwise pass its results through memory, and a solve is a chain of
// dependent steps that waits for every one of them.

// The starting guess inside [E_k, E_k+1] for one e: the cubic Hermite
// interpolant of the inverse function E(M) through both nodes, matching E
// and dE/dM = 1/(1 − e cos E) at each, written as E_k + c1 t + c2 t² + c3 t³
// with t = (M − M_k)/(M_k+1 − M_k). Off by at most 2e-5 rad (at e → 1 just
// past the corner, E ≈ π/8), 1e-6 at e ≤ 0.9, 4e-8 at e ≤ 0.5; one Halley
// step cubes that.
[[gnu::always_inline]] inline Interval hermiteInterval(int k, double e)
{
    const Node &a = nodes[k];
    const Node &b = nodes[k + 1];
    const double meanA = a.anomaly - e * a.sine;
    const double width = (b.anomaly - e * b.sine) - meanA;
    const double step = b.anomaly - a.anomaly;
    // dE/dt at both ends.
    const double slopeA = width / (1 - e * a.cosine);
    const double slopeB = width / (1 - e * b.cosine);
    return {meanA, 1 / width, slopeA, 3 * step - 2 * slopeA - slopeB, slopeA + slopeB - 2 * step};
}

// E − E_k at M for the interval's interpolant (Estrin's scheme: the chain of
// dependent operations is what a solve waits for).
[[gnu::always_inline]] inline double hermiteOffset(const Interval &interval, double meanAnomaly)
{
    const double t = (meanAnomaly - interval.startMean) * interval.inverseWidth;
    return t * interval.linear + (t * t) * (interval.quadratic + t * interval.cubic);
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
// there; elsewhere the Halley step alone leaves below 3e-15.
constexpr int cubicIntervals = 4;
constexpr int cornerIntervals = 8;
constexpr double cornerEccentricity = 0.5;

bool inCorner(int k, double e)
{
    return k < cornerIntervals && e >= cornerEccentricity;
}

struct Step
{
    double anomaly;    // after the step
    double change;     // the step
    double eSine;      // e sin E where the step started
    double eCosine;    // e cos E there
};

// One Halley step (third order) for f(E) = E − e sin E − M from `start`.
// With d = start − E_n for a node n within ~0.03 rad, sin and cos of the
// start come from those of E_n and the series of sin d and cos d − 1 (next
// terms below 1.1e-15 and 5e-18), and f is assembled from M_n − M + d so
// that nothing large cancels.
[[gnu::always_inline]] inline Step halleyStep(double start, const Node &node, double meanAnomaly, double e)
{
    const double d = start - node.anomaly;
    const double d2 = d * d;
    const double sinD = d + (d * d2) * (-1.0 / 6 + d2 * (1.0 / 120));
    const double cosDMinusOne = d2 * (-0.5 + d2 * (1.0 / 24 - d2 * (1.0 / 720)));
    const double eSinNode = e * node.sine;
    const double eCosNode = e * node.cosine;
    const double eSineChange = eSinNode * cosDMinusOne + eCosNode * sinD;
    const double eCosineChange = eCosNode * cosDMinusOne - eSinNode * sinD;
    const double f = ((node.anomaly - eSinNode - meanAnomaly) + d) - eSineChange;
    const double slope = (1 - eCosNode) - eCosineChange;
    const double eSine = eSinNode + eSineChange;
    const double change = -(f * slope) / (slope * slope - 0.5 * f * eSine);
    return {start + change, change, eSine, eCosNode + eCosineChange};
}

// The guard: the root of a mean anomaly in [0, π] lies in [0, π]. (When the
// reduction left M a hair beyond π, π is within that hair of the root.)
double clampedToHalfTurn(double anomaly)
{
    if (anomaly < 0)
        return 0;
    return anomaly > pi ? pi : anomaly;
}

// Solution for M in [0, π] in the corner, bracketed in interval k.
double solveNearPeriastron(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double start = k < cubicIntervals ? cubicStart(meanAnomaly, e)
                                            : nodes[k].anomaly + hermiteOffset(interval, meanAnomaly);
    const Step halley = halleyStep(start, nearestNode(start), meanAnomaly, e);
    // The Newton step's e sin E and e cos E are carried over from the start's
    // by the angle addition formulas: the Halley step is below 2e-4 rad here.
    const double h = halley.change;
    const double h2 = h * h;
    const double sinH = h * (1 - h2 / 6 * (1 - h2 / 20));
    const double cosHMinusOne = -0.5 * h2 * (1 - h2 / 12);
    const double eSine = halley.eSine + (halley.eSine * cosHMinusOne + halley.eCosine * sinH);
    const double eCosine = halley.eCosine + (halley.eCosine * cosHMinusOne - halley.eSine * sinH);
    const double newton = -(halley.anomaly - eSine - meanAnomaly) / (1 - eCosine);
    return clampedToHalfTurn(halley.anomaly + newton);
}

// Solution for M in [0, π] away from the corner, bracketed in interval k.
[[gnu::always_inline]] inline double solveInInterval(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double offset = hermiteOffset(interval, meanAnomaly);
    const Node &node = nodes[offset > 0.5 * nodeStep ? k + 1 : k];
    return clampedToHalfTurn(halleyStep(nodes[k].anomaly + offset, node, meanAnomaly, e).anomaly);
}

[[gnu::always_inline]] inline double solveInBracket(int k, double meanAnomaly, double e, const Interval &interval)
{
    return inCorner(k, e) ? solveNearPeriastron(k, meanAnomaly, e, interval)
                          : solveInInterval(k, meanAnomaly, e, interval);
}

// E in [0, π] for M in [0, π], with nothing prepared for this e.
double solveOnHalfTurn(double meanAnomaly, double e)
{
    const int k = bracket(meanAnomaly, [e](int j) { return nodes[j].anomaly - e * nodes[j].sine; });
    return solveInBracket(k, meanAnomaly, e, hermiteInterval(k, e));
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

struct SineCosine
{
    double sine;
    double cosine;
};

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
        phase -= nearestInteger(phase);
        return twoPi * phase;
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
    int k = 0;
    for (int bin = 0; bin < detail::meanBins; ++bin) {
        const double binStart = bin * (pi / detail::meanBins);
        while (k + 1 < intervals && m_nodeMeans[k + 1] <= binStart)
            ++k;
        m_binIntervals[bin] = static_cast<std::uint8_t>(k);
    }
}

double KeplerEquation::eccentricAnomaly(double meanAnomaly) const
{
    return solvedWithSign(meanAnomaly, [this](double m) {
        // The bin's first interval, then at most one node more: past the
        // corner, nodes lie at least 0.0042 apart in M (at e → 1, E ≥ π/8)
        // and bins 0.0031 wide. In the corner the search decides.
        const double position = m * (detail::meanBins / pi);
        const int bin = position < detail::meanBins ? static_cast<int>(position) : detail::meanBins - 1;
        int k = m_binIntervals[bin];
        if (k < m_cornerIntervals)
            k = bracket(m, [this](int j) { return m_nodeMeans[j]; });
        else if (k + 1 < intervals && m_nodeMeans[k + 1] <= m)
            ++k;
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
    return conjunctionTime - periodDays * conjunctionMeanAnomaly(e, omega) / twoPi;
}

double conjunctionFromPeriastron(double periastronTime, double periodDays, double e, double omega)
{
    return periastronTime + periodDays * conjunctionMeanAnomaly(e, omega) / twoPi;
}

} // namespace Kepler
