#pragma once

#include <algorithm>
#include <string>
#include <vector>

/// Measured (or synthetic) radial velocities of one star. Pure data, no Qt.
namespace Observations {

/// The uncertainty, m/s, a measurement gets when its file gives none: every
/// measurement of that instrument then weighs the same, and the scatter
/// must come from a fitted jitter.
inline constexpr double assumedUncertainty = 1.0;

/// One radial-velocity measurement.
struct Measurement
{
    double time = 0;        ///< days, as given in the file (JD, BJD, reduced JD or MJD)
    double velocity = 0;    ///< m/s
    double uncertainty = 0; ///< 1σ, m/s, > 0; assumedUncertainty where the file gave none
    int instrument = 0;     ///< index into DataSet::instruments
};

/// An activity index measured with the velocities (S-index, log R'HK, Hα,
/// FWHM, bisector span…): a second series at the same times, which tells the
/// star's own variability from a planet's pull.
struct ActivityIndex
{
    std::string name;           ///< as the file's header names it, or "column N" without a name
    std::vector<double> values; ///< one per measurement, in their order; NaN where a row gave none
};

/// The measurements of one star, from one or several instruments.
struct DataSet
{
    std::vector<Measurement> measurements;
    std::vector<std::string> instruments; ///< names, at least one when there are measurements
    /// Indices into `instruments` of those whose file gave no uncertainties:
    /// their measurements carry assumedUncertainty, equal weights, and a fit
    /// must fit their jitter.
    std::vector<int> instrumentsWithoutUncertainties{};
    /// The activity indices the files gave, each as long as `measurements`;
    /// whatever reorders, merges or drops measurements does the same to them.
    std::vector<ActivityIndex> activity{};

    bool lacksUncertainties(int instrument) const
    {
        return std::find(instrumentsWithoutUncertainties.begin(), instrumentsWithoutUncertainties.end(), instrument)
            != instrumentsWithoutUncertainties.end();
    }
};

} // namespace Observations
