#pragma once

#include "fitting/keplerianlikelihood.h"
#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <Eigen/Dense>

#include <vector>

/// The likelihood the fits maximise (evaluated by KeplerianLikelihood), its analytic derivatives and where each
/// parameter sits in a parameter vector (see rvfit.h for the model's formula).
namespace Fitting {

/// The measurements as the likelihood reads them.
struct Measurements
{
    std::vector<double> time, velocity, variance; ///< days, m/s, σ_i² (m/s)²
    std::vector<int> instrument;
    int instruments = 0;
    double referenceTime = 0; ///< t_ref, the mean time, days
    /// x_i − x̄_k of the index decorrelated against (0 where a point has
    /// none), and x̄_k per instrument; both empty without one.
    std::vector<double> centredIndex, indexMeans;

    /// `index` names the activity index to decorrelate against, or is empty.
    static Measurements from(const Observations::DataSet &data, const std::string &index = {});
    std::size_t size() const { return time.size(); }
};

/// One planet's internal parameters, better conditioned than the elements
/// (P > 0, K > 0 and e < 1 hold by construction).
struct PlanetParameters
{
    double logPeriod = 0;        ///< ln P, P in days
    double logSemiAmplitude = 0; ///< ln K, K in m/s
    double rootECosOmega = 0;    ///< √e cos ω
    double rootESinOmega = 0;    ///< √e sin ω
    double conjunctionTime = 0;  ///< T_c, days: ν = π/2 − ω

    static constexpr int count = 5;
    static PlanetParameters read(const double *slots);
    static PlanetParameters of(const Kepler::Orbit &orbit);
    void write(double *slots) const;
    double eccentricity() const { return rootECosOmega * rootECosOmega + rootESinOmega * rootESinOmega; }
    Kepler::Orbit orbit() const;
};

/// Whether a planet's eccentricity is fitted or held at zero.
enum class OrbitShape { Free, Circular };

/// Which parameters a vector holds, in this order: per planet the five of
/// PlanetParameters, the offset γ_k of each instrument, the trend c when
/// fitted, the jitter s_k² of each instrument when fitted, the coefficient
/// d_k of each instrument on the activity index when decorrelating.
struct ParameterLayout
{
    int planets = 0;
    int instruments = 0;
    bool trend = false;
    bool jitter = false;
    bool decorrelation = false;

    int planet(int j) const { return PlanetParameters::count * j; }
    int offset(int k) const { return PlanetParameters::count * planets + k; }
    int trendIndex() const { return offset(instruments); }
    int jitterSquared(int k) const { return trendIndex() + (trend ? 1 : 0) + k; }
    int coefficient(int k) const { return jitterSquared(0) + (jitter ? instruments : 0) + k; }
    int size() const { return coefficient(0) + (decorrelation ? instruments : 0); }
    /// The parameters a model has when `circular` planets hold e = 0 (the
    /// held √e cos ω and √e sin ω are not counted).
    int freeCount(int circular) const { return size() - 2 * circular; }
};

/// −ln L of one data set under one layout, with the gradient and Fisher
/// matrix the minimiser and the covariance use. Evaluating −ln L allocates
/// nothing: a sampler may call it millions of times.
class RvModel
{
public:
    /// Above this eccentricity a parameter vector is implausible: the
    /// Keplerian's derivatives grow without bound towards e = 1 and no
    /// planet found by radial velocities alone is that eccentric.
    static constexpr double maxEccentricity = 0.95;
    /// |ln P| and |ln K| beyond this are no orbit a data set can hold.
    static constexpr double maxLogScale = 20;

    RvModel(const Measurements &data, const ParameterLayout &layout);

    /// −ln L at x, or +∞ when x is implausible: not finite, e above
    /// maxEccentricity, ln P or ln K beyond maxLogScale, or a negative s_k²
    /// (a variance below σ_i² would make the likelihood meaningless).
    /// Keeps μ_i and σ_i² + s_k² of x for mean() and variance().
    double negativeLogLikelihood(const Eigen::VectorXd &x);

    /// μ_i and σ_i² + s_k² of the last plausible evaluation.
    const std::vector<double> &mean() const { return m_space.mean; }
    const std::vector<double> &variance() const { return m_space.variance; }

    /// The gradient of −ln L and its Fisher (expected Hessian) matrix at a
    /// plausible x: Σ J Jᵀ / V for the velocity parameters and ½ Σ (∂V/∂s²)² / V²
    /// for the jitters, J = ∂μ/∂θ analytic (∂μ_i/∂d_k = x_i − x̄_k).
    void linearise(const Eigen::VectorXd &x, Eigen::VectorXd &gradient, Eigen::MatrixXd &fisher);

    const Measurements &data() const { return *m_data; }
    const ParameterLayout &layout() const { return m_layout; }

private:
    bool plausible(const Eigen::VectorXd &x) const;
    void addPlanetDerivatives(const PlanetParameters &planet, int column);

    const Measurements *m_data;
    ParameterLayout m_layout;
    KeplerianLikelihood m_likelihood;
    // What one evaluation hands the likelihood, kept to allocate nothing.
    std::vector<PreparedPlanet> m_planets;
    std::vector<double> m_offsets, m_jitterVariances, m_coefficients;
    KeplerianLikelihood::Workspace m_space;
    Eigen::MatrixXd m_jacobian; ///< ∂μ_i/∂θ
};

} // namespace Fitting
