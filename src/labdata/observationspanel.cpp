#include "labdata/observationspanel.h"

#include "labdata/activitypane.h"
#include "labdata/detectabilitypane.h"
#include "labdata/filecommands.h"
#include "labdata/fitcontrols.h"
#include "labdata/periodogrampane.h"
#include "labdata/plotdata.h"
#include "labdata/plotspane.h"
#include "labdata/posteriorwindow.h"
#include "labdata/resulttable.h"
#include "labdata/syntheticdialog.h"
#include "labdata/windowpane.h"

#include "ground/platform.h"
#include "observations/datafolder.h"
#include "observations/synthetic.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

/// The narrowest the settings and results may be: the results table's
/// columns with their units in full.
constexpr int SideColumnWidth = 330;

void warn(const QString &text, const QString &title)
{
    Platform::current().messageBox(text, MsgBox::OkOnly | MsgBox::Exclamation, title);
}

} // namespace

ObservationsPanel::ObservationsPanel(QWidget *parent)
    : QWidget(parent)
    , m_runner(new AnalysisRunner(this))
    , m_files(new FileCommands(this))
    , m_controls(new FitControls)
    , m_results(new ResultTable)
    , m_dataTitle(new QLabel)
    , m_usePlanet(new QComboBox)
    , m_usePlanetButton(new QPushButton)
    , m_plots(new PlotsPane)
    , m_activity(new ActivityPane)
    , m_window(new WindowPane)
    , m_detectability(new DetectabilityPane)
    , m_synthetic(new SyntheticDialog(this))
{
    setObjectName(QStringLiteral("ObservationsPanel"));
    acceptDropsOn(this);

    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(createSideColumn());
    split->addWidget(m_plots);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    split->setSizes({SideColumnWidth + 40, 1000});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    addAnalysisPages();
    connectFileCommands();
    connectPlots();
    connect(m_controls, &FitControls::fitRequested, this, &ObservationsPanel::fit);
    connect(m_controls, &FitControls::findPlanetsRequested, this, &ObservationsPanel::findPlanets);
    connect(m_controls, &FitControls::bootstrapRequested, this, &ObservationsPanel::bootstrap);
    connect(m_controls, &FitControls::posteriorRequested, this, &ObservationsPanel::samplePosterior);
    connect(m_controls, &FitControls::cancelRequested, m_runner, &AnalysisRunner::cancel);
    connect(m_runner, &AnalysisRunner::progressed, m_controls, &FitControls::showProgress);
    connect(m_runner, &AnalysisRunner::runningChanged, m_controls, &FitControls::setRunning);
    connect(m_runner, &AnalysisRunner::runningChanged, this, &ObservationsPanel::updateCommands);
    connect(m_runner, &AnalysisRunner::finished, this, &ObservationsPanel::showOutcome);
    connect(m_synthetic, &SyntheticDialog::made, this,
            [this](const Observations::DataSet &data, const QString &title, double starMassSolar) {
                setData(data, title, starMassSolar);
            });
    connect(m_usePlanetButton, &QPushButton::clicked, this, [this] {
        const int planet = m_usePlanet->currentIndex();
        if (m_fit && planet >= 0 && std::size_t(planet) < m_fit->planets.size())
            emit planetChosen(m_fit->planets[std::size_t(planet)].orbit(), m_fit->starMassSolar,
                              tr("%1 %2 (fit)").arg(m_title, PlotData::planetLetter(planet)));
    });
    updateCommands();
    retranslate();
}

void ObservationsPanel::retranslate()
{
    setWindowTitle(tr("Observations"));
    m_usePlanetButton->setText(tr("Use as current planet"));
    if (m_data.measurements.empty())
        m_dataTitle->setText(tr("No data: open a file, drop one here, or choose a set from the File menu."));
    else
        showDataTitle();
}

void ObservationsPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

ObservationsPanel::~ObservationsPanel()
{
    // The runner is a child; cancelling first makes its destructor's wait short.
    m_runner->cancel();
}

QWidget *ObservationsPanel::createSideColumn()
{
    m_dataTitle->setObjectName(QStringLiteral("dataTitle"));
    m_dataTitle->setWordWrap(true);
    m_usePlanet->setObjectName(QStringLiteral("usePlanetChoice"));
    m_usePlanetButton->setObjectName(QStringLiteral("usePlanetButton"));
    m_results->setMinimumHeight(220);

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
    side->setMinimumWidth(SideColumnWidth);

    // On a small screen the column scrolls rather than squeezing the results away.
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sideColumn"));
    scroll->setWidget(side);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(SideColumnWidth + scroll->verticalScrollBar()->sizeHint().width());
    return scroll;
}

void ObservationsPanel::connectFileCommands()
{
    connect(m_files, &FileCommands::openRequested, this, &ObservationsPanel::openDataDialog);
    connect(m_files, &FileCommands::shippedSetChosen, this, &ObservationsPanel::openShippedSet);
    connect(m_files, &FileCommands::exampleChosen, this, [this](std::size_t n) {
        const Observations::ExampleSet &example = Observations::exampleSets()[n];
        setData(Observations::simulate(example.planets, example.plans),
                tr("Synthetic example: %1").arg(QString::fromStdString(example.name)));
    });
    connect(m_files, &FileCommands::makeSyntheticRequested, this, &ObservationsPanel::makeSyntheticObservations);
    connect(m_files, &FileCommands::saveDataRequested, this, &ObservationsPanel::saveData);
    connect(m_files, &FileCommands::exportResidualsRequested, this, &ObservationsPanel::exportResiduals);
    connect(m_files, &FileCommands::exportFitCsvRequested, this, &ObservationsPanel::exportFitCsv);
    connect(m_files, &FileCommands::exportFitJsonRequested, this, &ObservationsPanel::exportFitJson);
    connect(m_files, &FileCommands::exportPlotRequested, this, &ObservationsPanel::exportPlot);
    connect(m_files, &FileCommands::velocityUnitChanged, this, [this] {
        const QString path = m_openedPath; // a copy: reading clears the member
        if (!path.isEmpty())
            openFile(path);
    });
}

void ObservationsPanel::connectPlots()
{
    connect(m_plots->periodogram(), &PeriodogramPane::recomputeRequested, this,
            [this] { startRun(AnalysisRequest::Kind::Periodogram, {}); });
    connect(m_plots, &PlotsPane::instrumentShown, this, [this](int instrument, bool shown) {
        m_exclusion.setInstrumentHidden(instrument, !shown);
        exclusionChanged();
    });
    connect(m_plots, &PlotsPane::pointClicked, this, [this](qsizetype measurement) {
        m_exclusion.togglePoint(std::size_t(measurement));
        exclusionChanged();
    });
    connect(m_plots, &PlotsPane::areaChosen, this, [this](const QList<qsizetype> &measurements) {
        if (measurements.isEmpty())
            return;
        m_exclusion.excludePoints(std::vector<std::size_t>(measurements.begin(), measurements.end()));
        exclusionChanged();
    });
}

QList<QAction *> ObservationsPanel::fileMenuActions() const
{
    return m_files->actions();
}

void ObservationsPanel::openDataDialog()
{
    const QString path = Platform::current().openFileName(this, tr("Open RV data"));
    if (!path.isEmpty())
        openFile(path);
}

bool ObservationsPanel::openFile(const QString &path)
{
    const LoadedData loaded = loadData(path, m_files->readOptions());
    if (!loaded.ok()) {
        warn(tr("%1 cannot be read:\n%2").arg(QFileInfo(path).fileName(), loaded.error), tr("Open RV data"));
        return false;
    }
    setData(loaded.data, loaded.title, loaded.starMassSolar);
    m_openedPath = path;
    // Said where the student looks next: a unit converted, uncertainties assumed.
    if (!loaded.notes.isEmpty())
        m_controls->showStatus(loaded.notes.join(QLatin1Char(' ')));
    return true;
}

bool ObservationsPanel::openShippedSet(const QString &fileName)
{
    const std::filesystem::path folder =
        Observations::rvDataFolder(QCoreApplication::applicationDirPath().toStdString());
    return openFile(QString::fromStdString((folder / fileName.toStdString()).string()));
}

void ObservationsPanel::setData(const Observations::DataSet &data, const QString &title,
                                std::optional<double> starMassSolar)
{
    m_openedPath.clear();
    m_data = data;
    m_exclusion.reset(m_data.measurements.size());
    m_title = title;
    m_fit.reset();
    ++m_dataGeneration;
    if (starMassSolar)
        m_controls->setStarMass(*starMassSolar);
    showDataTitle();
    m_results->clearResult();
    m_plots->periodogram()->clear();
    m_window->clear();
    m_plots->periodogram()->showAutomaticRange(m_data);
    m_plots->setInstruments(m_data.instruments, {});
    QStringList indices;
    for (const auto &index : m_data.activity)
        indices << QString::fromStdString(index.name);
    m_controls->setActivityIndices(indices);
    m_controls->showStatus(QString());
    showPlots();
    updateCommands();
    emit dataShown(title);

    if (m_runner->isRunning()) {
        m_periodogramPending = true;
        m_runner->cancel();
    } else {
        startRun(AnalysisRequest::Kind::Periodogram, {});
    }
}

void ObservationsPanel::showDataTitle()
{
    const QList<int> counts = PlotData::pointsPerInstrument(m_data);
    const std::vector<bool> excluded = m_exclusion.mask(m_data);
    const auto left = std::ranges::count(excluded, true);
    QStringList parts;
    for (qsizetype k = 0; k < counts.size(); ++k)
        parts
            << QStringLiteral("%1 (%2)").arg(QString::fromStdString(m_data.instruments[std::size_t(k)])).arg(counts[k]);
    QString text = tr("<b>%1</b>: %2 measurements — %3")
                       .arg(m_title.toHtmlEscaped())
                       .arg(m_data.measurements.size())
                       .arg(parts.join(QStringLiteral(", ")).toHtmlEscaped());
    if (left > 0)
        text += tr("; %1 left out of the analysis").arg(left);
    m_dataTitle->setText(text);
}

void ObservationsPanel::exclusionChanged()
{
    // Whatever was computed describes other data now: start again from the periodogram.
    if (m_fit)
        m_controls->showStatus(tr("Other points are analysed now: fit again."));
    m_fit.reset();
    ++m_dataGeneration;
    m_results->clearResult();
    m_plots->periodogram()->clear();
    m_window->clear();
    showDataTitle();
    showPlots();
    updateCommands();
    if (m_runner->isRunning()) {
        m_periodogramPending = true;
        m_runner->cancel();
    } else {
        startRun(AnalysisRequest::Kind::Periodogram, {});
    }
}

void ObservationsPanel::setPlanetSource(std::function<CurrentPlanets()> source)
{
    m_synthetic->setPlanetSource(std::move(source));
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
        for (QAction *action : m_files->actions()) {
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
    const Observations::DataSet kept = m_exclusion.kept(m_data);
    QString refused;
    const auto grid = m_plots->periodogram()->chosenGrid(PlotData::timeSpan(kept), &refused);
    if (kind == AnalysisRequest::Kind::Periodogram && refused.isEmpty())
        m_activity->analyse(kept, grid);
    if (kept.measurements.empty())
        return;
    if (!refused.isEmpty()) {
        m_controls->showStatus(refused);
        return;
    }
    if (grid)
        options.grid = *grid;
    m_runGeneration = m_dataGeneration;
    m_runner->start({kind, kept, std::move(options)});
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
    const QString answer =
        Platform::current().inputBox(tr("Number of bootstrap refits (10 to 2000). Each refits the data with "
                                        "resampled residuals; the spread of the results is the uncertainty."),
                                     tr("Bootstrap"), QStringLiteral("100"));
    if (answer.isEmpty())
        return;
    bool isNumber = false;
    const int runs = answer.trimmed().toInt(&isNumber);
    if (!isNumber || runs < 10 || runs > 2000) {
        warn(tr("Please type a whole number from 10 to 2000."), tr("Bootstrap"));
        return;
    }
    Fitting::Options options = m_controls->options();
    options.planets = int(m_fit->planets.size());
    options.bootstrapRuns = runs;
    for (const Fitting::PlanetResult &planet : m_fit->planets)
        options.startingOrbits.push_back(planet.orbit());
    startRun(AnalysisRequest::Kind::Fit, std::move(options));
}

void ObservationsPanel::samplePosterior()
{
    if (!m_fit || m_fit->planets.empty())
        return;
    Fitting::Options options = m_controls->options();
    options.planets = int(m_fit->planets.size());
    auto *window = new PosteriorWindow(m_exclusion.kept(m_data), *m_fit, options, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
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
    if (outcome.kind != AnalysisRequest::Kind::Periodogram)
        return showFitOutcome(outcome);
    m_plots->periodogram()->showDataSpectrum(outcome.spectrum, outcome.peaks);
    m_plots->periodogram()->setWindowPeaks(outcome.windowPeaks, PlotData::timeSpan(m_exclusion.kept(m_data)));
    m_window->show(outcome.window, outcome.windowPeaks);
}

void ObservationsPanel::showFitOutcome(const AnalysisOutcome &outcome)
{
    m_fit = outcome.fit;
    m_plots->periodogram()->showResidualSpectrum(outcome.spectrum, outcome.peaks);
    const Fitting::Result &result = *m_fit;
    std::vector<double> planetFrequencies;
    for (const Fitting::PlanetResult &planet : result.planets)
        planetFrequencies.push_back(1 / planet.value.periodDays);
    m_plots->periodogram()->setPlanetFrequencies(std::move(planetFrequencies));
    QString status = result.status == Fitting::Status::Stalled
        ? tr("The fit stopped at its iteration limit; the best point found is shown.")
        : tr("Fit converged.");
    if (result.planets.empty())
        status = tr("No peak is significant below the false-alarm threshold: no planet found.");
    else if (outcome.kind == AnalysisRequest::Kind::FindPlanets)
        status += QLatin1Char(' ')
            + (result.planets.size() == 1 ? tr("1 planet found.") : tr("%1 planets found.").arg(result.planets.size()));
    // Why the search ended: the planet cap, the false-alarm threshold or no gain in BIC.
    if (outcome.kind == AnalysisRequest::Kind::FindPlanets && !result.searchStopSentence.empty())
        status += QLatin1Char(' ') + QString::fromStdString(result.searchStopSentence);
    // What the fit noticed: a jitter the data asked for, how two aliases were settled, planets too close to tell apart.
    for (const std::string &note : result.notes)
        status += QLatin1Char(' ') + QString::fromStdString(note);
    if (result.bootstrapRuns > 0)
        status += QLatin1Char(' ') + tr("Bootstrap of %1 refits.").arg(result.bootstrapRuns);
    m_controls->showStatus(status);
    m_results->showResult(result);
    showPlots();
    updateCommands();
    emit dataShown(m_title);
}

std::optional<Fitting::Result> ObservationsPanel::shownFit() const
{
    if (!m_fit)
        return std::nullopt;
    return PlotData::onInstrumentsOf(*m_fit, m_data);
}

void ObservationsPanel::showPlots()
{
    const std::optional<Fitting::Result> fit = shownFit();
    m_plots->show(m_data, fit ? &*fit : nullptr, m_exclusion.mask(m_data));
    m_detectability->setData(m_exclusion.kept(m_data), m_fit);
    m_usePlanet->clear();
    if (m_fit)
        m_usePlanet->addItems(PlotData::planetSummaries(*m_fit));
}

void ObservationsPanel::updateCommands()
{
    const bool haveData = !m_data.measurements.empty();
    const bool haveFit = m_fit.has_value() && !m_fit->planets.empty();
    m_controls->setAvailable(haveData, haveFit);
    m_files->setAvailable(haveData, m_fit.has_value());
    m_usePlanetButton->setEnabled(haveFit);
    m_plots->periodogram()->setAvailable(haveData && !m_runner->isRunning());
}

void ObservationsPanel::makeSyntheticObservations()
{
    m_synthetic->offer();
}
