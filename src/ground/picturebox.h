#pragma once

#include "ground/twips.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QWidget>

#include <optional>

class QLabel;

/// A drawing surface measured in twips (15 to a pixel, origin top left, y
/// downwards). Everything drawn lands in a persistent image that survives
/// repaints and is what image() returns and Save writes; a background
/// picture sits under the drawing and survives cls().
///
/// Floating pictures (a planet, a star) sit over the drawing, placed inside
/// the border in twips the way the designed windows give them.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    static constexpr double TwipsPerPixel = Twips::PerPixel;

    explicit PictureBox(QWidget *parent = nullptr);

    /// Outer place and size in the parent, in twips.
    void setTwipsGeometry(int left, int top, int width, int height);
    /// A sunken 2-pixel border (30 twips each side) narrows the scale area.
    void setBorder(bool border);

    /// Inner drawing area in twips.
    double scaleWidth() const;
    double scaleHeight() const;

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color) { m_foreColor = color; }
    /// Pen width in pixels for circles and points.
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels);
    void setFontItalic(bool italic);

    /// The background picture; a null image removes it. Setting it clears
    /// the drawing.
    QImage picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    /// Clears the drawing down to the background colour and picture, and
    /// returns the text position to the top left.
    void cls();

    /// A circle (or, with `aspect`, an ellipse whose vertical half-axis is
    /// radius × aspect) in `color`. With a start angle in radians, only the
    /// arc from that angle counter-clockwise to a full turn is drawn.
    void circle(QPointF centre, double radius, const QColor &color, std::optional<double> startAngle = std::nullopt,
                double aspect = 1.0);
    /// A point of the pen width; it also becomes the text position.
    void pset(QPointF point, const QColor &color);
    void pset(QPointF point) { pset(point, m_foreColor); }
    /// Text at the current position in the foreground colour. With
    /// `newLine` the position moves to the start of the next line,
    /// otherwise just past the text.
    void print(const QString &text, bool newLine = true);

    QPointF currentPosition() const { return m_current; }
    void setCurrentPosition(QPointF position) { m_current = position; }

    /// The persistent image, inner area only: what Save writes.
    QImage image() const { return m_image; }

    /// Adds a picture that floats over the drawing with its top-left corner
    /// at `twips`, above the pictures added before it. It is a child label
    /// named `name`, with a place and a size like any control, but this
    /// surface paints its pixels in its own paint: a body that moves on
    /// every tick of an animation then costs one paint of the strips it
    /// uncovers and covers, and none of its own.
    QLabel *addFloatingPicture(const QString &name, const QPixmap &pixmap, QPointF twips);
    /// Moves a floating picture's top-left corner to `twips`.
    void moveFloatingPicture(QLabel *picture, QPointF twips);
    QPoint toPixels(QPointF twips) const;
    /// The widget area, in pixels, that a rectangle in twips covers.
    QRect pixelRect(const QRectF &twips) const;

signals:
    /// A mouse button went down on the surface; `twips` is inside the border.
    void mouseDown(Qt::MouseButton button, QPointF twips, QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int borderPixels() const { return m_border ? 2 : 0; }
    QSize innerPixelSize() const;
    void resetImage();
    void paintFloatingPictures(QPainter &painter, const QRegion &damage) const;

    QImage m_image;
    QImage m_picture;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    int m_drawWidth = 1;
    bool m_border = false;
    QPointF m_current;
    QList<QLabel *> m_floatingPictures;
};
