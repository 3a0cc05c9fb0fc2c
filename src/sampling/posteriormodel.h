#pragma once

#include "fitting/keplerianlikelihood.h"
#include "fitting/rvfit.h"
#include "observations/rvdata.h"
#include "sampling/logdensity.h"

#include "numeric/outcome.h"

#include <string>
#include <vector>

namespace Fitting {
struct Measurements;
}

namespace Sampling {

/// One sampled parameter: its column name (as exports and plots label it),
/// its unit and the bounds of its uniform prior.
struct Parameter
{
    std::string name; ///< "ln P1", "sqrt(e) cos w1", "offset HARPS", …
    std::string unit; ///< "" for pure numbers
    double lower = 0;
    double upper = 0;
};

/// The posterior of a Keplerian fit over the fit's own parameters, in order:
/// per planet ln P, ln K, √e cos ω, √e sin ω (not for circular fits) and T_c;
/// per instrument the offset γ_k; the trend c when fitted; per instrument the
/// jitter s_k when fitted.
///
/// Likelihood: the Gaussian with jitter of fitting/rvfit.h,
///   ln L = −½ Σ_i [ r_i² / (σ_i² + s_k²) + ln(2π (σ_i² + s_k²)) ].
/// Priors, uniform in each parameter within its bounds (so uniform in e and
/// ω inside the unit disc of (√e cos ω, √e sin ω)):
/// - P within a factor 2 of the fit's period (uniform in ln P);
/// - K from 0.01 m/s to twice the data's velocity range (uniform in ln K);
/// - e < 1;
/// - T_c within half the fit's period of the fit's T_c;
/// - each offset within the data's velocity range widened by that range on
///   both sides; the trend within ten times range/span either way;
/// - each jitter from 0 to the data's velocity range.
///
/// logDensity() is the fits' own likelihood (Fitting::KeplerianLikelihood):
/// one pass over the measurements for all planets, each planet's Kepler
/// equation prepared for its e in a workspace of the calling thread, so that
/// nothing is allocated after a thread's first call.
class PosteriorModel final : public LogDensity
{
public:
    static constexpr int maxPlanets = 8;

    /// Refused when the fit did not succeed, does not belong to these data, or
    /// decorrelates against an activity index (whose coefficients this
    /// posterior does not hold).
    static Numeric::Outcome<PosteriorModel> build(const Observations::DataSet &data, const Fitting::Result &fit,
                                                  const Fitting::Options &options);

    int dimension() const override { return int(m_parameters.size()); }
    double logDensity(std::span<const double> theta) const override;

    const std::vector<Parameter> &parameters() const { return m_parameters; }
    /// The fit's optimum in these parameters, and a scale of each from the
    /// fit's uncertainties, where the walkers start.
    const std::vector<double> &bestFit() const { return m_bestFit; }
    const std::vector<double> &startingScales() const { return m_scales; }

    int planets() const { return m_planets; }
    bool circular() const { return m_circular; }
    int instruments() const { return m_instruments; }
    bool fitsTrend() const { return m_trend; }
    bool fitsJitter() const { return m_jitter; }
    int parametersPerPlanet() const { return m_circular ? 3 : 5; }
    double referenceTime() const { return m_referenceTime; }

private:
    explicit PosteriorModel(const Fitting::Measurements &measurements);
    void addParameter(std::string name, std::string unit, double lower, double upper, double best, double scale);

    std::vector<Parameter> m_parameters;
    std::vector<double> m_bestFit;
    std::vector<double> m_scales;
    int m_planets = 0;
    int m_instruments = 0;
    bool m_circular = false;
    bool m_trend = false;
    bool m_jitter = false;
    double m_referenceTime = 0;
    Fitting::KeplerianLikelihood m_likelihood;
};

} // namespace Sampling
