#pragma once

#include "kepler/keplerequation.h"
#include "kepler/keplerorbit.h"
#include "numeric/mathconstants.h"

#include <cmath>
#include <span>
#include <vector>

namespace Fitting {

/// One measurement's share of −ln L: ½ [r² / V + ln(2π V)], V = σ² + s².
inline double likelihoodTerm(double residual, double variance)
{
    return 0.5 * (residual * residual / variance + std::log(MathConstants::twoPi * variance));
}

/// One planet's velocity, worked out once per evaluation so that each point
/// costs one solve of Kepler's equation and no sine or cosine call:
///   v = (A (cos E − e) − B sin E) / (1 − e cos E) + C,
/// A = K cos ω, B = K √(1 − e²) sin ω, C = K e cos ω, which is
/// K [cos(ν + ω) + e cos ω] without the true anomaly.
struct PreparedPlanet
{
    double meanMotion = 0; ///< 2π/P, radians per day
    double periastron = 0; ///< T_p − t_ref, days
    double eccentricity = 0;
    double a = 0;
    double b = 0;
    double c = 0;

    /// `orbit`'s planet at conjunction at `conjunctionTime`, times counted
    /// from `referenceTime` (days).
    static PreparedPlanet of(const Kepler::Orbit &orbit, double conjunctionTime, double referenceTime);
};

/// The Gaussian likelihood with jitter that the fits maximise and the sampler
/// explores, −ln L = ½ Σ_i [ r_i² / V_i + ln(2π V_i) ], V_i = σ_i² + s_k², the
/// one place it is evaluated. The measurements are kept one array per
/// quantity, times from the reference time. Each planet is one loop over the
/// points: its mean anomalies, then sin E and cos E from its prepared Kepler
/// equation, then its velocities added (a loop the compiler vectorises);
/// a last loop sums the terms. Nothing is allocated once a workspace exists.
class KeplerianLikelihood
{
public:
    /// The measurements: per point its time (days), velocity (m/s), σ² and
    /// instrument; the times are kept from `referenceTime` on. `centredIndex`,
    /// empty or one per point, is the activity index x_i − x̄_k a fit
    /// decorrelates against.
    KeplerianLikelihood(std::span<const double> times, std::span<const double> velocities,
                        std::span<const double> variances, std::span<const int> instruments, double referenceTime,
                        std::span<const double> centredIndex = {});

    /// What one evaluation reads: the planets (prepared), the offset γ_k and
    /// the added variance s_k² of each instrument, the trend c (m/s per day)
    /// and the coefficient d_k of each instrument on the centred index.
    struct Parameters
    {
        std::span<const PreparedPlanet> planets;
        const double *offsets = nullptr;
        const double *jitterVariances = nullptr; ///< nullptr: no jitter
        double trend = 0;
        const double *decorrelation = nullptr; ///< m/s per index unit; nullptr: no decorrelation
    };

    /// The scratch of one evaluating thread: a Kepler equation per planet
    /// and arrays the size of the data.
    struct Workspace
    {
        std::vector<Kepler::KeplerEquation> equations;
        std::vector<double> anomalies, sines, cosines;
        std::vector<double> mean;     ///< μ_i of the last evaluation
        std::vector<double> variance; ///< V_i of the last evaluation
    };
    /// Makes `space` ready for `planets` planets on these data (allocating
    /// only when it is too small).
    void fit(Workspace &space, std::size_t planets) const;

    /// −ln L; `space` must have been fitted to at least as many planets.
    double negativeLogLikelihood(const Parameters &parameters, Workspace &space) const;

    std::size_t size() const { return m_times.size(); }

private:
    std::vector<double> m_times; ///< t_i − t_ref, days
    std::vector<double> m_velocities;
    std::vector<double> m_variances; ///< σ_i², (m/s)²
    std::vector<int> m_instruments;
    std::vector<double> m_centredIndex; ///< x_i − x̄_k, or empty
};

} // namespace Fitting
