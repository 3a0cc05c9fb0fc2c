#pragma once

#include <string>

/// Numbers as the exports and result tables write them, one rule for the
/// whole program so that a value reads the same in a table, a file and the
/// command line. A point is the decimal separator whatever the locale.
namespace Numeric {

/// The shortest text that reads back to the same double ("2450518.1234",
/// "1e-07"): exports keep every digit a time in BJD carries.
std::string shortestText(double value);

/// A measured value to the precision of its uncertainty: the uncertainty
/// rounded to two significant digits and the value to the same decimal place,
/// "2450518.123 ± 0.012", "12350 ± 120". Without a usable uncertainty (zero,
/// negative or not finite) the value alone, shortest. A value that is not
/// finite reads "undefined", never "nan".
std::string measuredText(double value, double uncertainty);

/// The decimal places measuredText() keeps for this uncertainty (may be
/// negative: −1 rounds to tens), so a caller that formats the number itself
/// keeps the same precision.
int decimalsForUncertainty(double uncertainty);

} // namespace Numeric
