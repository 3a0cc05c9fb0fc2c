#include "fitting/candidates.h"

#include "detection/aliases.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

namespace Fitting::Search {

namespace {

/// How many distinct residual peaks each periodogram offers as starts.
constexpr std::size_t candidatePeaks = 5;

/// How many of those bring their alias families along.
constexpr std::size_t peaksWithFamilies = 3;

/// The most candidates fitted in one step: the peaks themselves and the
/// strongest members of their families.
constexpr std::size_t mostCandidates = 14;

constexpr std::size_t windowPeakCount = 8;

/// Half-width (cycles/day) of the bands around the day, the sidereal day and
/// their harmonics up to the fourth where a signal is the alias of one slower than
/// 100 days as much as a planet of its own.
constexpr double dailyZone = 1.0 / 100;

/// Unnamed window peaks slower than this (cycles/day) come from the uneven
/// run of seasons; their aliases lie among the slow signals the fits must
/// tell apart themselves, and leaving them out would forbid two slow planets
/// with such a peak between them (47 UMa b and c).
constexpr double slowestWindowPeak = 1.0 / 100;

/// Every ground-based series is sampled at night, so the day and the
/// sidereal day, and their second harmonics, always raise aliases, even
/// where the window's seasonal lobes outrank them.
constexpr double windowPeakMinPower = 0.2;

/// The frequency of the highest power within one peak width of `frequency`.
double localMaximum(const Periodogram::Spectrum &spectrum, double frequency, double width)
{
    const auto &f = spectrum.frequencies;
    auto first = std::lower_bound(f.begin(), f.end(), frequency - width);
    const auto last = std::upper_bound(first, f.end(), frequency + width);
    if (first == last)
        return frequency;
    const auto begin = spectrum.power.begin() + (first - f.begin());
    const auto highest = std::max_element(begin, begin + (last - first));
    return f[std::size_t(highest - spectrum.power.begin())];
}

/// Each measurement's share ℓ_i of −ln L under the state's model, and r_i² / V_i.
void shares(const State &state, std::vector<double> &likelihood, std::vector<double> &chiSquare)
{
    RvModel model(state.data, state.layout);
    model.negativeLogLikelihood(state.x);
    likelihood.resize(state.data.size());
    chiSquare.resize(state.data.size());
    for (std::size_t i = 0; i < state.data.size(); ++i) {
        const double r = state.data.velocity[i] - model.mean()[i];
        likelihood[i] = likelihoodTerm(r, model.variance()[i]);
        chiSquare[i] = r * r / model.variance()[i];
    }
}

/// The window peaks in the bands of nearTheDay(). A planet's aliases under
/// them are nearly as strong as the planet and survive any misfit of its
/// orbit; its aliases under the slow peaks (the year, the seasons) are
/// weaker, vanish with the planet from the residuals of a joint fit, and lie
/// within a peak width of slow planets of their own (HD 202206 c's 1383 days
/// lie a fifth of a peak width from b's yearly alias), so a start there is
/// judged by its fit like any other.
std::vector<Detection::WindowPeak> dailyPeaks(std::span<const Detection::WindowPeak> window)
{
    std::vector<Detection::WindowPeak> daily;
    std::copy_if(window.begin(), window.end(), std::back_inserter(daily),
                 [](const auto &w) { return nearTheDay(w.frequency); });
    return daily;
}

} // namespace

std::vector<Detection::WindowPeak> samplingPeaks(const Observations::DataSet &data, const std::atomic<bool> *cancel)
{
    const auto window = Detection::spectralWindow(data, Detection::windowGrid(data), cancel);
    const double span = Detection::timeSpan(data);
    std::vector<Detection::WindowPeak> peaks;
    for (auto &peak : Detection::windowPeaks(window, span, windowPeakCount, windowPeakMinPower))
        if (!peak.name.empty() || peak.frequency >= slowestWindowPeak)
            peaks.push_back(std::move(peak));
    for (const auto &daily : {Detection::namedWindowFrequencies[0], Detection::namedWindowFrequencies[1]})
        for (int harmonic : {1, 2}) {
            const double f = harmonic * daily.frequency;
            if (std::none_of(peaks.begin(), peaks.end(),
                             [&](const auto &p) { return std::abs(p.frequency - f) <= 1 / span; }))
                peaks.push_back({f, 0, harmonic == 1 ? daily.name : std::string("half ") + daily.name});
        }
    return peaks;
}

bool nearTheDay(double frequency)
{
    for (const auto &daily : {Detection::namedWindowFrequencies[0], Detection::namedWindowFrequencies[1]})
        for (int harmonic = 1; harmonic <= 4; ++harmonic)
            if (std::abs(frequency - harmonic * daily.frequency) < dailyZone)
                return true;
    return false;
}

bool onWindowPeak(double frequency, std::span<const Detection::WindowPeak> window, double spanDays)
{
    return std::any_of(window.begin(), window.end(),
                       [&](const auto &w) { return std::abs(w.frequency - frequency) <= 1.5 / spanDays; });
}

bool aliasOfPlanet(double frequency, std::span<const double> planetFrequencies,
                   std::span<const Detection::WindowPeak> window, double spanDays)
{
    const auto near = [&](double f) { return std::abs(f - frequency) <= 1 / spanDays; };
    for (double planet : planetFrequencies) {
        const auto aliases = Detection::aliasFrequencies(planet, window, spanDays);
        if (near(planet) || std::any_of(aliases.begin(), aliases.end(), near))
            return true;
    }
    return false;
}

std::vector<double> candidateFrequencies(const State &state, std::span<const Observations::DataSet> weightings,
                                         std::span<const Detection::WindowPeak> window, const std::atomic<bool> *cancel)
{
    const double span = timeSpan(state.data);
    std::vector<double> planets;
    for (int j = 0; j < state.layout.planets; ++j)
        planets.push_back(1 / state.period(j));
    const std::vector<Detection::WindowPeak> daily = dailyPeaks(window);
    std::vector<double> candidates;
    const auto offer = [&](double f) {
        const bool onGrid = f >= state.grid.minFrequency && f <= state.grid.maxFrequency;
        const bool known =
            std::any_of(candidates.begin(), candidates.end(), [&](double c) { return std::abs(c - f) < 1 / span; });
        const bool fresh = onGrid && !known && !nearTheDay(f) && !aliasOfPlanet(f, planets, daily, span);
        if (fresh)
            candidates.push_back(f);
        return fresh;
    };
    std::vector<std::pair<double, double>> family; // power, frequency
    for (const auto &set : weightings) {
        const auto spectrum = Periodogram::generalisedLombScargle(set, state.grid, cancel);
        if (!spectrum)
            continue;
        const auto peaks = Periodogram::highestPeaks(*spectrum, set, candidatePeaks);
        for (const auto &peak : peaks)
            offer(peak.frequency);
        for (std::size_t p = 0; p < std::min(peaks.size(), peaksWithFamilies); ++p)
            for (int harmonic : {2, 3})
                offer(peaks[p].frequency / harmonic);
        for (std::size_t p = 0; p < std::min(peaks.size(), peaksWithFamilies); ++p)
            for (double alias : Detection::aliasFrequencies(peaks[p].frequency, window, span)) {
                const double f = localMaximum(*spectrum, alias, 1 / span);
                const auto at = std::lower_bound(spectrum->frequencies.begin(), spectrum->frequencies.end(), f);
                if (at != spectrum->frequencies.end())
                    family.emplace_back(spectrum->power[std::size_t(at - spectrum->frequencies.begin())], f);
            }
    }
    std::sort(family.begin(), family.end(), std::greater<>());
    for (std::size_t m = 0; m < family.size() && candidates.size() < mostCandidates; ++m)
        offer(family[m].second);
    return candidates;
}

std::vector<double> untriedRelatives(const State &state, double frequency, std::span<const double> tried,
                                     std::span<const Detection::WindowPeak> window)
{
    const double span = timeSpan(state.data);
    std::vector<double> planets;
    for (int j = 0; j < state.layout.planets; ++j)
        planets.push_back(1 / state.period(j));
    const std::vector<Detection::WindowPeak> daily = dailyPeaks(window);
    std::vector<double> relatives = Detection::aliasFrequencies(frequency, window, span);
    relatives.push_back(2 * frequency);
    relatives.push_back(frequency / 2);
    std::vector<double> untried;
    for (double relative : relatives) {
        const auto near = [&](double f) { return std::abs(f - relative) < 1 / span; };
        if (relative >= state.grid.minFrequency && relative <= state.grid.maxFrequency && !nearTheDay(relative)
            && std::none_of(tried.begin(), tried.end(), near) && std::none_of(untried.begin(), untried.end(), near)
            && !aliasOfPlanet(relative, planets, daily, span))
            untried.push_back(relative);
    }
    return untried;
}

double explainedShare(const State &before, const State &after)
{
    std::vector<double> likelihoodBefore, chiSquareBefore, likelihoodAfter, chiSquareAfter;
    shares(before, likelihoodBefore, chiSquareBefore);
    shares(after, likelihoodAfter, chiSquareAfter);
    const std::size_t n = likelihoodBefore.size();
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    const auto gain = [&](std::size_t i) { return likelihoodBefore[i] - likelihoodAfter[i]; };
    const std::size_t leftOut = std::min(n, std::max<std::size_t>(1, (3 * n + 99) / 100));
    std::partial_sort(order.begin(), order.begin() + std::ptrdiff_t(leftOut), order.end(),
                      [&](std::size_t a, std::size_t b) { return gain(a) > gain(b); });
    double gained = 0, scatterBefore = 0, scatterAfter = 0;
    for (std::size_t k = leftOut; k < n; ++k) {
        gained += gain(order[k]);
        scatterBefore += chiSquareBefore[order[k]];
        scatterAfter += chiSquareAfter[order[k]];
    }
    const double kept = double(n - leftOut);
    if (!before.layout.jitter)
        gained = scatterAfter > 0 ? 0.5 * kept * std::log(scatterBefore / scatterAfter) : 0.0;
    return kept > 0 ? std::clamp(1 - std::exp(-2 * gained / kept), 0.0, 1.0) : 0.0;
}

} // namespace Fitting::Search
