#include "detection/aliasdecision.h"

#include "detection/aliases.h"
#include "detection/sinusoid.h"
#include "numeric/seededrandom.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

namespace Detection {

namespace {

constexpr int minMeasurements = 5;

std::vector<double> comparedFrequencies(double first, double second, std::span<const WindowPeak> windowPeaks,
                                        double span)
{
    std::vector<double> candidates{first, second};
    for (double f : {first, second})
        for (double alias : aliasFrequencies(f, windowPeaks, span, 1))
            candidates.push_back(alias);
    std::vector<double> compared;
    for (double f : candidates)
        if (std::none_of(compared.begin(), compared.end(), [&](double g) { return std::abs(f - g) < 0.5 / span; }))
            compared.push_back(f);
    return compared;
}

std::vector<std::complex<double>> pattern(const Observations::DataSet &data, std::span<const double> frequencies)
{
    std::vector<std::complex<double>> z;
    for (double f : frequencies) {
        const Sinusoid fit = fitSinusoid(data, f);
        z.push_back(std::polar(fit.amplitude(), fit.phase()));
    }
    return z;
}

double distance(std::span<const std::complex<double>> a, std::span<const std::complex<double>> b)
{
    double sum = 0;
    for (std::size_t j = 0; j < a.size(); ++j)
        sum += std::norm(a[j] - b[j]);
    return sum;
}

/// A candidate's best sinusoid and the extra scatter its residuals show.
struct CandidateModel
{
    Sinusoid sinusoid;
    double extraVariance = 0; ///< s², m²/s²
};

/// Measurements closer than this (days) see the star's slow signals alike,
/// so their differences show only the noise.
constexpr double closePairDays = 1.0;
/// With fewer close pairs than this the whole scatter stands in.
constexpr std::size_t minClosePairs = 10;

CandidateModel candidateModel(const Observations::DataSet &centred, double frequency)
{
    CandidateModel model{fitSinusoid(centred, frequency), 0};
    std::vector<std::pair<double, double>> residuals; // (time, r), and σ² below in the same order
    std::vector<double> variances;
    for (const auto &m : centred.measurements) {
        residuals.emplace_back(m.time, m.velocity - model.sinusoid.velocity(m.time));
        variances.push_back(m.uncertainty * m.uncertainty);
    }
    std::vector<std::size_t> order(residuals.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](auto a, auto b) { return residuals[a].first < residuals[b].first; });
    double pairExcess = 0, allExcess = 0;
    std::size_t pairs = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t i = order[k];
        allExcess += residuals[i].second * residuals[i].second - variances[i];
        if (k == 0 || residuals[i].first - residuals[order[k - 1]].first > closePairDays)
            continue;
        const std::size_t j = order[k - 1];
        const double difference = residuals[i].second - residuals[j].second;
        pairExcess += (difference * difference - variances[i] - variances[j]) / 2;
        ++pairs;
    }
    const double excess = pairs >= minClosePairs ? pairExcess / double(pairs) : allExcess / double(order.size());
    model.extraVariance = std::max(0.0, excess);
    return model;
}

std::string refusalOf(const Observations::DataSet &data, double first, double second, double span,
                      const AliasDecisionOptions &options)
{
    if (data.measurements.size() < std::size_t(minMeasurements))
        return "an alias decision needs at least 5 measurements (found " + std::to_string(data.measurements.size())
            + ")";
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const auto &m = data.measurements[i];
        if (!std::isfinite(m.time) || !std::isfinite(m.velocity) || !std::isfinite(m.uncertainty)
            || !(m.uncertainty > 0))
            return "measurement " + std::to_string(i + 1) + ": time, velocity and uncertainty must be finite, "
                   "the uncertainty > 0";
    }
    if (!(span > 0))
        return "an alias decision needs measurements at different times";
    if (!(first > 0) || !(second > 0) || !std::isfinite(first) || !std::isfinite(second))
        return "both candidate frequencies must be finite and > 0";
    if (std::abs(first - second) <= 1 / span)
        return "the two candidates lie within one peak width (1/T) of each other: they are one peak";
    if (options.realisations < 10 || options.realisations > 100000)
        return "the number of realisations must be 10 to 100000 (found " + std::to_string(options.realisations) + ")";
    return {};
}

PreferenceStrength strengthOf(double fraction)
{
    if (fraction >= 0.95)
        return PreferenceStrength::Decisive;
    return fraction >= 0.75 ? PreferenceStrength::Favoured : PreferenceStrength::Undecided;
}

} // namespace

Numeric::Outcome<AliasDecision> decideBetweenAliases(const Observations::DataSet &data, double firstFrequency,
                                                     double secondFrequency, std::span<const WindowPeak> windowPeaks,
                                                     const AliasDecisionOptions &options,
                                                     const std::atomic<bool> *cancel)
{
    const double span = timeSpan(data);
    if (const std::string reason = refusalOf(data, firstFrequency, secondFrequency, span, options); !reason.empty())
        return Numeric::Refusal{reason};
    const Observations::DataSet centred = centredOnInstrumentMeans(data);
    AliasDecision decision;
    decision.frequencies = {firstFrequency, secondFrequency};
    decision.comparedFrequencies = comparedFrequencies(firstFrequency, secondFrequency, windowPeaks, span);
    const auto observed = pattern(centred, decision.comparedFrequencies);
    const std::array<CandidateModel, 2> models{candidateModel(centred, firstFrequency),
                                               candidateModel(centred, secondFrequency)};
    int firstCloser = 0;
    Observations::DataSet simulated = centred;
    for (int r = 0; r < options.realisations; ++r) {
        if (cancel && cancel->load())
            return Numeric::Refusal{"the alias decision was cancelled"};
        Numeric::SeededRandom random(Numeric::SeededRandom::streamSeed(options.seed, std::uint64_t(r)));
        std::vector<double> deviates(centred.measurements.size());
        for (double &e : deviates)
            e = random.normal();
        std::array<double, 2> d{};
        for (std::size_t c = 0; c < 2; ++c) {
            for (std::size_t i = 0; i < deviates.size(); ++i) {
                auto &m = simulated.measurements[i];
                const double sigma = centred.measurements[i].uncertainty;
                m.velocity = models[c].sinusoid.velocity(m.time)
                    + std::sqrt(sigma * sigma + models[c].extraVariance) * deviates[i];
            }
            d[c] = distance(pattern(simulated, decision.comparedFrequencies), observed);
            decision.meanDistance[c] += d[c] / options.realisations;
        }
        firstCloser += d[0] < d[1] ? 1 : 0;
    }
    const double firstShare = double(firstCloser) / options.realisations;
    decision.preferred = firstShare >= 0.5 ? 0 : 1;
    decision.preferredFraction = std::max(firstShare, 1 - firstShare);
    decision.strength = strengthOf(decision.preferredFraction);
    return decision;
}

} // namespace Detection
