#include "lab/keplerlab.h"

#include "catalog/catalog.h"
#include "ground/controls.h"
#include "ground/exportflow.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "ground/pictures.h"
#include "lab/catalogpanel.h"
#include "lab/derivedpanel.h"
#include "lab/derivedvalues.h"
#include "lab/elementpanel.h"
#include "lab/labcurve.h"
#include "lab/labplots.h"
#include "lab/presentation.h"
#include "lab/rvplot.h"
#include "lab/simulatorplanet.h"
#include "simulator/simulatorwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

/// Room the lab needs to show its plot and views side by side.
constexpr QSize LabSize(1200, 860);
/// The controls' column: the element panel's grid and its scroll bar.
constexpr int ControlsWidth = 370;

QScrollArea *scrolling(QWidget *content, const char *name)
{
    auto *area = new QScrollArea;
    area->setObjectName(QString::fromLatin1(name));
    area->setWidget(content);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return area;
}

QString firstLocalFile(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

KeplerLab::KeplerLab()
{
    setObjectName(QStringLiteral("KeplerLab"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Kepler Lab"));
    setWindowIcon(Pictures::programIcon());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("labTabs"));
    m_tabs->setDocumentMode(true);
    m_tabs->setTabBarAutoHide(true);
    m_orbitPage = createOrbitPage();
    m_tabs->addTab(m_orbitPage, QString());
    setCentralWidget(m_tabs);
    createMenus();
    retranslate();

    m_frameTimer = new QTimer(this);
    m_frameTimer->setObjectName(QStringLiteral("frameTimer"));
    m_frameTimer->setInterval(FrameInterval);
    connect(m_frameTimer, &QTimer::timeout, this, &KeplerLab::nextFrame);

    // The lab is a child of the frame's work area, which the frame lends
    // through FrameHost; it is loaded first.
    m_subWindow =
        FrameHost::current().workArea()->addSubWindow(this,
                                                      Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                          | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_subWindow->setWindowIcon(windowIcon());
    m_subWindow->resize(LabSize);
    // Unloading the lab takes its sub-window with it.
    QMdiSubWindow *subWindow = m_subWindow;
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, subWindow, [this, subWindow](QWidget *window) {
        if (window == this)
            subWindow->deleteLater();
    });
}

QWidget *KeplerLab::createOrbitPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("labArea"));

    auto *controls = new QWidget;
    auto *left = new QVBoxLayout(controls);
    left->setContentsMargins(0, 0, 0, 0);
    m_catalog = new CatalogPanel(controls);
    m_catalog->setFixedHeight(150);
    m_elements = new ElementPanel(controls);
    left->addWidget(m_catalog);
    left->addWidget(m_elements, 1);
    QScrollArea *controlsArea = scrolling(controls, "controlsArea");
    controlsArea->setFixedWidth(ControlsWidth);

    m_plots = new LabPlots;
    m_derived = new DerivedPanel;
    m_plotsAndValues = new QSplitter(Qt::Vertical);
    m_plotsAndValues->setObjectName(QStringLiteral("plotsAndValues"));
    m_plotsAndValues->addWidget(m_plots);
    m_plotsAndValues->addWidget(scrolling(m_derived, "derivedArea"));
    m_plotsAndValues->setStretchFactor(0, 1);
    m_plotsAndValues->setChildrenCollapsible(false);

    auto *columns = new QHBoxLayout(page);
    columns->addWidget(controlsArea);
    columns->addWidget(m_plotsAndValues, 1);

    connect(m_catalog, &CatalogPanel::planetPicked, this, [this](int index) { showPlanet(catalogLabPlanet(index)); });
    connect(m_elements, &ElementPanel::elementsEdited, this, &KeplerLab::applyElements);
    connect(m_elements, &ElementPanel::playClicked, this, &KeplerLab::play);
    connect(m_elements, &ElementPanel::pauseClicked, this, &KeplerLab::pause);
    connect(m_elements, &ElementPanel::phaseAxisToggled, m_plots->plot(), &RvPlot::setPhaseAxis);
    connect(m_elements, &ElementPanel::schematicToggled, m_plots->plot(), &RvPlot::setSchematicShown);
    return page;
}

void KeplerLab::createMenus()
{
    using Controls::menuItem;
    auto ctrlShift = [](Qt::Key key) { return QKeySequence(Qt::CTRL | Qt::SHIFT | key); };
    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("labFileMenu"));
    // Screen1's menus keep Ctrl+S and Ctrl+E in the same frame, so the lab
    // takes the shifted forms.
    QAction *exportCurve = m_exportCurveItem = menuItem(m_fileMenu, "exportCurveItem", {}, ctrlShift(Qt::Key_E));
    QAction *savePlot = m_savePlotItem = menuItem(m_fileMenu, "savePlotItem", {}, ctrlShift(Qt::Key_S));
    QAction *saveOrbit = m_saveOrbitItem = menuItem(m_fileMenu, "saveOrbitItem", {}, ctrlShift(Qt::Key_O));
    m_fileMenu->addSeparator();
    QAction *close = m_closeItem = menuItem(m_fileMenu, "closeLabItem", {}, QKeySequence(Qt::CTRL | Qt::Key_W));
    m_firstOwnCommand = exportCurve;
    // Active while the focus is in the lab, so the keys never reach
    // another child of the frame.
    for (QAction *item : {exportCurve, savePlot, saveOrbit, close}) {
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(item);
    }

    connect(exportCurve, &QAction::triggered, this, [this] {
        ExportFlow::saveBytes(this, tr("CSV text (*.csv)"),
                              [this] { return LabCurve::csv(m_plots->plot()->points()); });
    });
    connect(savePlot, &QAction::triggered, this, [this] {
        ExportFlow::savePicture(this, picturesFilter(), m_plots->plotPictureSize(), windowTitle(),
                                [this](QPainter &painter) { m_plots->drawPlotPicture(painter); });
    });
    connect(saveOrbit, &QAction::triggered, this, [this] {
        ExportFlow::savePicture(this, picturesFilter(), m_plots->orbitPictureSize(), windowTitle(),
                                [this](QPainter &painter) { m_plots->drawOrbitPicture(painter); });
    });
    connect(close, &QAction::triggered, this, [this] { FormRegistry::instance().unload(this); });

    m_viewMenu = menuBar()->addMenu(QString());
    m_viewMenu->setObjectName(QStringLiteral("labViewMenu"));
    m_presentation = m_viewMenu->addAction(QString());
    m_presentation->setObjectName(QStringLiteral("presentationItem"));
    m_presentation->setCheckable(true);
    connect(m_presentation, &QAction::toggled, this, [this](bool on) { Presentation::apply(this, on); });
}

QString KeplerLab::picturesFilter()
{
    return tr("PNG picture (*.png);;SVG drawing (*.svg)");
}

void KeplerLab::retranslate()
{
    m_tabs->setTabText(m_tabs->indexOf(m_orbitPage), tr("True orbit"));
    m_fileMenu->setTitle(tr("File(&F)"));
    m_exportCurveItem->setText(tr("Export Curve as CSV…(&C)"));
    m_savePlotItem->setText(tr("Save Plot as PNG or SVG…(&P)"));
    m_saveOrbitItem->setText(tr("Save Orbit as PNG or SVG…(&O)"));
    m_closeItem->setText(tr("Close(&W)"));
    m_viewMenu->setTitle(tr("View(&V)"));
    m_presentation->setText(tr("Presentation(&P)"));
}

void KeplerLab::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void KeplerLab::addPage(QWidget *page, const QString &title)
{
    m_tabs->addTab(page, title);
    // A page retitles itself when the language changes; its tab follows.
    connect(page, &QWidget::windowTitleChanged, this,
            [this, page](const QString &title) { m_tabs->setTabText(m_tabs->indexOf(page), title); });
}

void KeplerLab::showPage(QWidget *page)
{
    m_tabs->setCurrentWidget(page);
}

void KeplerLab::addFileActions(const QList<QAction *> &actions)
{
    m_fileMenu->insertActions(m_firstOwnCommand, actions);
    m_fileMenu->insertSeparator(m_firstOwnCommand);
}

void KeplerLab::acceptFileDrops(std::function<void(const QString &)> open)
{
    m_openDropped = std::move(open);
    setAcceptDrops(true);
}

void KeplerLab::addPlotsPane(QWidget *pane)
{
    m_plotsAndValues->insertWidget(0, pane);
    // The pane above shares the column's height: on a 1024 × 768 screen the
    // plots of one orbit must make do with less.
    m_plots->allowCompact();
    m_plotsAndValues->setStretchFactor(0, 2);
    m_plotsAndValues->setStretchFactor(1, 1);
}

void KeplerLab::setHintsAllowed(bool allowed)
{
    if (allowed == m_hintsAllowed)
        return;
    m_hintsAllowed = allowed;
    emit hintsAllowedChanged(allowed);
}

void KeplerLab::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_openDropped && !firstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void KeplerLab::dropEvent(QDropEvent *event)
{
    const QString path = firstLocalFile(event->mimeData());
    if (!m_openDropped || path.isEmpty())
        return;
    event->acceptProposedAction();
    m_openDropped(path);
}

QAction *KeplerLab::fileCommandFor(const QKeyEvent *event) const
{
    const QKeySequence pressed(event->keyCombination());
    for (QAction *action : m_fileMenu->actions()) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}

bool KeplerLab::event(QEvent *event)
{
    // Keys the focus widget left unclaimed rise here. Claiming the override
    // keeps Qt's shortcut map out of it, which would otherwise find the
    // frame's command with the same key as well and fire neither; the key
    // press that follows then rises here too and runs the lab's command.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        if (QAction *command = fileCommandFor(static_cast<QKeyEvent *>(event))) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                command->trigger();
            return true;
        }
    }
    return QMainWindow::event(event);
}

void KeplerLab::formLoad()
{
    const SimulatorWindow *simulator = FormRegistry::instance().find<SimulatorWindow>();
    const std::optional<LabPlanet> current =
        simulator && simulator->isAnimating() ? simulatorPlanet(simulator->simulation()) : std::nullopt;
    showPlanet(current.value_or(catalogLabPlanet(PlanetCatalog::FirstPlanet)));
}

void KeplerLab::open()
{
    form<KeplerLab>()->showInFrame();
}

void KeplerLab::handOver(const std::optional<LabPlanet> &planet)
{
    if (KeplerLab *lab = FormRegistry::instance().find<KeplerLab>(); lab && planet)
        lab->showPlanet(*planet);
}

void KeplerLab::showInFrame()
{
    FrameHost &host = FrameHost::current();
    QWidget *frame = host.frameWindow();
    frame->show();
    if (!frame->isMaximized() && !frame->isFullScreen()) {
        // The frame was designed around Screen1; give the lab room if the screen has it.
        QSize wanted = frame->size().expandedTo(LabSize + QSize(60, 120));
        if (const QScreen *screen = frame->screen())
            wanted = wanted.boundedTo(screen->availableSize());
        frame->resize(wanted);
    }
    // Top left, as large as the frame allows, so that nothing of the lab
    // hangs outside the work area.
    const QSize area = host.workArea()->viewport()->size();
    m_subWindow->setGeometry(QRect(QPoint(0, 0), LabSize.boundedTo(area).expandedTo(QSize(600, 480))));
    m_subWindow->show();
    show();
    host.workArea()->setActiveSubWindow(m_subWindow);
}

void KeplerLab::showPlanet(const LabPlanet &planet)
{
    m_planet = planet;
    m_shownPlanet = planet;
    m_elements->showElements(planet);
    m_catalog->markShown(planet.name);
    applyElements();
}

void KeplerLab::applyElements()
{
    const LabPlanet planet = m_elements->editedFrom(m_planet);
    if (const auto refusal = Kepler::refusal(planet.orbit)) {
        m_elements->showRefusal(QString::fromStdString(refusal->reason));
        return;
    }
    m_elements->showRefusal({});
    m_planet = planet;
    m_elements->setPlanetName(m_elements->showsGivenElements() ? m_planet.name
                                                               : m_planet.name + tr(" (elements changed)"));
    m_elements->setPeriod(m_planet.orbit.periodDays);
    m_derived->showValuesOf(m_planet);
    m_plots->showOrbit(m_planet.orbit, DerivedValues::of(m_planet).reflexShare, m_planet.inclinationDegrees);
    setAnimationTime(m_time);
    emit planetChanged(m_planet);
}

void KeplerLab::setAnimationTime(double timeDays)
{
    const double period = m_planet.orbit.periodDays;
    if (!(period > 0) || !std::isfinite(timeDays))
        return;
    m_time = LabCurve::firstOrbitTime(m_planet.orbit, timeDays);
    m_plots->setTime(m_time);
}

void KeplerLab::nextFrame()
{
    // Wall time, not frame count: a late frame moves the planet further,
    // so the pace holds whatever the display's rate.
    const double seconds = std::min(double(m_clock.restart()) / 1000.0, 0.25);
    setAnimationTime(m_time + seconds * m_elements->speed() * m_planet.orbit.periodDays / SecondsPerOrbit);
}

void KeplerLab::play()
{
    m_playing = true;
    runTimerIfWanted();
}

void KeplerLab::pause()
{
    m_playing = false;
    runTimerIfWanted();
}

void KeplerLab::runTimerIfWanted()
{
    m_elements->setPlaying(m_playing);
    if (m_playing && isVisible()) {
        m_clock.restart();
        if (!m_frameTimer->isActive())
            m_frameTimer->start();
    } else {
        m_frameTimer->stop();
    }
}

void KeplerLab::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    runTimerIfWanted();
}

void KeplerLab::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // Nothing to see, nothing to compute: a hidden or minimised lab costs no CPU.
    m_frameTimer->stop();
}

void KeplerLab::closeEvent(QCloseEvent *event)
{
    // The close box unloads the lab; the next opening builds a fresh one.
    event->ignore();
    FormRegistry::instance().unload(this);
}
