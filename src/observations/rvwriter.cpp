#include "observations/rvwriter.h"

#include "observations/activitycolumns.h"
#include "observations/rvreader.h"
#include "observations/textlines.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace Observations {

namespace {

// A name the reader takes back as the same one field: whatever would split
// it or start a comment, and whatever is not UTF-8 text, becomes an
// underscore, and it is cut to the reader's limit.
std::string oneField(std::string_view name)
{
    std::string field;
    std::size_t i = 0;
    while (i < name.size()) {
        const std::size_t length = Text::validSequenceLength(name.substr(i));
        if (field.size() + std::max<std::size_t>(length, 1) > maxInstrumentNameBytes)
            break;
        const char c = name[i];
        const bool splits = c == ' ' || c == '\t' || c == ',' || c == ';' || c == '#' || c == '"' || c == '\n'
            || c == '\r' || c == '\f' || c == '\v';
        if (length == 0 || splits) {
            field += '_';
            ++i;
        } else {
            field += name.substr(i, length);
            i += length;
        }
    }
    return field;
}

std::string instrumentField(std::string_view name)
{
    return name.empty() ? std::string("default") : oneField(name);
}

void appendNumber(std::string &text, double value)
{
    // Shortest text that reads back as the same double.
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text.append(buffer.data(), result.ptr);
}

} // namespace

std::string toText(const DataSet &data)
{
    std::vector<std::string> names;
    names.reserve(data.instruments.size());
    for (const std::string &name : data.instruments)
        names.push_back(instrumentField(name));

    std::string text = "time mnvel errvel tel";
    for (const ActivityIndex &index : data.activity)
        text += ' ' + oneField(activityHeaderField(index.name));
    text += '\n';
    text.reserve(text.size() + data.measurements.size() * (48 + 24 * data.activity.size()));
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Measurement &m = data.measurements[i];
        appendNumber(text, m.time);
        text += ' ';
        appendNumber(text, m.velocity);
        text += ' ';
        appendNumber(text, m.uncertainty);
        text += ' ';
        const bool known = m.instrument >= 0 && static_cast<std::size_t>(m.instrument) < names.size();
        text += known ? names[static_cast<std::size_t>(m.instrument)] : std::string("default");
        for (const ActivityIndex &index : data.activity) {
            text += ' ';
            const double value = i < index.values.size() ? index.values[i] : std::nan("");
            if (std::isfinite(value))
                appendNumber(text, value);
            else
                text += "nan"; // the reader's missing value
        }
        text += '\n';
    }
    return text;
}

} // namespace Observations
