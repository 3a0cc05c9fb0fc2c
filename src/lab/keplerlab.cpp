#include "lab/keplerlab.h"

#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "catalog/catalog.h"
#include "lab/derivedvalues.h"
#include "lab/elementcontrol.h"
#include "lab/labcurve.h"
#include "lab/labexport.h"
#include "lab/orbitview.h"
#include "lab/rvplot.h"
#include "lab/sideview.h"
#include "lab/simulatorplanet.h"
#include "simulator/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

/// Room the lab needs to show its plot and views side by side.
constexpr QSize LabSize(1200, 860);

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

KeplerLab::KeplerLab()
{
    setObjectName(QStringLiteral("KeplerLab"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Kepler Lab"));
    setWindowIcon(Pictures::programIcon());
    createControls();
    createMenus();

    m_frameTimer = new QTimer(this);
    m_frameTimer->setObjectName(QStringLiteral("frameTimer"));
    m_frameTimer->setInterval(FrameInterval);
    connect(m_frameTimer, &QTimer::timeout, this, &KeplerLab::nextFrame);

    // The lab is a child of the frame's work area, which the frame lends
    // through FrameHost; it is loaded first.
    m_subWindow = FrameHost::current().workArea()->addSubWindow(this, Qt::Window | Qt::WindowTitleHint
                                                           | Qt::WindowSystemMenuHint
                                                           | Qt::WindowMinMaxButtonsHint
                                                           | Qt::WindowCloseButtonHint);
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_subWindow->setWindowIcon(windowIcon());
    m_subWindow->resize(LabSize);
    // Unloading the lab takes its sub-window with it.
    QMdiSubWindow *subWindow = m_subWindow;
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, subWindow,
            [this, subWindow](QWidget *window) {
                if (window == this)
                    subWindow->deleteLater();
            });
}

void KeplerLab::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("labArea"));
    setCentralWidget(central);

    auto *controls = new QWidget(central);
    controls->setFixedWidth(350);
    auto *left = new QVBoxLayout(controls);
    left->setContentsMargins(0, 0, 0, 0);

    m_planetList = new QListWidget(controls);
    m_planetList->setObjectName(QStringLiteral("planetList"));
    for (int i = PlanetCatalog::FirstPlanet; i <= PlanetCatalog::LastPlanet; ++i)
        m_planetList->addItem(PlanetCatalog::planetName(i));
    m_planetList->setFixedHeight(150);
    connect(m_planetList, &QListWidget::currentRowChanged, this, &KeplerLab::pickCatalogPlanet);
    left->addWidget(m_planetList);

    m_planetName = new QLabel(controls);
    m_planetName->setObjectName(QStringLiteral("planetNameLabel"));
    QFont bold = m_planetName->font();
    bold.setBold(true);
    m_planetName->setFont(bold);
    left->addWidget(m_planetName);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    int row = 0;
    auto addElement = [&](const QString &caption, const QString &name,
                          const ElementControl::Range &range, double low, double high,
                          int decimals, const QString &unit) {
        auto *element = new ElementControl(controls, name, range, low, high, decimals, unit);
        auto *label = new QLabel(caption, controls);
        label->setBuddy(element->spinBox());
        element->spinBox()->setMinimumWidth(110);
        grid->addWidget(label, row, 0);
        grid->addWidget(element->spinBox(), row, 1);
        grid->addWidget(element->slider(), row, 2);
        ++row;
        return element;
    };
    using Scale = ElementControl::Scale;
    m_period = addElement(QStringLiteral("Period P"), QStringLiteral("period"),
                          {0.1, 1e5, Scale::Logarithmic}, 0.01, 1e6, 4, QStringLiteral(" d"));
    m_amplitude = addElement(QStringLiteral("Semi-amplitude K"), QStringLiteral("semiAmplitude"),
                             {0.1, 5000, Scale::Logarithmic}, 0.001, 1e5, 3, QStringLiteral(" m/s"));
    m_eccentricity = addElement(QStringLiteral("Eccentricity e"), QStringLiteral("eccentricity"),
                                {0, 0.99, Scale::Linear}, 0, 0.999, 3, QString());
    m_omega = addElement(QStringLiteral("Periastron ω"), QStringLiteral("omega"),
                         {0, 360, Scale::Linear}, 0, 360, 1, QStringLiteral("°"));
    m_periastron = addElement(QStringLiteral("Periastron time"), QStringLiteral("periastronTime"),
                              {0, 1, Scale::Linear}, -1e6, 1e6, 3, QStringLiteral(" d"));
    m_starMass = addElement(QStringLiteral("Star mass M★"), QStringLiteral("starMass"),
                            {0.08, 50, Scale::Logarithmic}, 0.01, 200, 3, QStringLiteral(" M☉"));
    m_inclination = addElement(QStringLiteral("Inclination i"), QStringLiteral("inclination"),
                               {0, 90, Scale::Linear}, 0, 90, 1, QStringLiteral("°"));
    m_speed = addElement(QStringLiteral("Speed"), QStringLiteral("speed"),
                         {0.1, 20, Scale::Logarithmic}, 0.05, 50, 2, QStringLiteral(" ×"));
    m_speed->setValueQuietly(1);
    left->addLayout(grid);
    for (ElementControl *element : {m_period, m_amplitude, m_eccentricity, m_omega, m_periastron,
                                    m_starMass, m_inclination}) {
        connect(element, &ElementControl::valueChanged, this, [this] {
            if (!m_applying)
                applyElements();
        });
    }

    m_phaseCheck = new QCheckBox(QStringLiteral("Orbital phase on the horizontal axis"), controls);
    m_phaseCheck->setObjectName(QStringLiteral("phaseCheck"));
    m_schematicCheck = new QCheckBox(QStringLiteral("Show Screen3's schematic curve"), controls);
    m_schematicCheck->setObjectName(QStringLiteral("schematicCheck"));
    left->addWidget(m_phaseCheck);
    left->addWidget(m_schematicCheck);

    auto *buttons = new QHBoxLayout;
    m_playButton = new QPushButton(QStringLiteral("Play"), controls);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    m_pauseButton = new QPushButton(QStringLiteral("Pause"), controls);
    m_pauseButton->setObjectName(QStringLiteral("pauseButton"));
    buttons->addWidget(m_playButton);
    buttons->addWidget(m_pauseButton);
    left->addLayout(buttons);
    connect(m_playButton, &QPushButton::clicked, this, &KeplerLab::play);
    connect(m_pauseButton, &QPushButton::clicked, this, &KeplerLab::pause);

    m_refusal = new QLabel(controls);
    m_refusal->setObjectName(QStringLiteral("refusalLabel"));
    m_refusal->setWordWrap(true);
    Controls::setForeColor(m_refusal, QColor(190, 0, 0));
    m_refusal->hide();
    left->addWidget(m_refusal);
    left->addStretch(1);

    m_plot = new RvPlot(central);
    m_orbitView = new OrbitView(central);
    m_sideView = new SideView(central);
    connect(m_phaseCheck, &QCheckBox::toggled, m_plot, &RvPlot::setPhaseAxis);
    connect(m_schematicCheck, &QCheckBox::toggled, m_plot, &RvPlot::setSchematicShown);

    auto *derived = new QGroupBox(QStringLiteral("Derived values"), central);
    derived->setObjectName(QStringLiteral("derivedBox"));
    auto *form = new QFormLayout(derived);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_massFunction = valueLabel(derived, "massFunctionLabel");
    m_minimumMass = valueLabel(derived, "minimumMassLabel");
    m_trueMass = valueLabel(derived, "trueMassLabel");
    m_semiMajorAxis = valueLabel(derived, "semiMajorAxisLabel");
    m_starSpeed = valueLabel(derived, "starSpeedLabel");
    m_seedMass = valueLabel(derived, "seedMassLabel");
    form->addRow(QStringLiteral("Mass function f:"), m_massFunction);
    form->addRow(QStringLiteral("m sin i (exact):"), m_minimumMass);
    form->addRow(QStringLiteral("True mass m:"), m_trueMass);
    form->addRow(QStringLiteral("Semi-major axis a:"), m_semiMajorAxis);
    form->addRow(QStringLiteral("Star's orbital speed:"), m_starSpeed);
    form->addRow(QStringLiteral("Screen2's MassFunction:"), m_seedMass);

    auto *views = new QSplitter(Qt::Horizontal, central);
    views->addWidget(m_orbitView);
    views->addWidget(m_sideView);
    views->setStretchFactor(0, 3);
    views->setStretchFactor(1, 2);
    auto *right = new QSplitter(Qt::Vertical, central);
    right->addWidget(m_plot);
    right->addWidget(views);
    right->setStretchFactor(0, 1);
    right->setStretchFactor(1, 1);
    auto *rightColumn = new QVBoxLayout;
    rightColumn->addWidget(right, 1);
    rightColumn->addWidget(derived);

    auto *columns = new QHBoxLayout(central);
    columns->addWidget(controls);
    columns->addLayout(rightColumn, 1);
}

void KeplerLab::createMenus()
{
    using Controls::menuItem;
    auto ctrlShift = [](Qt::Key key) { return QKeySequence(Qt::CTRL | Qt::SHIFT | key); };
    m_fileMenu = menuBar()->addMenu(QStringLiteral("File(&F)"));
    m_fileMenu->setObjectName(QStringLiteral("labFileMenu"));
    // Screen1's menus keep Ctrl+S and Ctrl+E in the same frame, so the lab
    // takes the shifted forms.
    m_exportCurveItem = menuItem(m_fileMenu, "exportCurveItem",
                                 QStringLiteral("Export Curve as CSV…(&C)"), ctrlShift(Qt::Key_E));
    m_savePlotItem = menuItem(m_fileMenu, "savePlotItem",
                              QStringLiteral("Save Plot as PNG or SVG…(&P)"), ctrlShift(Qt::Key_S));
    m_saveOrbitItem = menuItem(m_fileMenu, "saveOrbitItem",
                               QStringLiteral("Save Orbit as PNG or SVG…(&O)"), ctrlShift(Qt::Key_O));
    m_fileMenu->addSeparator();
    m_closeItem = menuItem(m_fileMenu, "closeLabItem", QStringLiteral("Close(&W)"),
                           QKeySequence(Qt::CTRL | Qt::Key_W));
    // Active while the focus is in the lab, so the keys never reach
    // another child of the frame.
    for (QAction *item : {m_exportCurveItem, m_savePlotItem, m_saveOrbitItem, m_closeItem}) {
        item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(item);
    }

    const QString pictures = QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg)");
    connect(m_exportCurveItem, &QAction::triggered, this, [this] {
        const QString path = askFile(QStringLiteral("CSV text (*.csv)"));
        if (!path.isEmpty())
            exportCurve(path);
    });
    connect(m_savePlotItem, &QAction::triggered, this, [this, pictures] {
        const QString path = askFile(pictures);
        if (!path.isEmpty())
            savePlot(path);
    });
    connect(m_saveOrbitItem, &QAction::triggered, this, [this, pictures] {
        const QString path = askFile(pictures);
        if (!path.isEmpty())
            saveOrbit(path);
    });
    connect(m_closeItem, &QAction::triggered, this, [this] { FormRegistry::instance().unload(this); });
}

void KeplerLab::formLoad()
{
    const Form1 *simulator = FormRegistry::instance().find<Form1>();
    const std::optional<LabPlanet> current = simulator && simulator->isAnimating()
                                                 ? simulatorPlanet(simulator->simulation())
                                                 : std::nullopt;
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
    m_applying = true;
    m_period->setValueQuietly(planet.orbit.periodDays);
    m_amplitude->setValueQuietly(planet.orbit.semiAmplitude);
    m_eccentricity->setValueQuietly(planet.orbit.eccentricity);
    const double omegaDegrees = std::fmod(planet.orbit.omegaRadians / LabUnits::RadiansPerDegree, 360.0);
    m_omega->setValueQuietly(omegaDegrees < 0 ? omegaDegrees + 360 : omegaDegrees);
    m_periastron->setValueQuietly(planet.orbit.periastronTime);
    m_starMass->setValueQuietly(planet.starMassSolar);
    m_inclination->setValueQuietly(planet.inclinationDegrees);
    {
        const QSignalBlocker quiet(m_planetList);
        const QList<QListWidgetItem *> match = m_planetList->findItems(planet.name, Qt::MatchExactly);
        m_planetList->setCurrentRow(match.isEmpty() ? -1 : m_planetList->row(match.first()));
    }
    m_applying = false;
    applyElements();
    m_planetName->setText(planet.name);
}

void KeplerLab::pickCatalogPlanet(int row)
{
    if (row >= 0)
        showPlanet(catalogLabPlanet(PlanetCatalog::FirstPlanet + row));
}

void KeplerLab::applyElements()
{
    LabPlanet planet = m_planet;
    planet.orbit.periodDays = m_period->value();
    planet.orbit.semiAmplitude = m_amplitude->value();
    planet.orbit.eccentricity = m_eccentricity->value();
    planet.orbit.omegaRadians = m_omega->value() * LabUnits::RadiansPerDegree;
    planet.orbit.periastronTime = m_periastron->value();
    planet.starMassSolar = m_starMass->value();
    planet.inclinationDegrees = m_inclination->value();
    if (const auto refusal = Kepler::refusal(planet.orbit)) {
        m_refusal->setText(QString::fromStdString(refusal->reason));
        m_refusal->show();
        return;
    }
    m_refusal->hide();
    m_planet = planet;
    m_planetName->setText(m_planet.name + QStringLiteral(" (elements changed)"));
    m_periastron->setSliderRange({0, m_planet.orbit.periodDays, ElementControl::Scale::Linear});

    const DerivedValues::Values values = DerivedValues::of(m_planet);
    const DerivedValues::Texts texts = DerivedValues::describe(values, m_planet);
    m_massFunction->setText(QStringLiteral("%1 solar masses")
                                .arg(QString::number(values.massFunctionSolar, 'g', 4)));
    m_minimumMass->setText(texts.minimumMass);
    m_trueMass->setText(texts.trueMass);
    m_semiMajorAxis->setText(texts.semiMajorAxis);
    m_starSpeed->setText(texts.starSpeed);
    m_seedMass->setText(texts.seedMass);

    const double companion = values.trueMassSolar.value_or(values.minimumMassSolar);
    m_plot->showOrbit(m_planet.orbit);
    m_orbitView->setOrbit(m_planet.orbit, companion / (m_planet.starMassSolar + companion));
    m_sideView->setInclination(m_planet.inclinationDegrees);
    setAnimationTime(m_time);
}

void KeplerLab::setAnimationTime(double timeDays)
{
    const double period = m_planet.orbit.periodDays;
    if (!(period > 0) || !std::isfinite(timeDays))
        return;
    m_time = LabCurve::firstOrbitTime(m_planet.orbit, timeDays);
    m_plot->setCursorTime(m_time);
    m_orbitView->setTime(m_time);
}

void KeplerLab::nextFrame()
{
    // Wall time, not frame count: a late frame moves the planet further,
    // so the pace holds whatever the display's rate.
    const double seconds = std::min(double(m_clock.restart()) / 1000.0, 0.25);
    setAnimationTime(m_time + seconds * m_speed->value() * m_planet.orbit.periodDays / SecondsPerOrbit);
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
    m_playButton->setEnabled(!m_playing);
    m_pauseButton->setEnabled(m_playing);
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

QString KeplerLab::askFile(const QString &filter)
{
    return Platform::current().saveFileName(this, filter);
}

bool KeplerLab::report(const QString &failure)
{
    if (failure.isEmpty())
        return true;
    Platform::current().messageBox(failure, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
    return false;
}

bool KeplerLab::exportCurve(const QString &path)
{
    return report(LabExport::writeFile(path, LabCurve::csv(m_plot->points())));
}

bool KeplerLab::savePlot(const QString &path)
{
    const QSize size = m_plot->size();
    return report(LabExport::writePicture(path, size, windowTitle(), [this, size](QPainter &painter) {
        m_plot->render(&painter, QRectF(QPointF(0, 0), size), m_plot->viewport()->rect());
    }));
}

bool KeplerLab::saveOrbit(const QString &path)
{
    // The view from above and the side view, side by side.
    const QSize top = m_orbitView->size();
    const QSize side = m_sideView->size();
    const QSize size(top.width() + side.width(), std::max(top.height(), side.height()));
    return report(LabExport::writePicture(path, size, windowTitle(), [&](QPainter &painter) {
        m_orbitView->render(painter, top);
        painter.save();
        painter.translate(top.width(), 0);
        m_sideView->render(painter, side);
        painter.restore();
    }));
}
