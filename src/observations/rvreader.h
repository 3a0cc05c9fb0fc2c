#pragma once

#include "observations/readerlimits.h"
#include "observations/rvdata.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

/// Reading measured radial velocities from the text files astronomers
/// exchange. Pure C++, no Qt.
///
/// Accepted text (plain or CSV):
/// - Separators: any mix of blanks, tabs, commas and semicolons. Runs of
///   blanks count once; two commas in a row leave an empty field between
///   them, so a CSV's unnamed first column stays a column.
/// - Line ends LF, CR LF or CR; a UTF-8 byte-order mark is skipped.
/// - Lines whose first non-blank character is `#` are comments, as is
///   everything after a field that starts with `#`.
/// - An optional header line (the first non-comment line whose first field is
///   not a number) names the columns, in any order and any letter case, e.g.
///   `time mnvel errvel tel`, `jd rv err`, `bjd vel sigma`, `,errvel,t,vel`.
///   Each column's name is looked up by columnFromName(); a unit in
///   square brackets is ignored (`rv[m/s]`); unnamed or unknown columns are
///   skipped. A line of dashes right after the header (the .rdb format's
///   `--- ---- -----`) is skipped too.
/// - Without a header the columns are time, velocity, uncertainty and an
///   optional instrument name; a fourth column that is a number is taken for
///   an extra quantity (an activity index, say) and ignored, as are columns
///   after the fourth.
///
/// Values are kept as given: times in whatever scale the file uses (JD, BJD,
/// reduced JD, MJD), velocities and uncertainties in m/s. Every number in a
/// row must be finite, even in a column that is not used, and every
/// uncertainty > 0.
///
/// Limits that keep hostile input cheap: text of at most maxTextBytes, lines
/// of at most maxLineBytes (checked before the line is split), at most
/// maxMeasurements rows, instrument names of at most maxInstrumentNameBytes,
/// at most 1000 different instruments, and no NUL bytes nor more than one
/// byte in 16 of the first 64 KiB outside UTF-8 text (a binary file).
///
/// On any error the result holds no measurements and `error` one English line,
/// naming the line where it can ("line 17: uncertainty must be > 0 (found 0)").
namespace Observations {

struct LoadResult
{
    DataSet data;      ///< measurements in file order; instruments in order of first appearance
    std::string error; ///< empty on success
    bool ok() const { return error.empty(); }
};

/// Reads a file: a `.sys` system file (by its extension, any case) as
/// loadSystemFile() does, anything else as text through parseText() with the
/// instrument named by instrumentNameFromFile(). Files over maxTextBytes are
/// refused before they are read.
LoadResult loadFile(const std::string &path);

/// Parses the text of a data file. Measurements without an instrument column
/// (or with an empty field there) get `defaultInstrument`, or "default" when
/// that is empty.
LoadResult parseText(std::string_view text, std::string_view defaultInstrument);

/// A star and its measured velocities, as a system file describes them.
struct StarSystem
{
    std::string name;          ///< the star's name, e.g. "51 Peg"
    double starMassSolar = 0;  ///< the star's mass, solar masses, finite and > 0
    DataSet data;              ///< one instrument per velocity file, in the order the file lists them
};

struct SystemResult
{
    StarSystem system;
    std::string error; ///< empty on success; names the velocity file and line when one of them fails
    bool ok() const { return error.empty(); }
};

/// Reads a system file: `key<blank or tab>value` lines, of which `Name` (the
/// star; the file's stem when missing), `Mass` (solar masses, required) and
/// `RV[]` (a velocity file in the same folder, one line each, at least one)
/// are used and the rest (HD, HIP, Teff, RA, Dec, …) ignored. Each velocity
/// file is one instrument named by instrumentNameFromFile(); a name that is
/// already taken gets "_2", "_3", … appended. Velocity file names must be
/// plain names, without a folder.
SystemResult loadSystemFile(const std::string &path);

/// The same, for a system file's text whose velocity files lie in `folder`.
SystemResult parseSystemText(std::string_view text, const std::filesystem::path &folder,
                             std::string_view fallbackName);

/// The instrument a velocity file stands for, from its name: the part after
/// the second underscore of `<star>_<number>_<instrument>.<ext>` (the
/// catalog's convention, "51Peg_1_LICK.vels" → "LICK"), else the file's stem
/// ("k2-24_rv.csv" → "k2-24_rv").
std::string instrumentNameFromFile(const std::filesystem::path &path);

/// What a column of a header may be.
enum class Column { Time, Velocity, Uncertainty, Instrument, Ignored };

/// The column a header name stands for (case-insensitive, a trailing
/// `[unit]` ignored): Column::Ignored for empty or unknown names.
Column columnFromName(std::string_view name);

} // namespace Observations
