#include "lab/labdrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

void LabDrawing::arrow(QPainter &painter, QPointF from, QPointF to)
{
    painter.drawLine(from, to);
    // A zero-length arrow keeps a defined head instead of dividing by zero.
    const QPointF direction = (to - from) / std::max(1e-9, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF across(-direction.y(), direction.x());
    painter.drawLine(to, to - 8 * direction + 4 * across);
    painter.drawLine(to, to - 8 * direction - 4 * across);
}
