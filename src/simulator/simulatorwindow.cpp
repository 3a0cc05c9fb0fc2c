#include "simulator/simulatorwindow.h"

#include "about/aboutwindow.h"
#include "capture/capturewindow.h"
#include "files/plotfiles.h"
#include "ground/appinfo.h"
#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "ground/picturebox.h"
#include "ground/pictures.h"
#include "ground/planetlist.h"
#include "ground/platform.h"
#include "ground/simulatortip.h"
#include "ground/textnumber.h"
#include "ground/twips.h"
#include "massfunction/massfunctionexplanation.h"
#include "massfunction/massfunctionwindow.h"
#include "register/registrationwindow.h"
#include "rv/velocitycurvewindow.h"
#include "seedmodel/orbitform.h"
#include "simulator/scenesetup.h"
#include "update/updatecheck.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

SimulatorWindow::SimulatorWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(AppInfo::title());
    setWindowIcon(Pictures::programIcon());
    // The frame loads before its child, so it stands first in the load order.
    FrameHost &frame = FrameHost::current();
    createControls();
    createMenus();
    frame.adoptChild(this, menus());
}

void SimulatorWindow::createControls()
{
    // Fixed single border: the window keeps the size it was designed at.
    setFixedSize(Twips::size(11055, 8895));
    setAutoFillBackground(true);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Label1"));
    m_caption->setGeometry(Twips::rect(120, 0, 8295, 735));

    m_drawingArea = new PictureBox(this);
    m_drawingArea->setObjectName(QStringLiteral("Simulator"));
    m_drawingArea->setTwipsGeometry(120, 720, 10815, 8055);
    m_drawingArea->setBorder(true);
    m_drawingArea->setBackColor(Colors::rgb(0, 0, 0));
    connect(m_drawingArea, &PictureBox::mouseDown, this, &SimulatorWindow::showInformation);

    m_drawingArea->addFloatingPicture(QStringLiteral("Gravity"), Pictures::gravity(), QPointF(5280, 3960));
    m_planetPicture =
        m_drawingArea->addFloatingPicture(QStringLiteral("Planet1"), Pictures::planet(), QPointF(9720, 3360));
    m_starPicture = m_drawingArea->addFloatingPicture(QStringLiteral("Star"), Pictures::star(), QPointF(3120, 3240));

    m_tipPicture = new QLabel(this);
    m_tipPicture->setObjectName(QStringLiteral("Image1_0"));
    m_tipPicture->setPixmap(Pictures::programIcon().pixmap(32));
    m_tipPicture->setFixedSize(m_tipPicture->pixmap().size());
    m_tipPicture->hide();

    m_animationTimer = new QTimer(this);
    m_animationTimer->setObjectName(QStringLiteral("Timer1"));
    m_animationTimer->setInterval(TickMs);
    connect(m_animationTimer, &QTimer::timeout, this, &SimulatorWindow::wakeForTicks);
}

void SimulatorWindow::createMenus()
{
    auto addMenu = [this](QMenu *parentMenu, const char *name, const QString &title) {
        auto *menu = parentMenu ? parentMenu->addMenu(title) : new QMenu(title, this);
        menu->setObjectName(QString::fromLatin1(name));
        if (!parentMenu)
            m_menus.append(menu);
        return menu;
    };
    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                       auto command) {
        QAction *action = Controls::menuItem(menu, name, caption, shortcut);
        connect(action, &QAction::triggered, this, command);
    };
    auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    QMenu *start = addMenu(nullptr, "m1", QStringLiteral("Start"));
    m_screenMenu = addMenu(start, "Scr", QStringLiteral("Screen"));
    item(m_screenMenu, "Screen1", QStringLiteral("Screen1(&F1)"), Qt::Key_F1, &SimulatorWindow::setUpSimulation);
    item(m_screenMenu, "Screen2", QStringLiteral("Screen2(&F2)"), Qt::Key_F2,
         &SimulatorWindow::showWindow<MassFunctionWindow>);
    item(m_screenMenu, "Screen3", QStringLiteral("Screen3(&F3)"), Qt::Key_F3,
         &SimulatorWindow::showWindow<VelocityCurveWindow>);
    start->addSeparator();
    item(start, "Cpt", QStringLiteral("Capture(&Z)"), ctrl(Qt::Key_Z), &SimulatorWindow::showWindow<CaptureWindow>);
    item(start, "Exit", QStringLiteral("EXIT(&E)"), ctrl(Qt::Key_E), &SimulatorWindow::exitCommand);
    start->addSeparator();
    item(start, "Reg", QStringLiteral("Register(&F4)"), Qt::Key_F4, &SimulatorWindow::showWindow<RegistrationWindow>);
    start->addSeparator();
    item(start, "Close", QStringLiteral("Close(&C)"), ctrl(Qt::Key_C), [this] {
        haltAnimation();
        emit closeAllRequested();
    });

    QMenu *fileMenu = addMenu(nullptr, "m3", QStringLiteral("File"));
    QMenu *file = addMenu(fileMenu, "Fl", QStringLiteral("File"));
    item(file, "Load", QStringLiteral("Load(&O)"), ctrl(Qt::Key_O),
         [this] { PlotFiles::loadCommand(this, m_statusWord, m_drawingArea); });
    item(file, "Save", QStringLiteral("Save(&S)"), ctrl(Qt::Key_S),
         [this] { PlotFiles::saveCommand(m_statusWord, m_drawingArea); });

    QMenu *list = addMenu(nullptr, "m4", QStringLiteral("List"));
    item(list, "List", QStringLiteral("List(&L)"), ctrl(Qt::Key_L), &PlanetList::open);
    item(list, "DB", QStringLiteral("DATABASE(&D)"), ctrl(Qt::Key_D), &SimulatorWindow::showDatabase);

    QMenu *core = addMenu(nullptr, "m5", QStringLiteral("Core"));
    item(core, "MF", QStringLiteral("Mass Function(&M)"), ctrl(Qt::Key_M),
         &SimulatorWindow::showWindow<MassFunctionExplanation>);
    // The lab reads this window, so this window does not include the lab:
    // the top floor opens it.
    item(core, "KeplerLab", QStringLiteral("Kepler Lab(&K)"), Qt::Key_F6, [this] { emit labRequested(); });

    QMenu *help = addMenu(nullptr, "Hlp", QStringLiteral("Help"));
    item(help, "Help", QStringLiteral("About(&A)"), ctrl(Qt::Key_A), &SimulatorWindow::showWindow<AboutWindow>);
    item(help, "mnuUpdateCheck", QStringLiteral("UpdateCheck(&U)"), ctrl(Qt::Key_U), &SimulatorWindow::checkForUpdate);
}

QList<QMenu *> SimulatorWindow::menus() const
{
    return m_menus;
}

void SimulatorWindow::formLoad()
{
    const QPointF centre(float(m_drawingArea->scaleWidth() / 2), float(m_drawingArea->scaleHeight() / 2));
    m_simulation.orbitCentre = m_simulation.starCentre = centre;
    startAnimation();
    m_catalog = PlanetCatalog::builtIn();
    // The shipped picture of Image1(0) is an icon, which the tip does not draw.
    SimulatorTip::createSimulatorTip(m_drawingArea, Pictures::programIcon());
    UpdateCheck::run(UpdateCheck::Report::StartUp, this);
}

void SimulatorWindow::showInFrame()
{
    FrameHost::current().showFrame();
    if (auto *subWindow = qobject_cast<QMdiSubWindow *>(parentWidget()))
        subWindow->show();
    show();
}

bool SimulatorWindow::isAnimating() const
{
    return m_animationOn;
}

void SimulatorWindow::startAnimation()
{
    m_animationOn = true;
    m_ticksPerWake = 1;
    m_animationTimer->start(TickMs);
}

void SimulatorWindow::haltAnimation()
{
    m_animationOn = false;
    m_animationTimer->stop();
}

template <class Window> void SimulatorWindow::showWindow()
{
    QWidget *window = form<Window>();
    window->show();
    window->raise();
    window->activateWindow();
}

void SimulatorWindow::setUpSimulation()
{
    haltAnimation();
    m_tipPicture->clear();
    m_drawingArea->cls();

    const QPointF centre(float(m_drawingArea->scaleWidth() / 2), float(m_drawingArea->scaleHeight() / 2));
    // A Screen2 not loaded yet would come with its Earth-mass box unticked.
    const MassFunctionWindow *catalogWindow = FormRegistry::instance().find<MassFunctionWindow>();
    SceneSetup setup(m_catalog, centre, catalogWindow && catalogWindow->showsEarthMasses());
    std::optional<Simulation> simulation = setup.run();
    if (!simulation) {
        stopSimulation();
        return;
    }
    // The animation goes on from where it stood.
    simulation->angleDeg = m_simulation.angleDeg;
    m_simulation = *simulation;
    showSimulation();
    emit simulationStarted(m_simulation);
}

void SimulatorWindow::showSimulation()
{
    MassFunctionWindow *catalogWindow = form<MassFunctionWindow>();
    VelocityCurveWindow *rv = form<VelocityCurveWindow>();
    catalogWindow->showResult(m_simulation);
    rv->showElements(m_simulation);
    drawOrbit();

    startAnimation();
    FrameHost::current().setPanel1(QStringLiteral("Running  ") + AppInfo::copyrightNotice());
    // The plot names the planet it shows: a catalog planet by its name, a
    // planet of one's own by none.
    const int catalogIndex = m_simulation.elements.catalogIndex;
    rv->drawRadialVelocityCurve(m_simulation.curveElements(), TextNumber::carried(m_simulation.shownMass()),
                                m_simulation.earthMassesShown,
                                catalogIndex > 0 ? PlanetCatalog::planetName(catalogIndex) : QString());
    startAnimation();
    Controls::setForeColor(m_caption, Colors::qbColor(15));
}

void SimulatorWindow::drawOrbit()
{
    const Simulation &scene = m_simulation;
    m_drawingArea->setDrawWidth(1);
    m_drawingArea->circle(scene.starCentre, scene.sizes.wobbleRadius, Colors::rgb(255, 0, 255));
    const std::optional<OrbitForm> orbit = OrbitForm::of(scene.elements.eccentricity);
    if (!orbit)
        return;
    m_drawingArea->circle(scene.orbitCentre, scene.sizes.orbitRadius, orbit->lineColor, orbit->startAngle,
                          orbit->aspect);
}

void SimulatorWindow::exitCommand()
{
    m_statusWord = QStringLiteral("Stop");
    stopSimulation();
}

void SimulatorWindow::showDatabase()
{
    Platform::current().shellOpen(AppInfo::databasePage().toString(), QCoreApplication::applicationDirPath());
}

void SimulatorWindow::checkForUpdate()
{
    UpdateCheck::run(UpdateCheck::Report::Menu, this);
}

void SimulatorWindow::animateOneTick()
{
    const qint16 angle = m_simulation.nextAngle();
    const OrbitMotion::Orbit orbit = m_simulation.orbit();
    m_drawingArea->moveFloatingPicture(m_planetPicture, OrbitMotion::planetCorner(orbit, angle));
    m_drawingArea->moveFloatingPicture(m_starPicture, OrbitMotion::starCorner(orbit, angle));
    // Before the first set-up both pictures rest on the centre from this
    // tick on; further ticks would only wake the program. The animation
    // stays switched on, and the next set-up runs the timer again.
    if (m_simulation.isStill())
        m_animationTimer->stop();
}

void SimulatorWindow::wakeForTicks()
{
    // The ticks since the last wake-up before this one moved no picture by
    // a pixel; they count for the angle all the same, so the pace stays.
    for (int skipped = 1; skipped < m_ticksPerWake; ++skipped)
        m_simulation.nextAngle();
    animateOneTick();
    if (!m_animationTimer->isActive())
        return;
    m_ticksPerWake = ticksUntilAPictureMoves();
    m_animationTimer->setInterval(TickMs * m_ticksPerWake);
}

int SimulatorWindow::ticksUntilAPictureMoves() const
{
    const OrbitMotion::Orbit orbit = m_simulation.orbit();
    const QPoint planet = m_planetPicture->pos();
    const QPoint star = m_starPicture->pos();
    Simulation ahead = m_simulation;
    constexpr int OneTurn = 360;
    for (int ticks = 1; ticks < OneTurn; ++ticks) {
        const qint16 angle = ahead.nextAngle();
        if (m_drawingArea->toPixels(OrbitMotion::planetCorner(orbit, angle)) != planet
            || m_drawingArea->toPixels(OrbitMotion::starCorner(orbit, angle)) != star)
            return ticks;
    }
    return OneTurn;
}

void SimulatorWindow::showInformation(Qt::MouseButton button, QPointF, QPoint globalPos)
{
    const QString newLine = QStringLiteral("\r\n");
    const QString message = AppInfo::organisation() + newLine + QStringLiteral("Midlevels Floor 31") + newLine
        + AppInfo::homePage().toString();
    const QString title = QStringLiteral("【Information】") + AppInfo::title() + QStringLiteral(" Ver(")
        + AppInfo::version().text() + QStringLiteral(")");
    if (button == Qt::RightButton)
        Platform::current().popupMenu(m_screenMenu, globalPos);
    Platform::current().messageBox(message, MsgBox::Information, title);
}

void SimulatorWindow::stopSimulation()
{
    Platform::current().beep();
    haltAnimation();
    m_drawingArea->cls();
    m_caption->clear();
    if (m_statusWord == QStringLiteral("Stop"))
        m_drawingArea->setPicture(QImage());
    else
        form<VelocityCurveWindow>()->removePlotPicture();
    FrameHost::current().setPanel1(AppInfo::title() + QStringLiteral("  ") + AppInfo::copyrightNotice());
}

void SimulatorWindow::closeEvent(QCloseEvent *event)
{
    // Closing this window by its own close box unloads it alone, without a question.
    unloadOnClose(this, event);
}
