#pragma once

#include "kepler/keplerorbit.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <atomic>
#include <cmath>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// Maximum-likelihood Keplerian fits of radial velocities. Pure C++ and
/// Eigen, no Qt; every call may run on a worker thread.
///
/// Model of measurement i from instrument k at time t_i (days, m/s):
///   μ_i = Σ_planets v_j(t_i) + γ_k + c (t_i − t_ref) + d_k (x_i − x̄_k),
/// with v_j the Keplerian velocity of kepler/keplerorbit.h
/// (v = K[cos(ν + ω) + e cos ω], ω the star's argument of periastron),
/// γ_k one offset per instrument, c an optional linear trend (m/s/day),
/// t_ref the mean time of the data, and, when the fit decorrelates against
/// an activity index x (Options::decorrelateAgainst), d_k one coefficient per
/// instrument (m/s per index unit) on x's departure from its mean x̄_k over
/// that instrument's measurements. Measurements without a value of x are
/// left out of a decorrelated fit and its notes say how many
/// (decorrelation.h).
///
/// Likelihood (Gaussian with jitter, s_k an optional jitter per instrument):
///   −ln L = ½ Σ_i [ r_i² / (σ_i² + s_k²) + ln(2π (σ_i² + s_k²)) ],  r_i = y_i − μ_i.
///
/// Internal parameters (better conditioned, and e < 1, K > 0, P > 0 hold by
/// construction): per planet ln P, ln K, √e cos ω, √e sin ω and the time of
/// inferior conjunction T_c (where ν = π/2 − ω); then the offsets, the trend,
/// per instrument s² (kept ≥ 0) and per instrument d_k.
///
/// The model and its analytic derivatives: rvmodel.h. Optimiser:
/// Levenberg–Marquardt on −ln L with its Fisher (Gauss–Newton) Hessian
/// (levenbergmarquardt.h), from several starts (eccentricities and ω around
/// the periodogram's period; planetsearch.cpp, where fit() and findPlanets() live).
///
/// Uncertainties (uncertainties.h): the inverse Fisher matrix at the optimum,
/// carried to P, K, e, ω, T_p, T_c and m sin i by the Jacobian of that
/// transformation (linear propagation). A bootstrap (residuals resampled,
/// refitted from the optimum, standard deviation of each element) on request.
///
/// A circular planet holds e = 0: its √e cos ω and √e sin ω are not
/// parameters, and every count (the refusal, k of the BIC, the degrees of
/// freedom n − k) leaves them out.
namespace Fitting {

/// How a call went.
enum class Status {
    Converged, ///< the optimiser's step became negligible
    Stalled,   ///< the iteration limit was reached; the best point found is reported
    Refused,   ///< bad input; see Result::message
    Cancelled  ///< the cancel flag was raised; nothing is reported
};

/// The most planets a fit takes and a search looks for (55 Cnc has five).
inline constexpr int maxPlanets = 8;

/// Settings of one fit or one search.
struct Options
{
    int planets = 1;                   ///< 1–maxPlanets: fit()'s count; the most planets findPlanets adds
    bool fitJitter = false;            ///< one jitter s_k per instrument
    bool fitTrend = false;             ///< the linear trend c
    bool circular = false;             ///< hold e = 0 (weak signals, or orbits known to be circular)
    double starMassSolar = 1.0;        ///< M★, solar masses, > 0, for m sin i
    double falseAlarmThreshold = 1e-3; ///< findPlanets stops at a peak with FAP above this, (0, 1]
    int bootstrapRuns = 0;             ///< 0: none; else ≥ 10 refits of resampled residuals
    unsigned bootstrapSeed = 1;        ///< makes a bootstrap reproducible
    std::optional<Periodogram::FrequencyGrid> grid; ///< the periodogram's grid; automatic when empty
    /// Starting orbits for fit(): the first planets start from these as given
    /// (one start each, e.g. periods known from transits); the remaining
    /// planets come from periodogram peaks of the residuals.
    std::vector<Kepler::Orbit> startingOrbits;
    /// The name of the activity index (Observations::DataSet::activity) the
    /// velocities are decorrelated against; empty: no decorrelation.
    std::string decorrelateAgainst;
};

/// Orbital elements of one planet, or their 1σ uncertainties.
struct PlanetElements
{
    double periodDays = 0;         ///< P, days
    double semiAmplitude = 0;      ///< K, m/s
    double eccentricity = 0;       ///< e
    double omegaRadians = 0;       ///< ω of the star, radians, [0, 2π) as a value
    double periastronTime = 0;     ///< T_p, days
    double conjunctionTime = 0;    ///< T_c, days, the one nearest t_ref
    double minimumMassJupiter = 0; ///< m sin i, Jupiter masses
    double minimumMassEarth = 0;   ///< m sin i, Earth masses
};

/// An element is unconstrained when its 1σ uncertainty exceeds its
/// magnitude: the data allow zero (K, e, m sin i) or almost any value (ω).
/// Tables and exports mark such elements.
inline bool unconstrained(double value, double uncertainty)
{
    return uncertainty > std::abs(value);
}

struct PlanetResult
{
    PlanetElements value;
    PlanetElements uncertainty;          ///< from the covariance matrix
    PlanetElements bootstrapUncertainty; ///< all zero unless a bootstrap ran

    Kepler::Orbit orbit() const;
};

struct InstrumentResult
{
    std::string name;
    int points = 0;
    double offset = 0; ///< γ_k, m/s
    double offsetUncertainty = 0;
    double jitter = 0;            ///< s_k, m/s; 0 when not fitted
    double jitterUncertainty = 0; ///< from σ(s²) / (2 s), or √σ(s²) at s = 0
    double rms = 0;               ///< of this instrument's residuals, m/s
    double decorrelation = 0;     ///< d_k, m/s per index unit; 0 when not decorrelated
    double decorrelationUncertainty = 0;
    double indexMean = 0; ///< x̄_k, the index's mean over this instrument's fitted measurements
};

/// Why findPlanets stopped adding planets.
enum class SearchStop {
    NotSearched,         ///< fit(): the planets were asked for, not searched
    PlanetCap,           ///< Options::planets were found
    FalseAlarmThreshold, ///< the next peak's false-alarm probability lies above the threshold
    NoBicGain,           ///< the best next planet does not lower the BIC
    NoPeak               ///< the residuals leave no peak to fit (too few, or none in the periods searched)
};

struct Result
{
    Status status = Status::Refused;
    std::string message; ///< a sentence for the user when refused or cancelled
    std::vector<PlanetResult> planets;
    std::vector<InstrumentResult> instruments;
    bool trendFitted = false;
    double trend = 0; ///< c, m/s/day
    double trendUncertainty = 0;
    std::string decorrelatedAgainst; ///< the activity index's name; empty when not decorrelated
    double referenceTime = 0;        ///< t_ref, days
    double starMassSolar = 1.0;
    int pointCount = 0;               ///< n
    int parameterCount = 0;           ///< k, the free parameters
    double negativeLogLikelihood = 0; ///< −ln L at the optimum
    double chiSquare = 0;             ///< Σ r² / (σ² + s²)
    double rms = 0;                   ///< √(Σ r² / n), m/s
    double bic = 0;                   ///< k ln n + 2 (−ln L)
    int bootstrapRuns = 0;            ///< refits that entered the bootstrap spread
    std::vector<Periodogram::Peak>
        peaks; ///< the residual periodogram's peak each planet started from, in order (none for starting orbits)
    SearchStop searchStop = SearchStop::NotSearched;
    std::string searchStopSentence; ///< why the search stopped, a sentence with the figures; empty for fit()
    /// Sentences on how the fit was reached: which of two aliases a search
    /// kept and why; planets of a fit too close to be told apart.
    std::vector<std::string> notes;

    bool ok() const { return status == Status::Converged || status == Status::Stalled; }
};

/// Reports progress in [0, 1] with a short name of the stage ("offsets",
/// "fit", "bootstrap", "done"), on the thread that runs the fit.
using Progress = std::function<void(double fraction, std::string_view stage)>;

/// Why these data cannot be fitted with these options, or nothing.
std::optional<Numeric::Refusal> refusal(const Observations::DataSet &data, const Options &options);

/// The options a fit of these data runs with: where a file gave no
/// uncertainties (each σ then assumed, see Observations::DataSet), only the
/// jitter can measure the scatter, so the jitter is fitted whatever was asked.
Options effectiveOptions(const Observations::DataSet &data, Options options);

/// Fits options.planets Keplerians. Planets without a starting orbit start at
/// the highest periodogram peak of the residuals of the planets before them.
/// Where two planets end within one peak width (1/T) of each other, where
/// they trade amplitude freely, Result::notes says so and suggests fewer.
/// Raising *cancel makes it return Status::Cancelled promptly.
Result fit(const Observations::DataSet &data, const Options &options, const Progress &progress = {},
           const std::atomic<bool> *cancel = nullptr);

/// Adds planets one at a time, at most options.planets. Without
/// options.fitJitter, a jitter per instrument is fitted when the model
/// without planets has the lower BIC with one (error bars that understate
/// the scatter would otherwise let one instrument steer every fit); a note
/// says so. Each step:
/// - starts (candidateFrequencies in candidates.h): the 5 highest distinct
///   peaks of the residual periodogram, weighted by σ_i² + s_k² and, with
///   jitters fitted, by σ_i² alone (a jitter fitted without a planet absorbs
///   its signal); f/2 and f/3 of the 3 highest (an eccentric orbit's power
///   sits in its harmonics); and the strongest members of their alias
///   families |f ± k f_w| under the sampling's window peaks. Never a start:
///   a frequency within 0.01 c/d of 1–4 cycles per (sidereal) day, or within
///   one peak width (1/T) of a planet found or its aliases under those daily
///   window peaks;
/// - each start is fitted with all planets so far (a start below 3 days
///   is held circular: tides circularise such orbits, and a free e lets an
///   orbit of about a day, seen at the same hour each night, mimic slow
///   drifts); a fit whose period leaves the grid's range, lands in those
///   bands or within one peak width of a planet is dropped;
/// - each fit is judged by the share p of the scatter it explains
///   (explainedShare in candidates.h: from the fall of −ln L with the
///   noise's scale fitted, the largest 3 % of the measurements' gains left
///   out so that an e → 1 spike through a few points does not win);
/// - where nights hold several measurements, a fit is dropped when its
///   nights do not confirm it: the same share, taken of the nightly means
///   (nights cut to a quarter of the period), has a false-alarm probability
///   above the threshold (nightlymeans.h: a star's activity, shared by one
///   night's measurements, must not count once a measurement);
/// - a best fit on one of the window's other peaks (a drift's alias there)
///   is kept only when its fall of −ln L exceeds twice that of the slowest
///   orbit on the grid, else every fit on a window peak is dropped;
/// - where an alias of the best explains at least half as much, the two are
///   simulated at the real times (Detection::decideBetweenAliases) and the
///   alias replaces the best only when the simulations decide (≥ 95 %);
/// - the winner is kept only if it lowers the BIC (k ln n + 2(−ln L)) and
///   the false-alarm probability of p on the grid
///   (Periodogram::falseAlarmProbability, Baluev 2008) is ≤
///   options.falseAlarmThreshold; otherwise the search ends.
/// Result::peaks holds each kept planet's period, p and that probability;
/// Result::notes how each alias was settled; Result::searchStop and
/// searchStopSentence why the search ended. With no planet kept, the result
/// holds no planet (offsets, jitters and trend only) and status Converged.
Result findPlanets(const Observations::DataSet &data, const Options &options, const Progress &progress = {},
                   const std::atomic<bool> *cancel = nullptr);

/// The model velocity μ_i of the result at each measurement of data (m/s),
/// offsets and trend included, and the decorrelation term where data hold
/// the index's value (a point without one gets none).
std::vector<double> modelVelocities(const Result &result, const Observations::DataSet &data);

/// −ln L of the formula above for given residuals r_i, uncertainties σ_i and
/// jitters s_i (m/s).
double negativeLogLikelihood(std::span<const double> residuals, std::span<const double> uncertainties,
                             std::span<const double> jitters);

} // namespace Fitting
