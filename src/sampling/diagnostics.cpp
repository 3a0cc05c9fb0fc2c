#include "sampling/diagnostics.h"

#include <unsupported/Eigen/FFT>

#include <algorithm>
#include <array>
#include <complex>
#include <limits>
#include <vector>

namespace Sampling {

double autocorrelationTime(const Chain &chain, int parameter, int firstStep, int stride, double window)
{
    stride = std::max(stride, 1);
    firstStep = (firstStep + stride - 1) / stride * stride;
    const int n = (chain.steps() - firstStep + stride - 1) / stride;
    if (n < 2)
        return std::numeric_limits<double>::quiet_NaN();
    std::size_t padded = 1;
    while (padded < 2 * std::size_t(n))
        padded *= 2;
    Eigen::FFT<double> fft;
    std::vector<double> series(padded);
    std::vector<std::complex<double>> spectrum;
    std::vector<double> autocovariance;
    std::vector<double> meanFunction(std::size_t(n), 0.0);
    int used = 0;
    for (int k = 0; k < chain.walkers; ++k) {
        double mean = 0;
        for (int s = 0; s < n; ++s)
            mean += chain.at(firstStep + s * stride, k, parameter);
        mean /= n;
        std::fill(series.begin(), series.end(), 0.0);
        for (int s = 0; s < n; ++s)
            series[std::size_t(s)] = chain.at(firstStep + s * stride, k, parameter) - mean;
        fft.fwd(spectrum, series);
        for (auto &c : spectrum)
            c = std::norm(c);
        fft.inv(autocovariance, spectrum);
        if (!(autocovariance[0] > 0))
            continue; // a walker that never moved says nothing of the correlation
        for (int t = 0; t < n; ++t)
            meanFunction[std::size_t(t)] += autocovariance[std::size_t(t)] / autocovariance[0];
        ++used;
    }
    if (used == 0)
        return std::numeric_limits<double>::infinity();
    double tau = 1;
    for (int m = 1; m < n; ++m) {
        tau += 2 * meanFunction[std::size_t(m)] / used;
        if (m >= window * tau)
            return tau * stride;
    }
    return tau * stride;
}

double splitRHat(const Chain &chain, int parameter, int firstStep)
{
    const int steps = (chain.steps() - firstStep) / 2;
    const int group = chain.walkers / 2;
    const int n = steps * group;
    if (steps < 2 || group < 1)
        return std::numeric_limits<double>::quiet_NaN();
    constexpr int chains = 4;
    std::array<double, chains> means{};
    double within = 0;
    for (int c = 0; c < chains; ++c) {
        const int start = firstStep + (c % 2) * steps;
        const int firstWalker = (c / 2) * group;
        double mean = 0;
        for (int s = 0; s < steps; ++s)
            for (int k = 0; k < group; ++k)
                mean += chain.at(start + s, firstWalker + k, parameter);
        mean /= n;
        double variance = 0;
        for (int s = 0; s < steps; ++s)
            for (int k = 0; k < group; ++k) {
                const double d = chain.at(start + s, firstWalker + k, parameter) - mean;
                variance += d * d;
            }
        within += variance / (n - 1);
        means[std::size_t(c)] = mean;
    }
    within /= chains;
    double grand = 0;
    for (double m : means)
        grand += m;
    grand /= chains;
    double between = 0;
    for (double m : means)
        between += (m - grand) * (m - grand);
    between *= double(n) / (chains - 1);
    if (!(within > 0))
        return std::numeric_limits<double>::infinity();
    const double pooled = (n - 1.0) / n * within + between / n;
    return std::sqrt(pooled / within);
}

} // namespace Sampling
