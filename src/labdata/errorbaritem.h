#pragma once

#include "labdata/plotpoints.h"

#include <QGraphicsItem>

class QAbstractSeries;
class QChart;

/// Vertical 1σ error bars drawn over a chart's plot area. Qt Charts has no
/// error-bar series, and a candlestick per point is heavy and draws boxes;
/// one item painting plain segments stays fast for thousands of points and
/// goes into picture and SVG exports with the rest of the scene.
class ErrorBarItem : public QGraphicsItem
{
public:
    /// Follows `chart`'s plot area and the axes of `reference`, a series
    /// attached to the same axes as the points.
    ErrorBarItem(QChart *chart, QAbstractSeries *reference);

    void setBars(const QList<InstrumentPoints> &instruments);
    /// The number of bars drawn, for every instrument together.
    int barCount() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    /// Called when the plot area or an axis range changes.
    void follow();

private:
    QChart *m_chart;
    QAbstractSeries *m_reference;
    QList<InstrumentPoints> m_instruments;
    QRectF m_area;
};
