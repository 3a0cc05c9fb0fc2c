#pragma once

#include "numeric/outcome.h"
#include "observations/readerlimits.h"
#include "observations/rvdata.h"
#include "observations/tableheader.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Reading measured radial velocities from the tables astronomers exchange.
/// Pure C++, no Qt.
///
/// Accepted text (plain, CSV or a spreadsheet's export):
/// - Separators, decided by the first line that is not a comment: with a
///   semicolon, semicolons separate and commas are decimal marks
///   (`JD;RV;err` / `2459001,185;29,45;3,0`); with tabs and only commas
///   between digits, tabs separate and commas are decimal marks; otherwise
///   any mix of blanks, tabs and commas, where runs of blanks count once and
///   two commas in a row leave an empty field between them, so a CSV's
///   unnamed first column stays a column.
/// - Line ends LF, CR LF or CR; a UTF-8 byte-order mark is skipped.
/// - Lines whose first non-blank character is `#` are comments, as is
///   everything after a field that starts with `#`. A comment
///   `# value_units = KM/S` (the NASA Exoplanet Archive's tables) declares the
///   unit of the velocities and uncertainties.
/// - An optional header line (the first non-comment line whose first field is
///   not a number) names the columns, in any order and any letter case, e.g.
///   `time mnvel errvel tel`, `jd rv err`, `,errvel,t,vel`,
///   `BJD_TDB (days), RV (m/s), sigma_RV (m/s)`; see columnFromName(). A unit
///   after a velocity or uncertainty name (`RV [km/s]`, `vel (km/s)`,
///   `rv_kms`) declares that column's unit; an uncertainty without one takes
///   the velocity's. Activity indices are kept under their readable names
///   (see activityIndexName(): `s_mw` → "S-index", `log_rhk` → "log R'HK",
///   `halpha` → "Hα", `fwhm` → "FWHM", `bis_span` → "bisector span"); their
///   own uncertainty columns (`sig_s`, `e_fwhm`) and every other unknown
///   column are skipped. A line of dashes right
///   after the header (the .rdb format's `--- ---- -----`) is skipped too.
///   A row with more fields than a comma-separated header names is refused
///   (its commas are most likely decimal marks).
/// - Without a header the columns are time, velocity, uncertainty and an
///   optional instrument name; from the fourth column on, each column whose
///   field in the first row is a number (or `nan`) is an activity index
///   named "column N", N counted from 1 (a numeric fourth column is then no
///   instrument). A first row of two fields means time and velocity.
///
/// Activity indices: an empty field, a field missing at the row's end or
/// `nan` (any case) is a missing value (NaN), and one note per index says
/// how many rows lack it and names their first lines; an index no row gives
/// is left out. Text or an infinity there is refused like a velocity.
///
/// Units: times are kept in whatever scale the file uses (JD, BJD, reduced
/// JD, MJD); velocities and uncertainties are converted to m/s from the unit
/// the options state, else the one the file declares, else taken as m/s. A
/// note says so whenever a conversion happened, and warns when no unit was
/// declared but the numbers look like km/s (uncertainties far below any
/// spectrograph's precision in m/s, velocities below a few hundred).
///
/// No uncertainties: a table without an uncertainty column is read with
/// every measurement at assumedUncertainty, its instruments listed in
/// DataSet::instrumentsWithoutUncertainties, and a note saying so.
///
/// Every number in a row must be finite, even in a column that is not used,
/// apart from the missing values of activity indices, and every
/// uncertainty > 0. The limits of readerlimits.h apply.
///
/// A refusal is one English line naming the line, what was expected and what
/// was found ("line 17: the uncertainty (column 3) must be a positive number
/// of m/s but is '0'").
namespace Observations {

struct ReadOptions
{
    /// The unit the user states for the velocities and uncertainties; it
    /// wins over the file's declaration (a note says so when they differ).
    std::optional<VelocityUnit> velocityUnit;
};

/// What a file gave: the measurements and what the reader did to them.
struct Reading
{
    DataSet data; ///< measurements in file order; instruments in order of first appearance; indices in column order
    /// Conversions, assumptions and warnings, one sentence each, for the
    /// user to see ("velocities converted from km/s to m/s").
    std::vector<std::string> notes;
};

/// Parses the text of a data file. Measurements without an instrument column
/// (or with an empty field there) get `defaultInstrument`, or "default" when
/// that is empty.
Numeric::Outcome<Reading> parseText(std::string_view text, std::string_view defaultInstrument,
                                    const ReadOptions &options = {});

/// The instrument a velocity file stands for, from its name: the part after
/// the second underscore of `<star>_<number>_<instrument>.<ext>` (the
/// catalog's convention, "51Peg_1_LICK.vels" → "LICK"), else the file's stem
/// ("k2-24_rv.csv" → "k2-24_rv").
std::string instrumentNameFromFile(const std::filesystem::path &path);

} // namespace Observations
