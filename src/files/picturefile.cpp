#include "files/picturefile.h"

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace PictureFile {

namespace {

bool isIcon(const QByteArray &format)
{
    return format == "ico" || format == "cur";
}

QString tooLarge(QSize size)
{
    return QStringLiteral("the picture is %1 × %2 pixels; pictures of up to %3 million pixels "
                          "can be loaded.")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxPixels / 1'000'000);
}

bool fits(QSize size)
{
    return qint64(size.width()) * qint64(size.height()) <= MaxPixels;
}

} // namespace

QImage fittedFor(const QImage &image, const QByteArray &format)
{
    if (!isIcon(format) || (image.width() <= MaxIconSide && image.height() <= MaxIconSide))
        return image;
    return image.scaled(MaxIconSide, MaxIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString write(const QImage &image, const QString &fileName, const QByteArray &format)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, format);
    if (!writer.write(fittedFor(image, format))) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

ReadResult read(const QString &fileName)
{
    // The reader's own guard catches formats that do not declare their size
    // up front; the check of the declared size below gives the clearer reason.
    QImageReader::setAllocationLimit(AllocationLimitMB);
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        if (reader.error() == QImageReader::FileNotFoundError)
            return {{}, QStringLiteral("the file cannot be opened.")};
        return {{}, QStringLiteral("it is not a picture in a format this program can read.")};
    }
    const QSize declared = reader.size();
    if (declared.isValid() && !fits(declared))
        return {{}, tooLarge(declared)};
    QImage image = reader.read();
    if (image.isNull())
        return {{}, QStringLiteral("the picture data is damaged or incomplete (%1).")
                        .arg(reader.errorString())};
    if (!fits(image.size()))
        return {{}, tooLarge(image.size())};
    return {image, {}};
}

} // namespace PictureFile
