#include "detection/spottedstar.h"

#include "numeric/mathconstants.h"
#include "numeric/seededrandom.h"

#include <cmath>
#include <numeric>

namespace Detection {

namespace {

/// Regions are born this many lifetimes before the first and after the last
/// measurement, so the activity is already under way when observing starts.
constexpr double lead = 3;

struct ActiveRegion
{
    double peakTime;  ///< t_k, days
    double longitude; ///< λ_k, radians
};

std::vector<ActiveRegion> activeRegions(double start, double end, const SpottedStar &star,
                                        Numeric::SeededRandom &random)
{
    std::vector<ActiveRegion> regions;
    const double meanSpacing = star.spotLifetimeDays / 2;
    for (double t = start - lead * star.spotLifetimeDays; t < end + lead * star.spotLifetimeDays;) {
        t += -meanSpacing * std::log1p(-random.uniform()); // exponential spacing: births at random
        regions.push_back({t, MathConstants::twoPi * random.uniform()});
    }
    return regions;
}

double activity(double t, const std::vector<ActiveRegion> &regions, const SpottedStar &star)
{
    double sum = 0;
    for (const auto &region : regions) {
        const double age = (t - region.peakTime) / star.spotLifetimeDays;
        if (std::abs(age) > 2 * lead)
            continue;
        sum += std::exp(-0.5 * age * age) * 0.5
            * (1 + std::cos(MathConstants::twoPi * t / star.rotationPeriodDays - region.longitude));
    }
    return sum;
}

std::string refusalOf(const SpottedStar &star)
{
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    const auto notNegative = [](double v) { return std::isfinite(v) && v >= 0; };
    if (!positive(star.rotationPeriodDays))
        return "the rotation period must be a finite number of days > 0";
    if (!positive(star.spotLifetimeDays))
        return "the spot lifetime must be a finite number of days > 0";
    if (!notNegative(star.velocityAmplitude) || !notNegative(star.indexAmplitude) || !notNegative(star.indexNoise))
        return "the activity's amplitudes and the index noise must be finite and ≥ 0";
    if (!std::isfinite(star.indexBase))
        return "the index's quiet level must be a finite number";
    return {};
}

} // namespace

Numeric::Outcome<SpottedData> simulateSpottedStar(std::span<const Kepler::Orbit> planets,
                                                  const Observations::SyntheticPlan &plan, const SpottedStar &star)
{
    if (const std::string reason = refusalOf(star); !reason.empty())
        return Numeric::Refusal{reason};
    if (const auto reason = Observations::refusal(plan))
        return Numeric::Refusal{*reason};
    for (const auto &planet : planets)
        if (auto reason = Kepler::refusal(planet))
            return *reason;
    SpottedData spotted{Observations::simulate(planets, plan), {}};
    const auto &measurements = spotted.data.measurements;
    if (measurements.empty())
        return Numeric::Refusal{"the plan gave no measurements"};
    Numeric::SeededRandom random(star.seed);
    const auto regions = activeRegions(measurements.front().time, measurements.back().time, star, random);
    std::vector<double> signal;
    for (const auto &m : measurements)
        signal.push_back(activity(m.time, regions, star));
    const double n = double(signal.size());
    const double mean = std::accumulate(signal.begin(), signal.end(), 0.0) / n;
    double squares = 0;
    for (double &a : signal) {
        a -= mean;
        squares += a * a;
    }
    const double scale = squares > 0 ? std::sqrt(2 * n / squares) : 0; // √2 / rms
    for (std::size_t i = 0; i < signal.size(); ++i) {
        spotted.data.measurements[i].velocity += star.velocityAmplitude * scale * signal[i];
        spotted.index.push_back(star.indexBase + star.indexAmplitude * scale * signal[i]
                                + star.indexNoise * random.normal());
    }
    return spotted;
}

Observations::DataSet withSIndex(SpottedData spotted)
{
    spotted.data.activity.push_back({"S-index", std::move(spotted.index)});
    return std::move(spotted.data);
}

} // namespace Detection
