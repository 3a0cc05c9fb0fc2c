#include "challenge/observingtimes.h"

#include "challenge/rounding.h"

#include <algorithm>
#include <cmath>

namespace Challenge {

namespace {

constexpr double yearDays = 365.25;
constexpr double seasonGapDays = 120;
constexpr double clearToCloudy = 0.25;
constexpr double cloudyToCloudy = 0.6;

std::vector<int> usableNights(int count, double spanDays, RandomStream &random)
{
    const double seasonPhase = random.uniform(0, yearDays);
    std::vector<int> nights;
    bool cloudy = false;
    for (int night = 0; night < int(spanDays) || int(nights.size()) < count; ++night) {
        cloudy = random.uniform() < (cloudy ? cloudyToCloudy : clearToCloudy);
        const bool starBehindSun = std::fmod(night + seasonPhase, yearDays) < seasonGapDays;
        if (!cloudy && !starBehindSun)
            nights.push_back(night);
    }
    return nights;
}

std::vector<double> nightlyTimes(int count, double startTime, double spanDays, RandomStream &random)
{
    std::vector<int> nights = usableNights(count, spanDays, random);
    // A partial Fisher–Yates shuffle picks `count` of them, each set alike.
    for (int i = 0; i < count; ++i) {
        const auto pick = i + std::size_t(random.below(nights.size() - std::size_t(i)));
        std::swap(nights[std::size_t(i)], nights[pick]);
    }
    nights.resize(std::size_t(count));
    std::sort(nights.begin(), nights.end());
    std::vector<double> times;
    times.reserve(nights.size());
    for (int night : nights)
        times.push_back(roundedTo(startTime + night + nightWindowDays * random.uniform(), 1e-5));
    return times;
}

} // namespace

std::vector<double> observingTimes(Cadence cadence, int count, double startTime, double spanDays, RandomStream &random)
{
    if (cadence == Cadence::Nightly)
        return nightlyTimes(count, startTime, spanDays, random);
    std::vector<double> times;
    times.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        times.push_back(roundedTo(startTime + random.uniform(0, spanDays), 1e-5));
    std::sort(times.begin(), times.end());
    return times;
}

} // namespace Challenge
