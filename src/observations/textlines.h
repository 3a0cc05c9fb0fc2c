#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The text-level pieces the readers share: bounded line splitting, field
/// splitting and number parsing. Internal to the observations library.
namespace Observations::Text {

/// Why a text cannot be a table at all, to follow "the file is ", or nothing:
/// larger than maxTextBytes, or binary.
std::optional<std::string> textRefusal(std::string_view text);

/// Walks a text line by line (LF, CR LF or CR), counting lines from 1.
/// A UTF-8 byte-order mark at the start is skipped.
class LineReader
{
public:
    explicit LineReader(std::string_view text);

    /// The next line without its end, or nothing at the end of the text.
    /// Stops with an error (see error()) at a line over maxLineBytes, before
    /// looking at its content.
    std::optional<std::string_view> next();

    std::size_t lineNumber() const { return number; }
    const std::string &error() const { return failure; }

private:
    std::string_view rest;
    std::size_t number = 0;
    std::string failure;
};

/// How a table separates its columns, decided from its first line.
enum class Delimiter {
    /// Runs of blanks and tabs separate once; a comma with blanks around it
    /// separates once too, so two commas in a row leave an empty field and a
    /// leading comma an empty first field. A field starting with `#` ends the line.
    BlanksAndCommas,
    /// A spreadsheet's export in much of Europe: semicolons separate, blanks
    /// belong to the field (`RV (m/s)`), commas are decimal marks. A `#` ends the line.
    Semicolons,
    /// Tabs separate and every comma stands between digits: decimal commas.
    TabsWithDecimalCommas,
};

/// The delimiter of a table whose first line (header or row) this is: one
/// with a semicolon is separated by semicolons.
Delimiter delimiterOf(std::string_view line);

/// Splits a line into fields as the delimiter says. Fields in double quotes
/// lose them.
void splitFields(std::string_view line, std::vector<std::string_view> &fields,
                 Delimiter delimiter = Delimiter::BlanksAndCommas);

/// True for a line with nothing but blanks, or whose first non-blank is `#`.
bool isBlankOrComment(std::string_view line);

/// The line without leading and trailing blanks.
std::string_view trimmed(std::string_view line);

/// How a field reads as a number.
enum class NumberStatus { Ok, NotANumber, OutOfRange, NotFinite };

enum class DecimalMark { Point, Comma };

/// Parses a whole field as a decimal number (an optional leading `+` allowed);
/// with DecimalMark::Comma one comma stands for the point (29,45).
NumberStatus parseNumber(std::string_view field, double &value, DecimalMark mark = DecimalMark::Point);

/// The length of the valid UTF-8 sequence at the start of `s`, or 0 when
/// it is invalid or a control character other than blanks and line ends.
std::size_t validSequenceLength(std::string_view s);

/// "line N: " + message.
std::string lineError(std::size_t line, std::string_view message);

/// The field quoted for a message, shortened to a few dozen characters.
std::string quoted(std::string_view field);

} // namespace Observations::Text
