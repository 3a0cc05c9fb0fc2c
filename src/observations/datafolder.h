#pragma once

#include <filesystem>
#include <string>
#include <vector>

/// Where the real radial-velocity data sets shipped with the program lie.
namespace Observations {

/// The folder of the shipped data sets for a program in `executableFolder`:
/// `<executableFolder>/../share/orbiquest9/rv` when that folder exists (an
/// installed program), else the source tree's `data/rv` (a program run from
/// its build folder).
std::filesystem::path rvDataFolder(const std::filesystem::path &executableFolder);

/// One shipped data set, for a menu.
struct ShippedSet
{
    std::string fileName; ///< in rvDataFolder(), e.g. "51peg.sys"
    std::string title;    ///< e.g. "51 Peg (Lick, ELODIE)"
};

/// The shipped data sets a menu offers: the catalog's system files, then the
/// two single files.
const std::vector<ShippedSet> &shippedSets();

} // namespace Observations
