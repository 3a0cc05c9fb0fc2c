#include "detection/activity.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

namespace Detection {

namespace {

/// The continued fraction of I_x(a, b) (DLMF 8.17.22) by the modified Lentz
/// method; converges fast for x < (a + 1)/(a + b + 2).
double betaContinuedFraction(double x, double a, double b)
{
    constexpr double tiny = 1e-300;
    constexpr double tolerance = 1e-15;
    constexpr int maxTerms = 10000;
    double c = 1, d = 1 - (a + b) * x / (a + 1);
    d = 1 / (std::abs(d) < tiny ? tiny : d);
    double value = d;
    for (int m = 1; m <= maxTerms; ++m) {
        for (int half = 0; half < 2; ++half) {
            const double coefficient = half == 0 ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                                                 : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
            d = 1 + coefficient * d;
            d = 1 / (std::abs(d) < tiny ? tiny : d);
            c = 1 + coefficient / c;
            c = std::abs(c) < tiny ? tiny : c;
            value *= c * d;
            if (half == 1 && std::abs(c * d - 1) < tolerance)
                return value;
        }
    }
    return value;
}

} // namespace

double regularizedIncompleteBeta(double x, double a, double b)
{
    if (x <= 0)
        return 0;
    if (x >= 1)
        return 1;
    const double logFront = std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x);
    if (x < (a + 1) / (a + b + 2))
        return std::exp(logFront) * betaContinuedFraction(x, a, b) / a;
    return 1 - std::exp(logFront) * betaContinuedFraction(1 - x, b, a) / b;
}

Numeric::Outcome<Correlation> pearsonCorrelation(std::span<const double> x, std::span<const double> y)
{
    if (x.size() != y.size())
        return Numeric::Refusal{"the two series differ in length (" + std::to_string(x.size()) + " and "
                                + std::to_string(y.size()) + ")"};
    const std::size_t n = x.size();
    if (n < 3)
        return Numeric::Refusal{"a correlation needs at least 3 pairs (found " + std::to_string(n) + ")"};
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]))
            return Numeric::Refusal{"pair " + std::to_string(i + 1) + " is not a finite number"};
    const double meanX = std::accumulate(x.begin(), x.end(), 0.0) / double(n);
    const double meanY = std::accumulate(y.begin(), y.end(), 0.0) / double(n);
    double xy = 0, xx = 0, yy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        xy += (x[i] - meanX) * (y[i] - meanY);
        xx += (x[i] - meanX) * (x[i] - meanX);
        yy += (y[i] - meanY) * (y[i] - meanY);
    }
    if (!(xx > 0) || !(yy > 0))
        return Numeric::Refusal{"a series without scatter has no correlation"};
    Correlation result;
    result.count = n;
    result.r = std::clamp(xy / std::sqrt(xx * yy), -1.0, 1.0);
    const double freedom = double(n - 2);
    result.pValue = regularizedIncompleteBeta(1 - result.r * result.r, freedom / 2, 0.5);
    return result;
}

Numeric::Outcome<Observations::DataSet> indexAsData(const Observations::DataSet &data, std::span<const double> index)
{
    if (index.size() != data.measurements.size())
        return Numeric::Refusal{"the activity index has " + std::to_string(index.size()) + " values for "
                                + std::to_string(data.measurements.size()) + " measurements"};
    Observations::DataSet indexData = data;
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (!std::isfinite(index[i]))
            return Numeric::Refusal{"activity index value " + std::to_string(i + 1) + " is not a finite number"};
        indexData.measurements[i].velocity = index[i];
        indexData.measurements[i].uncertainty = 1;
    }
    return indexData;
}

std::vector<std::optional<Periodogram::Peak>> activityCoincidences(std::span<const Periodogram::Peak> velocityPeaks,
                                                                   std::span<const Periodogram::Peak> indexPeaks,
                                                                   double spanDays, double indexThreshold)
{
    std::vector<std::optional<Periodogram::Peak>> coincidences(velocityPeaks.size());
    if (!(spanDays > 0))
        return coincidences;
    for (std::size_t v = 0; v < velocityPeaks.size(); ++v)
        for (const auto &index : indexPeaks)
            if (index.falseAlarmProbability <= indexThreshold
                && std::abs(index.frequency - velocityPeaks[v].frequency) <= 1 / spanDays) {
                coincidences[v] = index;
                break;
            }
    return coincidences;
}

} // namespace Detection
