#include "app/mdiform1.h"

#include "app/appinfo.h"
#include "app/closing.h"
#include "app/controls.h"
#include "app/formregistry.h"
#include "app/pictures.h"
#include "app/platform.h"
#include "app/planetlist.h"
#include "lab/keplerlab.h"
#include "massfunction/form2.h"
#include "rv/rv.h"
#include "simulator/form1.h"

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

MDIForm1::MDIForm1()
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

void MDIForm1::createMenus()
{
    auto addMenu = [this](const char *name, const QString &title) {
        auto *menu = new QMenu(title, this);
        menu->setObjectName(QString::fromLatin1(name));
        m_ownMenus.append(menu);
        return menu;
    };
    using Controls::menuItem;

    m1 = addMenu("m1", QStringLiteral("Screen"));
    Scr1 = menuItem(m1, "Scr1", QStringLiteral("Screen1(&F1)"), Qt::Key_F1);
    Scr2 = menuItem(m1, "Scr2", QStringLiteral("Screen2(&F2)"), Qt::Key_F2);
    Scr3 = menuItem(m1, "Scr3", QStringLiteral("Screen3(&F3)"), Qt::Key_F3);
    connect(menuItem(m1, "KeplerLab", QStringLiteral("Kepler Lab(&K)"), Qt::Key_F6),
            &QAction::triggered, this, &KeplerLab::open);
    m2 = addMenu("m2", QStringLiteral("Close"));
    Close = menuItem(m2, "Close", QStringLiteral("Close(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m3 = addMenu("m3", QStringLiteral("List"));
    List = menuItem(m3, "List", QStringLiteral("List(&L)"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m4 = addMenu("m4", QStringLiteral("Help"));
    // The frame's own update item has never had a command behind it.
    mnuCU = menuItem(m4, "mnuCU", QStringLiteral("Check Update(&U)"),
                    QKeySequence(Qt::CTRL | Qt::Key_U));

    connect(Scr1, &QAction::triggered, this, &MDIForm1::Scr1_Click);
    connect(Scr2, &QAction::triggered, this, &MDIForm1::Scr2_Click);
    connect(Scr3, &QAction::triggered, this, &MDIForm1::Scr3_Click);
    connect(Close, &QAction::triggered, this, &MDIForm1::Close_Click);
    connect(List, &QAction::triggered, this, &MDIForm1::List_Click);
    showOwnMenus();
}

void MDIForm1::createStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_panel1 = new QLabel(AppInfo::title(), StatusBar1);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_datePanel = new QLabel(StatusBar1);
    m_datePanel->setObjectName(QStringLiteral("Panel2"));
    m_timePanel = new QLabel(StatusBar1);
    m_timePanel->setObjectName(QStringLiteral("Panel3"));
    for (QLabel *panel : {m_datePanel, m_timePanel}) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setAlignment(Qt::AlignCenter);
    }
    StatusBar1->addWidget(m_panel1, 1);
    StatusBar1->addPermanentWidget(m_datePanel);
    StatusBar1->addPermanentWidget(m_timePanel);

    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, &MDIForm1::updateClock);
    m_clock->start(1000);
    updateClock();
}

void MDIForm1::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_datePanel->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_timePanel->setText(locale.toString(now.time(), QStringLiteral("HH:mm:ss")));
}

void MDIForm1::setStatus(const QString &word)
{
    Tag = word;
    setPanel1(Tag);
}

QString MDIForm1::panel1() const
{
    return m_panel1->text();
}

void MDIForm1::setPanel1(const QString &text)
{
    m_panel1->setText(text);
}

void MDIForm1::showOwnMenus()
{
    menuBar()->clear();
    for (QMenu *menu : std::as_const(m_ownMenus))
        menuBar()->addMenu(menu);
}

void MDIForm1::adoptChild(QWidget *child, const QList<QMenu *> &childMenus)
{
    QMdiSubWindow *subWindow = m_mdiArea->addSubWindow(child, Qt::Window | Qt::WindowTitleHint
                                                                  | Qt::WindowSystemMenuHint
                                                                  | Qt::WindowMinimizeButtonHint
                                                                  | Qt::WindowCloseButtonHint);
    subWindow->setAttribute(Qt::WA_DeleteOnClose);
    subWindow->setWindowIcon(child->windowIcon());
    menuBar()->clear();
    for (QMenu *menu : childMenus)
        menuBar()->addMenu(menu);

    // An unloaded child takes its sub-window with it and gives the menu bar back.
    auto release = [this, subWindow](QWidget *window) {
        if (window->parentWidget() != subWindow)
            return;
        subWindow->deleteLater();
        showOwnMenus();
    };
    connect(&FormRegistry::instance(), &FormRegistry::unloaded, subWindow, release);
    connect(subWindow, &QObject::destroyed, this, [this] {
        if (!FormRegistry::instance().isLoaded<Form1>())
            showOwnMenus();
    });
}

void MDIForm1::Scr1_Click()
{
    form<Form1>()->showInFrame();
}

void MDIForm1::Scr2_Click()
{
    QWidget *window = form<Form2>();
    window->show();
    window->raise();
}

void MDIForm1::Scr3_Click()
{
    QWidget *window = form<RV>();
    window->show();
    window->raise();
}

void MDIForm1::Close_Click()
{
    close();
}

void MDIForm1::List_Click()
{
    PlanetList::open();
}

bool MDIForm1::queryUnload()
{
    setStatus(QStringLiteral("Close"));
    const qsizetype topmost = FormRegistry::instance().count() - 1;
    const int answer = Platform::current().messageBox(
        Closing::frameQuestion(), MsgBox::YesNo | MsgBox::Exclamation | MsgBox::SetForeground,
        QStringLiteral("Close"));
    if (answer != MsgBox::Yes) {
        setStatus(AppInfo::title());
        return false;
    }
    Closing::unloadDownFrom(topmost);
    return true;
}

void MDIForm1::closeEvent(QCloseEvent *event)
{
    if (!queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    FormRegistry::instance().unloadAll();
    QCoreApplication::quit();
}
