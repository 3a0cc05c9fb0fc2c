#include "periodogram/periodogram.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>

namespace Periodogram {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// Frequencies are evaluated in blocks of this many lanes: the inner loop
/// over the lanes has no dependence between iterations, so the compiler turns
/// it into vector instructions without reordering any sum.
constexpr std::size_t lanes = 8;

/// The rotations drift by about one rounding per step; restarting from exact
/// sines and cosines every this many blocks (512 frequencies) keeps the power
/// within 1e-12 of the definition.
constexpr std::size_t refreshBlocks = 64;

/// Bounds of values that are still numbers of the kind a velocity file holds;
/// beyond them sums of squares and weights lose every digit.
constexpr double maxAbsoluteTime = 1e8;      ///< days
constexpr double speedOfLight = 299792458.0; ///< m/s
constexpr double minUncertainty = 1e-6;      ///< m/s

/// Below this many point-frequency pairs a second thread costs more than it saves.
constexpr double threadThreshold = 2e6;

/// The data as the power needs them: times relative to their weighted mean,
/// normalised weights, velocities with each instrument's weighted mean removed.
struct Prepared
{
    std::vector<double> time;
    std::vector<double> weight;
    std::vector<double> weightedVelocity;
    double meanVelocity = 0; ///< Y
    double scatter = 0;      ///< YY
};

Prepared prepare(const Observations::DataSet &data)
{
    const auto &points = data.measurements;
    std::size_t instrumentCount = data.instruments.size();
    for (const auto &m : points)
        instrumentCount = std::max(instrumentCount, std::size_t(std::max(m.instrument, 0)) + 1);
    std::vector<double> sumWeight(instrumentCount, 0.0), sumWeightVelocity(instrumentCount, 0.0);
    double totalWeight = 0, weightedTime = 0;
    for (const auto &m : points) {
        const double w = 1 / (m.uncertainty * m.uncertainty);
        const std::size_t k = std::size_t(std::max(m.instrument, 0));
        sumWeight[k] += w;
        sumWeightVelocity[k] += w * m.velocity;
        totalWeight += w;
        weightedTime += w * m.time;
    }
    const double referenceTime = weightedTime / totalWeight;
    Prepared prepared;
    for (const auto &m : points) {
        const std::size_t k = std::size_t(std::max(m.instrument, 0));
        const double w = 1 / (m.uncertainty * m.uncertainty) / totalWeight;
        const double y = m.velocity - sumWeightVelocity[k] / sumWeight[k];
        prepared.time.push_back(m.time - referenceTime);
        prepared.weight.push_back(w);
        prepared.weightedVelocity.push_back(w * y);
        prepared.meanVelocity += w * y;
        prepared.scatter += w * y * y;
    }
    prepared.scatter -= prepared.meanVelocity * prepared.meanVelocity;
    return prepared;
}

} // namespace

double normalisedPower(double meanVelocity, double scatter, double sumCos, double sumSin, double sumYCos,
                       double sumYSin, double sumCosCos, double sumCosSin)
{
    if (!(scatter > 0))
        return 0;
    const double y = meanVelocity;
    const double yc = sumYCos - y * sumCos;
    const double ys = sumYSin - y * sumSin;
    const double cc = sumCosCos - sumCos * sumCos;
    const double ss = (1 - sumCosCos) - sumSin * sumSin;
    const double cs = sumCosSin - sumCos * sumSin;
    const double d = cc * ss - cs * cs;
    // At a frequency where every phase coincides modulo a half turn, cos and
    // sin are no longer independent of the mean; the best sinusoid then has
    // one function only.
    if (d <= 1e-12 * std::max(cc * ss, 1e-300)) {
        if (cc >= ss)
            return cc > 0 ? std::clamp(yc * yc / (scatter * cc), 0.0, 1.0) : 0.0;
        return ss > 0 ? std::clamp(ys * ys / (scatter * ss), 0.0, 1.0) : 0.0;
    }
    const double p = (ss * yc * yc + cc * ys * ys - 2 * cs * yc * ys) / (scatter * d);
    return std::clamp(p, 0.0, 1.0);
}

namespace {

/// The weighted sums of one block of `lanes` frequencies.
struct BlockSums
{
    double cos[lanes] = {}, sin[lanes] = {}, velocityCos[lanes] = {}, velocitySin[lanes] = {}, cosCos[lanes] = {},
           cosSin[lanes] = {};
};

/// Receives each block's sums with the grid index of its first frequency.
using BlockSink = std::function<void(std::size_t firstIndex, const BlockSums &sums)>;

/// The sums for the frequency blocks [firstBlock, endBlock) of the grid.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void evaluateBlocks(const Prepared &data, const FrequencyGrid &grid, std::size_t firstBlock,
                    std::size_t endBlock, const BlockSink &sink, const std::atomic<bool> *cancel)
{
    const std::size_t n = data.time.size();
    const double step = grid.step();
    std::vector<double> cosState(n * lanes), sinState(n * lanes);
    std::vector<double> cosBlockStep(n), sinBlockStep(n), cosStep(n), sinStep(n);
    for (std::size_t i = 0; i < n; ++i) {
        cosBlockStep[i] = std::cos(twoPi * step * double(lanes) * data.time[i]);
        sinBlockStep[i] = std::sin(twoPi * step * double(lanes) * data.time[i]);
        cosStep[i] = std::cos(twoPi * step * data.time[i]);
        sinStep[i] = std::sin(twoPi * step * data.time[i]);
    }
    for (std::size_t block = firstBlock; block < endBlock; ++block) {
        const std::size_t firstIndex = block * lanes;
        if ((block - firstBlock) % refreshBlocks == 0) {
            if (cancel && cancel->load(std::memory_order_relaxed))
                return;
            const double f = grid.minFrequency + step * double(firstIndex);
            for (std::size_t i = 0; i < n; ++i) {
                double c = std::cos(twoPi * f * data.time[i]);
                double s = std::sin(twoPi * f * data.time[i]);
                for (std::size_t j = 0; j < lanes; ++j) {
                    cosState[i * lanes + j] = c;
                    sinState[i * lanes + j] = s;
                    const double next = c * cosStep[i] - s * sinStep[i];
                    s = s * cosStep[i] + c * sinStep[i];
                    c = next;
                }
            }
        }
        BlockSums sums;
        for (std::size_t i = 0; i < n; ++i) {
            const double w = data.weight[i];
            const double wy = data.weightedVelocity[i];
            const double rc = cosBlockStep[i];
            const double rs = sinBlockStep[i];
            double *cs = &cosState[i * lanes];
            double *sn = &sinState[i * lanes];
            for (std::size_t j = 0; j < lanes; ++j) {
                const double c = cs[j];
                const double s = sn[j];
                const double wc = w * c;
                sums.cos[j] += wc;
                sums.sin[j] += w * s;
                sums.velocityCos[j] += wy * c;
                sums.velocitySin[j] += wy * s;
                sums.cosCos[j] += wc * c;
                sums.cosSin[j] += wc * s;
                cs[j] = c * rc - s * rs;
                sn[j] = s * rc + c * rs;
            }
        }
        sink(firstIndex, sums);
    }
}

/// evaluateBlocks over the whole grid, on two threads when it pays. The
/// halves split where one thread alone would restart from exact sines too,
/// so that the sums do not depend on the number of threads.
void evaluateGrid(const Prepared &data, const FrequencyGrid &grid, Threads threads, const BlockSink &sink,
                  const std::atomic<bool> *cancel)
{
    const std::size_t blocks = (grid.count + lanes - 1) / lanes;
    const bool twoThreads = threads == Threads::UpToTwo
        && double(data.time.size()) * double(grid.count) > threadThreshold && std::thread::hardware_concurrency() > 1;
    if (!twoThreads) {
        evaluateBlocks(data, grid, 0, blocks, sink, cancel);
        return;
    }
    const std::size_t half = blocks / 2 / refreshBlocks * refreshBlocks;
    std::thread helper(evaluateBlocks, std::cref(data), std::cref(grid), half, blocks, std::cref(sink), cancel);
    evaluateBlocks(data, grid, 0, half, sink, cancel);
    helper.join();
}

} // namespace

FrequencyGrid automaticGrid(const Observations::DataSet &data)
{
    if (refusal(data, FrequencyGrid{1, 2, 2}))
        return {};
    std::vector<double> times;
    for (const auto &m : data.measurements)
        times.push_back(m.time);
    std::sort(times.begin(), times.end());
    const double span = times.back() - times.front();
    double smallestSpacing = span;
    for (std::size_t i = 1; i < times.size(); ++i) {
        const double gap = times[i] - times[i - 1];
        if (gap >= 0.1)
            smallestSpacing = std::min(smallestSpacing, gap);
    }
    const double minFrequency = 0.5 / span;
    // A span of a few hours puts 1/(2T) above the sampling's limit; such data
    // still get periods from 2T down to T/10.
    const double maxFrequency = std::max(std::clamp(0.5 / smallestSpacing, 1.2, 10.0), 20 * minFrequency);
    return gridBetween(minFrequency, maxFrequency, span);
}

FrequencyGrid gridBetween(double minFrequency, double maxFrequency, double spanDays)
{
    const double pointsPerWidth = 10;
    const double count = std::ceil((maxFrequency - minFrequency) * spanDays * pointsPerWidth) + 1;
    return {minFrequency, maxFrequency, std::size_t(std::clamp(count, 2.0, 2e6))};
}

std::optional<Numeric::Refusal> refusal(const Observations::DataSet &data, const FrequencyGrid &grid)
{
    const auto &points = data.measurements;
    if (points.size() < 3)
        return Numeric::Refusal{"A periodogram needs at least 3 measurements; these data have "
                                + std::to_string(points.size()) + "."};
    double first = points.front().time, last = first;
    for (const auto &m : points) {
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !std::isfinite(m.uncertainty))
            return Numeric::Refusal{"A measurement holds a value that is not a finite number."};
        if (!(m.uncertainty > 0))
            return Numeric::Refusal{"Every uncertainty must be greater than zero."};
        if (std::abs(m.time) > maxAbsoluteTime)
            return Numeric::Refusal{
                "A time lies beyond 100 million days; times must be days (JD, BJD, MJD or reduced)."};
        if (std::abs(m.velocity) > speedOfLight || m.uncertainty > speedOfLight)
            return Numeric::Refusal{"A velocity or uncertainty is faster than light; velocities must be m/s."};
        if (m.uncertainty < minUncertainty)
            return Numeric::Refusal{"An uncertainty is below 1 micrometre per second; uncertainties must be m/s."};
        first = std::min(first, m.time);
        last = std::max(last, m.time);
    }
    if (!(last - first > 0))
        return Numeric::Refusal{
            "All measurements were taken at the same time; there is no time span to search for periods."};
    if (prepare(data).scatter <= 0)
        return Numeric::Refusal{"The velocities do not vary; there is no signal to search for periods."};
    if (!(std::isfinite(grid.minFrequency) && std::isfinite(grid.maxFrequency) && grid.minFrequency > 0
          && grid.maxFrequency > grid.minFrequency && grid.count >= 2))
        return Numeric::Refusal{
            "The frequency grid must run from a frequency above zero to a higher one with at least 2 points."};
    return std::nullopt;
}

Numeric::Outcome<Spectrum> generalisedLombScargle(const Observations::DataSet &data, const FrequencyGrid &grid,
                                                  const std::atomic<bool> *cancel, Threads threads)
{
    if (auto reason = refusal(data, grid))
        return std::move(*reason);
    const Prepared prepared = prepare(data);
    Spectrum spectrum;
    spectrum.frequencies.resize(grid.count);
    spectrum.power.resize(grid.count);
    for (std::size_t k = 0; k < grid.count; ++k)
        spectrum.frequencies[k] = grid.minFrequency + grid.step() * double(k);
    evaluateGrid(
        prepared, grid, threads,
        [&](std::size_t first, const BlockSums &b) {
            for (std::size_t j = 0; j < lanes && first + j < grid.count; ++j)
                spectrum.power[first + j] =
                    normalisedPower(prepared.meanVelocity, prepared.scatter, b.cos[j], b.sin[j], b.velocityCos[j],
                                    b.velocitySin[j], b.cosCos[j], b.cosSin[j]);
        },
        cancel);
    if (cancel && cancel->load(std::memory_order_relaxed))
        return Spectrum{};
    return spectrum;
}

PowerSums powerSums(const Observations::DataSet &data, const FrequencyGrid &grid, const std::atomic<bool> *cancel)
{
    const Prepared prepared = prepare(data);
    PowerSums sums;
    sums.weight = prepared.weight;
    for (std::size_t i = 0; i < prepared.weight.size(); ++i)
        sums.velocity.push_back(prepared.weightedVelocity[i] / prepared.weight[i]);
    for (auto *column : {&sums.cos, &sums.sin, &sums.cosCos, &sums.cosSin, &sums.velocityCos, &sums.velocitySin})
        column->resize(grid.count);
    evaluateGrid(
        prepared, grid, Threads::One,
        [&](std::size_t first, const BlockSums &b) {
            for (std::size_t j = 0; j < lanes && first + j < grid.count; ++j) {
                sums.cos[first + j] = b.cos[j];
                sums.sin[first + j] = b.sin[j];
                sums.cosCos[first + j] = b.cosCos[j];
                sums.cosSin[first + j] = b.cosSin[j];
                sums.velocityCos[first + j] = b.velocityCos[j];
                sums.velocitySin[first + j] = b.velocitySin[j];
            }
        },
        cancel);
    return sums;
}

} // namespace Periodogram
