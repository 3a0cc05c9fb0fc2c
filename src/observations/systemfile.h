#pragma once

#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "observations/tablereader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

/// The `.sys` system file: a star and the velocity files measured of it.
/// Pure C++, no Qt.
namespace Observations {

/// A star and its measured velocities, as a system file describes them.
struct StarSystem
{
    std::string name;               ///< the star's name, e.g. "51 Peg"
    double starMassSolar = 0;       ///< the star's mass, solar masses, finite and > 0
    DataSet data;                   ///< one instrument per velocity file, in the order the file lists them
    std::vector<std::string> notes; ///< the velocity files' notes, each led by the file's name
};

/// Reads a system file: `key<blank or tab>value` lines, of which `Name` (the
/// star; the file's stem when missing), `Mass` (solar masses, required) and
/// `RV[]` (a velocity file in the same folder, one line each, at least one,
/// at most maxInstruments) are used and the rest (HD, HIP, Teff, RA, Dec, …)
/// ignored. Each velocity file is read as parseText() reads it and is one
/// instrument named by instrumentNameFromFile(); a name that is already taken
/// gets "_2", "_3", … appended. Activity indices are matched by name across
/// the files, NaN in the rows of a file that lacks one. Velocity file names must be plain names,
/// without a folder. A refusal in a velocity file names the file and line.
Numeric::Outcome<StarSystem> loadSystemFile(const std::string &path, const ReadOptions &options = {});

/// The same, for a system file's text whose velocity files lie in `folder`.
Numeric::Outcome<StarSystem> parseSystemText(std::string_view text, const std::filesystem::path &folder,
                                             std::string_view fallbackName, const ReadOptions &options);

} // namespace Observations
