#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

/// Writing the panel's files. Every write goes through QSaveFile, so a
/// failed write never leaves half a file behind.
namespace LabExport {

/// Writes `bytes` to `path`; returns the empty text on success, else why not.
QString writeFile(const QString &path, const QByteArray &bytes);

/// A picture of `widget` as drawn now: SVG when `path` ends in ".svg" (any
/// case), otherwise PNG. Returns the empty text on success, else why not.
QString writePicture(QWidget *widget, const QString &path);

/// The picture's bytes in that format, for writePicture and for tests.
QByteArray pictureBytes(QWidget *widget, bool svg);

} // namespace LabExport
