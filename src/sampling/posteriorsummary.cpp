#include "sampling/posteriorsummary.h"

#include "kepler/keplerorbit.h"
#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"
#include "numeric/mathconstants.h"
#include "numeric/numbertext.h"
#include "sampling/randomstream.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Sampling {

namespace {

constexpr int derivedPerPlanet = 7;

/// The value of rank fraction·(n − 1), linearly between neighbours, for
/// samples already partitioned below `from`.
double quantile(std::span<double> samples, double fraction, std::size_t &from)
{
    const double position = fraction * double(samples.size() - 1);
    const auto below = std::size_t(position);
    std::nth_element(samples.begin() + std::ptrdiff_t(from), samples.begin() + std::ptrdiff_t(below), samples.end());
    const double low = samples[below];
    double high = low;
    if (below + 1 < samples.size())
        high = *std::min_element(samples.begin() + std::ptrdiff_t(below) + 1, samples.end());
    from = below;
    return low + (position - double(below)) * (high - low);
}

double circularMeanDegrees(std::span<const double> degrees)
{
    double c = 0;
    double s = 0;
    for (double d : degrees) {
        c += std::cos(d * MathConstants::radiansPerDegree);
        s += std::sin(d * MathConstants::radiansPerDegree);
    }
    return std::atan2(s, c) * MathConstants::degreesPerRadian;
}

/// The value to the decimal place that the smaller half-width of its interval
/// keeps, as the tables round.
std::string roundedText(double value, double halfWidth)
{
    const int decimals = std::max(Numeric::decimalsForUncertainty(halfWidth), 0);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

std::string medianText(const Interval &interval)
{
    const double above = interval.upper68 - interval.median;
    const double below = interval.median - interval.lower68;
    const double step = std::min(above, below) > 0 ? std::min(above, below) : std::max(above, below);
    return roundedText(interval.median, step) + " +" + roundedText(above, step) + " −" + roundedText(below, step);
}

std::string intervalText(const Interval &interval, double low, double high)
{
    const double step = std::min(interval.upper68 - interval.median, interval.median - interval.lower68);
    return "[" + roundedText(low, step) + ", " + roundedText(high, step) + "]";
}

std::string fitText(const Summary &summary)
{
    if (summary.fitUncertainty > 0 && std::isfinite(summary.fitUncertainty))
        return Numeric::measuredText(summary.fitValue, summary.fitUncertainty);
    const Interval &p = summary.posterior;
    return roundedText(summary.fitValue, std::min(p.upper68 - p.median, p.median - p.lower68));
}

std::vector<double> thinnedForPlots(std::span<const double> samples)
{
    const std::size_t every = (samples.size() + plotSamples - 1) / plotSamples;
    std::vector<double> kept;
    for (std::size_t i = 0; i < samples.size(); i += std::max<std::size_t>(every, 1))
        kept.push_back(samples[i]);
    return kept;
}

Interval intervalOf(std::span<double> samples, bool circular)
{
    if (samples.empty())
        return {};
    if (circular) {
        const double centre = circularMeanDegrees(samples);
        for (double &d : samples)
            d = centre + std::remainder(d - centre, 360.0);
    }
    std::size_t from = 0;
    Interval interval;
    interval.lower95 = quantile(samples, 0.025, from);
    interval.lower68 = quantile(samples, 0.158655, from);
    interval.median = quantile(samples, 0.5, from);
    interval.upper68 = quantile(samples, 0.841345, from);
    interval.upper95 = quantile(samples, 0.975, from);
    if (circular) {
        const double turns = std::floor(interval.median / 360.0) * 360.0;
        for (double *v : {&interval.lower95, &interval.lower68, &interval.median, &interval.upper68, &interval.upper95})
            *v -= turns;
    }
    return interval;
}

std::vector<Summary> derivedSummaries(const PosteriorModel &model, const Chain &chain, int firstStep,
                                      const Fitting::Result &fit, double starMassUncertainty, std::uint64_t seed,
                                      std::vector<SampleColumn> *columns)
{
    const int steps = chain.steps() - firstStep;
    const std::size_t count = std::size_t(std::max(steps, 0)) * std::size_t(chain.walkers);
    const int stride = model.parametersPerPlanet();
    std::vector<Summary> summaries;
    std::vector<std::vector<double>> samples(derivedPerPlanet, std::vector<double>(count));
    for (int j = 0; j < model.planets(); ++j) {
        std::size_t i = 0;
        for (int s = firstStep; s < chain.steps(); ++s) {
            for (int k = 0; k < chain.walkers; ++k, ++i) {
                const double *p = chain.point(s, k).data() + j * stride;
                const double period = std::exp(p[0]);
                const double amplitude = std::exp(p[1]);
                const double e = model.circular() ? 0.0 : p[2] * p[2] + p[3] * p[3];
                const double omega = model.circular() || e == 0 ? 0.0 : std::atan2(p[3], p[2]);
                RandomStream random(seed ^ 0x5bd1e995ULL, std::uint64_t(s), std::uint64_t(k));
                const double starMass =
                    std::max(fit.starMassSolar + starMassUncertainty * random.normal(), 0.01 * fit.starMassSolar);
                const double mass = Kepler::minimumMass(period, amplitude, e, starMass);
                samples[0][i] = period;
                samples[1][i] = amplitude;
                samples[2][i] = e;
                samples[3][i] = omega * MathConstants::degreesPerRadian;
                samples[4][i] = Kepler::periastronFromConjunction(p[stride - 1], period, e, omega);
                samples[5][i] = mass * Kepler::jupiterMassesPerSolarMass;
                samples[6][i] = Kepler::semiMajorAxisAu(period, starMass, mass);
            }
        }
        const auto &value = fit.planets[std::size_t(j)].value;
        const auto &sigma = fit.planets[std::size_t(j)].uncertainty;
        const std::string n = std::to_string(j + 1);
        const double fitA = Kepler::semiMajorAxisAu(value.periodDays, fit.starMassSolar,
                                                    value.minimumMassJupiter / Kepler::jupiterMassesPerSolarMass);
        const struct
        {
            const char *name;
            const char *unit;
            double value;
            double sigma;
        } rows[derivedPerPlanet] = {
            {"P", "d", value.periodDays, sigma.periodDays},
            {"K", "m/s", value.semiAmplitude, sigma.semiAmplitude},
            {"e", "", value.eccentricity, sigma.eccentricity},
            {"w", "deg", value.omegaRadians * MathConstants::degreesPerRadian,
             sigma.omegaRadians * MathConstants::degreesPerRadian},
            {"Tp", "d", value.periastronTime, sigma.periastronTime},
            {"m sin i", "M_Jup", value.minimumMassJupiter, sigma.minimumMassJupiter},
            {"a", "AU", fitA, 0.0},
        };
        for (int q = 0; q < derivedPerPlanet; ++q) {
            Summary summary;
            summary.name = rows[q].name + n;
            summary.unit = rows[q].unit;
            if (columns)
                columns->push_back({summary.name, summary.unit, thinnedForPlots(samples[std::size_t(q)])});
            summary.posterior = intervalOf(samples[std::size_t(q)], q == 3);
            summary.fitValue = rows[q].value;
            summary.fitUncertainty = rows[q].sigma;
            summaries.push_back(std::move(summary));
        }
    }
    return summaries;
}

std::string disagreement(std::span<const Summary> derived)
{
    std::string named;
    for (const Summary &s : derived) {
        const bool judged = s.name.starts_with("P") || s.name.starts_with("K") || s.name.starts_with("e");
        if (!judged || !(s.fitUncertainty > 0) || !std::isfinite(s.fitUncertainty))
            continue;
        const Interval &p = s.posterior;
        const double above = p.upper68 - p.median;
        const double below = p.median - p.lower68;
        const double width = (above + below) / 2;
        if (!(width > 0))
            continue;
        const double ratio = width / s.fitUncertainty;
        const bool wider = ratio > 1.5 || ratio < 1 / 1.5;
        const bool shifted = std::abs(p.median - s.fitValue) > width;
        const bool lopsided = above > 1.5 * below || below > 1.5 * above;
        const bool crossesZero = s.name.starts_with("e") && s.fitValue - s.fitUncertainty < 0;
        if (!(wider || shifted || lopsided || crossesZero))
            continue;
        const double step = std::min(above, below);
        named += (named.empty() ? "" : "; ") + s.name + " (fit " + Numeric::measuredText(s.fitValue, s.fitUncertainty)
            + ", posterior median " + roundedText(p.median, step) + " with 68.3 % interval ["
            + roundedText(p.lower68, step) + ", " + roundedText(p.upper68, step) + "])";
    }
    if (named.empty())
        return {};
    return "The posterior and the fit's covariance disagree for " + named
        + ": the posterior is skewed, shifted or wider than the covariance says; report the posterior.";
}

} // namespace Sampling
