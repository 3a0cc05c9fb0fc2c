#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

/// Writing the lab's files: whole or not at all (QSaveFile), so a failed
/// write never leaves half a file. Each function returns the reason it
/// failed, as a sentence for the user, or the empty text on success.
namespace LabExport {

QString writeFile(const QString &path, const QByteArray &bytes);

/// A picture drawn by `draw` on `size` pixels: an SVG drawing when the
/// name ends in ".svg" (any case), a PNG picture otherwise.
QString writePicture(const QString &path, QSize size, const QString &title,
                     const std::function<void(QPainter &)> &draw);

bool isSvg(const QString &path);

} // namespace LabExport
