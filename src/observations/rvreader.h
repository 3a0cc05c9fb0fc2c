#pragma once

#include "numeric/outcome.h"
#include "observations/systemfile.h"
#include "observations/tablereader.h"

#include <string>

/// Reading any file of measured radial velocities: a table (tablereader.h)
/// or a system file (systemfile.h). Pure C++, no Qt.
namespace Observations {

/// Reads a file: a `.sys` system file (by its extension, any case) as
/// loadSystemFile() does, anything else as text through parseText() with the
/// instrument named by instrumentNameFromFile(). Files over maxTextBytes are
/// refused before they are read.
Numeric::Outcome<Reading> loadFile(const std::string &path, const ReadOptions &options = {});

} // namespace Observations
