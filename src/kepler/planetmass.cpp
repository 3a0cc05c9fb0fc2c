#include "kepler/planetmass.h"

#include "kepler/physicalconstants.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace Kepler {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

// The factor c of f = c K³: P (1 − e²)^{3/2} / (2π GM_sun), solar masses per
// (m/s)³, with P in seconds.
double massFunctionPerCubedAmplitude(double periodDays, double eccentricity)
{
    const double oneMinusE2 = (1 - eccentricity) * (1 + eccentricity);
    return periodDays * day * oneMinusE2 * std::sqrt(oneMinusE2) / (twoPi * GM_sun);
}

// The y = m/M★ > 0 with y³/(1 + y)² = φ, for φ > 0. In z = ln y the
// equation F(z) = 3z − 2 ln(1 + e^z) − ln φ = 0 has F' = (3 + y)/(1 + y) in
// (1, 3], falling, so F is concave and increasing: from a start left of the
// root Newton's iterates stay left of it and rise to it. y ≥ ∛φ (as
// (1 + y)² ≥ 1) and y ≥ φ (as (1 + y)² ≥ y²) give such a start, within
// ln 4 of the root (y ≤ max(4φ, ∛(4φ))); with |F''|/(2F') ≤ ¼ six steps
// reach rounding. The loop stops once a step makes no more progress; its
// cap only keeps the loop finite whatever the rounding does.
double massRatio(double phi)
{
    const double logPhi = std::log(phi);
    double z = std::max(logPhi / 3, logPhi);
    for (int step = 0; step < 32; ++step) {
        const double y = std::exp(z);
        const double f = 3 * z - 2 * std::log1p(y) - logPhi;
        const double change = -f * (1 + y) / (3 + y);
        z += change;
        if (!(change > 4e-16 * std::max(1.0, std::fabs(z))))
            break;
    }
    return std::exp(z);
}

bool positiveFinite(double value)
{
    return std::isfinite(value) && value > 0;
}

} // namespace

std::optional<std::string> massRefusal(double periodDays, double semiAmplitude, double eccentricity,
                                       double starMassSolar, double inclinationRadians)
{
    if (!positiveFinite(periodDays))
        return std::string("The period must be a finite number of days greater than zero.");
    if (!std::isfinite(semiAmplitude) || semiAmplitude < 0)
        return std::string("The velocity semi-amplitude K must be a finite number of m/s, zero or more.");
    if (!(eccentricity >= 0 && eccentricity < 1))
        return std::string("The eccentricity must be a number from 0 up to (but not including) 1.");
    if (!positiveFinite(starMassSolar))
        return std::string("The star's mass must be a finite number of solar masses greater than zero.");
    if (!(inclinationRadians > 0 && inclinationRadians < std::numbers::pi))
        return std::string("The inclination must lie between 0° and 180°, both excluded.");
    return std::nullopt;
}

double massFunction(double periodDays, double semiAmplitude, double eccentricity)
{
    return massFunctionPerCubedAmplitude(periodDays, eccentricity) * semiAmplitude * semiAmplitude * semiAmplitude;
}

double companionMass(double massFunctionSolar, double starMassSolar, double inclinationRadians)
{
    const double sine = std::sin(inclinationRadians);
    if (!(massFunctionSolar >= 0 && positiveFinite(starMassSolar) && sine > 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (massFunctionSolar == 0)
        return 0;
    return starMassSolar * massRatio(massFunctionSolar / (starMassSolar * sine * sine * sine));
}

double minimumMass(double periodDays, double semiAmplitude, double eccentricity, double starMassSolar)
{
    return companionMass(massFunction(periodDays, semiAmplitude, eccentricity), starMassSolar, std::numbers::pi / 2);
}

double semiAmplitude(double periodDays, double eccentricity, double starMassSolar, double companionMassSolar,
                     double inclinationRadians)
{
    const double projected = companionMassSolar * std::sin(inclinationRadians);
    const double total = starMassSolar + companionMassSolar;
    const double f = projected * projected * projected / (total * total);
    return std::cbrt(f / massFunctionPerCubedAmplitude(periodDays, eccentricity));
}

double semiMajorAxisAu(double periodDays, double starMassSolar, double companionMassSolar)
{
    const double angularPeriod = periodDays * day / twoPi; // P/(2π), s
    return std::cbrt(GM_sun * (starMassSolar + companionMassSolar) * angularPeriod * angularPeriod) / AU;
}

double starOrbitalSpeed(double semiAmplitude, double eccentricity, double inclinationRadians)
{
    return semiAmplitude * std::sqrt((1 - eccentricity) * (1 + eccentricity)) / std::sin(inclinationRadians);
}

} // namespace Kepler
