#include "observations/rvwriter.h"

#include <array>
#include <charconv>

namespace Observations {

namespace {

// A name the readers see as one field: whatever would split it or start a
// comment becomes an underscore.
std::string instrumentField(const std::string &name)
{
    if (name.empty())
        return "default";
    std::string field = name;
    for (char &c : field)
        if (c == ' ' || c == '\t' || c == ',' || c == ';' || c == '#' || c == '"' || c == '\n' || c == '\r'
            || c == '\f' || c == '\v')
            c = '_';
    return field;
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

    std::string text = "time mnvel errvel tel\n";
    text.reserve(text.size() + data.measurements.size() * 48);
    for (const Measurement &m : data.measurements) {
        appendNumber(text, m.time);
        text += ' ';
        appendNumber(text, m.velocity);
        text += ' ';
        appendNumber(text, m.uncertainty);
        text += ' ';
        const bool known = m.instrument >= 0 && static_cast<std::size_t>(m.instrument) < names.size();
        text += known ? names[static_cast<std::size_t>(m.instrument)] : std::string("default");
        text += '\n';
    }
    return text;
}

} // namespace Observations
