#include "labdata/traceplot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr double labelWidth = 110;
constexpr int pointsPerLine = 600; ///< the steps drawn per walker, evenly spread
} // namespace

TracePlot::TracePlot(QWidget *parent) : QWidget(parent)
{
    setObjectName("TracePlot");
    setMinimumSize(400, 300);
}

void TracePlot::setRun(std::shared_ptr<const Sampling::Result> run)
{
    m_run = std::move(run);
    update();
}

void TracePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, size());
}

void TracePlot::paint(QPainter &painter, QSize size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (!m_run || m_run->chain.steps() < 2)
        return;
    const int parameters = m_run->chain.dimension;
    const double height = double(size.height()) / parameters;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int p = 0; p < parameters; ++p) {
        const QRectF strip(labelWidth, p * height + 2, size.width() - labelWidth - 4, height - 4);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(2, strip.top(), labelWidth - 6, strip.height()), Qt::AlignVCenter | Qt::AlignRight,
                         QString::fromStdString(m_run->parameters[std::size_t(p)].name));
        paintStrip(painter, strip, p);
    }
}

void TracePlot::paintStrip(QPainter &painter, const QRectF &strip, int parameter) const
{
    const Sampling::Chain &chain = m_run->chain;
    const int steps = chain.steps();
    double low = chain.at(0, 0, parameter);
    double high = low;
    for (int s = 0; s < steps; ++s)
        for (int k = 0; k < chain.walkers; ++k) {
            low = std::min(low, chain.at(s, k, parameter));
            high = std::max(high, chain.at(s, k, parameter));
        }
    if (!(high > low))
        high = low + 1;
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(strip.left(), strip.top(), strip.width() * m_run->burnIn / (steps - 1), strip.height()),
                     QColor(0, 0, 0, 25));
    painter.setPen(QPen(Qt::lightGray, 0));
    painter.drawRect(strip);
    const int every = std::max(1, steps / pointsPerLine);
    const int walkers = std::min(shownWalkers, chain.walkers);
    for (int w = 0; w < walkers; ++w) {
        const int walker = w * chain.walkers / walkers;
        QPainterPath path;
        for (int s = 0; s < steps; s += every) {
            const QPointF point(strip.left() + strip.width() * s / (steps - 1),
                                strip.bottom()
                                    - strip.height() * (chain.at(s, walker, parameter) - low) / (high - low));
            if (s == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(QColor::fromHsv(w * 360 / walkers, 200, 180, 160), 0.8));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
}
