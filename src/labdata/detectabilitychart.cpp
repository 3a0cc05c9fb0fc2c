#include "labdata/detectabilitychart.h"

#include "labdata/pointlabels.h"

#include <QEvent>
#include <QGraphicsPixmapItem>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPixmap>
#include <QScatterSeries>

#include <cmath>

namespace {

const QColor HalfColour(230, 85, 13);
const QColor MostColour(165, 15, 21);

/// White for none recovered, through a light blue to dark blue for all.
QColor shareColour(double share)
{
    const QColor stops[] = {QColor(255, 255, 255), QColor(107, 174, 214), QColor(8, 48, 107)};
    const double at = std::clamp(share, 0.0, 1.0) * 2;
    const int k = std::min(int(at), 1);
    const double t = at - k;
    const auto mix = [t](int a, int b) { return int(std::lround(a + t * (b - a))); };
    return {mix(stops[k].red(), stops[k + 1].red()), mix(stops[k].green(), stops[k + 1].green()),
            mix(stops[k].blue(), stops[k + 1].blue())};
}

/// The outer edges of cells centred on values evenly spaced in ln.
std::pair<double, double> cellEdges(const std::vector<double> &values)
{
    const double step =
        values.size() > 1 ? std::pow(values.back() / values.front(), 1.0 / double(values.size() - 1)) : 1.5;
    return {values.front() / std::sqrt(step), values.back() * std::sqrt(step)};
}

} // namespace

DetectabilityChart::DetectabilityChart(QWidget *parent)
    : QChartView(new QChart, parent)
    , m_period(new QLogValueAxis)
    , m_amplitude(new QLogValueAxis)
    , m_planets(new QScatterSeries)
    , m_cellItem(new QGraphicsPixmapItem(chart()))
{
    QChart *chart = this->chart();
    chart->setMargins(QMargins(4, 4, 4, 4));
    // The pane's sentence under the settings says what the lines and colours mean: a legend would not fit.
    chart->legend()->hide();
    for (QLogValueAxis *axis : {m_period, m_amplitude}) {
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setMinorTickCount(8);
        axis->setRange(1, 100);
    }
    chart->addAxis(m_period, Qt::AlignBottom);
    chart->addAxis(m_amplitude, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);
    // Over the plot area's grid (Qt Charts draws it at z 2, its axes at 3 and
    // the series above them), so the cells read as one surface.
    m_cellItem->setZValue(2.5);
    m_planets->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_planets->setMarkerSize(10);
    m_planets->setColor(QColor(255, 215, 0));
    m_planets->setBorderColor(Qt::black);
    chart->addSeries(m_planets);
    m_planets->attachAxis(m_period);
    m_planets->attachAxis(m_amplitude);
    m_names = new PointLabels(chart, m_planets);
    connect(chart, &QChart::plotAreaChanged, this, &DetectabilityChart::placeCells);
    retranslate();
}

void DetectabilityChart::retranslate()
{
    m_period->setTitleText(tr("Period (days)"));
    m_amplitude->setTitleText(m_axis == Detection::AmplitudeAxis::MinimumMass ? tr("m sin i (Jupiter masses)")
                                                                              : tr("K (m/s)"));
}

void DetectabilityChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QChartView::changeEvent(event);
}

void DetectabilityChart::setMap(const Detection::DetectabilityMap &map)
{
    removeContours();
    m_axis = map.axis;
    const std::size_t periods = map.periodsDays.size(), amplitudes = map.amplitudes.size();
    if (periods == 0 || amplitudes == 0) {
        m_cells = {};
        placeCells();
        return;
    }
    // One pixel a cell, the longest amplitude at the top; scaled without smoothing to the plot.
    m_cells = QImage(int(periods), int(amplitudes), QImage::Format_RGB32);
    for (std::size_t p = 0; p < periods; ++p)
        for (std::size_t a = 0; a < amplitudes; ++a)
            m_cells.setPixelColor(int(p), int(amplitudes - 1 - a), shareColour(map.fraction(p, a)));
    const auto [shortest, longest] = cellEdges(map.periodsDays);
    const auto [lowest, highest] = cellEdges(map.amplitudes);
    m_period->setRange(shortest, longest);
    m_amplitude->setRange(lowest, highest);
    drawContour(map, 0.5, m_half);
    drawContour(map, 0.9, m_most);
    retranslate();
    placeCells();
    m_names->place();
}

QLineSeries *DetectabilityChart::addSegment(const QPen &pen)
{
    auto *series = new QLineSeries;
    series->setPen(pen);
    chart()->addSeries(series);
    series->attachAxis(m_period);
    series->attachAxis(m_amplitude);
    return series;
}

void DetectabilityChart::drawContour(const Detection::DetectabilityMap &map, double level,
                                     QList<QLineSeries *> &segments)
{
    // A period where the level is never reached breaks the line.
    const auto contour = Detection::recoveryContour(map, level);
    const QPen pen(level < 0.75 ? HalfColour : MostColour, 2.2, level < 0.75 ? Qt::DashLine : Qt::SolidLine);
    QLineSeries *segment = nullptr;
    for (std::size_t p = 0; p < contour.size(); ++p) {
        if (!contour[p]) {
            segment = nullptr;
            continue;
        }
        if (!segment) {
            segment = addSegment(pen);
            segments.append(segment);
        }
        segment->append(map.periodsDays[p], *contour[p]);
    }
}

void DetectabilityChart::removeContours()
{
    for (QList<QLineSeries *> *segments : {&m_half, &m_most}) {
        for (QLineSeries *segment : std::as_const(*segments)) {
            chart()->removeSeries(segment);
            delete segment;
        }
        segments->clear();
    }
}

void DetectabilityChart::setPlanets(const QList<Planet> &planets)
{
    QList<QPointF> points;
    QStringList names;
    for (const Planet &planet : planets) {
        points.append({planet.periodDays, planet.amplitude});
        names.append(planet.name);
    }
    m_planets->replace(points);
    m_names->setTexts(names);
}

void DetectabilityChart::clear()
{
    setMap({});
    setPlanets({});
}

QList<QPointF> DetectabilityChart::contour(double level) const
{
    QList<QPointF> points;
    for (const QLineSeries *segment : level < 0.75 ? m_half : m_most)
        points.append(segment->points());
    return points;
}

QStringList DetectabilityChart::planetNames() const
{
    return m_names->texts();
}

void DetectabilityChart::placeCells()
{
    const QRectF area = chart()->plotArea();
    m_cellItem->setVisible(!m_cells.isNull() && area.isValid());
    if (m_cells.isNull() || !area.isValid())
        return;
    m_cellItem->setPixmap(
        QPixmap::fromImage(m_cells.scaled(area.size().toSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    m_cellItem->setPos(area.topLeft());
}
