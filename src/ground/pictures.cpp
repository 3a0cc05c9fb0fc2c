#include "ground/pictures.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

QPixmap transparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void paintGlobe(QPainter &painter, const QRectF &bounds, const QColor &light, const QColor &dark)
{
    QRadialGradient gradient(bounds.center() - QPointF(bounds.width() / 5, bounds.height() / 5), bounds.width() / 1.6);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(bounds);
}

} // namespace

namespace Pictures {

QPixmap planet()
{
    QPixmap pixmap = transparentPixmap(25, 37);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintGlobe(painter, QRectF(2, 8, 21, 21), QColor(150, 200, 255), QColor(20, 60, 160));
    painter.setPen(QPen(QColor(220, 200, 150), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(0.5, 15.5, 24, 6));
    return pixmap;
}

QPixmap star()
{
    QPixmap pixmap = transparentPixmap(49, 57);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(24.5, 28.5), 24);
    glow.setColorAt(0, QColor(255, 255, 220));
    glow.setColorAt(0.45, QColor(255, 210, 60));
    glow.setColorAt(1, QColor(255, 120, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(0.5, 4.5, 48, 48));
    return pixmap;
}

QPixmap gravity()
{
    QPixmap pixmap = transparentPixmap(11, 12);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.drawLine(5, 0, 5, 11);
    painter.drawLine(0, 6, 10, 6);
    painter.setPen(QPen(QColor(255, 60, 60), 1));
    painter.drawPoint(5, 6);
    return pixmap;
}

QPixmap programPicture(int size)
{
    QPixmap pixmap = transparentPixmap(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 10, 60));
    painter.drawEllipse(QRectF(0, 0, size, size));
    painter.setPen(QPen(QColor(0, 255, 169), size / 32.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(size * 0.12, size * 0.3, size * 0.76, size * 0.4));
    paintGlobe(painter, QRectF(size * 0.38, size * 0.38, size * 0.24, size * 0.24), QColor(255, 255, 200),
               QColor(255, 140, 0));
    paintGlobe(painter, QRectF(size * 0.76, size * 0.44, size * 0.12, size * 0.12), QColor(160, 210, 255),
               QColor(30, 70, 170));
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(programPicture(size));
    return icon;
}

} // namespace Pictures
