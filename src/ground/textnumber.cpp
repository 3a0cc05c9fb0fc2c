#include "ground/textnumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace TextNumber {

namespace {

bool isIgnoredBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// An input method in full-width mode types digits, point and signs as their
// full-width twins (１２．５, －３); they mean the same number.
char asciiTwin(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return char(u);
    if (u >= u'０' && u <= u'９')
        return char('0' + (u - u'０'));
    switch (u) {
    case u'．':
        return '.';
    case u'－':
    case u'\u2212': // minus sign
        return '-';
    case u'＋':
        return '+';
    default:
        // Anything else outside ASCII ends a number, so it can stand for all of it.
        return '\x7f';
    }
}

std::string withoutBlanks(QStringView text)
{
    std::string compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isIgnoredBlank(c))
            compact.push_back(asciiTwin(c));
    }
    return compact;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// &H and &O forms are whole numbers of 16 or 32 bits, read as signed the way
// the original platform did (&HFFFF is -1).
double radixNumber(const std::string &s, int radix)
{
    double value = 0;
    bool any = false;
    for (size_t i = 2; i < s.size(); ++i) {
        const char c = char(std::tolower(static_cast<unsigned char>(s[i])));
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
        any = true;
    }
    if (!any)
        return 0;
    if (value > 0x7FFF && value <= 0xFFFF)
        return value - 65536.0;
    if (value > 0x7FFFFFFF && value <= 4294967295.0)
        return value - 4294967296.0;
    return value;
}

// from_chars leaves the value alone when it does not fit; tell overflow from
// underflow by the decimal magnitude of the number.
double outOfRange(const std::string &number)
{
    const bool negative = number.front() == '-';
    const size_t exponentAt = number.find('e');
    const std::string mantissa = number.substr(0, exponentAt);
    long long magnitude = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c == '.')
            break;
        if (isDigit(c) && (c != '0' || !leading)) {
            leading = false;
            ++magnitude;
        }
    }
    if (exponentAt != std::string::npos) {
        const std::string exponent = number.substr(exponentAt + 1);
        const bool negativeExponent = !exponent.empty() && exponent.front() == '-';
        long long e = 0;
        for (char c : exponent) {
            if (isDigit(c) && e < 100000)
                e = e * 10 + (c - '0');
        }
        magnitude += negativeExponent ? -e : e;
    }
    if (magnitude <= 0)
        return 0;
    const double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

QString fixExponent(QString text)
{
    // Qt writes "1.5e+07"; the program's texts have always read "1.5E+07".
    return text.replace(QLatin1Char('e'), QLatin1Char('E'));
}

template <typename T> QString printItemOf(T value)
{
    const QString sign = std::signbit(value) && value != 0 ? QStringLiteral("-") : QStringLiteral(" ");
    return sign + shortest(std::fabs(value)) + QLatin1Char(' ');
}

} // namespace

double leadingNumber(QStringView text)
{
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = char(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H')
            return radixNumber(s, 16);
        if (kind == 'O')
            return radixNumber(s, 8);
        return 0;
    }

    size_t end = 0;
    if (end < s.size() && (s[end] == '+' || s[end] == '-'))
        ++end;
    size_t digits = 0;
    while (end < s.size() && isDigit(s[end])) {
        ++end;
        ++digits;
    }
    if (end < s.size() && s[end] == '.') {
        ++end;
        while (end < s.size() && isDigit(s[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    std::string number = s.substr(0, end);
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E' || s[end] == 'd' || s[end] == 'D')) {
        size_t exponentEnd = end + 1;
        if (exponentEnd < s.size() && (s[exponentEnd] == '+' || s[exponentEnd] == '-'))
            ++exponentEnd;
        const size_t exponentDigitsStart = exponentEnd;
        while (exponentEnd < s.size() && isDigit(s[exponentEnd]))
            ++exponentEnd;
        if (exponentEnd > exponentDigitsStart)
            number += 'e' + s.substr(end + 1, exponentEnd - end - 1);
    }
    // from_chars ignores the locale: the period is the decimal separator
    // whatever the user's settings say.
    const char *first = number.c_str();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [ptr, error] = std::from_chars(first, number.c_str() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        return outOfRange(number);
    return value + 0.0; // -0 reads as 0
}

QString shortest(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    return fixExponent(QString::number(double(value), 'g', 7));
}

QString shortest(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    return fixExponent(QString::number(value, 'g', 15));
}

QString printItem(float value)
{
    return printItemOf(value);
}

QString printItem(double value)
{
    return printItemOf(value);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

double carried(float value)
{
    return leadingNumber(shortest(value));
}

double carried(double value)
{
    return leadingNumber(shortest(value));
}

} // namespace TextNumber
