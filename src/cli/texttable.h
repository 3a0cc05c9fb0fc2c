#pragma once

#include <string>
#include <vector>

namespace Cli {

/// A plain-text table: a header row and rows of cells, columns padded to
/// their widest cell (counted in UTF-8 characters), right-aligned but the first.
class TextTable
{
public:
    explicit TextTable(std::vector<std::string> header);
    void addRow(std::vector<std::string> cells);
    std::string text() const;

private:
    std::vector<std::vector<std::string>> m_rows;
};

/// A figure that has no uncertainty of its own (a count, a power, −ln L)
/// with `digits` significant digits.
std::string significant(double value, int digits);

} // namespace Cli
