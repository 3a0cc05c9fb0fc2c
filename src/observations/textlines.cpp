#include "observations/textlines.h"

#include "observations/readerlimits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace Observations::Text {

namespace {

// The share of odd bytes at the start of a text from which it counts as
// binary: a Latin-1 name in a comment is a few odd bytes, a picture or a
// compressed file is mostly odd bytes.
constexpr std::size_t binarySampleBytes = 64 * 1024;
constexpr std::size_t binaryShareDenominator = 16;

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
        const bool control = (lead < 0x20 && !isBlank(static_cast<char>(lead)) && !isLineEnd(static_cast<char>(lead)))
                             || lead == 0x7f;
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

LineReader::LineReader(std::string_view text)
    : rest(text)
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

void splitFields(std::string_view line, std::vector<std::string_view> &fields)
{
    fields.clear();
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
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        fields.push_back(field);
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

NumberStatus parseNumber(std::string_view field, double &value)
{
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
