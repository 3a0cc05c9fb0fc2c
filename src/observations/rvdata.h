#pragma once

#include <string>
#include <vector>

/// Measured (or synthetic) radial velocities of one star. Pure data, no Qt.
namespace Observations {

/// One radial-velocity measurement.
struct Measurement
{
    double time = 0;        ///< days, as given in the file (JD, BJD, reduced JD or MJD)
    double velocity = 0;    ///< m/s
    double uncertainty = 0; ///< 1σ, m/s, > 0
    int instrument = 0;     ///< index into DataSet::instruments
};

/// The measurements of one star, from one or several instruments.
struct DataSet
{
    std::vector<Measurement> measurements;
    std::vector<std::string> instruments; ///< names, at least one when there are measurements
};

} // namespace Observations
