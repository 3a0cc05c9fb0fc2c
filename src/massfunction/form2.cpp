#include "massfunction/form2.h"

#include "app/colors.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/pictures.h"
#include "app/platform.h"
#include "catalog/catalog.h"
#include "labdata/labobservations.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

Form2::Form2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Orbiquest9 Screen2"));
    setWindowIcon(Pictures::programIcon());
    setFixedSize(Twips::size(10200, 6045));
    setFont(Fonts::gothic(14.25));
    // Only the window's own ground is black; the boxes and the list keep theirs.
    QPalette ground = palette();
    ground.setColor(QPalette::Window, Colors::rgb(0, 0, 0));
    setPalette(ground);
    setAutoFillBackground(true);
    createControls();
}

void Form2::createControls()
{
    using Controls::label;
    using Controls::setForeColor;
    using Controls::textBox;

    // A caption-less label that the explanation box covers.
    Label5 = label(this, "Label5", QString(), 240, 4080, 1695, 375);

    Label2 = label(this, "Label2", QStringLiteral("Name"), 600, 360, 1095, 375);
    setForeColor(Label2, Colors::qbColor(13));
    Text2 = textBox(this, "Text2", 2160, 360, 4095, 420);

    Check1 = new QCheckBox(QStringLiteral("M_{E}(地球質量)"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(Twips::rect(7440, 720, 2295, 495));
    setForeColor(Check1, Colors::qbColor(10));
    Controls::setBackColor(Check1, Colors::qbColor(8));
    Controls::fitText(Check1, Check1->text(), width() - Check1->x(), 32);

    Label3 = label(this, "Label3", QStringLiteral("Judgement of the Orbital form"), 720, 1080,
                   4335, 375);
    setForeColor(Label3, Colors::qbColor(10));
    Text3 = textBox(this, "Text3", 5640, 1080, 1335, 420);

    Label4 = label(this, "Label4", QStringLiteral("m=Msin(i)="), 600, 1920, 1695, 375);
    setForeColor(Label4, Colors::rgb(255, 255, 0));
    Text1 = textBox(this, "Text1", 2400, 1875, 2175, 420);
    Label6 = label(this, "Label6", QStringLiteral("(M_JUP)"), 4680, 1920, 2775, 375);
    setForeColor(Label6, Colors::rgb(255, 255, 0));
    Text5 = textBox(this, "Text5", 7800, 1920, 2055, 420);

    Label8 = label(this, "Label8", QStringLiteral("The Exoplanets Catalog"), 240, 2640, 3495, 375);
    setForeColor(Label8, Colors::qbColor(10));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(3960, 2520, 5295, 630));
    // The designed box is two rows high; a horizontal bar would hide them.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setTextElideMode(Qt::ElideNone);

    Label1 = label(this, "Label1", QStringLiteral("Explanation of About the planet"), 360, 3480,
                   4455, 375);
    setForeColor(Label1, Colors::rgb(255, 128, 0));
    Text4 = new QPlainTextEdit(this);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setGeometry(Twips::rect(240, 3840, 9735, 975));
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);


    LabObservations::addRealDataButton(this, List1, Twips::rect(240, 4920, 1935, 420));
    connect(List1, &QListWidget::currentRowChanged, this, &Form2::List1_Click);
    connect(Check1, &QCheckBox::toggled, this, &Form2::Check1_Click);
}

void Form2::formLoad()
{
    fillTables();
    List1->addItems(RowText);
}

void Form2::fillTables()
{
    RowText = {
        QStringLiteral(" No, P(day / Period)   K(m/s / Velocity) "),
        QStringLiteral(" 1.       4.230785          55.94    "),
        QStringLiteral(" 2.       2.87598           40.4     "),
        QStringLiteral(" 3.       3.52474554        84.27    "),
        QStringLiteral(" 4.      21.22             275         "),
        QStringLiteral(" 5.      14.652             73.38"),
        QStringLiteral(" 6.      44.36               9.60   "),
        QStringLiteral(" 7.    5552                 47.5     "),
        QStringLiteral(" 8.       2.7955             5.80     "),
        QStringLiteral(" 9.     260.0                4.88   "),
        QStringLiteral("10.    1083.2               49.3      "),
        QStringLiteral("11.   2594                 11.1    "),
        QStringLiteral("12.    798.5               50.5        "),
        QStringLiteral("13.    255.870            564.8        "),
        QStringLiteral("14.   1383                 42.0       "),
        QStringLiteral("15.    804.9              418        "),
    };

    PlanetName.clear();
    for (int i = 0; i <= PlanetCatalog::LastPlanet; ++i)
        PlanetName.append(PlanetCatalog::planetName(i));

    Explanation = QStringList(PlanetCatalog::LastPlanet + 1);
    Explanation[0] = QStringLiteral(
        "Display about explanation of the planet or the planetary system in this.");
    Explanation[1] = QStringLiteral(
        "October 6 in 1995, Swiss astronomers have discovered the 1st planet out solar-system.");
    Explanation[2] = QStringLiteral(
        "HD 149026 is now the second brightest star with a transiting extrasolar planet. The "
        "mass of the star, based on interpolation of stellar evolutionary models, is 1.3±0.1 Ms "
        "together with the Doppler amplitude, K = 43.3 m/s, we derive a planet mass, M sin i = "
        "0.36 MJup, and orbitalradius of 0.042 AU.");
    Explanation[3] = QStringLiteral(
        "This planet was detected transit-method by astronomers. They call 'Hot Jupiter'.");
    Explanation[4] = QStringLiteral(
        "This is the 2nd planet which have been detected with Subaru Telescope by astronomers "
        "in NAO. In nearly future, Astronomers probably may have solved the process of evolution "
        "of the planet which is called Hot Jupiters.");
    Explanation[5] = QStringLiteral(
        "This planetary system have been known similar to our system. Four planets run around "
        "the star.");
    Explanation[10] = QStringLiteral(
        "The G0 V star 47 UMa exhibits very low amplitude radial velocity variations having a "
        "period of 2.98 yr, a velocity amplitude of K5 45.5 m/s , and small eccentricity.");
    Explanation[12] = QStringLiteral(
        "16Cygni B b which the planet has eccentricity of 0.63 run around 16Cygni B(HD186427) "
        "the form of ellipse orbit. Astronomers detected a planetary-mass companion to the "
        "solar-type star 16Cygni B, the secondary star of the 16 Cygni triple star system. ");
    Explanation[13] = QStringLiteral(
        "An often proposed explanation for the planet eccentricities involves the gravitational "
        "perturbation of a stellar companion, that can be applied to HD 202206.");
    Explanation[15] = QStringLiteral(
        "The resulting mass function of this binary yields a minimum mass for the companion of "
        "26MJ±1.4MJ.");
}

void Form2::List1_Click()
{
    const int row = List1->currentRow();
    if (row < 0 || row >= PlanetName.size())
        return;
    Text1->clear();
    Text2->setText(PlanetName.at(row));
    Text3->clear();
    Text4->setPlainText(Explanation.at(row));
    Text5->clear();
}

void Form2::Check1_Click()
{
    if (Check1->isChecked()) {
        Controls::setForeColor(Label6, Colors::rgb(0, 169, 241));
        Label6->setText(QStringLiteral("M_{E}(地球質量)"));
        return;
    }
    Platform::current().messageBox(QStringLiteral("Orbiquest9 calaculates at Mass of Jupiter."),
                                   MsgBox::OkOnly | MsgBox::Exclamation,
                                   QStringLiteral("Caution!"));
    Controls::setForeColor(Label6, Colors::rgb(255, 255, 0));
    Label6->setText(QStringLiteral("M_{JUP}(木星質量)"));
}
