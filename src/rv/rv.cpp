#include "rv/rv.h"

#include "app/colors.h"
#include "app/platform.h"
#include "files/plotfiles.h"

#include <QMenuBar>

RV::RV()
{
    setObjectName(QStringLiteral("RV"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen3"));
    auto *client = new QWidget(this);
    setCentralWidget(client);
    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setTwipsGeometry(840, 720, 7575, 5175);
    Picture1->setBackColor(Colors::rgb(0, 0, 0));
    RVC = new PictureBox(Picture1);
    RVC->setObjectName(QStringLiteral("RVC"));
    RVC->setTwipsGeometry(0, 0, 7335, 4935);
    RVC->setBackColor(Colors::rgb(0, 0, 128));
    createMenus();
}

void RV::createMenus()
{
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption, Qt::Key key) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        action->setParent(this);
        return action;
    };
    Ctrl = menuBar()->addMenu(QStringLiteral("Control"));
    Ctrl->setObjectName(QStringLiteral("Ctrl"));
    Clear = addItem(Ctrl, "Clear", QStringLiteral("Clear(&C)"), Qt::Key_C);
    End = addItem(Ctrl, "End", QStringLiteral("End(&E)"), Qt::Key_E);
    File = menuBar()->addMenu(QStringLiteral("File"));
    File->setObjectName(QStringLiteral("File"));
    FOpen = addItem(File, "FOpen", QStringLiteral("Load(O)"), Qt::Key_O);
    Fsave = addItem(File, "Fsave", QStringLiteral("Save(S)"), Qt::Key_S);

    connect(Clear, &QAction::triggered, this, &RV::Clear_Click);
    connect(End, &QAction::triggered, this, &RV::End_Click);
    connect(FOpen, &QAction::triggered, this, &RV::FOpen_Click);
    connect(Fsave, &QAction::triggered, this, &RV::Fsave_Click);
}

void RV::Clear_Click()
{
    RVC->cls();
}

void RV::End_Click()
{
    Platform::current().beep();
}

void RV::FOpen_Click()
{
    PlotFiles::loadCommand(this, Tag, RVC);
}

void RV::Fsave_Click()
{
    PlotFiles::saveCommand(Tag, RVC);
}
