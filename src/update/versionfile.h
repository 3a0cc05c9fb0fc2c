#pragma once

#include "ground/appinfo.h"

#include <QByteArray>
#include <QString>

/// Reading the published version file. Pure functions, no network, no files.
namespace VersionFile {

/// The characters before the first carriage return; the whole text when it
/// has none. A line feed alone does not end the line, so a file with
/// LF-only line ends reads as one long line. Bytes are taken one to one as
/// characters, as the file was written in a single-byte code page.
QString firstLine(const QByteArray &body);

/// True when the first line is the version text, every character equal,
/// case and blanks included. There is no ordering of versions: an older
/// number, an empty file or a trailing blank all count as not current.
bool isCurrent(const QByteArray &body, const AppVersion &running);

} // namespace VersionFile
