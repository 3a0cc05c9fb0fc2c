#include "detection/spectralwindow.h"

#include "numeric/mathconstants.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace Detection {

namespace {

/// The rotations drift by about one rounding per step; restarting from exact
/// sines and cosines this often keeps W within 1e-12 of the definition.
constexpr std::size_t refreshSteps = 512;

bool usable(const Observations::DataSet &data)
{
    if (data.measurements.empty())
        return false;
    return std::all_of(data.measurements.begin(), data.measurements.end(), [](const auto &m) {
        return std::isfinite(m.time) && std::isfinite(m.uncertainty) && m.uncertainty > 0;
    });
}

} // namespace

double timeSpan(const Observations::DataSet &data)
{
    if (data.measurements.empty())
        return 0;
    const auto [first, last] = std::minmax_element(data.measurements.begin(), data.measurements.end(),
                                                   [](const auto &a, const auto &b) { return a.time < b.time; });
    return last->time - first->time;
}

Periodogram::Spectrum spectralWindow(const Observations::DataSet &data, const Periodogram::FrequencyGrid &grid,
                                     const std::atomic<bool> *cancel)
{
    Periodogram::Spectrum window;
    if (!usable(data) || grid.count < 2)
        return window;
    const std::size_t n = data.measurements.size();
    std::vector<double> weight(n), time(n);
    double totalWeight = 0, meanTime = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto &m = data.measurements[i];
        weight[i] = 1 / (m.uncertainty * m.uncertainty);
        totalWeight += weight[i];
        meanTime += weight[i] * m.time;
    }
    meanTime /= totalWeight;
    for (std::size_t i = 0; i < n; ++i) {
        weight[i] /= totalWeight;
        time[i] = data.measurements[i].time - meanTime; // |W| does not depend on the origin; small phases keep digits
    }
    const double step = grid.step();
    std::vector<std::complex<double>> term(n), rotation(n);
    for (std::size_t i = 0; i < n; ++i)
        rotation[i] = std::polar(1.0, MathConstants::twoPi * step * time[i]);
    window.frequencies.resize(grid.count);
    window.power.resize(grid.count);
    for (std::size_t k = 0; k < grid.count; ++k) {
        const double frequency = grid.minFrequency + double(k) * step;
        if (k % refreshSteps == 0) {
            if (cancel && cancel->load())
                return {};
            for (std::size_t i = 0; i < n; ++i)
                term[i] = std::polar(weight[i], MathConstants::twoPi * frequency * time[i]);
        }
        std::complex<double> sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            sum += term[i];
            term[i] *= rotation[i];
        }
        window.frequencies[k] = frequency;
        window.power[k] = std::norm(sum);
    }
    return window;
}

Periodogram::FrequencyGrid windowGrid(const Observations::DataSet &data)
{
    Periodogram::FrequencyGrid grid = Periodogram::automaticGrid(data);
    const double span = timeSpan(data);
    if (grid.count < 2 || span <= 0)
        return grid;
    constexpr double dailyReach = 1.2;
    if (grid.maxFrequency < dailyReach)
        grid = Periodogram::gridBetween(grid.minFrequency, dailyReach, span);
    return grid;
}

std::vector<WindowPeak> windowPeaks(const Periodogram::Spectrum &window, double spanDays, std::size_t count,
                                    double minPower)
{
    std::vector<WindowPeak> peaks;
    const auto &f = window.frequencies;
    const auto &w = window.power;
    if (f.size() < 3 || !(spanDays > 0))
        return peaks;
    const double width = 1 / spanDays;
    std::vector<WindowPeak> maxima;
    for (std::size_t k = 1; k + 1 < f.size(); ++k)
        if (w[k] >= w[k - 1] && w[k] > w[k + 1] && w[k] >= minPower && f[k] >= width)
            maxima.push_back({f[k], w[k], {}});
    std::sort(maxima.begin(), maxima.end(), [](const auto &a, const auto &b) { return a.power > b.power; });
    for (auto &candidate : maxima) {
        if (peaks.size() >= count)
            break;
        const bool near = std::any_of(peaks.begin(), peaks.end(), [&](const WindowPeak &taken) {
            return std::abs(taken.frequency - candidate.frequency) < width;
        });
        if (near)
            continue;
        double nearest = width;
        for (const auto &named : namedWindowFrequencies) {
            const double distance = std::abs(named.frequency - candidate.frequency);
            if (distance <= nearest) {
                nearest = distance;
                candidate.name = named.name;
            }
        }
        peaks.push_back(candidate);
    }
    return peaks;
}

} // namespace Detection
