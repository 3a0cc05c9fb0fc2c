#pragma once

/// The roundings every challenge number goes through, so values written to
/// a file read the same on every machine (libm's last-bit differences vanish
/// in the rounding) and a key shows no digits its uncertainty does not earn.
namespace Challenge {

/// value rounded to the nearest multiple of step, a power of ten (1e-5, 0.01 …).
double roundedTo(double value, double step);

/// value rounded to the decimal place Numeric::measuredText keeps for this
/// uncertainty (two significant digits of it); value itself when the
/// uncertainty is not finite and > 0.
double roundedToUncertainty(double value, double uncertainty);

} // namespace Challenge
