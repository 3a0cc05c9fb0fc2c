#include "kepler/keplerorbit.h"

#include "kepler/anglereduction.h"

#include <cmath>
#include <numbers>

namespace Kepler {

namespace {

using namespace Angles;

struct SineCosine
{
    double sine;
    double cosine;
};

// √(1 + e) and √(1 − e), the scales of the half-angle form below.
struct HalfAngleScales
{
    explicit HalfAngleScales(double e) : plus(std::sqrt(1 + e)), minus(std::sqrt(1 - e)) { }
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
    { }

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
        return m_amplitude * (nu.cosine * m_cosOmega - nu.sine * m_sinOmega + m_eccentricity * m_cosOmega);
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

std::optional<Numeric::Refusal> refusal(const Orbit &orbit)
{
    if (!std::isfinite(orbit.periodDays) || orbit.periodDays <= 0)
        return Numeric::Refusal{"The period must be a finite number of days greater than zero."};
    if (!std::isfinite(orbit.semiAmplitude) || orbit.semiAmplitude < 0)
        return Numeric::Refusal{"The velocity semi-amplitude K must be a finite number of m/s, zero or more."};
    if (!std::isfinite(orbit.eccentricity) || orbit.eccentricity < 0)
        return Numeric::Refusal{"The eccentricity must be a number from 0 up to (but not including) 1."};
    if (orbit.eccentricity >= 1)
        return Numeric::Refusal{"An eccentricity of 1 or more is no closed orbit: the planet would escape."};
    if (!std::isfinite(orbit.omegaRadians))
        return Numeric::Refusal{"The argument of periastron ω must be a finite angle."};
    if (!std::isfinite(orbit.periastronTime))
        return Numeric::Refusal{"The time of periastron must be a finite number of days."};
    return std::nullopt;
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
