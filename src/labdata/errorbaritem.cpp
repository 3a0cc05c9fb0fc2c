#include "labdata/errorbaritem.h"

#include <QAbstractSeries>
#include <QChart>
#include <QPainter>

QColor instrumentColor(int index)
{
    static const QColor colors[] = {
        QColor(31, 119, 180),  QColor(214, 39, 40), QColor(44, 160, 44),   QColor(255, 127, 14),
        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(23, 190, 207),
    };
    constexpr int count = int(std::size(colors));
    return colors[((index % count) + count) % count];
}

ErrorBarItem::ErrorBarItem(QChart *chart, QAbstractSeries *reference)
    : QGraphicsItem(chart), m_chart(chart), m_reference(reference)
{
    // Under the markers, over the grid.
    setZValue(4);
    follow();
}

void ErrorBarItem::setBars(const QList<InstrumentPoints> &instruments)
{
    m_instruments = instruments;
    update();
}

int ErrorBarItem::barCount() const
{
    int count = 0;
    for (const InstrumentPoints &instrument : m_instruments)
        count += int(instrument.errors.size());
    return count;
}

QRectF ErrorBarItem::boundingRect() const
{
    return m_area;
}

void ErrorBarItem::follow()
{
    prepareGeometryChange();
    m_area = m_chart->plotArea();
    update();
}

void ErrorBarItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setClipRect(m_area);
    for (const InstrumentPoints &instrument : m_instruments) {
        painter->setPen(QPen(instrument.color, 1.2));
        const qsizetype count = std::min(instrument.points.size(), instrument.errors.size());
        for (qsizetype i = 0; i < count; ++i) {
            const QPointF &p = instrument.points.at(i);
            const double sigma = instrument.errors.at(i);
            const QPointF low = m_chart->mapToPosition({p.x(), p.y() - sigma}, m_reference);
            const QPointF high = m_chart->mapToPosition({p.x(), p.y() + sigma}, m_reference);
            painter->drawLine(low, high);
        }
    }
}
