#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

/// What the lab's painted views share, so that the orbit seen from above and
/// seen from the side read as one scene.
namespace LabDrawing {

/// The night the views are painted on.
inline const QColor Ground(8, 12, 28);
/// The planet's orbit, or its plane seen edge-on.
inline const QColor OrbitColor(110, 170, 255);
/// Lines that stay fixed on the sky: the line of nodes, the line of sight.
inline const QColor SkyLineColor(150, 150, 150);
inline const QColor TextColor(225, 225, 225);
inline const QColor StarColor(255, 220, 60);

/// A line from `from` to `to` with an open head of 8 pixels at `to`.
void arrow(QPainter &painter, QPointF from, QPointF to);

} // namespace LabDrawing
