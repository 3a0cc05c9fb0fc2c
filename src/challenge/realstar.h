#pragma once

#include "challenge/randomstream.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"

#include <filesystem>
#include <string>
#include <vector>

/// The real stars of the last level: shipped system files of stars with one
/// known planet whose one-planet fit of every published measurement finds it
/// (HD 17156's six instruments lead that fit to a one-day alias, so it is not
/// offered). Pure C++, no Qt.
namespace Challenge {

/// The system files a real-star challenge draws from, in a fixed order (a
/// code's seed picks one; the order never changes, or old codes would change
/// stars).
const std::vector<std::string> &realStarFiles();

/// A real star as a challenge shows it.
struct RealStarData
{
    std::string starName; ///< for the key only
    double starMassSolar = 0;
    Observations::DataSet published; ///< every published measurement, instruments as the files name them
    Observations::DataSet shown;     ///< the challenge's data: see drawRealStar()
};

/// Reads the star the stream picks from `rvFolder` (the shipped data folder)
/// and draws `points` of its measurements (all of them when it has fewer),
/// sorted by time, with times rounded to 1e-5 d, velocities and σ to 0.01 m/s
/// (σ at least 0.01), and the instruments renamed A, B, C … so the data do
/// not name the star. A refusal when the file cannot be read.
Numeric::Outcome<RealStarData> drawRealStar(const std::filesystem::path &rvFolder, int points, RandomStream &random);

} // namespace Challenge
