#include "rv/rv.h"

#include "app/colors.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/pictures.h"
#include "app/platform.h"
#include "files/plotfiles.h"
#include "rv/linecontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

RV::RV()
{
    setObjectName(QStringLiteral("RV"));
    setWindowTitle(QStringLiteral("Orbiquest9 - Screen3"));
    setWindowIcon(Pictures::programIcon());
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips::size(8715, 6855));
    client->setFont(Fonts::gothic(14.25, true));
    Controls::setBackColor(client, Colors::rgb(0, 0, 0));
    setCentralWidget(client);
    createControls(client);
    createMenus();
}

void RV::createControls(QWidget *client)
{
    using Controls::label;
    using Controls::setBackColor;
    using Controls::setForeColor;
    using Controls::textBox;

    // The carrier boxes were designed small and black on the black window;
    // the one under the plot stays hidden behind it.
    Text1 = textBox(client, "Text1", 4800, 4440, 975, 495);
    Text2 = textBox(client, "Text2", 5880, 6450, 135, 285);
    Text3 = textBox(client, "Text3", 6960, 6720, 615, 495);
    Text5 = textBox(client, "Text5", 240, 6570, 255, 285);
    Text5->setText(QStringLiteral("Text5"));
    Text4 = textBox(client, "Text4", 480, 6450, 255, 285);
    Text4->setText(QStringLiteral("Text4"));
    Text6 = textBox(client, "Text6", 120, 6480, 255, 285);
    Text6->setText(QStringLiteral("Text6"));
    for (QLineEdit *box : {Text1, Text2, Text3, Text4, Text5, Text6})
        setBackColor(box, Colors::rgb(0, 0, 0));

    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setTwipsGeometry(840, 720, 7575, 5175);
    Picture1->setBackColor(Colors::rgb(0, 0, 0));
    RVC = new PictureBox(Picture1);
    RVC->setObjectName(QStringLiteral("RVC"));
    RVC->setTwipsGeometry(0, 0, 7335, 4935);
    RVC->setBackColor(Colors::rgb(0, 0, 128));
    RVC->setForeColor(Colors::rgb(0, 255, 255));

    // Axis decorations over the plot; they are never redrawn or moved.
    const QColor lightGrey = Colors::rgb(192, 192, 192);
    Line3 = new LineControl(RVC, "Line3", QLineF(1080, 4680, 1080, 960), lightGrey);
    Line2 = new LineControl(RVC, "Line2", QLineF(240, 3480, 6960, 3480), lightGrey);
    Line1 = new LineControl(RVC, "Line1", QLineF(0, 0, 0, 4440), Colors::qbColor(10),
                            Qt::DotLine);

    Label6 = label(client, "Label6", QStringLiteral("Radial Velocities"), 3000, 120, 3495, 495);
    setForeColor(Label6, Colors::rgb(255, 128, 0));
    setBackColor(Label6, Colors::rgb(64, 0, 0));
    Label8 = label(client, "Label8", QStringLiteral("Velocity (m/s)"), 360, 240, 2415, 375);
    setForeColor(Label8, Colors::qbColor(11));
    setBackColor(Label8, Colors::qbColor(9));
    Label5 = label(client, "Label5", QStringLiteral("Orbital Phase"), 3840, 6120, 1935, 375);
    setForeColor(Label5, Colors::rgb(255, 255, 0));
    setBackColor(Label5, Colors::rgb(192, 0, 0));
    Label4 = label(client, "Label4", QStringLiteral("0"), 480, 3960, 255, 375);
    setBackColor(Label4, Colors::rgb(255, 255, 255));
    Label3 = label(client, "Label3", QStringLiteral("0"), 1800, 6000, 255, 375);
    setBackColor(Label3, Colors::rgb(255, 255, 255));
    Label7 = label(client, "Label7", QString(), 0, 0, 0, 0);
}

void RV::formLoad()
{
    RVC->setToolTip(
        QStringLiteral("This screen shows the Radius Velocity Curve of the planets each other."));
}

void RV::createMenus()
{
    auto addItem = [](QMenu *menu, const char *name, const QString &caption, Qt::Key key) {
        return Controls::menuItem(menu, name, caption, QKeySequence(Qt::CTRL | key));
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
