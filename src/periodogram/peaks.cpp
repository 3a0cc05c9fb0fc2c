#include "periodogram/peaks.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <set>

namespace Periodogram {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// Side lobes: how far from their peak they reach, how strong the window's
/// lobe must be there to make any maximum a lobe, and how much of the peak's
/// power a weaker lobe may carry over (the floating mean and the noise move a
/// lobe's power from window × power by some tens of per cent).
constexpr double sideLobeReach = 1.0 / 60; ///< cycles/day
constexpr double sideLobeWindow = 0.25;
constexpr double sideLobeCarry = 1.2;
/// A lobe's power is the window's highest within this many grid steps of the
/// offset (10 points per peak width): the lobe's teeth, one peak width apart.
constexpr std::size_t lobeSteps = 10;

/// Beyond this many point-offset products the side-lobe test is skipped
/// (only the peak width then separates peaks): hostile spans and grids stay cheap.
constexpr double sideLobeBudget = 2e8;

/// The sampling's window at the offsets a spectrum's grid can put between
/// two of its maxima (whole steps of the grid), computed when first asked.
class Window
{
public:
    Window(const Observations::DataSet &data, double gridStep) : m_step(gridStep)
    {
        const auto [first, last] = std::minmax_element(data.measurements.begin(), data.measurements.end(),
                                                       [](const auto &a, const auto &b) { return a.time < b.time; });
        m_span = last->time - first->time;
        double total = 0;
        for (const auto &m : data.measurements) {
            m_times.push_back(m.time - first->time);
            m_weights.push_back(1 / (m.uncertainty * m.uncertainty));
            total += m_weights.back();
        }
        for (double &w : m_weights)
            w /= total;
        const double offsets = sideLobeReach / m_step + lobeSteps + 1;
        if (m_step > 0 && offsets * double(m_times.size()) <= sideLobeBudget)
            m_power.assign(std::size_t(offsets), -1.0);
    }

    double span() const { return m_span; }

    /// The window's highest power within lobeSteps of the offset; 0 beyond
    /// the side lobes' reach.
    double lobe(double offset)
    {
        const auto centre = std::size_t(std::lround(offset / m_step));
        if (centre + lobeSteps >= m_power.size())
            return 0;
        double highest = 0;
        for (std::size_t j = centre < lobeSteps ? 0 : centre - lobeSteps; j <= centre + lobeSteps; ++j)
            highest = std::max(highest, power(j));
        return highest;
    }

private:
    /// |Σ w_i e^{2πiΔf t_i}|² at Δf = j steps: 1 at zero, the share of a
    /// sinusoid's power that the sampling moves Δf away.
    double power(std::size_t j)
    {
        if (m_power[j] < 0) {
            std::complex<double> sum;
            for (std::size_t i = 0; i < m_times.size(); ++i)
                sum += m_weights[i] * std::polar(1.0, twoPi * double(j) * m_step * m_times[i]);
            m_power[j] = std::norm(sum);
        }
        return m_power[j];
    }

    double m_step;
    double m_span = 0;
    std::vector<double> m_times;   ///< days after the first
    std::vector<double> m_weights; ///< 1/σ², normalised to sum 1
    std::vector<double> m_power;   ///< by offset in grid steps; −1 until computed
};

bool belongsTo(const Peak &higher, double frequency, double power, Window &window)
{
    const double offset = std::abs(higher.frequency - frequency);
    if (offset < 1 / window.span())
        return true;
    if (offset > sideLobeReach)
        return false;
    const double lobe = window.lobe(offset);
    return lobe >= sideLobeWindow || power <= sideLobeCarry * lobe * higher.power;
}

std::size_t instrumentsUsed(const Observations::DataSet &data)
{
    std::set<int> used;
    for (const auto &m : data.measurements)
        used.insert(m.instrument);
    return std::max<std::size_t>(used.size(), 1);
}

} // namespace

double falseAlarmProbability(double power, const Observations::DataSet &data, double maxFrequency)
{
    const double n = double(data.measurements.size());
    const double nullParameters = double(instrumentsUsed(data));
    const double nH = n - nullParameters;
    const double nK = nH - 2;
    if (nK < 2 || !(power > 0))
        return 1.0;
    const double p = std::min(power, 1.0);
    double totalWeight = 0, meanTime = 0, meanSquare = 0;
    for (const auto &m : data.measurements) {
        const double w = 1 / (m.uncertainty * m.uncertainty);
        totalWeight += w;
        meanTime += w * m.time;
    }
    meanTime /= totalWeight;
    for (const auto &m : data.measurements)
        meanSquare += (m.time - meanTime) * (m.time - meanTime) / (m.uncertainty * m.uncertainty);
    const double timeVariance = meanSquare / totalWeight;
    const double single = std::pow(1 - p, nK / 2);
    const double gammaH = std::sqrt(2 / nH) * std::exp(std::lgamma(nH / 2) - std::lgamma((nH - 1) / 2));
    const double effectiveSpan = std::sqrt(4 * std::numbers::pi * timeVariance);
    const double w = maxFrequency * effectiveSpan;
    const double tau = gammaH * w * std::pow(1 - p, (nK - 1) / 2) * std::sqrt(nH * p / 2);
    // 1 − (1 − Ψ) e^{−τ}, written so that a small FAP keeps its digits.
    return std::clamp(-std::expm1(-tau) + single * std::exp(-tau), 0.0, 1.0);
}

std::vector<Peak> highestPeaks(const Spectrum &spectrum, const Observations::DataSet &data, std::size_t count)
{
    const auto &f = spectrum.frequencies;
    const auto &p = spectrum.power;
    if (f.size() < 3 || p.size() != f.size() || data.measurements.size() < 2)
        return {};
    Window window(data, f[1] - f[0]);
    if (!(window.span() > 0))
        return {};
    std::vector<std::size_t> maxima;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const bool aboveLeft = k == 0 || p[k] > p[k - 1];
        const bool notBelowRight = k + 1 == p.size() || p[k] >= p[k + 1];
        if (aboveLeft && notBelowRight && p[k] > 0)
            maxima.push_back(k);
    }
    std::sort(maxima.begin(), maxima.end(), [&](std::size_t a, std::size_t b) { return p[a] > p[b]; });
    std::vector<Peak> peaks;
    for (std::size_t k : maxima) {
        if (peaks.size() == count)
            break;
        const bool listed = std::any_of(peaks.begin(), peaks.end(),
                                        [&](const Peak &higher) { return belongsTo(higher, f[k], p[k], window); });
        if (!listed)
            peaks.push_back({1 / f[k], f[k], p[k], falseAlarmProbability(p[k], data, f.back())});
    }
    return peaks;
}

} // namespace Periodogram
