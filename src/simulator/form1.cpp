#include "simulator/form1.h"

#include "about/frmabout1.h"
#include "app/appinfo.h"
#include "app/bastootip.h"
#include "app/closing.h"
#include "app/colors.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "app/mdiform1.h"
#include "app/pictures.h"
#include "app/planetlist.h"
#include "app/platform.h"
#include "app/twips.h"
#include "capture/form5.h"
#include "files/plotfiles.h"
#include "lab/keplerlab.h"
#include "lab/simulatorplanet.h"
#include "massfunction/dialog.h"
#include "massfunction/form2.h"
#include "massfunction/massfunction.h"
#include "register/form4.h"
#include "rv/rv.h"
#include "simulator/orbitmotion.h"
#include "simulator/scenesetup.h"
#include "simulator/stopsimulation.h"
#include "update/updatecheck.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>

namespace {

QLabel *pictureLabel(QWidget *parent, const char *name, const QPixmap &pixmap)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(AppInfo::title());
    setWindowIcon(Pictures::programIcon());
    createControls();
    createMenus();
    form<MDIForm1>()->adoptChild(this, menus());
}

void Form1::createControls()
{
    // Fixed single border: the window keeps the size it was designed at.
    setFixedSize(Twips::size(11055, 8895));
    setAutoFillBackground(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 0, 8295, 735));

    Simulator = new PictureBox(this);
    Simulator->setObjectName(QStringLiteral("Simulator"));
    Simulator->setTwipsGeometry(120, 720, 10815, 8055);
    Simulator->setBorder(true);
    Simulator->setBackColor(Colors::rgb(0, 0, 0));
    connect(Simulator, &PictureBox::mouseDown, this, &Form1::Simulator_MouseDown);

    Gravity = pictureLabel(Simulator, "Gravity", Pictures::gravity());
    Simulator->placeChild(Gravity, QPointF(5280, 3960));
    Planet1 = pictureLabel(Simulator, "Planet1", Pictures::planet());
    Simulator->placeChild(Planet1, QPointF(9720, 3360));
    Star = pictureLabel(Simulator, "Star", Pictures::star());
    Simulator->placeChild(Star, QPointF(3120, 3240));

    Image1_0 = pictureLabel(this, "Image1_0", Pictures::programIcon().pixmap(32));
    Image1_0->hide();

    // The original platform never fired a timer faster than about 15.6 ms,
    // so one revolution of 360 ticks took about 5.6 s; 16 ms keeps that pace.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(16);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

void Form1::createMenus()
{
    auto addMenu = [this](QMenu *parentMenu, const char *name, const QString &title) {
        auto *menu = parentMenu ? parentMenu->addMenu(title) : new QMenu(title, this);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    using Controls::menuItem;
    auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    m1 = addMenu(nullptr, "m1", QStringLiteral("Start"));
    Scr = addMenu(m1, "Scr", QStringLiteral("Screen"));
    Screen1 = menuItem(Scr, "Screen1", QStringLiteral("Screen1(&F1)"), Qt::Key_F1);
    Screen2 = menuItem(Scr, "Screen2", QStringLiteral("Screen2(&F2)"), Qt::Key_F2);
    Screen3 = menuItem(Scr, "Screen3", QStringLiteral("Screen3(&F3)"), Qt::Key_F3);
    m1->addSeparator();
    Cpt = menuItem(m1, "Cpt", QStringLiteral("Capture(&Z)"), ctrl(Qt::Key_Z));
    Exit = menuItem(m1, "Exit", QStringLiteral("EXIT(&E)"), ctrl(Qt::Key_E));
    m1->addSeparator();
    Reg = menuItem(m1, "Reg", QStringLiteral("Register(&F4)"), Qt::Key_F4);
    m1->addSeparator();
    Close = menuItem(m1, "Close", QStringLiteral("Close(&C)"), ctrl(Qt::Key_C));

    m3 = addMenu(nullptr, "m3", QStringLiteral("File"));
    Fl = addMenu(m3, "Fl", QStringLiteral("File"));
    Load = menuItem(Fl, "Load", QStringLiteral("Load(&O)"), ctrl(Qt::Key_O));
    Save = menuItem(Fl, "Save", QStringLiteral("Save(&S)"), ctrl(Qt::Key_S));

    m4 = addMenu(nullptr, "m4", QStringLiteral("List"));
    List = menuItem(m4, "List", QStringLiteral("List(&L)"), ctrl(Qt::Key_L));
    DB = menuItem(m4, "DB", QStringLiteral("DATABASE(&D)"), ctrl(Qt::Key_D));

    m5 = addMenu(nullptr, "m5", QStringLiteral("Core"));
    MF = menuItem(m5, "MF", QStringLiteral("Mass Function(&M)"), ctrl(Qt::Key_M));
    connect(menuItem(m5, "KeplerLab", QStringLiteral("Kepler Lab(&K)"), Qt::Key_F6),
            &QAction::triggered, this, &KeplerLab::open);

    Hlp = addMenu(nullptr, "Hlp", QStringLiteral("Help"));
    Help = menuItem(Hlp, "Help", QStringLiteral("About(&A)"), ctrl(Qt::Key_A));
    mnuUpdateCheck = menuItem(Hlp, "mnuUpdateCheck", QStringLiteral("UpdateCheck(&U)"),
                             ctrl(Qt::Key_U));

    connect(Screen1, &QAction::triggered, this, &Form1::Screen1_Click);
    connect(Screen2, &QAction::triggered, this, &Form1::Screen2_Click);
    connect(Screen3, &QAction::triggered, this, &Form1::Screen3_Click);
    connect(Cpt, &QAction::triggered, this, &Form1::Cpt_Click);
    connect(Exit, &QAction::triggered, this, &Form1::Exit_Click);
    connect(Reg, &QAction::triggered, this, &Form1::Reg_Click);
    connect(Close, &QAction::triggered, this, &Form1::Close_Click);
    connect(Load, &QAction::triggered, this, &Form1::Load_Click);
    connect(Save, &QAction::triggered, this, &Form1::Save_Click);
    connect(List, &QAction::triggered, this, &Form1::List_Click);
    connect(DB, &QAction::triggered, this, &Form1::DB_Click);
    connect(MF, &QAction::triggered, this, &Form1::MF_Click);
    connect(Help, &QAction::triggered, this, &Form1::Help_Click);
    connect(mnuUpdateCheck, &QAction::triggered, this, &Form1::mnuUpdateCheck_Click);
}

QList<QMenu *> Form1::menus() const
{
    return {m1, m3, m4, m5, Hlp};
}

void Form1::formLoad()
{
    CenterX = float(Simulator->scaleWidth() / 2);
    CenterY = float(Simulator->scaleHeight() / 2);
    OrbitCenterX = StarCenterX = CenterX;
    OrbitCenterY = StarCenterY = CenterY;
    Timer1->start();
    catalog = PlanetCatalog::builtIn();
    WebAddress = AppInfo::homePage().toString();
    // The shipped picture of Image1(0) is an icon, which the tip does not draw.
    basTootip::createSimulatorTip(Simulator, Pictures::programIcon());
    UpdateCheck::run(UpdateCheck::Report::StartUp, this);
}

void Form1::showInFrame()
{
    MDIForm1 *frame = form<MDIForm1>();
    frame->show();
    if (auto *subWindow = qobject_cast<QMdiSubWindow *>(parentWidget()))
        subWindow->show();
    show();
}

template<class Window>
void Form1::showWindow()
{
    QWidget *window = form<Window>();
    window->show();
    window->raise();
    window->activateWindow();
}

void Form1::Screen1_Click()
{
    if (SceneSetup(*this).run())
        KeplerLab::handOver(simulatorPlanet(*this));
}

void Form1::Screen2_Click()
{
    showWindow<Form2>();
}

void Form1::Screen3_Click()
{
    showWindow<RV>();
}

void Form1::Cpt_Click()
{
    showWindow<Form5>();
}

void Form1::Exit_Click()
{
    Tag = QStringLiteral("Stop");
    StopSimulation();
}

void Form1::Reg_Click()
{
    showWindow<Form4>();
}

void Form1::Close_Click()
{
    Timer1->stop();
    MDIForm1 *frame = form<MDIForm1>();
    const qsizetype topmost = FormRegistry::instance().count() - 1;
    if (frame->Tag == QStringLiteral("Close")) {
        const int answer = Platform::current().messageBox(
            Closing::closeAllQuestion(), MsgBox::YesNo | MsgBox::Exclamation | MsgBox::SetForeground);
        if (answer != MsgBox::Yes) {
            frame->setStatus(AppInfo::title());
            return;
        }
    }
    Closing::unloadDownFrom(topmost);
}

void Form1::Load_Click()
{
    PlotFiles::loadCommand(this, Tag, Simulator);
}

void Form1::Save_Click()
{
    PlotFiles::saveCommand(Tag, Simulator);
}

void Form1::List_Click()
{
    PlanetList::open();
}

void Form1::DB_Click()
{
    WebAddress = AppInfo::databasePage().toString();
    Platform::current().shellOpen(WebAddress, QCoreApplication::applicationDirPath());
}

void Form1::MF_Click()
{
    showWindow<Dialog>();
}

void Form1::Help_Click()
{
    showWindow<frmAbout1>();
}

void Form1::mnuUpdateCheck_Click()
{
    WebAddress = AppInfo::homePage().toString();
    UpdateCheck::run(UpdateCheck::Report::Menu, this);
}

void Form1::Timer1_Timer()
{
    if (AngleDeg >= 32767)
        AngleDeg = 0;
    const OrbitMotion::Orbit orbit{Eccentricity,
                                   OrbitRadius,
                                   OrbitHeight,
                                   WobbleRadius,
                                   QPointF(OrbitCenterX, OrbitCenterY),
                                   QPointF(StarCenterX, StarCenterY)};
    Simulator->placeChild(Planet1, OrbitMotion::planetCorner(orbit, AngleDeg));
    Simulator->placeChild(Star, OrbitMotion::starCorner(orbit, AngleDeg));
    ++AngleDeg;
}

void Form1::Simulator_MouseDown(Qt::MouseButton button, QPointF, QPoint globalPos)
{
    NewLine = QStringLiteral("\r\n");
    const QString message = AppInfo::organisation() + NewLine + QStringLiteral("Midlevels Floor 31")
                            + NewLine + AppInfo::homePage().toString();
    InfoTitle = QStringLiteral("【Information】") + AppInfo::title() + QStringLiteral(" Ver(")
                + AppInfo::version().text() + QStringLiteral(")");
    if (button == Qt::RightButton)
        Platform::current().popupMenu(Scr, globalPos);
    Platform::current().messageBox(message, MsgBox::Information, InfoTitle);
}

float Form1::MassFunction(double a, double P, double e, float K, double M)
{
    if (!MassFunctionMath::argumentsValid(a, P, e, K, M)) {
        StopSimulation();
        return 0;
    }
    return MassFunctionMath::minimumMassKg(a, P, e, K);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing this window by its own close box unloads it alone, without a question.
    event->ignore();
    FormRegistry::instance().unload(this);
}
