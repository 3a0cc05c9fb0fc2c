#include "labdata/observationspanel.h"

#include "labdata/datachart.h"
#include "labdata/fitcontrols.h"
#include "labdata/periodogramchart.h"
#include "labdata/plotdata.h"
#include "labdata/resulttable.h"
#include "labdata/syntheticdialog.h"

#include "ground/platform.h"
#include "fitting/resultexport.h"
#include "lab/labexport.h"
#include "observations/datafolder.h"
#include "observations/rvwriter.h"
#include "observations/synthetic.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
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
    return int(std::clamp(20.0 * span / shortest, double(MinimumCurveSamples),
                          double(MaximumCurveSamples)));
}

const QString TextFilter = QStringLiteral("RV data (*.txt)");
const QString CsvFilter = QStringLiteral("CSV table (*.csv)");
const QString JsonFilter = QStringLiteral("JSON (*.json)");
const QString PictureFilter = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");

QByteArray bytesOf(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

QAction *namedAction(QObject *parent, const QString &text, const QString &name)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(name);
    return action;
}

QString fapText(double fap)
{
    return fap < 1e-4 ? QString::number(fap, 'e', 1) : QString::number(fap, 'g', 2);
}

} // namespace

ObservationsPanel::ObservationsPanel(QWidget *parent)
    : QWidget(parent),
      m_runner(new AnalysisRunner(this)),
      m_controls(new FitControls),
      m_results(new ResultTable),
      m_dataTitle(new QLabel),
      m_usePlanet(new QComboBox),
      m_usePlanetButton(new QPushButton(tr("Use as current planet"))),
      m_synthetic(new SyntheticDialog(this))
{
    setObjectName(QStringLiteral("ObservationsPanel"));
    acceptDropsOn(this);
    m_dataTitle->setObjectName(QStringLiteral("dataTitle"));
    m_dataTitle->setText(tr("No data: open a file, drop one here, or choose a set from the File menu."));
    m_dataTitle->setWordWrap(true);
    m_usePlanet->setObjectName(QStringLiteral("usePlanetChoice"));
    m_usePlanetButton->setObjectName(QStringLiteral("usePlanetButton"));

    auto *useRow = new QHBoxLayout;
    useRow->addWidget(m_usePlanet, 1);
    useRow->addWidget(m_usePlanetButton);
    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_dataTitle);
    sideLayout->addWidget(m_controls);
    sideLayout->addWidget(m_results, 1);
    sideLayout->addLayout(useRow);

    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(side);
    split->addWidget(createPlots());
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    side->setMinimumWidth(300);
    split->setSizes({400, 1000});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    createActions();

    connect(m_controls, &FitControls::fitRequested, this, &ObservationsPanel::fit);
    connect(m_controls, &FitControls::findPlanetsRequested, this, &ObservationsPanel::findPlanets);
    connect(m_controls, &FitControls::bootstrapRequested, this, &ObservationsPanel::bootstrap);
    connect(m_controls, &FitControls::cancelRequested, m_runner, &AnalysisRunner::cancel);
    connect(m_runner, &AnalysisRunner::progressed, m_controls, &FitControls::showProgress);
    connect(m_runner, &AnalysisRunner::runningChanged, m_controls, &FitControls::setRunning);
    connect(m_runner, &AnalysisRunner::finished, this, &ObservationsPanel::showOutcome);
    connect(m_phasePlanet, &QComboBox::currentIndexChanged, this, &ObservationsPanel::showPhase);
    connect(m_synthetic, &QDialog::accepted, this, &ObservationsPanel::makeFromDialog);
    connect(m_usePlanetButton, &QPushButton::clicked, this, [this] {
        const int planet = m_usePlanet->currentIndex();
        if (m_fit && planet >= 0 && std::size_t(planet) < m_fit->planets.size())
            emit planetChosen(m_fit->planets[std::size_t(planet)].orbit(), m_fit->starMassSolar,
                              tr("%1 %2 (fit)").arg(m_title, PlotData::planetLetter(planet)));
    });
    updateCommands();
}

ObservationsPanel::~ObservationsPanel()
{
    // The runner is a child; cancelling first makes its destructor's wait short.
    m_runner->cancel();
}

QWidget *ObservationsPanel::createPlots()
{
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("plotTabs"));

    m_velocities = new DataChart(tr("Time since first measurement (days)"),
                                 tr("Velocity − mean (m/s)"));
    m_velocities->setObjectName(QStringLiteral("velocityChart"));
    m_residuals = new DataChart(tr("Time since first measurement (days)"), tr("O − C (m/s)"));
    m_residuals->setObjectName(QStringLiteral("residualChart"));
    m_residuals->setZeroLine(true);
    m_residuals->chart()->legend()->hide();
    m_residuals->setMinimumHeight(170);
    auto *timeSplit = new QSplitter(Qt::Vertical);
    timeSplit->addWidget(m_velocities);
    timeSplit->addWidget(m_residuals);
    timeSplit->setStretchFactor(0, 3);
    timeSplit->setStretchFactor(1, 1);
    m_tabs->addTab(timeSplit, tr("Velocities"));

    auto *phasePage = new QWidget;
    m_phasePlanet = new QComboBox;
    m_phasePlanet->setObjectName(QStringLiteral("phasePlanet"));
    m_phase = new DataChart(tr("Orbital phase from periastron"),
                            tr("Velocity of this planet alone (m/s)"));
    m_phase->setObjectName(QStringLiteral("phaseChart"));
    auto *phaseLayout = new QVBoxLayout(phasePage);
    phaseLayout->addWidget(m_phasePlanet);
    phaseLayout->addWidget(m_phase, 1);
    m_tabs->addTab(phasePage, tr("Phase"));

    // The periodogram stays in sight under the fit: each fit changes the
    // residual periodogram, and the next planet is its highest peak.
    auto *periodogramRow = new QWidget;
    m_periodogram = new PeriodogramChart;
    m_periodogram->setObjectName(QStringLiteral("periodogramChart"));
    m_peaks = new QTableWidget(0, 4);
    m_peaks->setObjectName(QStringLiteral("peakTable"));
    m_peaks->setHorizontalHeaderLabels({tr("Of"), tr("Period (d)"), tr("Power"), tr("FAP")});
    m_peaks->verticalHeader()->setVisible(false);
    m_peaks->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_peaks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_peaks->setMinimumWidth(260);
    m_peaks->setMaximumWidth(330);
    m_periodFrom = new QDoubleSpinBox;
    m_periodFrom->setObjectName(QStringLiteral("periodFrom"));
    m_periodTo = new QDoubleSpinBox;
    m_periodTo->setObjectName(QStringLiteral("periodTo"));
    for (QDoubleSpinBox *box : {m_periodFrom, m_periodTo}) {
        box->setRange(0.01, 1e7);
        box->setDecimals(3);
        box->setSuffix(tr(" d"));
        box->setToolTip(tr("The periods the periodogram covers; the fits search the same range"));
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { m_gridEdited = true; });
    }
    m_recompute = new QPushButton(tr("Recompute"));
    m_recompute->setObjectName(QStringLiteral("periodogramButton"));
    connect(m_recompute, &QPushButton::clicked, this,
            [this] { startRun(AnalysisRequest::Kind::Periodogram, {}); });
    connect(m_runner, &AnalysisRunner::runningChanged, this, &ObservationsPanel::updateCommands);
    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(tr("Periods from")));
    range->addWidget(m_periodFrom);
    range->addWidget(new QLabel(tr("to")));
    range->addWidget(m_periodTo);
    range->addWidget(m_recompute);
    range->addStretch(1);
    auto *chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_periodogram, 1);
    chartColumn->addLayout(range);

    auto *periodogramLayout = new QHBoxLayout(periodogramRow);
    periodogramLayout->setContentsMargins(0, 0, 0, 0);
    periodogramLayout->addLayout(chartColumn, 1);
    periodogramLayout->addWidget(m_peaks);

    m_plots = new QSplitter(Qt::Vertical);
    m_plots->setObjectName(QStringLiteral("plotArea"));
    m_plots->addWidget(m_tabs);
    m_plots->addWidget(periodogramRow);
    m_plots->setStretchFactor(0, 3);
    m_plots->setStretchFactor(1, 2);
    m_periodogram->setMinimumHeight(200);
    return m_plots;
}

void ObservationsPanel::createActions()
{
    auto *open = namedAction(this, tr("Open RV data…"), QStringLiteral("actionOpenRvData"));
    // Shown in the menu; the key itself is taken by eventFilter() in the
    // panel and in every widget given to acceptDropsOn().
    open->setShortcut(QKeySequence::Open);
    open->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(open, &QAction::triggered, this, &ObservationsPanel::openDataDialog);

    m_realDataMenu = new QMenu(tr("Real data"), this);
    m_realDataMenu->setObjectName(QStringLiteral("realDataMenu"));
    for (const Observations::ShippedSet &set : Observations::shippedSets()) {
        const QString fileName = QString::fromStdString(set.fileName);
        QAction *action = m_realDataMenu->addAction(QString::fromStdString(set.title));
        action->setObjectName(QStringLiteral("shippedSet_") + fileName);
        connect(action, &QAction::triggered, this, [this, fileName] { openShippedSet(fileName); });
    }

    m_exampleMenu = new QMenu(tr("Synthetic examples"), this);
    m_exampleMenu->setObjectName(QStringLiteral("exampleMenu"));
    const auto &examples = Observations::exampleSets();
    for (std::size_t n = 0; n < examples.size(); ++n) {
        const QString name = QString::fromStdString(examples[n].name);
        QAction *action = m_exampleMenu->addAction(name);
        action->setObjectName(QStringLiteral("exampleSet_%1").arg(n));
        connect(action, &QAction::triggered, this, [this, n, name] {
            const Observations::ExampleSet &example = Observations::exampleSets()[n];
            setData(Observations::simulate(example.planets, example.plans),
                    tr("Synthetic example: %1").arg(name));
        });
    }

    auto *synthetic = namedAction(this, tr("Make synthetic observations…"),
                                  QStringLiteral("actionMakeSynthetic"));
    connect(synthetic, &QAction::triggered, this, &ObservationsPanel::makeSyntheticObservations);
    m_saveData = namedAction(this, tr("Save observations as text…"), QStringLiteral("actionSaveData"));
    connect(m_saveData, &QAction::triggered, this, &ObservationsPanel::saveData);
    m_exportResiduals = namedAction(this, tr("Export data, model and residuals (CSV)…"),
                                    QStringLiteral("actionExportResiduals"));
    connect(m_exportResiduals, &QAction::triggered, this, &ObservationsPanel::exportResiduals);
    m_exportFitCsv = namedAction(this, tr("Export fit results (CSV)…"), QStringLiteral("actionExportFitCsv"));
    connect(m_exportFitCsv, &QAction::triggered, this, &ObservationsPanel::exportFitCsv);
    m_exportFitJson = namedAction(this, tr("Export fit results (JSON)…"),
                                  QStringLiteral("actionExportFitJson"));
    connect(m_exportFitJson, &QAction::triggered, this, &ObservationsPanel::exportFitJson);
    auto *plot = namedAction(this, tr("Export plots (PNG/SVG)…"), QStringLiteral("actionExportPlot"));
    connect(plot, &QAction::triggered, this, &ObservationsPanel::exportPlot);

    auto separator = [this] {
        auto *line = new QAction(this);
        line->setSeparator(true);
        return line;
    };
    m_fileActions = {open, m_realDataMenu->menuAction(), m_exampleMenu->menuAction(), synthetic,
                     separator(), m_saveData, m_exportResiduals, m_exportFitCsv, m_exportFitJson,
                     plot};
}

void ObservationsPanel::openDataDialog()
{
    const QString path = Platform::current().openFileName(this, tr("Open RV data"));
    if (!path.isEmpty())
        openFile(path);
}

bool ObservationsPanel::openFile(const QString &path)
{
    const LoadedData loaded = loadData(path);
    if (!loaded.ok()) {
        Platform::current().messageBox(
            tr("%1 cannot be read:\n%2").arg(QFileInfo(path).fileName(), loaded.error),
            MsgBox::OkOnly | MsgBox::Exclamation, tr("Open RV data"));
        return false;
    }
    setData(loaded.data, loaded.title, loaded.starMassSolar);
    return true;
}

bool ObservationsPanel::openShippedSet(const QString &fileName)
{
    const std::filesystem::path folder = Observations::rvDataFolder(
        QCoreApplication::applicationDirPath().toStdString());
    return openFile(QString::fromStdString((folder / fileName.toStdString()).string()));
}

void ObservationsPanel::setData(const Observations::DataSet &data, const QString &title,
                                std::optional<double> starMassSolar)
{
    m_data = data;
    m_title = title;
    m_fit.reset();
    ++m_dataGeneration;
    if (starMassSolar)
        m_controls->setStarMass(*starMassSolar);
    const QList<int> counts = PlotData::pointsPerInstrument(m_data);
    QStringList parts;
    for (qsizetype k = 0; k < counts.size(); ++k)
        parts << QStringLiteral("%1 (%2)").arg(QString::fromStdString(m_data.instruments[std::size_t(k)])).arg(counts[k]);
    m_dataTitle->setText(tr("<b>%1</b>: %2 measurements — %3")
                             .arg(title.toHtmlEscaped())
                             .arg(m_data.measurements.size())
                             .arg(parts.join(QStringLiteral(", ")).toHtmlEscaped()));
    m_results->clearResult();
    m_periodogram->setData({}, {});
    m_periodogram->setResiduals({}, {});
    m_periodogram->setPeaks({});
    m_dataPeaks.clear();
    m_residualPeaks.clear();
    listPeaks();
    showAutomaticGrid();
    m_controls->showStatus(QString());
    showData();
    showFit();
    updateCommands();
    emit dataShown(title);

    Fitting::Options options;
    if (m_runner->isRunning()) {
        m_periodogramPending = true;
        m_runner->cancel();
    } else {
        startRun(AnalysisRequest::Kind::Periodogram, options);
    }
}

void ObservationsPanel::setPlanetSource(std::function<CurrentPlanets()> source)
{
    m_planetSource = std::move(source);
}

void ObservationsPanel::acceptDropsOn(QWidget *widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool ObservationsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData()->hasUrls() && !firstLocalFile(drag->mimeData()->urls()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        // Claimed before Qt's shortcut map sees the key: Screen1's menus keep
        // their own Ctrl+O in the same frame, and two owners of one key would
        // leave it to neither.
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction *action : std::as_const(m_fileActions)) {
            if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
                key->accept();
                if (event->type() == QEvent::KeyPress)
                    action->trigger();
                return true;
            }
        }
    } else if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = firstLocalFile(drop->mimeData()->urls());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            openFile(path);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ObservationsPanel::startRun(AnalysisRequest::Kind kind, Fitting::Options options)
{
    if (m_data.measurements.empty())
        return;
    if (m_gridEdited) {
        const double from = m_periodFrom->value();
        const double to = m_periodTo->value();
        if (!(from < to)) {
            m_controls->showStatus(tr("The shortest period must be below the longest."));
            return;
        }
        options.grid = Periodogram::gridBetween(1.0 / to, 1.0 / from, PlotData::timeSpan(m_data));
    }
    m_runGeneration = m_dataGeneration;
    m_runner->start({kind, m_data, std::move(options)});
}

void ObservationsPanel::fit()
{
    startRun(AnalysisRequest::Kind::Fit, m_controls->options());
}

void ObservationsPanel::findPlanets()
{
    startRun(AnalysisRequest::Kind::FindPlanets, m_controls->options());
}

void ObservationsPanel::bootstrap()
{
    if (!m_fit || m_fit->planets.empty())
        return;
    const QString answer = Platform::current().inputBox(
        tr("Number of bootstrap refits (10 to 2000). Each refits the data with "
           "resampled residuals; the spread of the results is the uncertainty."),
        tr("Bootstrap"), QStringLiteral("100"));
    if (answer.isEmpty())
        return;
    bool isNumber = false;
    const int runs = answer.trimmed().toInt(&isNumber);
    if (!isNumber || runs < 10 || runs > 2000) {
        Platform::current().messageBox(tr("Please type a whole number from 10 to 2000."),
                                       MsgBox::OkOnly | MsgBox::Exclamation, tr("Bootstrap"));
        return;
    }
    Fitting::Options options = m_controls->options();
    options.planets = int(m_fit->planets.size());
    options.bootstrapRuns = runs;
    for (const Fitting::PlanetResult &planet : m_fit->planets)
        options.startingOrbits.push_back(planet.orbit());
    startRun(AnalysisRequest::Kind::Fit, std::move(options));
}

void ObservationsPanel::showOutcome(const AnalysisOutcome &outcome)
{
    const bool stale = m_runGeneration != m_dataGeneration;
    if (m_periodogramPending || stale) {
        m_periodogramPending = false;
        startRun(AnalysisRequest::Kind::Periodogram, {});
        return;
    }
    if (outcome.cancelled) {
        m_controls->showStatus(tr("Cancelled."));
        return;
    }
    if (!outcome.error.empty()) {
        m_controls->showStatus(QString::fromStdString(outcome.error));
        return;
    }
    if (outcome.kind == AnalysisRequest::Kind::Periodogram) {
        m_periodogram->setData(outcome.spectrum.frequencies, outcome.spectrum.power);
        m_dataPeaks = outcome.peaks;
        QList<QPointF> marks;
        for (const Periodogram::Peak &peak : m_dataPeaks)
            marks.append({peak.periodDays, peak.power});
        m_periodogram->setPeaks(marks);
        listPeaks();
        return;
    }
    m_fit = outcome.fit;
    m_periodogram->setResiduals(outcome.spectrum.frequencies, outcome.spectrum.power);
    m_residualPeaks = outcome.peaks;
    listPeaks();
    const Fitting::Result &result = *m_fit;
    QString status = result.status == Fitting::Status::Stalled
                         ? tr("The fit stopped at its iteration limit; the best point found is shown.")
                         : tr("Fit converged.");
    if (result.planets.empty())
        status = tr("No peak is significant below the false-alarm threshold: no planet found.");
    else if (outcome.kind == AnalysisRequest::Kind::FindPlanets)
        status += QLatin1Char(' ') + (result.planets.size() == 1
                                          ? tr("1 planet found.")
                                          : tr("%1 planets found.").arg(result.planets.size()));
    if (result.bootstrapRuns > 0)
        status += QLatin1Char(' ') + tr("Bootstrap of %1 refits.").arg(result.bootstrapRuns);
    m_controls->showStatus(status);
    m_results->showResult(result);
    showData();
    showFit();
    updateCommands();
    emit dataShown(m_title);
}

void ObservationsPanel::listPeaks()
{
    // The data's peaks above those of the residuals of the last fit.
    m_peaks->setRowCount(0);
    auto list = [this](const std::vector<Periodogram::Peak> &peaks, const QString &of) {
        for (const Periodogram::Peak &peak : peaks) {
            const int row = m_peaks->rowCount();
            m_peaks->insertRow(row);
            const QString cells[] = {of, QString::number(peak.periodDays, 'g', 7),
                                     QString::number(peak.power, 'f', 3),
                                     fapText(peak.falseAlarmProbability)};
            for (int column = 0; column < 4; ++column)
                m_peaks->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    };
    list(m_dataPeaks, tr("data"));
    list(m_residualPeaks, tr("residuals"));
}

void ObservationsPanel::showAutomaticGrid()
{
    const Periodogram::FrequencyGrid grid = Periodogram::automaticGrid(m_data);
    const bool usable = grid.count >= 2 && grid.minFrequency > 0;
    {
        const QSignalBlocker quietFrom(m_periodFrom);
        const QSignalBlocker quietTo(m_periodTo);
        m_periodFrom->setValue(usable ? 1.0 / grid.maxFrequency : m_periodFrom->minimum());
        m_periodTo->setValue(usable ? 1.0 / grid.minFrequency : m_periodTo->minimum());
    }
    m_gridEdited = false;
}

void ObservationsPanel::showData()
{
    const Fitting::Result *fit = m_fit ? &*m_fit : nullptr;
    m_velocities->setTitles(tr("Time since first measurement (days)"),
                            fit ? tr("Velocity − offset (m/s)")
                                : tr("Velocity − mean (m/s)"));
    m_velocities->setInstruments(PlotData::alignedPoints(m_data, fit));
    m_velocities->setCurve(fit ? PlotData::modelCurve(*fit, m_data, curveSamples(*fit, m_data)) : QList<QPointF>());
    m_residuals->setInstruments(fit ? PlotData::residualPoints(*fit, m_data) : QList<InstrumentPoints>());
}

void ObservationsPanel::showFit()
{
    const int planets = m_fit ? int(m_fit->planets.size()) : 0;
    QStringList names;
    for (int j = 0; j < planets; ++j) {
        const auto &value = m_fit->planets[std::size_t(j)].value;
        names << tr("Planet %1: P = %2 d, K = %3 m/s")
                     .arg(PlotData::planetLetter(j))
                     .arg(value.periodDays, 0, 'g', 6)
                     .arg(value.semiAmplitude, 0, 'g', 4);
    }
    {
        const QSignalBlocker blocker(m_phasePlanet);
        m_phasePlanet->clear();
        m_phasePlanet->addItems(names);
    }
    m_usePlanet->clear();
    m_usePlanet->addItems(names);
    showPhase();
}

void ObservationsPanel::showPhase()
{
    const int planet = m_phasePlanet->currentIndex();
    if (!m_fit || planet < 0) {
        m_phase->setInstruments({});
        m_phase->setCurve({});
        return;
    }
    m_phase->setInstruments(PlotData::phasePoints(*m_fit, m_data, planet));
    m_phase->setCurve(PlotData::phaseCurve(*m_fit, planet, PhaseCurveSamples));
}

void ObservationsPanel::updateCommands()
{
    const bool haveData = !m_data.measurements.empty();
    const bool haveFit = m_fit.has_value() && !m_fit->planets.empty();
    m_controls->setAvailable(haveData, haveFit);
    m_saveData->setEnabled(haveData);
    m_exportResiduals->setEnabled(m_fit.has_value());
    m_exportFitCsv->setEnabled(m_fit.has_value());
    m_exportFitJson->setEnabled(m_fit.has_value());
    m_usePlanetButton->setEnabled(haveFit);
    const bool canRecompute = haveData && !m_runner->isRunning();
    for (QWidget *control : {static_cast<QWidget *>(m_periodFrom), static_cast<QWidget *>(m_periodTo),
                             static_cast<QWidget *>(m_recompute)})
        control->setEnabled(canRecompute);
}

void ObservationsPanel::makeSyntheticObservations()
{
    m_synthetic->open();
}

void ObservationsPanel::makeFromDialog()
{
    const Observations::SyntheticPlan plan = m_synthetic->plan(Observations::SyntheticPlan{}.startTime);
    const CurrentPlanets current = m_planetSource ? m_planetSource() : CurrentPlanets{};
    if (current.orbits.empty()) {
        Platform::current().messageBox(tr("There is no planet to observe: choose one in the lab first."),
                                       MsgBox::OkOnly | MsgBox::Exclamation,
                                       tr("Make synthetic observations"));
        return;
    }
    for (const Kepler::Orbit &orbit : current.orbits) {
        if (auto refused = Kepler::refusal(orbit)) {
            Platform::current().messageBox(QString::fromStdString(refused->reason),
                                           MsgBox::OkOnly | MsgBox::Exclamation,
                                           tr("Make synthetic observations"));
            return;
        }
    }
    const Observations::DataSet data = Observations::simulate(current.orbits, plan);
    if (data.measurements.empty()) {
        Platform::current().messageBox(tr("No observations could be made of this planet."),
                                       MsgBox::OkOnly | MsgBox::Exclamation,
                                       tr("Make synthetic observations"));
        return;
    }
    setData(data, tr("Synthetic observations (%1)").arg(QString::fromStdString(plan.instrument)),
            current.starMassSolar);
    saveData();
}

void ObservationsPanel::chooseSavedFile(const QString &filter, const QString &caption,
                                        const std::function<QByteArray()> &bytes)
{
    const QString path = Platform::current().saveFileName(this, filter);
    if (path.isEmpty())
        return;
    const QString failure = LabExport::writeFile(path, bytes());
    if (!failure.isEmpty())
        reportWriteFailure(failure);
    else
        m_controls->showStatus(tr("%1 saved as %2.").arg(caption, QFileInfo(path).fileName()));
}

void ObservationsPanel::reportWriteFailure(const QString &failure)
{
    Platform::current().messageBox(failure, MsgBox::OkOnly | MsgBox::Critical, tr("Save"));
}

void ObservationsPanel::saveData()
{
    if (m_data.measurements.empty())
        return;
    chooseSavedFile(TextFilter, tr("Observations"),
                    [this] { return bytesOf(Observations::toText(m_data)); });
}

void ObservationsPanel::exportResiduals()
{
    if (!m_fit)
        return;
    chooseSavedFile(CsvFilter, tr("Data, model and residuals"),
                    [this] { return bytesOf(Fitting::residualsCsv(*m_fit, m_data)); });
}

void ObservationsPanel::exportFitCsv()
{
    if (!m_fit)
        return;
    chooseSavedFile(CsvFilter, tr("Fit results"), [this] { return bytesOf(Fitting::resultCsv(*m_fit)); });
}

void ObservationsPanel::exportFitJson()
{
    if (!m_fit)
        return;
    chooseSavedFile(JsonFilter, tr("Fit results"), [this] { return bytesOf(Fitting::resultJson(*m_fit)); });
}

void ObservationsPanel::exportPlot()
{
    QWidget *page = m_plots;
    const QString path = Platform::current().saveFileName(this, PictureFilter);
    if (path.isEmpty())
        return;
    const QString failure = LabExport::writePicture(path, page->size(), m_title,
                                                    [page](QPainter &painter) { page->render(&painter); });
    if (!failure.isEmpty())
        reportWriteFailure(failure);
    else
        m_controls->showStatus(tr("Plot saved as %1.").arg(QFileInfo(path).fileName()));
}
