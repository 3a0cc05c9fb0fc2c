#include "lab/sideview.h"

#include "lab/labdrawing.h"
#include "lab/labplanet.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

using namespace LabDrawing;

const QColor AngleColor(255, 160, 60);

} // namespace

SideView::SideView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sideView"));
    setMinimumSize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SideView::setInclination(double degrees)
{
    m_inclinationDegrees = std::clamp(degrees, 0.0, 90.0);
    update();
}

void SideView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    render(painter, size());
}

void SideView::render(QPainter &painter, QSize size) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Ground);
    painter.setPen(TextColor);
    // Two lines where the view is narrow, so the title is never cut off.
    painter.drawText(QRect(8, 6, size.width() - 16, 36), Qt::AlignLeft | Qt::TextWordWrap,
                     tr("Side view along the line of nodes"));

    const double i = m_inclinationDegrees * LabUnits::RadiansPerDegree;
    const QPointF star(size.width() / 2.0, size.height() * 0.42);
    const double reach = std::min(size.width() * 0.4, size.height() * 0.3);

    // The sky plane, across the line of sight.
    painter.setPen(QPen(SkyLineColor, 1, Qt::DashLine));
    painter.drawLine(QPointF(8, star.y()), QPointF(size.width() - 8, star.y()));
    painter.setPen(SkyLineColor);
    painter.drawText(QPointF(10, star.y() - 5), tr("sky plane"));

    // The line of sight, from the star down to the observer.
    painter.setPen(QPen(TextColor, 1.5));
    const QPointF eye(star.x(), size.height() - 46);
    arrow(painter, star + QPointF(0, 14), eye);
    painter.drawText(QRectF(0, size.height() - 42, size.width(), 18), Qt::AlignHCenter, tr("to observer"));

    // The orbital plane: tilted by i out of the sky plane (i = 90° holds
    // the line of sight), its normal i away from the line of sight.
    const QPointF along(std::cos(i), -std::sin(i));
    const QPointF normal(std::sin(i), std::cos(i));
    painter.setPen(QPen(OrbitColor, 3));
    painter.drawLine(star - reach * along, star + reach * along);
    painter.setPen(QPen(OrbitColor, 1.5));
    arrow(painter, star, star + 0.75 * reach * normal);
    // Just below the arrow's tip, where neither the plane, the line of
    // sight nor the angle's arc can run: the normal never points up, the arc
    // stays closer to the star than the tip, and the text keeps right of the
    // line of sight, drawn back from the view's right edge when it must.
    const QPointF tip = star + 0.75 * reach * normal;
    const QString label = tr("orbit's normal");
    const double labelWidth = painter.fontMetrics().horizontalAdvance(label);
    const double labelLeft = std::max(star.x() + 14, std::min(tip.x() + 4, size.width() - 6 - labelWidth));
    painter.drawText(QRectF(labelLeft, tip.y() + 4, labelWidth + 2, 16), Qt::AlignLeft, label);

    if (m_inclinationDegrees > 0.05) {
        painter.setPen(QPen(AngleColor, 1.5));
        const double radius = 0.35 * reach;
        // From the line of sight (straight down, −90° in Qt's angles) to the normal.
        painter.drawArc(QRectF(star - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), -90 * 16,
                        int(std::lround(m_inclinationDegrees * 16)));
    }
    painter.setPen(AngleColor);
    painter.drawText(QPointF(8, size.height() - 8),
                     tr("i = %1°   sin i = %2")
                         .arg(QString::number(m_inclinationDegrees, 'f', 1), QString::number(std::sin(i), 'f', 3)));

    painter.setPen(Qt::NoPen);
    painter.setBrush(StarColor);
    painter.drawEllipse(star, 5, 5);
    painter.setBrush(Qt::NoBrush);
}

void SideView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        update();
    QWidget::changeEvent(event);
}
