#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// Keplerian orbits as the star's radial velocity reveals them. Pure double
/// precision arithmetic, no Qt.
///
/// Conventions (those of the radial-velocity literature):
/// - ω is the argument of periastron of the *star's* orbit; the planet's is
///   ω + π.
/// - The star's velocity along the line of sight, positive away from the
///   observer, is v(t) = K [cos(ν(t) + ω) + e cos ω], with ν the true anomaly.
/// - The mean anomaly is M(t) = 2π (t − T_p) / P.
namespace Kepler {

/// One planet's orbit, as seen in its star's radial velocity.
struct Orbit
{
    double periodDays = 0;     ///< P, days; finite and > 0
    double semiAmplitude = 0;  ///< K, m/s; finite and ≥ 0
    double eccentricity = 0;   ///< e; 0 ≤ e < 1
    double omegaRadians = 0;   ///< ω of the star, radians; finite
    double periastronTime = 0; ///< T_p, days, on the time scale the orbit is evaluated at; finite
};

/// Why this orbit cannot be evaluated (a sentence for the user), or nothing
/// when every element is in its range. Call it once before evaluating an
/// orbit that came from outside; the evaluators below assume a valid orbit.
std::optional<std::string> refusal(const Orbit &orbit);

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

namespace detail {
inline constexpr int solverIntervals = 64;
inline constexpr int meanBins = 1024; ///< equal bins of M over [0, π] that find an interval at once
/// The solver's starting guess on one interval of its table, for one e:
/// E − E_start ≈ linear t + quadratic t² + cubic t³, t the fraction of the
/// interval's width in M.
struct SolverInterval
{
    double startMean = 0;    ///< M at the interval's start, radians
    double inverseWidth = 0; ///< 1/(the interval's width in M), 1/radians
    double linear = 0;       ///< radians
    double quadratic = 0;    ///< radians
    double cubic = 0;        ///< radians
};
} // namespace detail

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

private:
    double m_eccentricity;
    int m_cornerIntervals;
    std::array<double, detail::solverIntervals + 1> m_nodeMeans{};
    std::array<detail::SolverInterval, detail::solverIntervals> m_intervals{};
    std::array<std::uint8_t, detail::meanBins> m_binIntervals{}; ///< the interval holding each bin's start
};

/// The true anomaly ν, radians in [−π, π], for the eccentric anomaly E
/// (radians, any finite value) and 0 ≤ e < 1. Computed from
/// tan(ν/2) = √((1 + e)/(1 − e)) tan(E/2) in its atan2 form, exact at E = ±π.
double trueAnomaly(double eccentricAnomaly, double eccentricity);

/// The star's radial velocity, m/s, at time t (days) for one planet.
double radialVelocity(const Orbit &orbit, double timeDays);

/// The sum of the planets' velocities, m/s, at time t (days).
double radialVelocity(std::span<const Orbit> orbits, double timeDays);

/// The sum of the planets' velocities, m/s, at each of the times (days), in
/// their order. The values of the function above (to rounding), computed
/// faster, with each orbit's constants and a KeplerEquation prepared once:
/// a curve of 10,000 points takes about half a millisecond.
std::vector<double> radialVelocities(std::span<const Orbit> orbits, std::span<const double> timesDays);

/// The time of periastron T_p, days, of the orbit whose planet passes inferior
/// conjunction (transits, if it does) at conjunctionTime, days. There the
/// planet's true anomaly is ν_c = π/2 − ω (ω the star's argument of
/// periastron, radians). Of all such periastrons, the one with
/// T_c − T_p in [−P/2, P/2]. P in days, 0 ≤ e < 1.
double periastronFromConjunction(double conjunctionTime, double periodDays, double e, double omega);

/// The inverse: the time of inferior conjunction T_c, days, with
/// T_c − T_p in [−P/2, P/2], for the time of periastron T_p, days.
double conjunctionFromPeriastron(double periastronTime, double periodDays, double e, double omega);

} // namespace Kepler
