#pragma once

#include <QString>

/// The text document "planet_catalog.doc" that grows by one line per
/// registered planet. Lines are only ever added; nothing reads them back.
namespace CatalogDocument {

/// The document's name, without a folder: it lives in the current folder.
QString fileName();

/// Appends `line` (complete with its line end) to the file at `path`,
/// creating it when missing, in UTF-8 and in a single write, so the line
/// arrives whole. The file is opened for appending only, so a document that
/// may be written but not read still grows. When a readable document's last
/// line lacks its line end, a CR LF goes first so the new line stays a line
/// of its own. Existing bytes are never changed; a write that fails
/// partway is taken back. Anything but a regular file (a folder, a device,
/// a named pipe) is refused. Returns the empty text on success, otherwise
/// the reason.
QString append(const QString &path, const QString &line);

} // namespace CatalogDocument
