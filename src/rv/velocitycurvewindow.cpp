#include "rv/velocitycurvewindow.h"

#include "files/plotfiles.h"
#include "ground/appinfo.h"
#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "ground/textnumber.h"
#include "rv/linecontrol.h"
#include "seedmodel/simulation.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include <cmath>

namespace {

// A zero K, P or mass is what the boxes hold before any set-up; an
// eccentricity of 0 is a circular orbit and perfectly valid.
bool inputMissing(const RvCurve::Elements &elements, double mass)
{
    for (double value : {elements.eccentricity, elements.semiAmplitude, elements.periodDays, elements.omega, mass}) {
        if (!std::isfinite(value))
            return true;
    }
    return elements.semiAmplitude == 0 || elements.periodDays == 0 || mass == 0;
}

} // namespace

VelocityCurveWindow::VelocityCurveWindow()
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

void VelocityCurveWindow::createControls(QWidget *client)
{
    using Controls::label;
    using Controls::setBackColor;
    using Controls::setForeColor;
    using Controls::textBox;

    // The carrier boxes were designed small and black on the black window;
    // the one under the plot stays hidden behind it.
    m_eccentricityBox = textBox(client, "Text1", 4800, 4440, 975, 495);
    m_semiAmplitudeBox = textBox(client, "Text2", 5880, 6450, 135, 285);
    m_periodBox = textBox(client, "Text3", 6960, 6720, 615, 495);
    m_omegaRadiansBox = textBox(client, "Text5", 240, 6570, 255, 285);
    m_omegaRadiansBox->setText(QStringLiteral("Text5"));
    QLineEdit *text4 = textBox(client, "Text4", 480, 6450, 255, 285);
    text4->setText(QStringLiteral("Text4"));
    QLineEdit *text6 = textBox(client, "Text6", 120, 6480, 255, 285);
    text6->setText(QStringLiteral("Text6"));
    for (QLineEdit *box : {m_eccentricityBox, m_semiAmplitudeBox, m_periodBox, text4, m_omegaRadiansBox, text6})
        setBackColor(box, Colors::rgb(0, 0, 0));

    auto *frame = new PictureBox(client);
    frame->setObjectName(QStringLiteral("Picture1"));
    frame->setTwipsGeometry(840, 720, 7575, 5175);
    frame->setBackColor(Colors::rgb(0, 0, 0));
    m_plot = new PictureBox(frame);
    m_plot->setObjectName(QStringLiteral("RVC"));
    m_plot->setTwipsGeometry(0, 0, 7335, 4935);
    m_plot->setBackColor(Colors::rgb(0, 0, 128));
    m_plot->setForeColor(Colors::rgb(0, 255, 255));

    // Axis decorations over the plot; they are never redrawn or moved.
    const QColor lightGrey = Colors::rgb(192, 192, 192);
    new LineControl(m_plot, "Line3", QLineF(1080, 4680, 1080, 960), lightGrey);
    new LineControl(m_plot, "Line2", QLineF(240, 3480, 6960, 3480), lightGrey);
    new LineControl(m_plot, "Line1", QLineF(0, 0, 0, 4440), Colors::qbColor(10), Qt::DotLine);

    QLabel *title = label(client, "Label6", QStringLiteral("Radial Velocities"), 3000, 120, 3495, 495);
    setForeColor(title, Colors::rgb(255, 128, 0));
    setBackColor(title, Colors::rgb(64, 0, 0));
    QLabel *velocityCaption = label(client, "Label8", QStringLiteral("Velocity (m/s)"), 360, 240, 2415, 375);
    setForeColor(velocityCaption, Colors::qbColor(11));
    setBackColor(velocityCaption, Colors::qbColor(9));
    QLabel *phaseCaption = label(client, "Label5", QStringLiteral("Orbital Phase"), 3840, 6120, 1935, 375);
    setForeColor(phaseCaption, Colors::rgb(255, 255, 0));
    setBackColor(phaseCaption, Colors::rgb(192, 0, 0));
    QLabel *velocityZero = label(client, "Label4", QStringLiteral("0"), 480, 3960, 255, 375);
    setBackColor(velocityZero, Colors::rgb(255, 255, 255));
    QLabel *phaseZero = label(client, "Label3", QStringLiteral("0"), 1800, 6000, 255, 375);
    setBackColor(phaseZero, Colors::rgb(255, 255, 255));
    label(client, "Label7", QString(), 0, 0, 0, 0);
}

void VelocityCurveWindow::formLoad()
{
    m_plot->setToolTip(QStringLiteral("This screen shows the Radius Velocity Curve of the planets each other."));
}

void VelocityCurveWindow::createMenus()
{
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption, Qt::Key key, auto command) {
        QAction *action = Controls::menuItem(menu, name, caption, QKeySequence(Qt::CTRL | key));
        connect(action, &QAction::triggered, this, command);
    };
    QMenu *control = menuBar()->addMenu(QStringLiteral("Control"));
    control->setObjectName(QStringLiteral("Ctrl"));
    addItem(control, "Clear", QStringLiteral("Clear(&C)"), Qt::Key_C, [this] { m_plot->cls(); });
    addItem(control, "End", QStringLiteral("End(&E)"), Qt::Key_E, [] { Platform::current().beep(); });
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File"));
    addItem(file, "FOpen", QStringLiteral("Load(O)"), Qt::Key_O,
            [this] { PlotFiles::loadCommand(this, m_statusWord, m_plot); });
    addItem(file, "Fsave", QStringLiteral("Save(S)"), Qt::Key_S,
            [this] { PlotFiles::saveCommand(m_statusWord, m_plot); });
}

void VelocityCurveWindow::showElements(const Simulation &simulation)
{
    using TextNumber::shortest;
    m_semiAmplitudeBox->setText(shortest(simulation.elements.semiAmplitude));
    m_periodBox->setText(shortest(simulation.elements.periodDays));
    m_eccentricityBox->setText(shortest(simulation.elements.eccentricity));
    m_omegaRadiansBox->setText(shortest(simulation.omegaRadians()));
}

QStringList VelocityCurveWindow::printedSummary() const
{
    return m_printedSummary;
}

void VelocityCurveWindow::removePlotPicture()
{
    m_plot->setPicture(QImage());
}

bool VelocityCurveWindow::drawRadialVelocityCurve(const RvCurve::Elements &elements, double mass, bool earthMasses,
                                                  const QString &planetName)
{
    m_plot->cls();
    m_printedSummary.clear();
    if (inputMissing(elements, mass)) {
        Platform::current().messageBox(QStringLiteral("Please Click on this button after you input the datas."),
                                       MsgBox::OkOnly, AppInfo::title());
        // The carrier values and the plot go with the window.
        FormRegistry::instance().unload(this);
        return false;
    }

    m_plot->setForeColor(Colors::rgb(0, 255, 255));
    for (const RvCurve::SummaryLine &line : RvCurve::summary(planetName, mass, earthMasses, elements)) {
        m_printedSummary.append(line.text + line.italicTail);
        m_plot->pset(line.position);
        m_plot->print(line.text, false);
        if (!line.italicTail.isEmpty()) {
            m_plot->setFontItalic(true);
            m_plot->print(line.italicTail, true);
            m_plot->setFontItalic(false);
        }
    }

    m_plot->setForeColor(Colors::qbColor(14));
    m_plot->setDrawWidth(2);
    const QList<QPointF> points = RvCurve::points(elements);
    if (points.isEmpty()) {
        Platform::current().messageBox(QStringLiteral("Can NOT draw the radial velocity curve. "), MsgBox::OkOnly,
                                       AppInfo::title());
    }
    for (const QPointF &point : points)
        m_plot->pset(point);
    return true;
}

void VelocityCurveWindow::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}
