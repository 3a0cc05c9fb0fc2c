#include "ground/picturebox.h"

#include "ground/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// The surface under a floating picture paints it, so the label itself paints
// nothing, and with its updates off Qt neither paints it nor marks it damaged
// when it moves: moveFloatingPicture() damages the surface instead.
class FloatingPicture : public QLabel
{
public:
    explicit FloatingPicture(QWidget *parent) : QLabel(parent)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setUpdatesEnabled(false);
    }

protected:
    void paintEvent(QPaintEvent *) override { }
};

QPen cosmeticPen(const QColor &color, int width)
{
    QPen pen(color, width);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resetImage();
}

void PictureBox::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(Twips::rect(left, top, width, height));
    // A hidden widget gets its resize event only when shown; the drawing
    // must have its size before then.
    if (m_image.size() != innerPixelSize())
        resetImage();
}

void PictureBox::setBorder(bool border)
{
    m_border = border;
    resetImage();
}

double PictureBox::scaleWidth() const
{
    return innerPixelSize().width() * TwipsPerPixel;
}

double PictureBox::scaleHeight() const
{
    return innerPixelSize().height() * TwipsPerPixel;
}

void PictureBox::setBackColor(const QColor &color)
{
    m_backColor = color;
    cls();
}

void PictureBox::setDrawWidth(int pixels)
{
    m_drawWidth = std::max(1, pixels);
}

void PictureBox::setFontItalic(bool italic)
{
    QFont changed = font();
    changed.setItalic(italic);
    setFont(changed);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    cls();
}

void PictureBox::cls()
{
    m_image.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
    m_current = {};
    update();
}

void PictureBox::circle(QPointF centre, double radius, const QColor &color, std::optional<double> startAngle,
                        double aspect)
{
    double rx = radius;
    double ry = radius * aspect;
    if (aspect > 1) { // a tall ellipse: the radius is its vertical half-axis
        rx = radius / aspect;
        ry = radius;
    }
    QPainter painter(&m_image);
    painter.scale(1.0 / TwipsPerPixel, 1.0 / TwipsPerPixel);
    painter.setPen(cosmeticPen(color, m_drawWidth));
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const int start = startAngle ? int(std::lround(qRadiansToDegrees(*startAngle) * 16)) % 5760 : 0;
    if (start == 0)
        painter.drawEllipse(bounds);
    else
        painter.drawArc(bounds, start, 5760 - start);
    update();
}

void PictureBox::pset(QPointF point, const QColor &color)
{
    QPainter painter(&m_image);
    // Points far off the surface are drawn nowhere; clamping keeps their
    // pixel numbers within int.
    auto pixelOf = [](double twips) { return int(std::floor(std::clamp(twips / TwipsPerPixel, -1e6, 1e6))); };
    const QPoint pixel(pixelOf(point.x()), pixelOf(point.y()));
    const int offset = (m_drawWidth - 1) / 2;
    painter.fillRect(QRect(pixel.x() - offset, pixel.y() - offset, m_drawWidth, m_drawWidth), color);
    m_current = point;
    update();
}

void PictureBox::print(const QString &text, bool newLine)
{
    QPainter painter(&m_image);
    painter.setFont(font());
    painter.setPen(m_foreColor);
    const QFontMetricsF metrics(font(), &m_image);
    const QPointF pixel = m_current / TwipsPerPixel;
    painter.drawText(QPointF(pixel.x(), pixel.y() + metrics.ascent()), text);
    if (newLine)
        m_current = QPointF(0, m_current.y() + metrics.height() * TwipsPerPixel);
    else
        m_current.rx() += metrics.horizontalAdvance(text) * TwipsPerPixel;
    update();
}

QLabel *PictureBox::addFloatingPicture(const QString &name, const QPixmap &pixmap, QPointF twips)
{
    auto *picture = new FloatingPicture(this);
    picture->setObjectName(name);
    picture->setPixmap(pixmap);
    picture->setFixedSize(pixmap.size());
    m_floatingPictures.append(picture);
    moveFloatingPicture(picture, twips);
    return picture;
}

void PictureBox::moveFloatingPicture(QLabel *picture, QPointF twips)
{
    const QRect before = picture->geometry();
    picture->move(toPixels(twips));
    if (picture->geometry() != before)
        update(QRegion(before) + picture->geometry());
}

void PictureBox::paintFloatingPictures(QPainter &painter, const QRegion &damage) const
{
    for (const QLabel *picture : m_floatingPictures) {
        if (!picture->isHidden() && damage.intersects(picture->geometry()))
            painter.drawPixmap(picture->pos(), picture->pixmap());
    }
}

QPoint PictureBox::toPixels(QPointF twips) const
{
    return QPoint(int(std::floor(twips.x() / TwipsPerPixel)) + borderPixels(),
                  int(std::floor(twips.y() / TwipsPerPixel)) + borderPixels());
}

QRect PictureBox::pixelRect(const QRectF &twips) const
{
    const QRectF pixels(twips.topLeft() / TwipsPerPixel, twips.size() / TwipsPerPixel);
    return pixels.toAlignedRect().translated(borderPixels(), borderPixels());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF inside = event->position() - QPointF(borderPixels(), borderPixels());
    emit mouseDown(event->button(), inside * TwipsPerPixel, event->globalPosition().toPoint());
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    // The opaque image covers the whole inner area and the border frame
    // covers the rest, so nothing needs filling first. Each rectangle of the
    // damage is painted on its own: the strips two moving pictures uncover
    // lie far apart, and their bounding rectangle would repaint the sky
    // between them on every tick.
    QPainter painter(this);
    const int border = borderPixels();
    const QRect inner(QPoint(border, border), m_image.size());
    for (const QRect &damaged : event->region()) {
        const QRect target = damaged & inner;
        if (!target.isEmpty())
            painter.drawImage(target.topLeft(), m_image, target.translated(-border, -border));
    }
    paintFloatingPictures(painter, event->region());
    if (m_border && !event->region().subtracted(inner).isEmpty()) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_image.size() != innerPixelSize())
        resetImage();
}

QSize PictureBox::innerPixelSize() const
{
    const int border = borderPixels();
    return QSize(std::max(1, width() - 2 * border), std::max(1, height() - 2 * border));
}

void PictureBox::resetImage()
{
    m_image = QImage(innerPixelSize(), QImage::Format_RGB32);
    cls();
}
