#include "labdata/pointlabels.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QXYSeries>

#include <algorithm>

PointLabels::PointLabels(QChart *chart, QXYSeries *series) : QObject(chart), m_chart(chart), m_series(series)
{
    connect(chart, &QChart::plotAreaChanged, this, &PointLabels::place);
    connect(series, &QXYSeries::pointsReplaced, this, &PointLabels::place);
}

void PointLabels::setTexts(const QStringList &texts)
{
    qDeleteAll(m_items);
    m_items.clear();
    for (const QString &text : texts) {
        auto *item = new QGraphicsSimpleTextItem(text, m_chart);
        item->setZValue(20);
        m_items.append(item);
    }
    place();
}

QStringList PointLabels::texts() const
{
    QStringList texts;
    for (const QGraphicsSimpleTextItem *item : m_items)
        texts.append(item->text());
    return texts;
}

void PointLabels::place()
{
    const QList<QPointF> points = m_series->points();
    const QRectF area = m_chart->plotArea();
    QList<QRectF> placed;
    for (qsizetype k = 0; k < m_items.size(); ++k) {
        QGraphicsSimpleTextItem *item = m_items[k];
        if (k >= points.size()) {
            item->setVisible(false);
            continue;
        }
        const QPointF at = m_chart->mapToPosition(points[k], m_series);
        QRectF box = item->boundingRect();
        // Beside the point, but inside the plot so a point at the edge is still named.
        box.moveTo(std::clamp(at.x() + 6, area.left(), std::max(area.left(), area.right() - box.width())),
                   std::clamp(at.y() - box.height(), area.top(), std::max(area.top(), area.bottom() - box.height())));
        // Two close points (the day and the sidereal day) would write one name over the other.
        for (int tries = 0;
             tries < 8 && std::ranges::any_of(placed, [&](const QRectF &r) { return r.intersects(box); }); ++tries)
            box.moveTop(box.top() - box.height() < area.top() ? box.bottom() + 1 : box.top() - box.height() - 1);
        placed.append(box);
        item->setPos(box.topLeft());
        item->setVisible(area.contains(at));
    }
}
