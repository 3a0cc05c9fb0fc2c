#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QWidget;

/// The one way a "save as" of the lab and its Observations tab goes: ask for
/// a path through the platform, write the whole file or nothing (QSaveFile),
/// and say a failure in one wording ("<file> could not be written: <why>")
/// in one style (a critical message box titled "Save"). A cancelled dialog
/// writes nothing and says nothing.
namespace ExportFlow {

/// What a picture shows, drawn by the caller on a painter of the given size.
using Drawing = std::function<void(QPainter &)>;

/// Asks for a path with `filter` and writes bytes() there (bytes() is called
/// only once a path was chosen). Returns the path written; empty when the
/// user cancelled or the write failed, the failure already said.
QString saveBytes(QWidget *owner, const QString &filter, const std::function<QByteArray()> &bytes);

/// As saveBytes(), for a picture of `size` pixels: an SVG drawing when the
/// chosen name ends in ".svg" (any case), a PNG picture otherwise. `title`
/// names the SVG drawing.
QString savePicture(QWidget *owner, const QString &filter, QSize size, const QString &title, const Drawing &draw);

/// The writing halves, without asking: the failure as a sentence, or nothing.
std::optional<QString> writeFile(const QString &path, const QByteArray &bytes);
std::optional<QString> writePicture(const QString &path, QSize size, const QString &title, const Drawing &draw);

bool isSvg(const QString &path);

} // namespace ExportFlow
