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

/// `value` with `digits` significant digits, or "value ± error" when error > 0.
std::string withError(double value, double error, int digits = 6);

/// Shortest text that reads back to the same double.
std::string shortest(double value);

} // namespace Cli
