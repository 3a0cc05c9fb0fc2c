#include "labdata/plotspane.h"

#include "labdata/analysistabs.h"
#include "labdata/datachart.h"
#include "labdata/periodogrampane.h"
#include "labdata/plotdata.h"

#include <QChart>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLegend>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

/// Points of a drawn curve: enough for 20 a period of the shortest planet,
/// between these bounds, so a short period over a long span is drawn as the
/// band it really is rather than as a false slow wave.
constexpr int MinimumCurveSamples = 1500;
constexpr int MaximumCurveSamples = 40000;
constexpr int PhaseCurveSamples = 400;

int curveSamples(const Fitting::Result &fit, const Observations::DataSet &data)
{
    double shortest = INFINITY;
    for (const auto &planet : fit.planets)
        shortest = std::min(shortest, planet.value.periodDays);
    const double span = PlotData::timeSpan(data);
    if (!(span > 0) || !(shortest > 0) || !std::isfinite(shortest))
        return MinimumCurveSamples;
    return int(std::clamp(20.0 * span / shortest, double(MinimumCurveSamples), double(MaximumCurveSamples)));
}

/// The kept points of each instrument, and the excluded ones after them when there are any.
QList<InstrumentPoints> greyed(const QList<InstrumentPoints> &points, const std::vector<bool> &excluded)
{
    PlotData::SplitPoints split = PlotData::splitExcluded(points, excluded);
    if (!split.excluded.points.isEmpty())
        split.kept.append(split.excluded);
    return split.kept;
}

} // namespace

PlotsPane::PlotsPane(QWidget *parent)
    : QSplitter(Qt::Vertical, parent)
    , m_tabs(new QTabWidget)
    , m_velocities(new DataChart(QString(), QString()))
    , m_residuals(new DataChart(QString(), QString()))
    , m_phase(new DataChart(QString(), QString()))
    , m_phasePlanet(new QComboBox)
    , m_periodogram(new PeriodogramPane)
    , m_analyses(new AnalysisTabs)
{
    setObjectName(QStringLiteral("plotArea"));
    m_tabs->setObjectName(QStringLiteral("plotTabs"));
    m_velocities->setObjectName(QStringLiteral("velocityChart"));
    m_residuals->setObjectName(QStringLiteral("residualChart"));
    m_residuals->setZeroLine(true);
    m_residuals->chart()->legend()->hide();
    // Below this an axis has no room for its labels.
    m_residuals->setMinimumHeight(140);
    m_velocities->setMinimumHeight(170);
    for (DataChart *chart : {m_velocities, m_residuals, m_phase})
        addChart(chart);

    auto *timeSplit = new QSplitter(Qt::Vertical);
    timeSplit->addWidget(m_velocities);
    timeSplit->addWidget(m_residuals);
    timeSplit->setStretchFactor(0, 2);
    timeSplit->setStretchFactor(1, 1);
    timeSplit->setChildrenCollapsible(false);
    m_tabs->addTab(timeSplit, QString());

    auto *phasePage = new QWidget;
    m_phasePlanet->setObjectName(QStringLiteral("phasePlanet"));
    m_phase->setObjectName(QStringLiteral("phaseChart"));
    auto *phaseLayout = new QVBoxLayout(phasePage);
    phaseLayout->addWidget(m_phasePlanet);
    phaseLayout->addWidget(m_phase, 1);
    m_tabs->addTab(phasePage, QString());
    connect(m_phasePlanet, &QComboBox::currentIndexChanged, this, &PlotsPane::showPhase);

    auto *top = new QWidget;
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(createToolRow());
    topLayout->addWidget(m_tabs, 1);

    // The periodogram stays in sight under the fit: each fit changes the
    // residual periodogram, and the next planet is its highest peak.
    addWidget(top);
    m_analyses->addPage(m_periodogram);
    addWidget(m_analyses);
    setStretchFactor(0, 3);
    setStretchFactor(1, 2);
    setChildrenCollapsible(false);
    retranslate();
}

void PlotsPane::retranslate()
{
    m_tabs->setTabText(0, tr("Velocities"));
    m_tabs->setTabText(1, tr("Phase"));
    m_velocities->setTitles(tr("Time since first measurement (days)"),
                            m_fit ? tr("Velocity − offset (m/s)") : tr("Velocity − mean (m/s)"));
    m_residuals->setTitles(tr("Time since first measurement (days)"), tr("O − C (m/s)"));
    m_phase->setTitles(tr("Orbital phase from periastron"), tr("Velocity of this planet alone (m/s)"));
    m_instrumentsButton->setText(tr("Instruments"));
    m_exclude->setText(tr("Exclude points"));
    m_exclude->setToolTip(
        tr("A rubber band excludes the points inside it instead of zooming; "
           "a click on a point excludes it or takes it back"));
    m_resetZoom->setText(tr("Reset zoom"));
}

void PlotsPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QSplitter::changeEvent(event);
}

QWidget *PlotsPane::createToolRow()
{
    m_instruments = new QMenu(this);
    m_instruments->setObjectName(QStringLiteral("instrumentsMenu"));
    m_instrumentsButton = new QToolButton;
    m_instrumentsButton->setObjectName(QStringLiteral("instrumentsButton"));
    m_instrumentsButton->setMenu(m_instruments);
    m_instrumentsButton->setPopupMode(QToolButton::InstantPopup);
    m_exclude = new QPushButton;
    m_exclude->setObjectName(QStringLiteral("excludePointsButton"));
    m_exclude->setCheckable(true);
    connect(m_exclude, &QPushButton::toggled, this, [this](bool on) {
        for (DataChart *chart : std::as_const(m_charts))
            chart->setExcluding(on);
    });
    auto *reset = m_resetZoom = new QPushButton;
    reset->setObjectName(QStringLiteral("resetZoomButton"));
    connect(reset, &QPushButton::clicked, this, [this] {
        for (DataChart *chart : std::as_const(m_charts))
            chart->resetZoom();
    });
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_instrumentsButton);
    layout->addWidget(m_exclude);
    layout->addWidget(reset);
    layout->addStretch(1);
    return row;
}

void PlotsPane::addChart(DataChart *chart)
{
    m_charts.append(chart);
    connect(chart, &DataChart::pointClicked, this, &PlotsPane::pointClicked);
    connect(chart, &DataChart::areaChosen, this, &PlotsPane::areaChosen);
}

void PlotsPane::addPage(QWidget *page, const QString &title)
{
    m_tabs->addTab(page, title);
    // A page retitles itself when the language changes; its tab follows.
    connect(page, &QWidget::windowTitleChanged, this,
            [this, page](const QString &retitled) { m_tabs->setTabText(m_tabs->indexOf(page), retitled); });
}

void PlotsPane::setInstruments(const std::vector<std::string> &names, const std::vector<bool> &hidden)
{
    m_instruments->clear();
    for (std::size_t k = 0; k < names.size(); ++k) {
        QAction *action = m_instruments->addAction(QString::fromStdString(names[k]));
        action->setObjectName(QStringLiteral("showInstrument_%1").arg(k));
        action->setCheckable(true);
        action->setChecked(k >= hidden.size() || !hidden[k]);
        connect(action, &QAction::toggled, this, [this, k](bool shown) { emit instrumentShown(int(k), shown); });
    }
    m_instrumentsButton->setEnabled(!names.empty());
}

void PlotsPane::show(const Observations::DataSet &data, const Fitting::Result *fit, const std::vector<bool> &excluded)
{
    m_data = data;
    m_fit = fit ? std::optional(*fit) : std::nullopt;
    m_excluded = excluded;
    retranslate();
    m_velocities->setInstruments(greyed(PlotData::alignedPoints(data, fit), excluded));
    m_velocities->setCurve(fit ? PlotData::modelCurve(*fit, data, curveSamples(*fit, data)) : QList<QPointF>());
    m_residuals->setInstruments(fit ? greyed(PlotData::residualPoints(*fit, data), excluded)
                                    : QList<InstrumentPoints>());
    const QStringList names = fit ? PlotData::planetSummaries(*fit) : QStringList();
    if (names.size() != m_phasePlanet->count()) {
        const QSignalBlocker blocker(m_phasePlanet);
        m_phasePlanet->clear();
        m_phasePlanet->addItems(names);
    } else {
        for (int j = 0; j < names.size(); ++j)
            m_phasePlanet->setItemText(j, names.at(j));
    }
    showPhase();
}

void PlotsPane::showPhase()
{
    const int planet = m_phasePlanet->currentIndex();
    if (!m_fit || planet < 0) {
        m_phase->setInstruments({});
        m_phase->setCurve({});
        return;
    }
    m_phase->setInstruments(greyed(PlotData::phasePoints(*m_fit, m_data, planet), m_excluded));
    m_phase->setCurve(PlotData::phaseCurve(*m_fit, planet, PhaseCurveSamples));
}
