#include "lab/labexport.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace LabExport {

namespace {

QString failure(const QSaveFile &file)
{
    return QStringLiteral("%1 could not be written: %2").arg(file.fileName(), file.errorString());
}

} // namespace

bool isSvg(const QString &path)
{
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failure(file);
    return {};
}

QString writePicture(const QString &path, QSize size, const QString &title,
                     const std::function<void(QPainter &)> &draw)
{
    if (isSvg(path)) {
        // The generator writes when its painter ends; the drawing is built
        // in memory first so that QSaveFile sees one whole write.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(title);
        QPainter painter(&generator);
        draw(painter);
        painter.end();
        return writeFile(path, buffer.data());
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return QStringLiteral("%1 could not be written: %2").arg(path, writer.errorString());
    return writeFile(path, buffer.data());
}

} // namespace LabExport
