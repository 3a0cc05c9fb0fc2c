#include "labdata/labexport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace LabExport {

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

QByteArray pictureBytes(QWidget *widget, bool svg)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(widget->size());
        generator.setViewBox(widget->rect());
        generator.setTitle(widget->windowTitle());
        QPainter painter(&generator);
        widget->render(&painter);
        painter.end();
    } else {
        QImage image(widget->size() * widget->devicePixelRatio(), QImage::Format_ARGB32);
        image.setDevicePixelRatio(widget->devicePixelRatio());
        image.fill(Qt::white);
        QPainter painter(&image);
        widget->render(&painter);
        painter.end();
        image.save(&buffer, "PNG");
    }
    return buffer.data();
}

QString writePicture(QWidget *widget, const QString &path)
{
    const bool svg = QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0;
    return writeFile(path, pictureBytes(widget, svg));
}

} // namespace LabExport
