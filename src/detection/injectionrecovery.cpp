#include "detection/injectionrecovery.h"

#include "detection/spectralwindow.h"
#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"
#include "numeric/mathconstants.h"
#include "numeric/seededrandom.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace Detection {

namespace {

constexpr int maxTrials = 10000;

std::string planRefusal(const InjectionPlan &plan)
{
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (plan.periodsDays.empty() || !std::all_of(plan.periodsDays.begin(), plan.periodsDays.end(), positive))
        return "the map needs at least one period, each finite and > 0";
    if (plan.amplitudes.empty() || !std::all_of(plan.amplitudes.begin(), plan.amplitudes.end(), positive)
        || !std::is_sorted(plan.amplitudes.begin(), plan.amplitudes.end()))
        return "the map needs at least one amplitude, each finite and > 0, in ascending order";
    if (plan.trials < 1 || plan.trials > maxTrials)
        return "the trials per cell must be 1 to 10000 (found " + std::to_string(plan.trials) + ")";
    if (!(plan.falseAlarmThreshold > 0 && plan.falseAlarmThreshold <= 1))
        return "the false-alarm threshold must lie in (0, 1]";
    if (plan.axis == AmplitudeAxis::MinimumMass && !positive(plan.starMassSolar))
        return "the star's mass must be finite and > 0";
    return {};
}

Periodogram::FrequencyGrid searchGrid(const Observations::DataSet &data, const InjectionPlan &plan)
{
    if (plan.grid)
        return *plan.grid;
    const auto [shortest, longest] = std::minmax_element(plan.periodsDays.begin(), plan.periodsDays.end());
    const Periodogram::FrequencyGrid automatic = Periodogram::automaticGrid(data);
    return Periodogram::gridBetween(std::min(automatic.minFrequency, 0.8 / *longest),
                                    std::max(automatic.maxFrequency, 1.25 / *shortest), timeSpan(data));
}

/// The data the periodogram is asked about before any noise is drawn: with
/// simulated noise the given velocities (a planned cadence's zeros) do not
/// count, so an alternating pattern of the uncertainties stands in for them.
Observations::DataSet probeData(const Observations::DataSet &data, InjectionNoise noise)
{
    Observations::DataSet probe = data;
    if (noise == InjectionNoise::Simulated)
        for (std::size_t i = 0; i < probe.measurements.size(); ++i)
            probe.measurements[i].velocity = (i % 2 ? 1 : -1) * probe.measurements[i].uncertainty;
    return probe;
}

double semiAmplitudeOf(const InjectionPlan &plan, double period, double amplitude)
{
    if (plan.axis == AmplitudeAxis::SemiAmplitude)
        return amplitude;
    return Kepler::semiAmplitude(period, 0, plan.starMassSolar, amplitude / Kepler::jupiterMassesPerSolarMass,
                                 MathConstants::pi / 2);
}

/// One cell's trials; the count recovered, or −1 when cancelled.
int recoveredInCell(const Observations::DataSet &data, const InjectionPlan &plan,
                    const Periodogram::FrequencyGrid &grid, std::size_t cell, double width,
                    const std::atomic<bool> *cancel)
{
    const std::size_t p = cell / plan.amplitudes.size();
    const double period = plan.periodsDays[p];
    const double k = semiAmplitudeOf(plan, period, plan.amplitudes[cell % plan.amplitudes.size()]);
    Numeric::SeededRandom random(Numeric::SeededRandom::streamSeed(plan.seed, cell));
    const double offset = random.uniform();
    Observations::DataSet injected = data;
    int recovered = 0;
    for (int j = 0; j < plan.trials; ++j) {
        if (cancel && cancel->load())
            return -1;
        const double phase = MathConstants::twoPi * (j + offset) / plan.trials;
        for (std::size_t i = 0; i < injected.measurements.size(); ++i) {
            const auto &m = data.measurements[i];
            const double noise = plan.noise == InjectionNoise::Simulated ? m.uncertainty * random.normal() : m.velocity;
            injected.measurements[i].velocity = noise + k * std::cos(MathConstants::twoPi * m.time / period + phase);
        }
        const auto spectrum = Periodogram::generalisedLombScargle(injected, grid);
        const auto peaks =
            spectrum ? Periodogram::highestPeaks(*spectrum, injected, 1) : std::vector<Periodogram::Peak>{};
        if (!peaks.empty() && std::abs(peaks.front().frequency - 1 / period) <= width
            && peaks.front().falseAlarmProbability <= plan.falseAlarmThreshold)
            ++recovered;
    }
    return recovered;
}

/// What one injected planet leaves in the highest peak: its index on the
/// grid and its power. The data's own sums and the sums of cos and sin
/// 2πt/P combine linearly, v = r + a cos 2πt/P + b sin 2πt/P.
struct HighestPeak
{
    std::size_t index = 0;
    double power = 0;
};

HighestPeak highestPeak(const Periodogram::PowerSums &data, const Periodogram::PowerSums &cosine,
                        const Periodogram::PowerSums &sine, double a, double b)
{
    double mean = 0, square = 0;
    for (std::size_t i = 0; i < data.weight.size(); ++i) {
        const double y = data.velocity[i] + a * cosine.velocity[i] + b * sine.velocity[i];
        mean += data.weight[i] * y;
        square += data.weight[i] * y * y;
    }
    const double scatter = square - mean * mean;
    HighestPeak highest;
    for (std::size_t k = 0; k < data.cos.size(); ++k) {
        const double yc = data.velocityCos[k] + a * cosine.velocityCos[k] + b * sine.velocityCos[k];
        const double ys = data.velocitySin[k] + a * cosine.velocitySin[k] + b * sine.velocitySin[k];
        const double power = Periodogram::normalisedPower(mean, scatter, data.cos[k], data.sin[k], yc, ys,
                                                          data.cosCos[k], data.cosSin[k]);
        if (power > highest.power)
            highest = {k, power};
    }
    return highest;
}

/// The cells of one period injected into the given velocities, which are
/// the same for every trial: each trial's periodogram follows from three
/// sets of sums made once, so a column of cells costs three passes over
/// points and grid instead of one per trial. Calls `cellDone` with each
/// cell's count; false when cancelled.
bool recoveredInColumn(const Observations::DataSet &data, const Periodogram::PowerSums &dataSums,
                       const InjectionPlan &plan, const Periodogram::FrequencyGrid &grid, std::size_t p, double width,
                       const std::function<void(std::size_t cell, int recovered)> &cellDone,
                       const std::atomic<bool> *cancel)
{
    const double period = plan.periodsDays[p];
    Observations::DataSet series = data;
    const auto sumsOf = [&](double (*wave)(double)) {
        for (std::size_t i = 0; i < series.measurements.size(); ++i)
            series.measurements[i].velocity = wave(MathConstants::twoPi * data.measurements[i].time / period);
        return Periodogram::powerSums(series, grid, cancel);
    };
    const Periodogram::PowerSums cosine = sumsOf([](double x) { return std::cos(x); });
    const Periodogram::PowerSums sine = sumsOf([](double x) { return std::sin(x); });
    const double lastFrequency = grid.minFrequency + grid.step() * double(grid.count - 1);
    for (std::size_t a = 0; a < plan.amplitudes.size(); ++a) {
        const std::size_t cell = p * plan.amplitudes.size() + a;
        const double k = semiAmplitudeOf(plan, period, plan.amplitudes[a]);
        Numeric::SeededRandom random(Numeric::SeededRandom::streamSeed(plan.seed, cell));
        const double offset = random.uniform();
        int recovered = 0;
        for (int j = 0; j < plan.trials; ++j) {
            if (cancel && cancel->load())
                return false;
            // k cos(x + φ) = k cos φ cos x − k sin φ sin x.
            const double phase = MathConstants::twoPi * (j + offset) / plan.trials;
            const HighestPeak peak = highestPeak(dataSums, cosine, sine, k * std::cos(phase), -k * std::sin(phase));
            const double frequency = grid.minFrequency + grid.step() * double(peak.index);
            if (peak.power > 0 && std::abs(frequency - 1 / period) <= width
                && Periodogram::falseAlarmProbability(peak.power, data, lastFrequency) <= plan.falseAlarmThreshold)
                ++recovered;
        }
        cellDone(cell, recovered);
    }
    return true;
}

} // namespace

double DetectabilityMap::fraction(std::size_t p, std::size_t a) const
{
    return trials > 0 ? double(recovered[p * amplitudes.size() + a]) / trials : 0;
}

Numeric::Outcome<DetectabilityMap> injectionRecoveryMap(const Observations::DataSet &data, const InjectionPlan &plan,
                                                        const MapProgress &progress, const std::atomic<bool> *cancel)
{
    if (const std::string reason = planRefusal(plan); !reason.empty())
        return Numeric::Refusal{reason};
    const Observations::DataSet probe = probeData(data, plan.noise);
    if (auto reason = Periodogram::refusal(probe, Periodogram::automaticGrid(probe)))
        return *reason;
    DetectabilityMap map{plan.periodsDays, plan.amplitudes, plan.axis, plan.trials, searchGrid(data, plan), {}};
    if (auto reason = Periodogram::refusal(probe, map.grid))
        return *reason;
    const std::size_t cells = plan.periodsDays.size() * plan.amplitudes.size();
    map.recovered.assign(cells, 0);
    const double width = 1 / timeSpan(data);
    std::atomic<std::size_t> next = 0;
    std::atomic<bool> stopped = false;
    std::size_t done = 0;
    std::mutex progressLock;
    const auto cellDone = [&](std::size_t cell, int recovered) {
        map.recovered[cell] = recovered;
        const std::lock_guard lock(progressLock);
        ++done;
        if (progress)
            progress(done, cells);
    };
    // With the given velocities a worker takes a period at a time (its
    // trials share their sums); with fresh noise, a cell.
    const bool byColumn = plan.noise == InjectionNoise::Residuals;
    const Periodogram::PowerSums dataSums =
        byColumn ? Periodogram::powerSums(data, map.grid, cancel) : Periodogram::PowerSums{};
    const std::size_t units = byColumn ? plan.periodsDays.size() : cells;
    const auto work = [&] {
        for (std::size_t unit = next++; unit < units && !stopped; unit = next++) {
            if (byColumn) {
                if (!recoveredInColumn(data, dataSums, plan, map.grid, unit, width, cellDone, cancel))
                    stopped = true;
                continue;
            }
            const int recovered = recoveredInCell(data, plan, map.grid, unit, width, cancel);
            if (recovered < 0)
                stopped = true;
            else
                cellDone(unit, recovered);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threadCount = std::min<std::size_t>(plan.threads > 0 ? plan.threads : cores, units);
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < threadCount; ++t)
        helpers.emplace_back(work);
    work();
    helpers.clear();
    if (stopped)
        return Numeric::Refusal{"the detectability map was cancelled"};
    return map;
}

std::vector<std::optional<double>> recoveryContour(const DetectabilityMap &map, double level)
{
    std::vector<std::optional<double>> contour(map.periodsDays.size());
    for (std::size_t p = 0; p < map.periodsDays.size(); ++p)
        for (std::size_t a = 0; a < map.amplitudes.size(); ++a) {
            const double share = map.fraction(p, a);
            if (share < level)
                continue;
            if (a == 0) {
                contour[p] = map.amplitudes[0];
                break;
            }
            const double before = map.fraction(p, a - 1);
            const double t = (level - before) / (share - before);
            const double low = std::log(map.amplitudes[a - 1]), high = std::log(map.amplitudes[a]);
            contour[p] = std::exp(low + t * (high - low));
            break;
        }
    return contour;
}

std::vector<double> evenlySpacedInLog(double first, double last, std::size_t count)
{
    if (count <= 1)
        return {first};
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = std::exp(std::log(first) + (std::log(last) - std::log(first)) * double(i) / double(count - 1));
    values.front() = first;
    values.back() = last;
    return values;
}

} // namespace Detection
