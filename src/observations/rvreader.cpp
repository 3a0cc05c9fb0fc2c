#include "observations/rvreader.h"

#include "observations/filebytes.h"

#include <algorithm>
#include <cctype>

namespace Observations {

Numeric::Outcome<Reading> loadFile(const std::string &path, const ReadOptions &options)
{
    const std::filesystem::path file(path);
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".sys") {
        auto system = loadSystemFile(path, options);
        if (!system)
            return Numeric::Refusal{system.reason()};
        StarSystem star = std::move(system).value();
        return Reading{std::move(star.data), std::move(star.notes)};
    }
    const auto read = readBounded(file);
    if (!read)
        return Numeric::Refusal{read.reason()};
    return parseText(*read, instrumentNameFromFile(file), options);
}

} // namespace Observations
