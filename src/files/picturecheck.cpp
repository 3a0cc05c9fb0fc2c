#include "files/picturecheck.h"

#include <QByteArray>
#include <QIODevice>
#include <QtEndian>

#include <cmath>

namespace PictureCheck {

namespace {

constexpr qint64 ReadPiece = 64 * 1024;

/// `count` bytes at `offset`, or fewer when the file ends first.
QByteArray bytesAt(QIODevice &device, qint64 offset, qint64 count)
{
    if (!device.seek(offset))
        return {};
    return device.read(count);
}

quint32 bigEndian32(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

quint16 bigEndian16(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

qint32 littleEndian32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<qint32>(bytes.constData() + at);
}

quint16 littleEndian16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Chunks: length (4, big-endian, at most 2³¹ − 1), type (4 letters), data, CRC (4).
bool pngWhole(QIODevice &device)
{
    const qint64 size = device.size();
    qint64 at = 8;
    while (at + 12 <= size) {
        const QByteArray head = bytesAt(device, at, 8);
        if (head.size() != 8)
            return false;
        const quint32 length = bigEndian32(head, 0);
        for (int i = 4; i < 8; ++i) {
            if (!isLetter(head.at(i)))
                return false;
        }
        if (length > 0x7FFFFFFFu || at + 12 + qint64(length) > size)
            return false;
        if (head.mid(4) == "IEND")
            return true;
        at += 12 + qint64(length);
    }
    return false;
}

// The entropy-coded data after a start-of-scan header runs up to the next
// marker: 0xFF followed by anything but 0x00 (a stuffed byte) or a restart
// marker 0xD0–0xD7. Returns the offset of that marker's 0xFF, or -1.
qint64 nextMarkerAfterScan(QIODevice &device, qint64 at)
{
    const qint64 size = device.size();
    bool afterFF = false;
    while (at < size) {
        const QByteArray piece = bytesAt(device, at, ReadPiece);
        if (piece.isEmpty())
            return -1;
        for (int i = 0; i < piece.size(); ++i) {
            const auto byte = quint8(piece.at(i));
            if (afterFF && byte != 0x00 && byte != 0xFF && (byte < 0xD0 || byte > 0xD7))
                return at + i - 1;
            afterFF = byte == 0xFF;
        }
        at += piece.size();
    }
    return -1;
}

bool jpegWhole(QIODevice &device)
{
    const qint64 size = device.size();
    qint64 at = 2; // after FF D8
    for (;;) {
        // Any number of 0xFF fill bytes may precede a marker.
        QByteArray marker = bytesAt(device, at, 2);
        while (marker.size() == 2 && quint8(marker.at(0)) == 0xFF && quint8(marker.at(1)) == 0xFF)
            marker = bytesAt(device, ++at, 2);
        if (marker.size() != 2 || quint8(marker.at(0)) != 0xFF)
            return false;
        const auto code = quint8(marker.at(1));
        if (code == 0xD9)
            return true;
        if ((code >= 0xD0 && code <= 0xD7) || code == 0x01) {
            at += 2;
            continue;
        }
        const QByteArray lengthBytes = bytesAt(device, at + 2, 2);
        if (lengthBytes.size() != 2)
            return false;
        const quint16 length = bigEndian16(lengthBytes, 0);
        if (length < 2 || at + 2 + length > size)
            return false;
        at += 2 + length;
        if (code == 0xDA) {
            at = nextMarkerAfterScan(device, at);
            if (at < 0)
                return false;
        }
    }
}

// File header (14 bytes), then an info header: 12 bytes in the old OS/2
// form (16-bit sizes), 40 bytes or more in the Windows forms.
bool bmpWhole(QIODevice &device)
{
    const QByteArray head = bytesAt(device, 0, 38);
    if (head.size() < 26)
        return false;
    const qint64 pixelsAt = quint32(littleEndian32(head, 10));
    const quint32 infoSize = quint32(littleEndian32(head, 14));
    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint64 dataSize = 0;
    if (infoSize == 12) {
        width = littleEndian16(head, 18);
        height = littleEndian16(head, 20);
        bitsPerPixel = littleEndian16(head, 24);
    } else {
        if (head.size() < 38)
            return false;
        width = littleEndian32(head, 18);
        height = qAbs(qint64(littleEndian32(head, 22))); // negative: rows top-down
        bitsPerPixel = littleEndian16(head, 28);
        compression = quint32(littleEndian32(head, 30));
        dataSize = quint32(littleEndian32(head, 34));
    }
    // BI_RGB and BI_BITFIELDS store whole rows padded to 4 bytes; the
    // compressed forms declare their data size, when they declare one.
    // In double precision: a forged header may declare more than 64 bits hold.
    double needed = double(dataSize);
    if (compression == 0 || compression == 3) {
        if (width < 0)
            return false;
        needed = std::floor((double(width) * bitsPerPixel + 31) / 32) * 4 * double(height);
    }
    return double(pixelsAt) + needed <= double(device.size());
}

} // namespace

bool whole(QIODevice &device)
{
    const QByteArray magic = bytesAt(device, 0, 8);
    if (magic.startsWith("\x89PNG\r\n\x1a\n"))
        return pngWhole(device);
    if (magic.startsWith("\xFF\xD8\xFF"))
        return jpegWhole(device);
    if (magic.startsWith("BM"))
        return bmpWhole(device);
    return true;
}

} // namespace PictureCheck
