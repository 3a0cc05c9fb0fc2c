#pragma once

#include "observations/rvdata.h"

#include <string>

/// Writing radial velocities as text. Pure C++, no Qt.
namespace Observations {

/// The data set in the `time mnvel errvel tel` format: that header line, then
/// one line per measurement in the set's order, blank-separated, LF line ends.
/// Numbers are written in their shortest form that reads back to the same
/// double, so parseText(toText(d)) gives d's values exactly. Instrument names
/// have blanks, tabs, commas, semicolons and `#` replaced by `_` (so they stay
/// one field); an empty name is written as "default". Instruments without
/// measurements are not written.
std::string toText(const DataSet &data);

} // namespace Observations
