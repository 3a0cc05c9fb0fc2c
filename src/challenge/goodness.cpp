#include "challenge/goodness.h"

#include <algorithm>
#include <cmath>

namespace Challenge {

namespace {

std::vector<double> times(const Observations::DataSet &data)
{
    std::vector<double> result;
    result.reserve(data.measurements.size());
    for (const Observations::Measurement &m : data.measurements)
        result.push_back(m.time);
    return result;
}

std::optional<Numeric::Refusal> modelRefusal(const Observations::DataSet &data, const StudentModel &model)
{
    if (data.measurements.empty())
        return Numeric::Refusal{"there are no measurements to compare with"};
    for (std::size_t i = 0; i < model.planets.size(); ++i)
        if (const auto wrong = Kepler::refusal(model.planets[i]))
            return Numeric::Refusal{"planet " + std::to_string(i + 1) + ": " + wrong->reason};
    if (model.offsets.size() != data.instruments.size())
        return Numeric::Refusal{"the model has " + std::to_string(model.offsets.size()) + " offsets for "
                                + std::to_string(data.instruments.size()) + " instruments"};
    for (double offset : model.offsets)
        if (!std::isfinite(offset))
            return Numeric::Refusal{"an instrument's offset is not a finite number"};
    return std::nullopt;
}

} // namespace

Numeric::Outcome<Goodness> goodness(const Observations::DataSet &data, const StudentModel &model)
{
    if (const auto wrong = modelRefusal(data, model))
        return *wrong;
    const std::vector<double> modelVelocities = Kepler::radialVelocities(model.planets, times(data));
    Goodness result;
    result.residuals.reserve(data.measurements.size());
    double squares = 0;
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Observations::Measurement &m = data.measurements[i];
        const double residual = m.velocity - modelVelocities[i] - model.offsets[std::size_t(m.instrument)];
        result.residuals.push_back(residual);
        squares += residual * residual;
        result.chiSquare += (residual / m.uncertainty) * (residual / m.uncertainty);
    }
    const int n = int(data.measurements.size());
    result.degreesOfFreedom = n - 5 * int(model.planets.size()) - int(data.instruments.size());
    if (result.degreesOfFreedom > 0)
        result.reducedChiSquare = result.chiSquare / result.degreesOfFreedom;
    result.rms = std::sqrt(squares / n);
    return result;
}

std::vector<double> bestOffsets(const Observations::DataSet &data, const std::vector<Kepler::Orbit> &planets)
{
    const std::vector<double> velocities = Kepler::radialVelocities(planets, times(data));
    std::vector<double> weighted(data.instruments.size(), 0.0), weights(data.instruments.size(), 0.0);
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Observations::Measurement &m = data.measurements[i];
        const double w = 1 / (m.uncertainty * m.uncertainty);
        weighted[std::size_t(m.instrument)] += w * (m.velocity - velocities[i]);
        weights[std::size_t(m.instrument)] += w;
    }
    std::vector<double> offsets(data.instruments.size(), 0.0);
    for (std::size_t k = 0; k < offsets.size(); ++k)
        if (weights[k] > 0)
            offsets[k] = weighted[k] / weights[k];
    return offsets;
}

Closeness closeness(double studentChiSquare, double bestChiSquare, int parameters)
{
    Closeness result;
    result.fraction = studentChiSquare > 0 ? std::clamp(bestChiSquare / studentChiSquare, 0.0, 1.0) : 1.0;
    if (studentChiSquare - bestChiSquare <= parameters)
        result.verdict = "as good as the best fit";
    else if (result.fraction > 0.5)
        result.verdict = "close";
    else if (result.fraction > 0.2)
        result.verdict = "getting closer";
    else
        result.verdict = "far";
    return result;
}

} // namespace Challenge
