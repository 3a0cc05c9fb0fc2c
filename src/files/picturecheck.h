#pragma once

class QIODevice;

/// Whether a picture file is whole, judged from its own structure before
/// any decoder sees it, so that a cut-off file is reported as damaged and
/// no declared length larger than the file makes a decoder allocate for it.
/// Reads at most 64 KiB at a time, whatever the file's size.
namespace PictureCheck {

/// True when the picture in `device` (random access, read from offset 0)
/// is whole:
/// - PNG: every chunk's declared length fits in the file, chunk types are
///   letters, and the chunks run up to IEND;
/// - JPEG: every segment fits in the file and the data runs up to the
///   end-of-image marker FF D9;
/// - Windows bitmap: the file holds the pixel rows its header declares
///   (for compressed bitmaps, the declared data size).
/// Files of any other format are left to their decoder and count as whole.
bool whole(QIODevice &device);

} // namespace PictureCheck
