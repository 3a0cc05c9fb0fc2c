#include "frame/mainframe.h"

#include "frame/closing.h"
#include "frame/languagemenu.h"
#include "ground/appinfo.h"
#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/planetlist.h"
#include "ground/platform.h"
#include "lab/keplerlab.h"
#include "massfunction/massfunctionwindow.h"
#include "rv/velocitycurvewindow.h"
#include "simulator/simulatorwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

MainFrame::MainFrame()
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Main Screen -"));
    setWindowIcon(Pictures::programIcon());
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setBackground(palette().color(QPalette::Dark));
    setCentralWidget(m_mdiArea);
    createMenus();
    createStatusBar();
    resize(800, 720);
}

void MainFrame::createMenus()
{
    auto addMenu = [this](const char *name, const QString &title) {
        auto *menu = new QMenu(title, this);
        menu->setObjectName(QString::fromLatin1(name));
        m_ownMenus.append(menu);
        return menu;
    };
    using Controls::menuItem;

    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                       auto command) {
        QAction *action = Controls::menuItem(menu, name, caption, shortcut);
        connect(action, &QAction::triggered, this, command);
    };
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    QMenu *screens = addMenu("m1", QStringLiteral("Screen"));
    item(screens, "Scr1", QStringLiteral("Screen1(&F1)"), Qt::Key_F1, &MainFrame::showSimulator);
    item(screens, "Scr2", QStringLiteral("Screen2(&F2)"), Qt::Key_F2, &MainFrame::showWindow<MassFunctionWindow>);
    item(screens, "Scr3", QStringLiteral("Screen3(&F3)"), Qt::Key_F3, &MainFrame::showWindow<VelocityCurveWindow>);
    item(screens, "KeplerLab", QStringLiteral("Kepler Lab(&K)"), Qt::Key_F6, &KeplerLab::open);
    QMenu *closing = addMenu("m2", QStringLiteral("Close"));
    item(closing, "Close", QStringLiteral("Close(&C)"), ctrl(Qt::Key_C), &MainFrame::close);
    QMenu *list = addMenu("m3", QStringLiteral("List"));
    item(list, "List", QStringLiteral("List(&L)"), ctrl(Qt::Key_L), &PlanetList::open);
    QMenu *help = addMenu("m4", QStringLiteral("Help"));
    // The frame's own update item has never had a command behind it.
    Controls::menuItem(help, "mnuCU", QStringLiteral("Check Update(&U)"), ctrl(Qt::Key_U));
    m_languageMenu = new LanguageMenu(this);
    showOwnMenus();
}

void MainFrame::createStatusBar()
{
    QStatusBar *statusBar1 = statusBar();
    statusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_panel1 = new QLabel(AppInfo::title(), statusBar1);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_datePanel = new QLabel(statusBar1);
    m_datePanel->setObjectName(QStringLiteral("Panel2"));
    m_timePanel = new QLabel(statusBar1);
    m_timePanel->setObjectName(QStringLiteral("Panel3"));
    for (QLabel *panel : {m_datePanel, m_timePanel}) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setAlignment(Qt::AlignCenter);
    }
    statusBar1->addWidget(m_panel1, 1);
    statusBar1->addPermanentWidget(m_datePanel);
    statusBar1->addPermanentWidget(m_timePanel);

    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, &MainFrame::updateClock);
    m_clock->start(1000);
    updateClock();
}

void MainFrame::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_datePanel->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_timePanel->setText(locale.toString(now.time(), QStringLiteral("HH:mm:ss")));
}

QString MainFrame::panel1() const
{
    return m_panel1->text();
}

void MainFrame::setPanel1(const QString &text)
{
    m_panel1->setText(text);
}

void MainFrame::showOwnMenus()
{
    menuBar()->clear();
    for (QMenu *menu : std::as_const(m_ownMenus))
        menuBar()->addMenu(menu);
    menuBar()->addMenu(m_languageMenu);
}

void MainFrame::adoptChild(QWidget *child, const QList<QMenu *> &childMenus)
{
    QMdiSubWindow *subWindow = m_mdiArea->addSubWindow(child,
                                                       Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    subWindow->setAttribute(Qt::WA_DeleteOnClose);
    subWindow->setWindowIcon(child->windowIcon());
    menuBar()->clear();
    for (QMenu *menu : childMenus)
        menuBar()->addMenu(menu);
    // The language can be chosen whichever window's menus the bar shows.
    menuBar()->addMenu(m_languageMenu);

    // An unloaded child takes its sub-window with it and gives the menu bar back.
    auto release = [this, subWindow](QWidget *window) {
        if (window->parentWidget() != subWindow)
            return;
        subWindow->deleteLater();
        showOwnMenus();
    };
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, subWindow, release);
    if (auto *simulator = qobject_cast<SimulatorWindow *>(child))
        connect(simulator, &SimulatorWindow::closeAllRequested, this, &MainFrame::closeAllWindows);
    connect(subWindow, &QObject::destroyed, this, [this] {
        if (!FormRegistry::instance().isLoaded<SimulatorWindow>())
            showOwnMenus();
    });
}

void MainFrame::showFrame()
{
    show();
}

void MainFrame::showSimulator()
{
    form<SimulatorWindow>()->showInFrame();
}

template <class Window> void MainFrame::showWindow()
{
    QWidget *window = form<Window>();
    window->show();
    window->raise();
}

void MainFrame::closeAllWindows()
{
    const qsizetype topmost = FormRegistry::instance().count() - 1;
    if (m_statusWord == QStringLiteral("Close")) {
        const int answer = Platform::current().messageBox(Closing::closeAllQuestion(),
                                                          MsgBox::YesNo | MsgBox::Exclamation | MsgBox::SetForeground);
        if (answer != MsgBox::Yes) {
            setStatus(AppInfo::title());
            return;
        }
    }
    Closing::unloadDownFrom(topmost);
}

bool MainFrame::queryUnload()
{
    setStatus(QStringLiteral("Close"));
    const qsizetype topmost = FormRegistry::instance().count() - 1;
    const int answer = Platform::current().messageBox(
        Closing::frameQuestion(), MsgBox::YesNo | MsgBox::Exclamation | MsgBox::SetForeground, QStringLiteral("Close"));
    if (answer != MsgBox::Yes) {
        setStatus(AppInfo::title());
        return false;
    }
    Closing::unloadDownFrom(topmost);
    return true;
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    if (!queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    FormRegistry::instance().unloadAll();
    QCoreApplication::quit();
}
