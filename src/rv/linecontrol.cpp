#include "rv/linecontrol.h"

#include "ground/twips.h"

#include <QPainter>

LineControl::LineControl(QWidget *parent, const char *name, QLineF twips, const QColor &color, Qt::PenStyle style)
    : QWidget(parent), m_twips(twips), m_color(color), m_style(style)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    const QPointF p1 = twips.p1() / Twips::PerPixel;
    const QPointF p2 = twips.p2() / Twips::PerPixel;
    // One pixel more on each side so a line of width 1 on the edge is inside.
    setGeometry(QRectF(p1, p2).normalized().toAlignedRect().adjusted(0, 0, 1, 1));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 1, m_style));
    const QPointF origin = pos();
    painter.drawLine(m_twips.p1() / Twips::PerPixel - origin, m_twips.p2() / Twips::PerPixel - origin);
}
