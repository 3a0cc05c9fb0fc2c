#pragma once

#include "kepler/keplerorbit.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"

#include <optional>
#include <string>
#include <vector>

/// The goodness meter of fitting by hand: how well a student's elements
/// describe the data, and how close that is to the best fit, without telling
/// the best fit's elements. Pure C++, no Qt; cheap enough to run on every
/// slider step (400 points and 2 instruments in well under a millisecond).
namespace Challenge {

/// The student's model: the planets as the sliders set them and one velocity
/// offset per instrument of the data, in the data's instrument order.
struct StudentModel
{
    std::vector<Kepler::Orbit> planets;
    std::vector<double> offsets; ///< m/s
};

struct Goodness
{
    std::vector<double> residuals; ///< data − model at each measurement, m/s, in the data's order
    double chiSquare = 0;          ///< Σ (r/σ)²
    int degreesOfFreedom = 0;      ///< n − (5 per planet + 1 per instrument)
    /// χ²/(n − k); none when there are no more points than parameters.
    std::optional<double> reducedChiSquare;
    double rms = 0; ///< √(Σ r²/n), m/s
};

/// The meter for this model. A refusal names the fault: no measurements, an
/// orbit out of range (which planet and why), or offsets that do not match
/// the instruments.
Numeric::Outcome<Goodness> goodness(const Observations::DataSet &data, const StudentModel &model);

/// The offsets that make χ² least for these planets: per instrument the
/// weighted mean of the data minus the planets' velocities (zero for an
/// instrument without points). The planets must be valid orbits.
std::vector<double> bestOffsets(const Observations::DataSet &data, const std::vector<Kepler::Orbit> &planets);

/// "How close am I?": the student's χ² against the best fit's.
struct Closeness
{
    /// best χ² / student's χ², in [0, 1]: 1 is as good as the best fit.
    double fraction = 0;
    /// "far", "getting closer", "close" or "as good as the best fit": as good
    /// when the student's χ² exceeds the best by at most the number of
    /// parameters (the spread a fit's χ² has about its optimum), close above
    /// a fraction of 0.5, getting closer above 0.2.
    std::string verdict;
};

Closeness closeness(double studentChiSquare, double bestChiSquare, int parameters);

} // namespace Challenge
