#include "observations/filebytes.h"

#include "observations/readerlimits.h"

#include <array>
#include <fstream>

namespace Observations {

Numeric::Outcome<std::string> readBounded(const std::filesystem::path &path)
{
    const std::string shown = path.filename().string();
    const auto tooLarge = [&] {
        return Numeric::Refusal{shown + " is larger than " + std::to_string(maxTextBytes / (1024 * 1024))
                                + " MiB: refused"};
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return Numeric::Refusal{"no such file: " + shown};
    if (std::filesystem::is_directory(status))
        return Numeric::Refusal{shown + " is a folder, not a file"};
    if (std::filesystem::is_regular_file(status)) {
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > maxTextBytes)
            return tooLarge();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Numeric::Refusal{"cannot open " + shown};
    std::string bytes;
    std::array<char, 1 << 16> chunk;
    while (in) {
        in.read(chunk.data(), chunk.size());
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxTextBytes)
            return tooLarge();
    }
    if (in.bad())
        return Numeric::Refusal{"cannot read " + shown};
    return bytes;
}

} // namespace Observations
