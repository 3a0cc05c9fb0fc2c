#include "numeric/numbertext.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace Numeric {

namespace {

const char *const Undefined = "undefined";

bool usableUncertainty(double uncertainty)
{
    return std::isfinite(uncertainty) && uncertainty > 0;
}

/// value rounded to `decimals` places (tens, hundreds… when negative), printed
/// without an exponent.
std::string fixed(double value, int decimals)
{
    if (decimals < 0) {
        const double unit = std::pow(10.0, -decimals);
        value = std::round(value / unit) * unit;
        decimals = 0;
    }
    std::array<char, 512> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (error != std::errc{})
        return shortestText(value);
    std::string text(buffer.data(), end);
    // A negative value that rounds to zero reads "0.00", not "-0.00".
    if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace

std::string shortestText(double value)
{
    if (!std::isfinite(value))
        return Undefined;
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string(Undefined);
}

int decimalsForUncertainty(double uncertainty)
{
    if (!usableUncertainty(uncertainty))
        return 0;
    // Two significant digits: the first sits at 10^floor(log10 σ), the second one place further.
    int decimals = 1 - static_cast<int>(std::floor(std::log10(uncertainty)));
    // 0.0996 rounds to 0.100 at three places: its two digits then sit one place earlier.
    if (std::round(uncertainty * std::pow(10.0, decimals)) >= 100)
        --decimals;
    return decimals;
}

std::string measuredText(double value, double uncertainty)
{
    if (!std::isfinite(value))
        return Undefined;
    if (!usableUncertainty(uncertainty))
        return shortestText(value);
    const int decimals = decimalsForUncertainty(uncertainty);
    return fixed(value, decimals) + " ± " + fixed(uncertainty, decimals);
}

} // namespace Numeric
