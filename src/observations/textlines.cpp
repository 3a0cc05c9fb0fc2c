#include "observations/textlines.h"

#include "observations/readerlimits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Observations::Text {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

bool isComma(char c)
{
    return c == ',' || c == ';';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// splitFields looks at every byte of a table; one look-up per byte keeps a
// million rows under a second.
constexpr std::array<bool, 256> fieldEnds = [] {
    std::array<bool, 256> ends{};
    for (const char c : {' ', '\t', '\f', '\v', ',', ';'})
        ends[static_cast<unsigned char>(c)] = true;
    return ends;
}();

bool endsField(char c)
{
    return fieldEnds[static_cast<unsigned char>(c)];
}

} // namespace

std::size_t validSequenceLength(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        const bool control =
            (lead < 0x20 && !isBlank(static_cast<char>(lead)) && !isLineEnd(static_cast<char>(lead))) || lead == 0x7f;
        return control ? 0 : 1;
    }
    // The well-formed sequences of Unicode's table 3-7: no overlong forms,
    // no surrogates, nothing above U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf; // the second byte's range
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
    return length;
}

std::optional<std::string> textRefusal(std::string_view text)
{
    if (text.size() > maxTextBytes)
        return "larger than " + std::to_string(maxTextBytes / (1024 * 1024)) + " MiB: refused";
    if (std::memchr(text.data(), '\0', text.size()) != nullptr)
        return "binary (it holds NUL bytes), not a table of velocities";
    const std::string_view sample = text.substr(0, binarySampleBytes);
    std::size_t odd = 0;
    for (std::size_t i = 0; i < sample.size();) {
        const std::size_t length = validSequenceLength(sample.substr(i));
        if (length == 0) {
            ++odd;
            ++i;
        } else {
            i += length;
        }
    }
    if (odd * binaryShareDenominator > sample.size())
        return "binary (not UTF-8 text), not a table of velocities";
    return std::nullopt;
}

LineReader::LineReader(std::string_view text) : rest(text)
{
    constexpr std::string_view byteOrderMark = "\xef\xbb\xbf";
    if (rest.starts_with(byteOrderMark))
        rest.remove_prefix(byteOrderMark.size());
}

std::optional<std::string_view> LineReader::next()
{
    if (rest.empty() || !failure.empty())
        return std::nullopt;
    ++number;
    // Looking no further than the limit keeps a 100 MB line as cheap as a short one.
    const std::size_t window = std::min(rest.size(), maxLineBytes + 1);
    const auto find = [&](char c, std::size_t length) {
        const void *found = std::memchr(rest.data(), c, length);
        return found ? static_cast<std::size_t>(static_cast<const char *>(found) - rest.data()) : length;
    };
    // memchr twice beats a loop over both line ends; a CR before the LF ends the line there.
    const std::size_t lf = find('\n', window);
    const std::size_t end = find('\r', lf);
    if (end > maxLineBytes) {
        failure = lineError(number, "longer than " + std::to_string(maxLineBytes) + " bytes: refused");
        return std::nullopt;
    }
    const std::string_view line = rest.substr(0, end);
    std::size_t skip = end;
    if (skip < rest.size()) {
        const bool crLf = rest[skip] == '\r' && skip + 1 < rest.size() && rest[skip + 1] == '\n';
        skip += crLf ? 2 : 1;
    }
    rest.remove_prefix(skip);
    return line;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// True when every comma of the line stands between two digits, as in 29,45.
bool commasAreDecimal(std::string_view line)
{
    for (std::size_t i = line.find(','); i != std::string_view::npos; i = line.find(',', i + 1))
        if (i == 0 || i + 1 == line.size() || !isDigit(line[i - 1]) || !isDigit(line[i + 1]))
            return false;
    return true;
}

std::string_view unquoted(std::string_view field)
{
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        return field.substr(1, field.size() - 2);
    return field;
}

// Fields between single delimiters, blanks around them trimmed; a `#` ends the line.
void splitAt(std::string_view line, char delimiter, std::vector<std::string_view> &fields)
{
    line = line.substr(0, std::min(line.find('#'), line.size()));
    if (trimmed(line).empty())
        return;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(line.find(delimiter, start), line.size());
        fields.push_back(unquoted(trimmed(line.substr(start, end - start))));
        if (end == line.size())
            break;
        start = end + 1;
    }
    if (fields.back().empty())
        fields.pop_back(); // a delimiter at the end of the line closes the last field
}

} // namespace

Delimiter delimiterOf(std::string_view line)
{
    if (line.find(';') != std::string_view::npos)
        return Delimiter::Semicolons;
    if (line.find('\t') != std::string_view::npos && line.find(',') != std::string_view::npos
        && commasAreDecimal(trimmed(line)))
        return Delimiter::TabsWithDecimalCommas;
    return Delimiter::BlanksAndCommas;
}

void splitFields(std::string_view line, std::vector<std::string_view> &fields, Delimiter delimiter)
{
    fields.clear();
    if (delimiter == Delimiter::Semicolons)
        return splitAt(line, ';', fields);
    if (delimiter == Delimiter::TabsWithDecimalCommas)
        return splitAt(line, '\t', fields);
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos == line.size())
        return;
    while (true) {
        const std::size_t start = pos;
        while (pos < line.size() && !endsField(line[pos]))
            ++pos;
        std::string_view field = line.substr(start, pos - start);
        if (field.starts_with('#'))
            return;
        fields.push_back(unquoted(field));
        skipBlanks();
        if (pos == line.size())
            return;
        if (isComma(line[pos])) {
            ++pos;
            skipBlanks();
            if (pos == line.size()) {
                fields.emplace_back();
                return;
            }
        }
    }
}

std::string_view trimmed(std::string_view line)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

bool isBlankOrComment(std::string_view line)
{
    const std::string_view content = trimmed(line);
    return content.empty() || content.front() == '#';
}

NumberStatus parseNumber(std::string_view field, double &value, DecimalMark mark)
{
    if (mark == DecimalMark::Comma) {
        const std::size_t comma = field.find(',');
        if (comma != std::string_view::npos) {
            if (field.find_first_of(",.", comma + 1) != std::string_view::npos || field.size() > maxLineBytes)
                return NumberStatus::NotANumber;
            std::string pointed(field);
            pointed[comma] = '.';
            return parseNumber(pointed, value, DecimalMark::Point);
        }
    }
    if (field.starts_with('+')) {
        field.remove_prefix(1);
        if (field.starts_with('-') || field.starts_with('+'))
            return NumberStatus::NotANumber;
    }
    if (field.empty())
        return NumberStatus::NotANumber;
    double parsed = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), parsed);
    if (end != field.data() + field.size() || error == std::errc::invalid_argument)
        return NumberStatus::NotANumber;
    if (error == std::errc::result_out_of_range)
        return NumberStatus::OutOfRange;
    if (!std::isfinite(parsed))
        return NumberStatus::NotFinite;
    value = parsed;
    return NumberStatus::Ok;
}

std::string lineError(std::size_t line, std::string_view message)
{
    return "line " + std::to_string(line) + ": " + std::string(message);
}

std::string quoted(std::string_view field)
{
    // Only whole, printable characters go into a message: a message is one
    // line of valid UTF-8 whatever the file held.
    constexpr std::size_t shown = 40;
    std::string text = "'";
    std::size_t i = 0;
    while (i < field.size() && i < shown) {
        const std::size_t length = validSequenceLength(field.substr(i));
        const bool lineEnd = length == 1 && isLineEnd(field[i]);
        if (length == 0 || lineEnd) {
            text += '?';
            ++i;
        } else {
            text += field.substr(i, length);
            i += length;
        }
    }
    if (i < field.size())
        text += "…";
    return text + "'";
}

} // namespace Observations::Text
