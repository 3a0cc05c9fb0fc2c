#pragma once

#include "ground/languageswitch.h"

#include <QStringList>

#include <optional>

/// The program's start: chooses the language, refuses a second running
/// copy, then loads the simulator (which brings the frame with it) and
/// shows it.
namespace Startup {

/// The language the command line asks for this run: `--lang ja`,
/// `--lang=en`. Nothing when it names none; a value that is no language is
/// said on the error stream and ignored, so the kept choice holds.
std::optional<LanguageSwitch::Language> languageForThisRun(const QStringList &arguments);

/// Runs the start routine in `language` when given, else in the kept
/// choice; returns false when another instance runs and this one must end.
bool start(std::optional<LanguageSwitch::Language> language = std::nullopt);

} // namespace Startup
