#pragma once

#include "numeric/outcome.h"

#include <filesystem>
#include <string>

/// Reading a file's bytes for the readers. Internal to the observations library.
namespace Observations {

/// The whole file, read only when it is a regular size: a missing file, a
/// folder, a file over maxTextBytes (refused before it is read, or once the
/// read passes the limit for files whose size the system does not know) and
/// a failed read are refused with a sentence naming the file.
Numeric::Outcome<std::string> readBounded(const std::filesystem::path &path);

} // namespace Observations
