#include "kepler/keplerequation.h"

#include "kepler/anglereduction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace Kepler {

// The table prepared for one e: M at every node, the starting guess on every
// interval, and which interval each of the equal bins of M begins in.
struct KeplerEquation::Table
{
    static constexpr int intervalCount = 64;
    static constexpr int meanBins = 1024; // equal bins of M over [0, π] that find an interval at once

    // The starting guess on one interval: E − E_start ≈ linear t +
    // quadratic t² + cubic t³, t the fraction of the interval's width in M.
    struct Interval
    {
        double startMean = 0;    // M at the interval's start, radians
        double inverseWidth = 0; // 1/(the interval's width in M), 1/radians
        double linear = 0;       // radians
        double quadratic = 0;    // radians
        double cubic = 0;        // radians
    };

    std::array<double, intervalCount + 1> nodeMeans{};
    std::array<Interval, intervalCount> intervals{};
    std::array<std::uint8_t, meanBins> binIntervals{}; // the interval holding each bin's start
};

namespace {

using namespace Angles;

// The solver's table: eccentric anomalies E_j = jπ/64 on [0, π] with their
// sine and cosine. For a given e, M_j = E_j − e sin E_j increases with j, so
// a search brackets M between two nodes, and the sine and cosine of any E
// are a short Taylor series away from the nearest node.
constexpr int intervals = KeplerEquation::Table::intervalCount;
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
template <typename MeanAtNode>
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
template <typename MeanAtNode> [[gnu::always_inline]] inline int bracket(double meanAnomaly, MeanAtNode meanAtNode)
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

using Interval = KeplerEquation::Table::Interval;

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
    double anomaly; // after the step
    double change;  // the step
    double eSine;   // e sin E where the step started
    double eCosine; // e cos E there
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
[[gnu::always_inline]] inline double clampedToHalfTurn(double anomaly)
{
    // min and max, not branches: NaN passes through, and nothing waits on a guess.
    return std::min(std::max(anomaly, 0.0), pi);
}

// Solution for M in [0, π] in the corner, bracketed in interval k.
double solveNearPeriastron(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double start =
        k < cubicIntervals ? cubicStart(meanAnomaly, e) : nodes[k].anomaly + hermiteOffset(interval, meanAnomaly);
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

// Solution for M in [0, π] away from the corner, bracketed in interval k,
// with the node its Halley step started from (within π/128 + 2e-5 of it).
struct NearNode
{
    double anomaly;
    const Node *node;
};

[[gnu::always_inline]] inline NearNode solveInInterval(int k, double meanAnomaly, double e, const Interval &interval)
{
    const double offset = hermiteOffset(interval, meanAnomaly);
    const Node &node = nodes[k + int(offset > 0.5 * nodeStep)];
    return {clampedToHalfTurn(halleyStep(nodes[k].anomaly + offset, node, meanAnomaly, e).anomaly), &node};
}

[[gnu::always_inline]] inline double solveInBracket(int k, double meanAnomaly, double e, const Interval &interval)
{
    return inCorner(k, e) ? solveNearPeriastron(k, meanAnomaly, e, interval)
                          : solveInInterval(k, meanAnomaly, e, interval).anomaly;
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
template <typename SolveOnHalfTurn>
[[gnu::always_inline]] inline double solvedWithSign(double meanAnomaly, SolveOnHalfTurn solveOnHalfTurn)
{
    const double reduced = reducedMeanAnomaly(meanAnomaly);
    return std::copysign(solveOnHalfTurn(std::fabs(reduced)), reduced);
}

} // namespace

double eccentricAnomaly(double meanAnomaly, double eccentricity)
{
    if (!validEccentricity(eccentricity))
        return std::numeric_limits<double>::quiet_NaN();
    return solvedWithSign(meanAnomaly, [eccentricity](double m) { return solveOnHalfTurn(m, eccentricity); });
}

namespace {

// The first bin whose start b·π/bins is not below M (0 for M ≤ 0 or NaN,
// all the bins for M beyond π): the estimate from M, then moved until the
// comparison itself agrees, so that rounding never gives a bin an interval
// past its start.
int firstBinFrom(double meanAnomaly)
{
    using Table = KeplerEquation::Table;
    constexpr double binWidth = pi / Table::meanBins;
    if (!(meanAnomaly > 0))
        return 0;
    int bin = meanAnomaly < pi ? static_cast<int>(std::ceil(meanAnomaly / binWidth)) : Table::meanBins;
    while (bin > 0 && (bin - 1) * binWidth >= meanAnomaly)
        --bin;
    while (bin < Table::meanBins && bin * binWidth < meanAnomaly)
        ++bin;
    return bin;
}

} // namespace

KeplerEquation::KeplerEquation(double eccentricity) : m_table(std::make_unique<Table>())
{
    prepare(eccentricity);
}

void KeplerEquation::prepare(double eccentricity)
{
    m_eccentricity = validEccentricity(eccentricity) ? eccentricity : std::numeric_limits<double>::quiet_NaN();
    m_cornerIntervals = m_eccentricity >= cornerEccentricity ? cornerIntervals : 0;
    Table &table = *m_table;
    for (int j = 0; j <= intervals; ++j)
        table.nodeMeans[j] = nodes[j].anomaly - m_eccentricity * nodes[j].sine;
    for (int k = 0; k < intervals; ++k)
        table.intervals[k] = hermiteInterval(k, m_eccentricity);
    // Interval k claims the bins that start below M_k+1 and were not
    // claimed before it, each interval's bins one fill: a sampler prepares
    // every planet on every call, so no bin is searched for.
    int bin = 0;
    for (int k = 0; k < intervals; ++k) {
        const int end = k + 1 < intervals ? firstBinFrom(table.nodeMeans[k + 1]) : Table::meanBins;
        for (; bin < end; ++bin)
            table.binIntervals[bin] = static_cast<std::uint8_t>(k);
    }
}

KeplerEquation::~KeplerEquation() = default;
KeplerEquation::KeplerEquation(KeplerEquation &&) noexcept = default;
KeplerEquation &KeplerEquation::operator=(KeplerEquation &&) noexcept = default;

namespace {

using Table = KeplerEquation::Table;

// The interval bracketing M in [0, π]: the bin's first interval, then at
// most one node more (past the corner, nodes lie at least 0.0042 apart in M,
// at e → 1 where E ≥ π/8, and bins 0.0031 wide); in the corner the search
// decides. Only the corner's test is a branch, and it depends on e alone
// below e = 0.5.
[[gnu::always_inline]] inline int intervalOf(const Table &table, int cornerIntervals, double meanAnomaly)
{
    const double position = meanAnomaly * (Table::meanBins / pi);
    const int bin = position < Table::meanBins ? static_cast<int>(position) : Table::meanBins - 1;
    const int first = table.binIntervals[bin];
    const int k = std::min(first + int(table.nodeMeans[first + 1] <= meanAnomaly), intervals - 1);
    return k < cornerIntervals ? bracket(meanAnomaly, [&table](int j) { return table.nodeMeans[j]; }) : k;
}

// E for M in [0, π] bracketed in interval k, with a node near it.
[[gnu::always_inline]] inline NearNode solvedInTable(const Table &table, double e, int cornerIntervals, int k,
                                                     double meanAnomaly)
{
    if (k < cornerIntervals) {
        const double anomaly = solveNearPeriastron(k, meanAnomaly, e, table.intervals[k]);
        return {anomaly, &nearestNode(anomaly)};
    }
    return solveInInterval(k, meanAnomaly, e, table.intervals[k]);
}

struct SineAndCosine
{
    double sine;
    double cosine;
};

// sin E and cos E from a node within π/128 + 2e-5 of E, by the angle
// addition formulas with the series of sin d and cos d − 1 to d⁷ and d⁸ (the
// next terms are below 1e-20), so no node is looked up twice.
[[gnu::always_inline]] inline SineAndCosine sinesNear(const NearNode &near)
{
    const Node &node = *near.node;
    const double d = near.anomaly - node.anomaly;
    const double d2 = d * d;
    const double sinD = d + (d * d2) * (-1.0 / 6 + d2 * (1.0 / 120 - d2 * (1.0 / 5040)));
    const double cosDMinusOne = d2 * (-0.5 + d2 * (1.0 / 24 + d2 * (-1.0 / 720 + d2 * (1.0 / 40320))));
    return {node.sine + (node.sine * cosDMinusOne + node.cosine * sinD),
            node.cosine + (node.cosine * cosDMinusOne - node.sine * sinD)};
}

// E with its sine and cosine for any M: E − e sin E is odd in E.
[[gnu::always_inline]] inline EccentricAnomaly solvedWithSines(const Table &table, double e, int cornerIntervals,
                                                               double meanAnomaly)
{
    const double reduced = reducedMeanAnomaly(meanAnomaly);
    const double half = std::fabs(reduced);
    const NearNode near = solvedInTable(table, e, cornerIntervals, intervalOf(table, cornerIntervals, half), half);
    const SineAndCosine sines = sinesNear(near);
    return {std::copysign(near.anomaly, reduced), std::copysign(sines.sine, reduced), sines.cosine};
}

} // namespace

double KeplerEquation::eccentricAnomaly(double meanAnomaly) const
{
    return solvedWithSines(*m_table, m_eccentricity, m_cornerIntervals, meanAnomaly).anomaly;
}

EccentricAnomaly KeplerEquation::solve(double meanAnomaly) const
{
    return solvedWithSines(*m_table, m_eccentricity, m_cornerIntervals, meanAnomaly);
}

void KeplerEquation::sinesAndCosines(std::span<const double> meanAnomalies, double *sines, double *cosines) const
{
    // The same steps as solve(), taken a pass at a time over a block of
    // points: each pass is a short chain of operations per point, so the
    // processor overlaps many points where one long chain per point would
    // keep it waiting on every table look-up in turn.
    constexpr std::size_t block = 64;
    std::array<double, block> reduced;
    std::array<int, block> interval;
    std::array<NearNode, block> solved;
    const Table &table = *m_table;
    for (std::size_t begin = 0; begin < meanAnomalies.size(); begin += block) {
        const std::size_t count = std::min(block, meanAnomalies.size() - begin);
        for (std::size_t i = 0; i < count; ++i)
            reduced[i] = reducedMeanAnomaly(meanAnomalies[begin + i]);
        for (std::size_t i = 0; i < count; ++i)
            interval[i] = intervalOf(table, m_cornerIntervals, std::fabs(reduced[i]));
        for (std::size_t i = 0; i < count; ++i)
            solved[i] = solvedInTable(table, m_eccentricity, m_cornerIntervals, interval[i], std::fabs(reduced[i]));
        for (std::size_t i = 0; i < count; ++i) {
            const SineAndCosine pair = sinesNear(solved[i]);
            sines[begin + i] = std::copysign(pair.sine, reduced[i]);
            cosines[begin + i] = pair.cosine;
        }
    }
}

} // namespace Kepler
