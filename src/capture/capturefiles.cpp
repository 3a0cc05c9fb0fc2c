#include "capture/capturefiles.h"

#include "ground/textnumber.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace CaptureFiles {

DelayAnswer readDelay(QStringView answer)
{
    // Rounding first: 0.4 stops, 32.5 rounds to 32 and still starts, and an
    // infinite number compares as too long rather than overflowing an int.
    const double seconds = TextNumber::roundHalfEven(TextNumber::leadingNumber(answer));
    if (seconds <= 0)
        return {DelayAnswer::Kind::Stop, 0};
    if (seconds > MaxDelaySeconds)
        return {DelayAnswer::Kind::TooLong, 0};
    return {DelayAnswer::Kind::Start, int(seconds)};
}

QString fileName(int number)
{
    return QStringLiteral("cap00") + QString::number(number) + QStringLiteral(".jpg");
}

int nextFreeNumber(const QString &folder, int lastNumber)
{
    const QDir dir(folder);
    for (int number = std::max(lastNumber, 0) + 1; number <= MaxNumber; ++number) {
        if (!QFileInfo::exists(dir.filePath(fileName(number))))
            return number;
    }
    return 0;
}

bool saveJpeg(const QImage &picture, const QString &path)
{
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpg");
    writer.setQuality(90);
    // JPEG has no transparency: flatten onto white rather than black.
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    return writer.write(flat) && file.commit();
}

} // namespace CaptureFiles
