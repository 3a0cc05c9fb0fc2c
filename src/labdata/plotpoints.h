#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

/// The points of one instrument as a chart shows them: x in days (or
/// phase), y in m/s, each with its 1σ error bar in m/s.
struct InstrumentPoints
{
    QString name;
    QColor color;
    QList<QPointF> points;
    QList<double> errors;          ///< one per point, m/s, ≥ 0
    QList<qsizetype> measurements; ///< one per point: its index in the data set
};

/// The colour of instrument number `index`: distinct for the first eight,
/// then repeating, so the same instrument has the same colour in every plot.
QColor instrumentColor(int index);
