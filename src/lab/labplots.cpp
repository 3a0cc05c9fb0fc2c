#include "lab/labplots.h"

#include "lab/orbitview.h"
#include "lab/rvplot.h"
#include "lab/sideview.h"

#include <QPainter>

#include <algorithm>

LabPlots::LabPlots(QWidget *parent)
    : QSplitter(Qt::Vertical, parent), m_plot(new RvPlot), m_orbitView(new OrbitView), m_sideView(new SideView)
{
    setObjectName(QStringLiteral("labPlots"));
    auto *views = new QSplitter(Qt::Horizontal);
    views->addWidget(m_orbitView);
    views->addWidget(m_sideView);
    views->setStretchFactor(0, 3);
    views->setStretchFactor(1, 2);
    addWidget(m_plot);
    addWidget(views);
    setStretchFactor(0, 1);
    setStretchFactor(1, 1);
    setChildrenCollapsible(false);
    views->setChildrenCollapsible(false);
}

void LabPlots::allowCompact()
{
    constexpr int CompactHeight = 120;
    for (QWidget *view :
         {static_cast<QWidget *>(m_plot), static_cast<QWidget *>(m_orbitView), static_cast<QWidget *>(m_sideView)})
        view->setMinimumHeight(CompactHeight);
}

void LabPlots::showOrbit(const Kepler::Orbit &orbit, double reflexShare, double inclinationDegrees)
{
    m_plot->showOrbit(orbit);
    m_orbitView->setOrbit(orbit, reflexShare);
    m_sideView->setInclination(inclinationDegrees);
}

void LabPlots::setTime(double timeDays)
{
    m_plot->setCursorTime(timeDays);
    m_orbitView->setTime(timeDays);
}

QSize LabPlots::orbitPictureSize() const
{
    const QSize top = m_orbitView->size();
    const QSize side = m_sideView->size();
    return {top.width() + side.width(), std::max(top.height(), side.height())};
}

void LabPlots::drawOrbitPicture(QPainter &painter) const
{
    const QSize top = m_orbitView->size();
    m_orbitView->render(painter, top);
    painter.save();
    painter.translate(top.width(), 0);
    m_sideView->render(painter, m_sideView->size());
    painter.restore();
}

QSize LabPlots::plotPictureSize() const
{
    return m_plot->size();
}

void LabPlots::drawPlotPicture(QPainter &painter) const
{
    m_plot->render(&painter, QRectF(QPointF(0, 0), m_plot->size()), m_plot->viewport()->rect());
}
