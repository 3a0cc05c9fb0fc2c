#pragma once

#include <QColor>
#include <QLineF>
#include <QWidget>

/// A designed line: a fixed decoration drawn over its container between
/// two points given in twips. It is not part of any drawing, so clearing
/// or saving a picture box leaves it out, and it lets the mouse through.
class LineControl : public QWidget
{
    Q_OBJECT

public:
    /// A line from (x1, y1) to (x2, y2), in twips of `parent`.
    LineControl(QWidget *parent, const char *name, QLineF twips, const QColor &color,
                Qt::PenStyle style = Qt::SolidLine);

    QLineF twipsLine() const { return m_twips; }
    QColor color() const { return m_color; }
    Qt::PenStyle penStyle() const { return m_style; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineF m_twips;
    QColor m_color;
    Qt::PenStyle m_style;
};
