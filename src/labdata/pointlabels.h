#pragma once

#include <QObject>
#include <QStringList>

class QChart;
class QGraphicsSimpleTextItem;
class QXYSeries;

/// Names written beside the points of a series on a chart (Qt Charts can
/// label a point only with its coordinates): the k-th text beside the k-th
/// point, kept inside the plot area and moved whenever the plot area moves.
class PointLabels : public QObject
{
    Q_OBJECT

public:
    PointLabels(QChart *chart, QXYSeries *series);

    /// One text per point of the series, in its order; set after the points.
    void setTexts(const QStringList &texts);
    QStringList texts() const;
    /// Moves the texts to their points: after a change of an axis's range.
    void place();

private:
    QChart *m_chart;
    QXYSeries *m_series;
    QList<QGraphicsSimpleTextItem *> m_items;
};
