#include "lab/orbitview.h"

#include "lab/labdrawing.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace LabDrawing;

constexpr int PathSteps = 360;
constexpr double PlanetRadius = 6;
constexpr double StarDotRadius = 4;
/// The reflex orbit is drawn at this fraction of the planet's, whatever
/// the true ratio: a Jupiter moves its star by a thousandth of its orbit.
constexpr double ReflexShare = 0.18;

const QColor ReflexColor(230, 90, 230);
const QColor PlanetColor(90, 230, 200);

} // namespace

OrbitView::OrbitView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("orbitView"));
    setMinimumSize(260, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void OrbitView::setOrbit(const Kepler::Orbit &orbit, double massRatio)
{
    m_orbit = orbit;
    m_massRatio = massRatio > 0 ? massRatio : 1e-3;
    m_enlargement = ReflexShare / m_massRatio;
    m_planet = OrbitGeometry::planetAt(m_orbit, 1, m_time);
    rebuildCache();
    update();
}

void OrbitView::setTime(double timeDays)
{
    if (m_orbit.periodDays <= 0)
        return;
    const std::array<QRect, 2> before = dotSquares(m_frame);
    m_time = timeDays;
    m_planet = OrbitGeometry::planetAt(m_orbit, 1, m_time);
    const std::array<QRect, 2> after = dotSquares(m_frame);
    // One rectangle per dot, where it was and where it is (a dot moves a
    // pixel or two per frame), not the box around both dots: they stand
    // far apart. Few rectangles make a cheap repaint and a cheap flush.
    for (size_t dot = 0; dot < before.size(); ++dot)
        update(before[dot].united(after[dot]));
}

OrbitView::Frame OrbitView::frameFor(QSize size) const
{
    // Fit the orbit's extent (periastron to apastron along both axes) into
    // the view below the title, the star included.
    double left = 0, right = 0, top = 0, bottom = 0;
    for (int k = 0; k < PathSteps; ++k) {
        const auto point = OrbitGeometry::planetAtTrueAnomaly(m_orbit, 1, 2 * std::numbers::pi * k / PathSteps);
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        bottom = std::min(bottom, point.y);
        top = std::max(top, point.y);
    }
    const QRectF area(40, 34, std::max(size.width() - 80, 20), std::max(size.height() - 80, 20));
    const double scale =
        std::min(area.width() / std::max(right - left, 1e-9), area.height() / std::max(top - bottom, 1e-9));
    const QPointF centre((left + right) / 2, (top + bottom) / 2);
    return {area.center() - QPointF(centre.x() * scale, -centre.y() * scale), scale};
}

QPointF OrbitView::toScreen(const Frame &frame, OrbitGeometry::PlanePoint point) const
{
    // The far side of the sky plane is up, the observer down.
    return frame.origin + QPointF(point.x * frame.scale, -point.y * frame.scale);
}

std::array<QRect, 2> OrbitView::dotSquares(const Frame &frame) const
{
    const QPointF planet = toScreen(frame, m_planet);
    const QPointF star = toScreen(frame, {-m_planet.x * ReflexShare, -m_planet.y * ReflexShare});
    const QPointF reach(PlanetRadius + 2, PlanetRadius + 2);
    return {QRectF(planet - reach, planet + reach).toAlignedRect(), QRectF(star - reach, star + reach).toAlignedRect()};
}

void OrbitView::rebuildCache()
{
    const qreal ratio = devicePixelRatioF();
    m_still = QPixmap(size() * ratio);
    m_still.setDevicePixelRatio(ratio);
    m_frame = frameFor(size());
    QPainter painter(&m_still);
    drawStill(painter, size());
}

void OrbitView::resizeEvent(QResizeEvent *)
{
    rebuildCache();
}

void OrbitView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const qreal ratio = m_still.devicePixelRatio();
    for (const QRect &dirty : event->region())
        painter.drawPixmap(dirty, m_still, QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
    if (m_orbit.periodDays > 0)
        drawMoving(painter, m_frame);
}

void OrbitView::render(QPainter &painter, QSize size) const
{
    drawStill(painter, size);
    if (m_orbit.periodDays > 0)
        drawMoving(painter, frameFor(size));
}

void OrbitView::drawStill(QPainter &painter, QSize size) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size), Ground);
    painter.setPen(TextColor);
    painter.drawText(QRect(8, 6, size.width() - 16, 20), Qt::AlignLeft, tr("Orbit seen from above, around the star"));
    if (m_orbit.periodDays <= 0)
        return;
    const Frame frame = frameFor(size);

    // Line of nodes: where the orbit crosses the sky plane.
    painter.setPen(QPen(SkyLineColor, 1, Qt::DashLine));
    painter.drawLine(QPointF(8, frame.origin.y()), QPointF(size.width() - 8, frame.origin.y()));
    painter.setPen(SkyLineColor);
    painter.drawText(QPointF(size.width() - 96, frame.origin.y() - 5), tr("line of nodes"));

    QPainterPath orbitPath;
    QPainterPath reflexPath;
    for (int k = 0; k <= PathSteps; ++k) {
        const auto point = OrbitGeometry::planetAtTrueAnomaly(m_orbit, 1, 2 * std::numbers::pi * k / PathSteps);
        const QPointF onOrbit = toScreen(frame, point);
        const QPointF onReflex = toScreen(frame, {-point.x * ReflexShare, -point.y * ReflexShare});
        if (k == 0) {
            orbitPath.moveTo(onOrbit);
            reflexPath.moveTo(onReflex);
        } else {
            orbitPath.lineTo(onOrbit);
            reflexPath.lineTo(onReflex);
        }
    }
    painter.setPen(QPen(OrbitColor, 1.5));
    painter.drawPath(orbitPath);
    painter.setPen(QPen(ReflexColor, 1, Qt::DotLine));
    painter.drawPath(reflexPath);

    const QPointF periastron = toScreen(frame, OrbitGeometry::planetAtTrueAnomaly(m_orbit, 1, 0));
    painter.setPen(QPen(OrbitColor, 2));
    painter.drawLine(frame.origin, periastron);
    painter.drawEllipse(periastron, 3, 3);
    painter.setPen(TextColor);
    painter.drawText(periastron + QPointF(6, -6), tr("periastron"));

    painter.setPen(Qt::NoPen);
    painter.setBrush(StarColor);
    painter.drawEllipse(frame.origin, 5, 5);
    painter.setBrush(Qt::NoBrush);

    // Towards the observer: down, in the plane's projection.
    const double arrowX = size.width() - 30;
    const double arrowTop = size.height() - 60;
    const double arrowBottom = size.height() - 24;
    painter.setPen(QPen(TextColor, 1.5));
    arrow(painter, QPointF(arrowX, arrowTop), QPointF(arrowX, arrowBottom));
    painter.drawText(QRectF(0, size.height() - 20, size.width() - 8, 18), Qt::AlignRight, tr("to observer"));

    painter.setPen(ReflexColor);
    painter.drawText(QRectF(8, size.height() - 20, size.width() - 100, 18), Qt::AlignLeft,
                     tr("star's reflex orbit, enlarged ×%1").arg(QString::number(m_enlargement, 'g', 3)));
}

void OrbitView::drawMoving(QPainter &painter, const Frame &frame) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ReflexColor);
    painter.drawEllipse(toScreen(frame, {-m_planet.x * ReflexShare, -m_planet.y * ReflexShare}), StarDotRadius,
                        StarDotRadius);
    painter.setBrush(PlanetColor);
    painter.drawEllipse(toScreen(frame, m_planet), PlanetRadius, PlanetRadius);
    painter.setBrush(Qt::NoBrush);
}

void OrbitView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        update();
    QWidget::changeEvent(event);
}
