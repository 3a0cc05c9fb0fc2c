#include "files/picturefile.h"

#include "files/picturecheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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
    return QCoreApplication::translate("PictureFile",
                                       "the picture is %1 × %2 pixels; pictures of up to %3 million pixels "
                                       "can be loaded.")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxPixels / 1'000'000);
}

QString damaged(const QString &detail)
{
    return QCoreApplication::translate("PictureFile", "the picture data is damaged or incomplete (%1).").arg(detail);
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
    // A named pipe or a device would make the reader wait for data for ever.
    const QFileInfo info(fileName);
    if (!info.exists())
        return {{}, QCoreApplication::translate("PictureFile", "the file cannot be opened.")};
    if (!info.isFile())
        return {{}, QCoreApplication::translate("PictureFile", "it is not a regular file.")};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QCoreApplication::translate("PictureFile", "the file cannot be opened.")};
    if (file.size() > MaxFileBytes)
        return {{},
                QCoreApplication::translate("PictureFile", "the file is larger than %1 MB.").arg(MaxFileBytes >> 20)};

    // Before any decoder sees the file: some fill a cut-off picture with grey
    // and call it a success, and one allocates whatever a chunk declares,
    // even while only reading the picture's size.
    if (!PictureCheck::whole(file))
        return {{}, damaged(QCoreApplication::translate("PictureFile", "the file ends before the picture does"))};
    file.seek(0);

    // The reader's own guard catches formats that do not declare their size
    // up front; the check of the declared size below gives the clearer reason.
    QImageReader::setAllocationLimit(AllocationLimitMB);
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return {{},
                QCoreApplication::translate("PictureFile", "it is not a picture in a format this program can read.")};
    const QSize declared = reader.size();
    if (declared.isValid() && !fits(declared))
        return {{}, tooLarge(declared)};
    QImage image = reader.read();
    if (image.isNull())
        return {{}, damaged(reader.errorString())};
    if (!fits(image.size()))
        return {{}, tooLarge(image.size())};
    return {image, {}};
}

} // namespace PictureFile
