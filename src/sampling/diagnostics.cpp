#include "sampling/diagnostics.h"

#include <unsupported/Eigen/FFT>

#include <algorithm>
#include <array>
#include <cmath>
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
    return splitRHats(chain, firstStep)[std::size_t(parameter)];
}

std::vector<double> splitRHats(const Chain &chain, int firstStep)
{
    const int d = chain.dimension;
    const int steps = (chain.steps() - firstStep) / 2;
    const int group = chain.walkers / 2;
    const int n = steps * group;
    std::vector<double> rHats(std::size_t(d), std::numeric_limits<double>::quiet_NaN());
    if (steps < 2 || group < 1)
        return rHats;
    constexpr int chains = 4;
    // Per chain and parameter, the sums of x − x₀ and (x − x₀)², x₀ the
    // chain's first value, which lies inside the distribution, so that the
    // variance from the sums loses no digits to a large mean.
    std::vector<double> shifts(std::size_t(chains * d)), sums(std::size_t(chains * d)),
        squares(std::size_t(chains * d));
    for (int c = 0; c < chains; ++c) {
        const int start = firstStep + (c % 2) * steps;
        const int firstWalker = (c / 2) * group;
        double *shift = shifts.data() + std::size_t(c * d);
        double *sum = sums.data() + std::size_t(c * d);
        double *square = squares.data() + std::size_t(c * d);
        const auto first = chain.point(start, firstWalker);
        std::copy(first.begin(), first.end(), shift);
        for (int s = 0; s < steps; ++s)
            for (int k = 0; k < group; ++k) {
                const double *x = chain.point(start + s, firstWalker + k).data();
                for (int p = 0; p < d; ++p) {
                    const double v = x[p] - shift[p];
                    sum[p] += v;
                    square[p] += v * v;
                }
            }
    }
    for (int p = 0; p < d; ++p) {
        std::array<double, chains> means{};
        double within = 0;
        for (int c = 0; c < chains; ++c) {
            const std::size_t i = std::size_t(c * d + p);
            means[std::size_t(c)] = shifts[i] + sums[i] / n;
            within += (squares[i] - sums[i] * sums[i] / n) / (n - 1);
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
        if (!(within > 0)) {
            rHats[std::size_t(p)] = std::numeric_limits<double>::infinity();
            continue;
        }
        const double pooled = (n - 1.0) / n * within + between / n;
        rHats[std::size_t(p)] = std::sqrt(pooled / within);
    }
    return rHats;
}

} // namespace Sampling
