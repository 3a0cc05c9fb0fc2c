#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The names activity indices go by in the tables astronomers exchange, and
/// the readable name the program gives each. Pure C++, no Qt.
namespace Observations {

/// The readable name of the activity index a header field names: "S-index"
/// (`s`, `sindex`, `s_index`, `s-index`, `s_mw`, `smw`, `s_hk`), "log R'HK"
/// (`logrhk`, `log_rhk`, `rhk`, `lrhk`, `log(r'hk)`, `logr'hk`), "Hα"
/// (`halpha`, `h_alpha`, `ha`, `hα`, `ha_index`), "FWHM" (`fwhm`),
/// "bisector span" (`bis`, `bis_span`, `bisspan`, `bisector`), or
/// "column N" for `column_N`. Any letter case; underscores, dashes, blanks,
/// brackets and primes do not count, and a unit after the name in brackets
/// (`fwhm [km/s]`) is not part of it. Nothing for any other name: the
/// indices' own uncertainties (`sig_s`, `e_fwhm`, `fwhm_err`) are not indices.
std::optional<std::string> activityIndexName(std::string_view headerField);

/// The header field a writer gives an index so that activityIndexName()
/// reads it back as `name`: "S-index" → `s_index`, "column 4" → `column_4`;
/// a name it does not know is written with blanks as underscores.
std::string activityHeaderField(std::string_view name);

} // namespace Observations
