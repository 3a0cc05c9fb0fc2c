#include "handfit/handfitpane.h"

#include "handfit/closenesscheck.h"
#include "handfit/handfitpoints.h"
#include "handfit/offsetcontrols.h"
#include "lab/presentation.h"
#include "labdata/datachart.h"
#include "labdata/plotdata.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScatterSeries>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

/// How long the charts wait after the last step before they are drawn smooth, ms.
constexpr int SettleMilliseconds = 250;

/// A filled circle with a darker rim, as the Observations tab's markers.
QImage markerImage(const QColor &color)
{
    constexpr int Size = 28; // drawn scaled down to the series' marker size
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(140), Size / 7.0));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(2, 2, Size - 4, Size - 4));
    return image;
}

/// Markers painted by their series in one pass rather than one item of the
/// scene each: hundreds of items moving on every slider step cost more
/// than all the rest of the step.
void paintMarkersInOnePass(DataChart *chart)
{
    for (QScatterSeries *series : chart->instrumentSeries()) {
        if (series->lightMarker().isNull())
            series->setLightMarker(markerImage(series->color()));
    }
}

bool sameData(const Observations::DataSet &a, const Observations::DataSet &b)
{
    auto same = [](const Observations::Measurement &x, const Observations::Measurement &y) {
        return x.time == y.time && x.velocity == y.velocity && x.uncertainty == y.uncertainty
            && x.instrument == y.instrument;
    };
    return a.instruments == b.instruments && std::ranges::equal(a.measurements, b.measurements, same);
}

/// How far each offset's slider reaches either way: the instrument's whole
/// spread of velocities, so any sensible zero point is within a sweep.
std::vector<double> offsetReaches(const Observations::DataSet &data)
{
    constexpr double SmallestReach = 10; // m/s
    std::vector<double> low(data.instruments.size(), 0), high(data.instruments.size(), 0);
    std::vector<bool> seen(data.instruments.size(), false);
    for (const Observations::Measurement &m : data.measurements) {
        const auto k = std::size_t(m.instrument);
        low[k] = seen[k] ? std::min(low[k], m.velocity) : m.velocity;
        high[k] = seen[k] ? std::max(high[k], m.velocity) : m.velocity;
        seen[k] = true;
    }
    std::vector<double> reaches;
    for (std::size_t k = 0; k < low.size(); ++k)
        reaches.push_back(std::max(high[k] - low[k], SmallestReach));
    return reaches;
}

} // namespace

HandFitPane::HandFitPane(QWidget *parent)
    : QWidget(parent)
    , m_meter(new QLineEdit(this))
    , m_fold(new QCheckBox(this))
    , m_offsets(new OffsetControls(this))
    , m_closeness(new ClosenessCheck(
          [this] {
              const Challenge::StudentModel model = studentModel();
              return ClosenessCheck::Question{m_data, model.planets, m_goodness ? m_goodness->chiSquare : 0.0};
          },
          this))
    , m_chart(new DataChart(QString(), QString(), this))
    , m_residualChart(new DataChart(QString(), QString(), this))
    , m_settle(new QTimer(this))
{
    setObjectName(QStringLiteral("handFitPane"));
    m_meter->setObjectName(QStringLiteral("goodnessMeter"));
    // A line that reads like a label: unlike a label, a new text does not
    // lay the lab out again on every slider step.
    m_meter->setReadOnly(true);
    m_meter->setFrame(false);
    m_meter->setFocusPolicy(Qt::ClickFocus);
    QPalette plain = m_meter->palette();
    plain.setColor(QPalette::Base, plain.color(QPalette::Window));
    m_meter->setPalette(plain);
    QFont bold = m_meter->font();
    bold.setBold(true);
    m_meter->setFont(bold);
    m_fold->setObjectName(QStringLiteral("foldCheck"));
    m_chart->setObjectName(QStringLiteral("handFitChart"));
    m_residualChart->setObjectName(QStringLiteral("residualChart"));
    m_chart->setMinimumHeight(120);
    m_residualChart->setMinimumHeight(80);
    m_residualChart->setZeroLine(true);
    // While a slider moves the charts draw without antialiasing, which
    // halves their cost; once the hand rests they are drawn smooth again.
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMilliseconds);
    connect(m_settle, &QTimer::timeout, this, [this] { setSmooth(true); });
    // The offsets' captions name the instruments in their colours, and the
    // residuals below carry the time axis: on a small screen the data get the room.
    m_chart->chart()->legend()->hide();
    m_residualChart->chart()->legend()->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_meter, 1);
    top->addWidget(m_fold);
    auto *charts = new QSplitter(Qt::Vertical, this);
    charts->setObjectName(QStringLiteral("handFitCharts"));
    charts->addWidget(m_chart);
    charts->addWidget(m_residualChart);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    charts->setChildrenCollapsible(false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(top);
    column->addWidget(m_closeness);
    column->addWidget(m_offsets);
    column->addWidget(charts, 1);

    connect(m_fold, &QCheckBox::toggled, this, [this] {
        retranslate();
        refresh();
    });
    connect(m_offsets, &OffsetControls::offsetsEdited, this, [this] {
        m_closeness->modelChanged();
        refresh();
    });
    retranslate();
    hide();
}

void HandFitPane::setData(const Observations::DataSet &data)
{
    if (sameData(data, m_data))
        return;
    m_data = data;
    m_closeness->forgetBestFit();
    // Without a valid planet yet the offsets start at each instrument's mean.
    std::vector<Kepler::Orbit> planets;
    if (!Kepler::refusal(m_orbit))
        planets.push_back(m_orbit);
    const std::vector<double> start = Challenge::bestOffsets(m_data, planets);
    m_offsets->setInstruments(m_data.instruments, start, offsetReaches(m_data));
    m_wantsRoom = isHidden() && !m_data.measurements.empty();
    setVisible(!m_data.measurements.empty());
    refresh();
}

void HandFitPane::showPlanet(const LabPlanet &planet)
{
    m_orbit = planet.orbit;
    m_closeness->modelChanged();
    refresh();
}

void HandFitPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_wantsRoom) {
        m_wantsRoom = false;
        // Once the splitter has laid the pane out among the others.
        QTimer::singleShot(0, this, &HandFitPane::takeMostRoom);
    }
}

void HandFitPane::takeMostRoom()
{
    auto *splitter = qobject_cast<QSplitter *>(parentWidget());
    if (!splitter)
        return;
    // Three fifths for the data: the plots of one orbit beside them can shrink.
    QList<int> sizes = splitter->sizes();
    const int total = std::accumulate(sizes.begin(), sizes.end(), 0);
    const int mine = splitter->indexOf(this);
    for (int i = 0; i < sizes.size(); ++i)
        sizes[i] = i == mine ? total * 3 / 5 : sizes[i] * 2 / 5;
    splitter->setSizes(sizes);
}

void HandFitPane::setHintsAllowed(bool allowed)
{
    m_closeness->setVisible(allowed);
}

Challenge::StudentModel HandFitPane::studentModel() const
{
    return {{m_orbit}, m_offsets->offsets()};
}

void HandFitPane::refresh()
{
    if (m_data.measurements.empty() || !(m_orbit.periodDays > 0))
        return;
    const Challenge::StudentModel model = studentModel();
    const Numeric::Outcome<Challenge::Goodness> measured = Challenge::goodness(m_data, model);
    if (!measured.ok()) {
        m_goodness.reset();
        showMeter(QString::fromStdString(measured.reason()));
        return;
    }
    m_goodness = *measured;
    showMeter({});
    const HandFitPoints::Axis axis{m_fold->isChecked(), PlotData::timeOrigin(m_data), m_orbit};
    m_chart->setInstruments(HandFitPoints::measured(m_data, model.offsets, axis));
    m_chart->setCurve(HandFitPoints::curve(axis, PlotData::timeSpan(m_data)), tr("Your curve"));
    m_residualChart->setInstruments(HandFitPoints::residuals(m_data, m_goodness->residuals, axis));
    paintMarkersInOnePass(m_chart);
    paintMarkersInOnePass(m_residualChart);
    setSmooth(false);
    m_settle->start();
    Presentation::follow(this);
}

void HandFitPane::setSmooth(bool smooth)
{
    for (DataChart *chart : {m_chart, m_residualChart}) {
        if (chart->renderHints().testFlag(QPainter::Antialiasing) != smooth) {
            chart->setRenderHint(QPainter::Antialiasing, smooth);
            chart->viewport()->update();
        }
    }
}

void HandFitPane::showMeter(const QString &refusal)
{
    if (!refusal.isEmpty()) {
        m_meter->setText(tr("No goodness to show: %1").arg(refusal));
        return;
    }
    if (!m_goodness)
        return;
    const QString rms = QString::number(m_goodness->rms, 'f', 2);
    if (m_goodness->reducedChiSquare)
        m_meter->setText(tr("Reduced χ² = %1    rms of the residuals = %2 m/s")
                             .arg(QString::number(*m_goodness->reducedChiSquare, 'f', 2), rms));
    else
        m_meter->setText(tr("χ² = %1 (too few points for a reduced χ²)    rms of the residuals = %2 m/s")
                             .arg(QString::number(m_goodness->chiSquare, 'f', 2), rms));
}

void HandFitPane::retranslate()
{
    m_fold->setText(tr("Fold on my P"));
    const QString velocity = tr("v − γ (m/s)");
    const QString time =
        m_fold->isChecked() ? tr("orbital phase (0 = periastron)") : tr("days since the first measurement");
    m_chart->setTitles(QString(), velocity);
    m_residualChart->setTitles(time, tr("residual (m/s)"));
    showMeter({});
}

void HandFitPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
