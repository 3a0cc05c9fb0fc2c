#include "ground/exportflow.h"

#include "ground/platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace ExportFlow {

namespace {

QString failure(const QString &path, const QString &why)
{
    return QCoreApplication::translate("ExportFlow", "%1 could not be written: %2").arg(path, why);
}

QString reported(const QString &path, const std::optional<QString> &problem)
{
    if (!problem)
        return path;
    Platform::current().messageBox(*problem, MsgBox::OkOnly | MsgBox::Critical,
                                   QCoreApplication::translate("ExportFlow", "Save"));
    return {};
}

QByteArray svgBytes(QSize size, const QString &title, const Drawing &draw)
{
    // The generator writes when its painter ends; the drawing is built in
    // memory first so that QSaveFile sees one whole write.
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
    return buffer.data();
}

} // namespace

bool isSvg(const QString &path)
{
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

std::optional<QString> writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failure(path, file.errorString());
    return std::nullopt;
}

std::optional<QString> writePicture(const QString &path, QSize size, const QString &title, const Drawing &draw)
{
    if (isSvg(path))
        return writeFile(path, svgBytes(size, title, draw));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return failure(path, writer.errorString());
    return writeFile(path, buffer.data());
}

QString saveBytes(QWidget *owner, const QString &filter, const std::function<QByteArray()> &bytes)
{
    const QString path = Platform::current().saveFileName(owner, filter);
    if (path.isEmpty())
        return {};
    return reported(path, writeFile(path, bytes()));
}

QString savePicture(QWidget *owner, const QString &filter, QSize size, const QString &title, const Drawing &draw)
{
    const QString path = Platform::current().saveFileName(owner, filter);
    if (path.isEmpty())
        return {};
    return reported(path, writePicture(path, size, title, draw));
}

} // namespace ExportFlow
