#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

/// Reading and writing one picture file, safely: a write replaces the file
/// whole or leaves it as it was, and a read refuses a picture whose size
/// would exhaust memory before it allocates anything. No dialogs here; a
/// failure comes back as a short reason the caller shows to the user.
namespace PictureFile {

/// The most pixels a loaded picture may have. The plot surfaces are well
/// under a million pixels; 16 million still lets a photograph in, and even
/// at 8 bytes a pixel (16-bit PNG) stays within the reader's allocation
/// limit below.
inline constexpr qint64 MaxPixels = 16'000'000;
/// Memory the image reader may allocate for one picture, in megabytes.
inline constexpr int AllocationLimitMB = 128;

/// The largest file Load reads, in bytes, as much as the reader may
/// allocate: a bitmap of MaxPixels at four bytes a pixel is 64 MB.
inline constexpr qint64 MaxFileBytes = qint64(AllocationLimitMB) * 1024 * 1024;

/// Icons hold at most this many pixels on a side.
inline constexpr int MaxIconSide = 256;

/// The image as a `format` file can hold it: an icon ("ico", "cur") is
/// shrunk to fit 256 × 256, keeping its proportions; other formats take
/// the image as it is.
QImage fittedFor(const QImage &image, const QByteArray &format);

/// Writes `image` in `format` (a Qt image format name such as "png") to
/// `fileName`, through a temporary file that replaces the target only when
/// everything was written. Returns the empty text on success, otherwise
/// the reason.
QString write(const QImage &image, const QString &fileName, const QByteArray &format);

struct ReadResult
{
    QImage image;  ///< null when the read failed
    QString error; ///< the reason when it failed, empty otherwise
};

/// Reads the picture in `fileName`, whatever its extension says: the
/// content decides the format. Refuses anything but a regular file, files
/// of more than MaxFileBytes, pictures of more than MaxPixels, and a PNG,
/// JPEG or bitmap that PictureCheck does not find whole, before decoding.
ReadResult read(const QString &fileName);

} // namespace PictureFile
