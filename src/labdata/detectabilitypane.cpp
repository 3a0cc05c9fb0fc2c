#include "labdata/detectabilitypane.h"

#include "labdata/detectabilitychart.h"
#include "labdata/plotdata.h"

#include "detection/spectralwindow.h"
#include "ground/exportflow.h"
#include "kepler/physicalconstants.h"
#include "kepler/planetmass.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace {

/// The texts of the settings' labels, in the order createSettings() places them.
constexpr const char *LabelTexts[] = {
    QT_TRANSLATE_NOOP("DetectabilityPane", "Periods (d)"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "to"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "points"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "to"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "points"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "Trials per cell"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "False-alarm threshold"),
    QT_TRANSLATE_NOOP("DetectabilityPane", "Inject into"),
};

bool sameMeasurements(const Observations::DataSet &a, const Observations::DataSet &b)
{
    return std::ranges::equal(a.measurements, b.measurements, [](const auto &x, const auto &y) {
        return x.time == y.time && x.velocity == y.velocity && x.uncertainty == y.uncertainty
            && x.instrument == y.instrument;
    });
}

/// The rms of the velocities about each instrument's mean, m/s: the scale of
/// the noise the injected planets must stand out of.
double scatter(const Observations::DataSet &data)
{
    std::vector<double> sum(data.instruments.size() + 1), count(data.instruments.size() + 1);
    for (const auto &m : data.measurements) {
        const auto k = std::min(std::size_t(std::max(m.instrument, 0)), data.instruments.size());
        sum[k] += m.velocity;
        count[k] += 1;
    }
    double squares = 0;
    for (const auto &m : data.measurements) {
        const auto k = std::min(std::size_t(std::max(m.instrument, 0)), data.instruments.size());
        const double d = m.velocity - sum[k] / count[k];
        squares += d * d;
    }
    return data.measurements.empty() ? 0 : std::sqrt(squares / double(data.measurements.size()));
}

QDoubleSpinBox *rangeBox(const char *name, int decimals)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setDecimals(decimals);
    box->setRange(std::pow(10.0, -decimals), 1e6);
    // Sized for the values a map takes, not for the largest the box allows, so
    // that the settings and the map share a 1024-pixel-wide window.
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("88888.888")) + 36);
    return box;
}

QSpinBox *countBox(const char *name, int lowest, int highest, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(lowest, highest);
    box->setValue(value);
    return box;
}

} // namespace

DetectabilityPane::DetectabilityPane(QWidget *parent)
    : QWidget(parent)
    , m_periodFrom(rangeBox("mapPeriodFrom", 2))
    , m_periodTo(rangeBox("mapPeriodTo", 2))
    , m_periodCount(countBox("mapPeriodCount", 2, 200, 12))
    , m_axis(new QComboBox)
    , m_amplitudeFrom(rangeBox("mapAmplitudeFrom", 3))
    , m_amplitudeTo(rangeBox("mapAmplitudeTo", 3))
    , m_amplitudeCount(countBox("mapAmplitudeCount", 2, 200, 10))
    , m_trials(countBox("mapTrials", 1, 10000, 10))
    , m_threshold(new QDoubleSpinBox)
    , m_noise(new QComboBox)
    , m_run(new QPushButton)
    , m_cancel(new QPushButton)
    , m_progress(new QProgressBar)
    , m_status(new QLabel)
    , m_saveCsv(new QPushButton)
    , m_savePicture(new QPushButton)
    , m_chart(new DetectabilityChart)
{
    setObjectName(QStringLiteral("detectabilityPane"));
    m_chart->setObjectName(QStringLiteral("detectabilityChart"));
    m_chart->setMinimumSize(220, 180);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createSettings());
    layout->addWidget(m_chart, 1);

    connect(m_run, &QPushButton::clicked, this, &DetectabilityPane::run);
    connect(m_cancel, &QPushButton::clicked, this, &DetectabilityPane::cancel);
    connect(m_saveCsv, &QPushButton::clicked, this, &DetectabilityPane::saveCsv);
    connect(m_savePicture, &QPushButton::clicked, this, &DetectabilityPane::savePicture);
    connect(m_axis, &QComboBox::currentIndexChanged, this, [this] {
        proposeRanges(); // the other axis's values would be meaningless
        showPlanets();
    });
    for (QDoubleSpinBox *box : {m_periodFrom, m_periodTo, m_amplitudeFrom, m_amplitudeTo})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { m_rangesEdited = true; });
    connect(&m_watcher, &QFutureWatcher<RunResult>::finished, this, [this] { finish(m_watcher.result()); });
    setRunning(false);
    retranslate();
}

DetectabilityPane::~DetectabilityPane()
{
    if (m_cancelFlag)
        m_cancelFlag->store(true);
    m_watcher.disconnect();
    m_watcher.waitForFinished();
}

QWidget *DetectabilityPane::createSettings()
{
    m_axis->setObjectName(QStringLiteral("mapAxis"));
    m_axis->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_axis->addItems({QString(), QString()});
    m_threshold->setObjectName(QStringLiteral("mapThreshold"));
    m_threshold->setDecimals(4);
    m_threshold->setRange(0.0001, 1);
    m_threshold->setSingleStep(0.005);
    m_threshold->setValue(0.01);
    m_noise->setObjectName(QStringLiteral("mapNoise"));
    m_noise->addItems({QString(), QString()});
    m_run->setObjectName(QStringLiteral("mapRunButton"));
    m_cancel->setObjectName(QStringLiteral("mapCancelButton"));
    m_progress->setObjectName(QStringLiteral("mapProgress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false); // no count of cells before a run
    m_status->setObjectName(QStringLiteral("mapStatus"));
    m_status->setWordWrap(true);
    m_saveCsv->setObjectName(QStringLiteral("mapSaveCsv"));
    m_savePicture->setObjectName(QStringLiteral("mapSavePicture"));
    for (std::size_t k = 0; k < std::size(LabelTexts); ++k)
        m_labels.append(new QLabel);

    auto *settings = new QWidget;
    auto *grid = new QGridLayout(settings);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto addRange = [grid](int row, QWidget *title, QWidget *from, QLabel *to, QWidget *until, QLabel *points,
                                 QWidget *count) {
        int column = 0;
        for (QWidget *widget : {title, from, static_cast<QWidget *>(to), until, static_cast<QWidget *>(points), count})
            grid->addWidget(widget, row, column++);
    };
    addRange(0, m_labels[0], m_periodFrom, m_labels[1], m_periodTo, m_labels[2], m_periodCount);
    addRange(1, m_axis, m_amplitudeFrom, m_labels[3], m_amplitudeTo, m_labels[4], m_amplitudeCount);
    grid->addWidget(m_labels[5], 2, 0);
    grid->addWidget(m_trials, 2, 1);
    grid->addWidget(m_labels[6], 2, 2, 1, 3, Qt::AlignRight);
    grid->addWidget(m_threshold, 2, 5);
    grid->addWidget(m_labels[7], 3, 0);
    grid->addWidget(m_noise, 3, 1, 1, 5);
    auto *commands = new QHBoxLayout;
    for (QWidget *widget :
         {static_cast<QWidget *>(m_run), static_cast<QWidget *>(m_cancel), static_cast<QWidget *>(m_progress)})
        commands->addWidget(widget);
    grid->addLayout(commands, 4, 0, 1, 6);
    grid->addWidget(m_status, 5, 0, 1, 6);
    auto *saves = new QHBoxLayout;
    saves->addWidget(m_saveCsv);
    saves->addWidget(m_savePicture);
    saves->addStretch(1);
    grid->addLayout(saves, 6, 0, 1, 6);
    grid->setRowStretch(7, 1);
    return settings;
}

void DetectabilityPane::retranslate()
{
    setWindowTitle(tr("Detectability"));
    for (qsizetype k = 0; k < m_labels.size(); ++k)
        m_labels[k]->setText(tr(LabelTexts[k]));
    m_axis->setItemText(0, tr("K (m/s)"));
    m_axis->setItemText(1, tr("m sin i (M_J)"));
    m_axis->setToolTip(
        tr("The map's second axis: the semi-amplitude, or the minimum mass with the star's mass "
           "of the fit's settings"));
    m_noise->setItemText(0, tr("Residuals of the fit"));
    m_noise->setItemText(1, tr("Simulated noise of the same uncertainties"));
    m_threshold->setToolTip(
        tr("An injected planet counts as found when the highest peak lies at its period "
           "with a false-alarm probability at most this"));
    m_run->setText(tr("Run"));
    m_run->setToolTip(
        tr("What could these data have found? Planets on circular orbits are injected at several "
           "phases in each cell and searched for with the periodogram."));
    m_cancel->setText(tr("Cancel"));
    m_progress->setFormat(tr("%v of %m cells"));
    m_saveCsv->setText(tr("Save CSV…"));
    m_savePicture->setText(tr("Save picture…"));
}

void DetectabilityPane::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void DetectabilityPane::setStarMassSource(std::function<double()> source)
{
    m_starMass = std::move(source);
}

void DetectabilityPane::setData(const Observations::DataSet &kept, const std::optional<Fitting::Result> &fit)
{
    const bool otherData = !sameMeasurements(kept, m_data);
    m_data = kept;
    m_fit = fit;
    if (otherData) {
        ++m_generation;
        if (m_running)
            m_cancelFlag->store(true);
        m_map.reset();
        m_chart->clear();
        m_progress->setValue(0);
        m_progress->setTextVisible(false);
        m_status->clear();
        m_rangesEdited = false;
    }
    if (!m_running && !m_rangesEdited)
        proposeRanges();
    showPlanets();
    setRunning(m_running);
}

Detection::AmplitudeAxis DetectabilityPane::axis() const
{
    return m_axis->currentIndex() == 1 ? Detection::AmplitudeAxis::MinimumMass
                                       : Detection::AmplitudeAxis::SemiAmplitude;
}

double DetectabilityPane::starMass() const
{
    return m_starMass ? m_starMass() : (m_fit ? m_fit->starMassSolar : 1.0);
}

void DetectabilityPane::proposeRanges()
{
    if (m_data.measurements.empty())
        return;
    // The CLI's ranges, widened to take in the fit's planets.
    const double span = Detection::timeSpan(m_data);
    double shortest = std::min(1.0, span / 20), longest = std::max(span, 2.0);
    const double noise = std::max(scatter(noiseData()), 1e-3);
    double low = 0.1 * noise, high = 5 * noise;
    if (m_fit)
        for (const Fitting::PlanetResult &planet : m_fit->planets) {
            shortest = std::min(shortest, 0.8 * planet.value.periodDays);
            longest = std::max(longest, 1.25 * planet.value.periodDays);
            high = std::max(high, 1.25 * planet.value.semiAmplitude);
        }
    if (axis() == Detection::AmplitudeAxis::MinimumMass) {
        // m sin i grows as P^(1/3) at a given K: the range covers these K at every period.
        low = Kepler::minimumMass(shortest, low, 0, starMass()) * Kepler::jupiterMassesPerSolarMass;
        high = Kepler::minimumMass(longest, high, 0, starMass()) * Kepler::jupiterMassesPerSolarMass;
    }
    const QSignalBlocker quiet[] = {QSignalBlocker(m_periodFrom), QSignalBlocker(m_periodTo),
                                    QSignalBlocker(m_amplitudeFrom), QSignalBlocker(m_amplitudeTo)};
    m_periodFrom->setValue(shortest);
    m_periodTo->setValue(longest);
    m_amplitudeFrom->setValue(low);
    m_amplitudeTo->setValue(high);
}

void DetectabilityPane::showPlanets()
{
    QList<DetectabilityChart::Planet> planets;
    if (m_fit)
        for (std::size_t k = 0; k < m_fit->planets.size(); ++k) {
            const Fitting::PlanetElements &planet = m_fit->planets[k].value;
            const bool mass = m_map ? m_map->axis == Detection::AmplitudeAxis::MinimumMass
                                    : axis() == Detection::AmplitudeAxis::MinimumMass;
            planets.append({planet.periodDays, mass ? planet.minimumMassJupiter : planet.semiAmplitude,
                            PlotData::planetLetter(int(k))});
        }
    m_chart->setPlanets(planets);
}

Observations::DataSet DetectabilityPane::noiseData() const
{
    return m_fit && m_noise->currentIndex() == 0 ? PlotData::residualData(*m_fit, m_data) : m_data;
}

Detection::InjectionPlan DetectabilityPane::plan() const
{
    Detection::InjectionPlan plan;
    plan.periodsDays =
        Detection::evenlySpacedInLog(m_periodFrom->value(), m_periodTo->value(), std::size_t(m_periodCount->value()));
    plan.amplitudes = Detection::evenlySpacedInLog(m_amplitudeFrom->value(), m_amplitudeTo->value(),
                                                   std::size_t(m_amplitudeCount->value()));
    plan.axis = axis();
    plan.starMassSolar = starMass();
    plan.trials = m_trials->value();
    plan.falseAlarmThreshold = m_threshold->value();
    plan.noise =
        m_noise->currentIndex() == 0 ? Detection::InjectionNoise::Residuals : Detection::InjectionNoise::Simulated;
    return plan;
}

void DetectabilityPane::run()
{
    if (m_running || m_data.measurements.empty())
        return;
    if (!(m_periodFrom->value() < m_periodTo->value()) || !(m_amplitudeFrom->value() < m_amplitudeTo->value())) {
        m_status->setText(tr("Each range must run from a smaller value to a larger one."));
        return;
    }
    const Detection::InjectionPlan plan = this->plan();
    const Observations::DataSet noise = noiseData();
    m_cancelFlag = std::make_shared<std::atomic<bool>>(false);
    m_runGeneration = m_generation;
    m_progress->setRange(0, int(plan.periodsDays.size() * plan.amplitudes.size()));
    m_progress->setValue(0);
    m_progress->setTextVisible(true);
    m_status->setText(m_fit || plan.noise == Detection::InjectionNoise::Simulated
                          ? tr("Injecting planets…")
                          : tr("Injecting planets into the measured velocities (no fit to take residuals of)…"));
    setRunning(true);
    m_watcher.setFuture(QtConcurrent::run([this, plan, noise, cancel = m_cancelFlag] {
        const auto progress = [this](std::size_t done, std::size_t) {
            QMetaObject::invokeMethod(
                this, [this, done] { m_progress->setValue(int(done)); }, Qt::QueuedConnection);
        };
        auto made = Detection::injectionRecoveryMap(noise, plan, progress, cancel.get());
        RunResult result;
        result.cancelled = cancel->load();
        if (made)
            result.map = std::move(made).value();
        else
            result.refusal = made.reason();
        return result;
    }));
}

void DetectabilityPane::cancel()
{
    if (m_running)
        m_cancelFlag->store(true);
}

void DetectabilityPane::finish(const RunResult &result)
{
    setRunning(false);
    if (m_runGeneration != m_generation)
        return; // a map of data no longer shown
    if (result.cancelled) {
        m_status->setText(tr("Cancelled: the map was not finished."));
        return;
    }
    if (!result.map) {
        m_status->setText(QString::fromStdString(result.refusal));
        return;
    }
    m_map = result.map;
    m_chart->setMap(*m_map);
    showPlanets();
    setRunning(false); // again: the saves need the map
    m_status->setText(tr("The colour is the share of injected planets found, from white (none) to dark blue (all). "
                         "Planets above the dashed line are found in half the trials, above the solid line in nine "
                         "of ten (%1 trials a cell, false-alarm probability at most %2).")
                          .arg(m_map->trials)
                          .arg(m_threshold->value()));
}

void DetectabilityPane::setRunning(bool running)
{
    m_running = running;
    const bool haveData = !m_data.measurements.empty();
    for (QWidget *setting :
         std::initializer_list<QWidget *>{m_periodFrom, m_periodTo, m_periodCount, m_axis, m_amplitudeFrom,
                                          m_amplitudeTo, m_amplitudeCount, m_trials, m_threshold, m_noise})
        setting->setEnabled(!running);
    m_run->setEnabled(haveData && !running);
    m_cancel->setEnabled(running);
    m_saveCsv->setEnabled(m_map.has_value() && !running);
    m_savePicture->setEnabled(m_map.has_value() && !running);
}

void DetectabilityPane::saveCsv()
{
    if (!m_map)
        return;
    const Detection::DetectabilityMap &map = *m_map;
    const QString path = ExportFlow::saveBytes(this, tr("CSV table (*.csv)"), [&map] {
        QByteArray csv = map.axis == Detection::AmplitudeAxis::MinimumMass
            ? "period_days,msini_jupiter,recovered,trials,share\n"
            : "period_days,K_m_s,recovered,trials,share\n";
        for (std::size_t p = 0; p < map.periodsDays.size(); ++p)
            for (std::size_t a = 0; a < map.amplitudes.size(); ++a)
                csv += QStringLiteral("%1,%2,%3,%4,%5\n")
                           .arg(map.periodsDays[p], 0, 'g', 10)
                           .arg(map.amplitudes[a], 0, 'g', 10)
                           .arg(map.recovered[p * map.amplitudes.size() + a])
                           .arg(map.trials)
                           .arg(map.fraction(p, a), 0, 'g', 6)
                           .toUtf8();
        return csv;
    });
    if (!path.isEmpty())
        m_status->setText(tr("Map saved as %1.").arg(QFileInfo(path).fileName()));
}

void DetectabilityPane::savePicture()
{
    if (!m_map)
        return;
    const QString path =
        ExportFlow::savePicture(this, tr("PNG picture (*.png);;SVG drawing (*.svg)"), m_chart->size(),
                                tr("Detectability map"), [this](QPainter &painter) { m_chart->render(&painter); });
    if (!path.isEmpty())
        m_status->setText(tr("Map saved as %1.").arg(QFileInfo(path).fileName()));
}
