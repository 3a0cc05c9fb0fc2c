#pragma once

#include <memory>
#include <span>

/// Kepler's equation E − e sin E = M, solved for the eccentric anomaly E.
/// Pure double precision arithmetic, no Qt.
namespace Kepler {

/// Solves Kepler's equation E − e sin E = M for the eccentric anomaly E,
/// radians.
///
/// Range: 0 ≤ e < 1 and any finite M. M is first reduced into [−π, π]: by
/// the true 2π (to about 5e-16 rad) for |M| < 2^26 turns (4.2e8 rad), beyond
/// exactly by the double nearest 2π, which differs from the true reduction
/// by |M|·4e-17 — a double that large has lost that much phase anyway. The
/// result E lies in [−π, π], has the sign of the reduced M and satisfies
/// |E − e sin E − M_reduced| ≤ 1e-12 (below 3e-15 on the tests' dense grid).
///
/// Method: a table of E_j = jπ/64 brackets M (two rounds of a search in
/// base 8, seven independent comparisons each); the starting guess is the
/// cubic Hermite interpolant of the inverse function E(M) between the two
/// nodes, or, for E < π/16 at e ≥ 0.5 where E(M) bends
/// like a cube root, the exact root of the cubic (1 − e) E + e E³/6 = M. One
/// Halley step follows, with sin E and cos E from short Taylor series about
/// the nearest node, and near periastron at e ≥ 0.5 (E < π/8) one Newton
/// step more. No loop runs on the data, so every input returns: NaN or e
/// outside [0, 1) gives NaN.
double eccentricAnomaly(double meanAnomaly, double eccentricity);

/// E with its sine and cosine, the three a velocity needs.
struct EccentricAnomaly
{
    double anomaly = 0; ///< radians in [−π, π]
    double sine = 0;
    double cosine = 0;
};

/// Kepler's equation for one eccentricity, prepared once (about two
/// microseconds: the table's M_j and starts for this e, and which interval
/// each of 1024 equal bins of M begins in) for many mean anomalies, as in a
/// curve or a fit's model. eccentricAnomaly(M) gives what
/// Kepler::eccentricAnomaly(M, e) gives (the same steps; equal to rounding)
/// in about 60 % of its time.
class KeplerEquation
{
public:
    /// 0 ≤ e < 1; for any other value (NaN included) every solution is NaN.
    explicit KeplerEquation(double eccentricity);

    /// E, radians in [−π, π], for any finite M, radians.
    double eccentricAnomaly(double meanAnomaly) const;

    /// E with sin E and cos E, these from the solver's own table and short
    /// series (within 4e-16 of the library's), cheaper than calling sincos.
    EccentricAnomaly solve(double meanAnomaly) const;

    /// sin E and cos E for every M of `meanAnomalies` (what a velocity
    /// needs), solved in one loop with nothing called per point.
    void sinesAndCosines(std::span<const double> meanAnomalies, double *sines, double *cosines) const;

    /// Prepares the same object for another e, reusing its table: a caller
    /// that solves for a new e on every call allocates nothing.
    void prepare(double eccentricity);

    ~KeplerEquation();
    KeplerEquation(KeplerEquation &&) noexcept;
    KeplerEquation &operator=(KeplerEquation &&) noexcept;

    struct Table; ///< the solver's table for this e; defined beside the solver

private:
    double m_eccentricity;
    int m_cornerIntervals;
    std::unique_ptr<Table> m_table;
};

} // namespace Kepler
