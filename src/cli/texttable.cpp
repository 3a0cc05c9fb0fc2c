#include "cli/texttable.h"

#include <algorithm>
#include <cstdio>

namespace Cli {

namespace {

std::size_t characters(const std::string &text)
{
    return std::size_t(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

TextTable::TextTable(std::vector<std::string> header)
{
    m_rows.push_back(std::move(header));
}

void TextTable::addRow(std::vector<std::string> cells)
{
    m_rows.push_back(std::move(cells));
}

std::string TextTable::text() const
{
    std::vector<std::size_t> widths;
    for (const auto &row : m_rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], characters(row[c]));
    }
    std::string out;
    for (const auto &row : m_rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - characters(row[c]), ' ');
            line += c == 0 ? row[c] + padding : "  " + padding + row[c];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string significant(double value, int digits)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

} // namespace Cli
