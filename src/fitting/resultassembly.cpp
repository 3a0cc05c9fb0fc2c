#include "fitting/resultassembly.h"

#include "fitting/uncertainties.h"

#include <cmath>

namespace Fitting::Search {

using Eigen::MatrixXd;
using Eigen::VectorXd;

namespace {

void addInstruments(const State &state, RvModel &model, const MatrixXd &covariance, Result &result)
{
    const ParameterLayout &layout = state.layout;
    const Measurements &data = state.data;
    const auto sigmaOf = [&](int q) { return std::sqrt(std::max(covariance(q, q), 0.0)); };
    std::vector<double> sumSquares(std::size_t(layout.instruments), 0.0);
    result.instruments.resize(std::size_t(layout.instruments));
    double total = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double r = data.velocity[i] - model.mean()[i];
        result.chiSquare += r * r / model.variance()[i];
        total += r * r;
        sumSquares[std::size_t(data.instrument[i])] += r * r;
        result.instruments[std::size_t(data.instrument[i])].points += 1;
    }
    result.rms = std::sqrt(total / double(data.size()));
    for (int k = 0; k < layout.instruments; ++k) {
        auto &instrument = result.instruments[std::size_t(k)];
        instrument.name = k < int(state.original.instruments.size()) ? state.original.instruments[std::size_t(k)]
                                                                     : "instrument " + std::to_string(k + 1);
        instrument.offset = state.x(layout.offset(k));
        instrument.offsetUncertainty = sigmaOf(layout.offset(k));
        instrument.rms = instrument.points ? std::sqrt(sumSquares[std::size_t(k)] / instrument.points) : 0.0;
        if (layout.jitter) {
            const double s2 = state.x(layout.jitterSquared(k));
            instrument.jitter = std::sqrt(s2);
            // σ(s) = σ(s²) / (2 s), or √σ(s²) where s = 0 leaves no slope.
            instrument.jitterUncertainty = s2 > 0 ? sigmaOf(layout.jitterSquared(k)) / (2 * instrument.jitter)
                                                  : std::sqrt(sigmaOf(layout.jitterSquared(k)));
        }
        if (layout.decorrelation) {
            instrument.decorrelation = state.x(layout.coefficient(k));
            instrument.decorrelationUncertainty = sigmaOf(layout.coefficient(k));
            instrument.indexMean = data.indexMeans[std::size_t(k)];
        }
    }
}

} // namespace

Result makeResult(const State &state)
{
    const ParameterLayout &layout = state.layout;
    const Measurements &data = state.data;
    RvModel model(data, layout);
    VectorXd gradient;
    MatrixXd fisher;
    model.linearise(state.x, gradient, fisher);
    const MatrixXd covariance = covarianceOf(fisher, freeParameters(layout, state.shapes));
    Result result;
    result.status = state.outcome == MinimiserOutcome::Converged ? Status::Converged : Status::Stalled;
    result.referenceTime = data.referenceTime;
    result.starMassSolar = state.options.starMassSolar;
    result.peaks = state.peaks;
    result.searchStop = state.stop;
    result.searchStopSentence = state.stopSentence;
    result.notes = state.notes;
    for (int j = 0; j < layout.planets; ++j) {
        const PlanetParameters planet = PlanetParameters::read(state.x.data() + layout.planet(j));
        result.planets.push_back({elementsOf(planet, data.referenceTime, state.options.starMassSolar),
                                  propagatedUncertainty(state.x, layout.planet(j), covariance, data.referenceTime,
                                                        state.options.starMassSolar, state.shapes[std::size_t(j)]),
                                  {}});
    }
    addInstruments(state, model, covariance, result);
    if (layout.decorrelation)
        result.decorrelatedAgainst = state.options.decorrelateAgainst;
    result.trendFitted = layout.trend;
    if (layout.trend) {
        result.trend = state.x(layout.trendIndex());
        result.trendUncertainty = std::sqrt(std::max(covariance(layout.trendIndex(), layout.trendIndex()), 0.0));
    }
    result.pointCount = int(data.size());
    result.parameterCount = state.freeCount();
    result.negativeLogLikelihood = model.negativeLogLikelihood(state.x);
    result.bic = bicOf(result.parameterCount, result.pointCount, result.negativeLogLikelihood);
    return result;
}

Result cancelledResult()
{
    Result result;
    result.status = Status::Cancelled;
    result.message = "The fit was cancelled.";
    return result;
}

} // namespace Fitting::Search
