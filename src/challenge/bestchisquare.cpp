#include "challenge/bestchisquare.h"

#include "fitting/rvfit.h"

#include <algorithm>

namespace Challenge {

namespace {

std::vector<Kepler::Orbit> orbitsOf(const Fitting::Result &result)
{
    std::vector<Kepler::Orbit> orbits;
    for (const Fitting::PlanetResult &planet : result.planets)
        orbits.push_back(planet.orbit());
    return orbits;
}

/// χ² of a fit's planets with the offsets that suit them best: for fixed
/// planets those are the fit's own offsets when it fitted no jitter, and
/// they make the figure comparable with the student's when it did.
std::optional<double> chiSquareOf(const Observations::DataSet &data, const Fitting::Result &result)
{
    if (!result.ok())
        return std::nullopt;
    std::vector<Kepler::Orbit> planets = orbitsOf(result);
    const StudentModel model{planets, bestOffsets(data, planets)};
    const Numeric::Outcome<Goodness> measured = goodness(data, model);
    return measured.ok() ? std::optional<double>(measured->chiSquare) : std::nullopt;
}

} // namespace

Numeric::Outcome<double> bestChiSquare(const Observations::DataSet &data,
                                       const std::vector<Kepler::Orbit> &studentPlanets,
                                       const std::atomic<bool> *cancel)
{
    if (studentPlanets.empty())
        return Numeric::Refusal{"the model has no planet to fit"};
    Fitting::Options options;
    options.planets = int(studentPlanets.size());
    if (const auto wrong = Fitting::refusal(data, options))
        return *wrong;
    options.startingOrbits = studentPlanets;
    const Fitting::Result fromStudent = Fitting::fit(data, options, {}, cancel);
    options.startingOrbits.clear();
    const Fitting::Result fromPeaks = Fitting::fit(data, options, {}, cancel);
    const std::optional<double> first = chiSquareOf(data, fromStudent);
    const std::optional<double> second = chiSquareOf(data, fromPeaks);
    if (!first && !second)
        return Numeric::Refusal{"the best fit failed: "
                                + (fromPeaks.message.empty() ? fromStudent.message : fromPeaks.message)};
    return std::min(first.value_or(second.value_or(0)), second.value_or(first.value_or(0)));
}

} // namespace Challenge
