#include "detection/aliases.h"

#include "numeric/numbertext.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Detection {

namespace {

constexpr int maxAliasOrder = 2;

/// The alias relation of `frequency` to `parent` under the window peaks
/// (lowest |k|, then the strongest window peak, then the nearer sign), or a
/// None label.
AliasLabel relation(double frequency, double parent, std::span<const WindowPeak> windowPeaks, double width)
{
    for (int size = 1; size <= maxAliasOrder; ++size)
        for (const auto &window : windowPeaks) { // strongest first, as windowPeaks() lists them
            const double below = std::abs(std::abs(parent - size * window.frequency) - frequency);
            const double above = std::abs(parent + size * window.frequency - frequency);
            if (std::min(below, above) <= width)
                return {AliasKind::AliasOfPeak, 0,          parent, below <= above ? -size : size,
                        window.frequency,       window.name};
        }
    return {};
}

std::string periodText(double frequency)
{
    const double period = 1 / frequency;
    const double rounded = std::round(period * 1e4) / 1e4;
    return Numeric::shortestText(rounded) + " d";
}

} // namespace

std::vector<AliasLabel> labelAliases(std::span<const Periodogram::Peak> peaks,
                                     std::span<const double> planetFrequencies, std::span<const WindowPeak> windowPeaks,
                                     double spanDays)
{
    std::vector<AliasLabel> labels(peaks.size());
    if (!(spanDays > 0))
        return labels;
    const double width = 1 / spanDays;
    std::vector<std::size_t> order(peaks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return peaks[a].power > peaks[b].power; });
    std::vector<std::size_t> signals; // peaks judged so far that are not aliases
    for (std::size_t index : order) {
        const double f = peaks[index].frequency;
        AliasLabel &label = labels[index];
        const auto window = std::find_if(windowPeaks.begin(), windowPeaks.end(),
                                         [&](const WindowPeak &w) { return std::abs(w.frequency - f) <= width; });
        if (window != windowPeaks.end()) {
            label = {AliasKind::WindowPeak, 0, 0, 0, window->frequency, window->name};
            continue;
        }
        for (std::size_t p = 0; p < planetFrequencies.size() && label.kind == AliasKind::None; ++p) {
            label = relation(f, planetFrequencies[p], windowPeaks, width);
            if (label.kind != AliasKind::None) {
                label.kind = AliasKind::AliasOfPlanet;
                label.parent = p;
            }
        }
        for (std::size_t s = 0; s < signals.size() && label.kind == AliasKind::None; ++s) {
            label = relation(f, peaks[signals[s]].frequency, windowPeaks, width);
            if (label.kind != AliasKind::None)
                label.parent = signals[s];
        }
        if (label.kind == AliasKind::None)
            signals.push_back(index);
    }
    return labels;
}

std::vector<double> aliasFrequencies(double frequency, std::span<const WindowPeak> windowPeaks, double spanDays,
                                     int maxOrder)
{
    std::vector<double> aliases;
    for (int size = 1; size <= maxOrder; ++size)
        for (const auto &window : windowPeaks)
            for (int sign : {-1, 1}) {
                const double alias = std::abs(frequency + sign * size * window.frequency);
                if (alias >= 0.5 / spanDays)
                    aliases.push_back(alias);
            }
    return aliases;
}

std::string describe(const AliasLabel &label)
{
    const std::string window = label.windowName.empty() ? periodText(label.windowFrequency) : label.windowName;
    switch (label.kind) {
    case AliasKind::None:
        return {};
    case AliasKind::WindowPeak:
        return "window peak (" + window + ")";
    case AliasKind::AliasOfPeak:
    case AliasKind::AliasOfPlanet:
        break;
    }
    const std::string parent = label.kind == AliasKind::AliasOfPlanet ? " planet" : " peak";
    const std::string term = std::string(label.order < 0 ? " − " : " + ") + std::to_string(std::abs(label.order));
    return "alias of the " + periodText(label.parentFrequency) + parent + " under the " + window + " window peak (f"
        + term + " f_w)";
}

} // namespace Detection
