#pragma once

#include "observations/rvdata.h"

#include <string>

/// Writing radial velocities as text. Pure C++, no Qt.
namespace Observations {

/// The data set in the `time mnvel errvel tel` format: that header line, then
/// one line per measurement in the set's order, blank-separated, LF line ends.
/// Numbers are written in their shortest form that reads back to the same
/// double, so parseText(toText(d)) gives d's values exactly. Instrument names
/// have blanks, tabs, commas, semicolons, `#`, `"` and every byte that is not
/// UTF-8 text replaced by `_` (so each stays one field and the text stays
/// text) and are cut to maxInstrumentNameBytes; an empty name is written as
/// "default". Names that differ only there read back as one instrument.
/// Instruments without measurements are not written.
/// Activity indices follow as columns headed by activityHeaderField() of
/// their names (so the reader gives them back under the same names), a
/// missing value written `nan`.
std::string toText(const DataSet &data);

} // namespace Observations
