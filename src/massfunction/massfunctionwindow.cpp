#include "massfunction/massfunctionwindow.h"

#include "catalog/catalog.h"
#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/fonts.h"
#include "ground/formregistry.h"
#include "ground/pictures.h"
#include "ground/platform.h"
#include "ground/textnumber.h"
#include "seedmodel/companionclass.h"
#include "seedmodel/massfunction.h"
#include "seedmodel/orbitform.h"
#include "seedmodel/simulation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

MassFunctionWindow::MassFunctionWindow()
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

void MassFunctionWindow::createControls()
{
    using Controls::label;
    using Controls::setForeColor;
    using Controls::textBox;

    // A caption-less label that the explanation box covers.
    label(this, "Label5", QString(), 240, 4080, 1695, 375);

    QLabel *nameCaption = label(this, "Label2", QStringLiteral("Name"), 600, 360, 1095, 375);
    setForeColor(nameCaption, Colors::qbColor(13));
    m_planetNameBox = textBox(this, "Text2", 2160, 360, 4095, 420);

    m_earthMassBox = new QCheckBox(this);
    m_earthMassBox->setObjectName(QStringLiteral("Check1"));
    m_earthMassBox->setGeometry(Twips::rect(7440, 720, 2295, 495));
    setForeColor(m_earthMassBox, Colors::qbColor(10));
    Controls::setBackColor(m_earthMassBox, Colors::qbColor(8));

    QLabel *orbitFormCaption =
        label(this, "Label3", QStringLiteral("Judgement of the Orbital form"), 720, 1080, 4335, 375);
    setForeColor(orbitFormCaption, Colors::qbColor(10));
    m_orbitFormBox = textBox(this, "Text3", 5640, 1080, 1335, 420);

    QLabel *massCaption = label(this, "Label4", QStringLiteral("m=Msin(i)="), 600, 1920, 1695, 375);
    setForeColor(massCaption, Colors::rgb(255, 255, 0));
    m_massBox = textBox(this, "Text1", 2400, 1875, 2175, 420);
    m_massUnitLabel = label(this, "Label6", QStringLiteral("(M_JUP)"), 4680, 1920, 2775, 375);
    setForeColor(m_massUnitLabel, Colors::rgb(255, 255, 0));
    m_classBox = textBox(this, "Text5", 7800, 1920, 2055, 420);

    QLabel *listCaption = label(this, "Label8", QStringLiteral("The Exoplanets Catalog"), 240, 2640, 3495, 375);
    setForeColor(listCaption, Colors::qbColor(10));
    m_catalogList = new QListWidget(this);
    m_catalogList->setObjectName(QStringLiteral("List1"));
    m_catalogList->setGeometry(Twips::rect(3960, 2520, 5295, 630));
    // The designed box is two rows high; a horizontal bar would hide them.
    m_catalogList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_catalogList->setTextElideMode(Qt::ElideNone);

    QLabel *explanationCaption =
        label(this, "Label1", QStringLiteral("Explanation of About the planet"), 360, 3480, 4455, 375);
    setForeColor(explanationCaption, Colors::rgb(255, 128, 0));
    m_explanationBox = new QPlainTextEdit(this);
    m_explanationBox->setObjectName(QStringLiteral("Text4"));
    m_explanationBox->setGeometry(Twips::rect(240, 3840, 9735, 975));
    m_explanationBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_realDataButton = new QPushButton(this);
    m_realDataButton->setObjectName(QStringLiteral("realDataButton"));
    m_realDataButton->setGeometry(Twips::rect(240, 4920, 1935, 420));
    m_realDataButton->setEnabled(false);

    connect(m_catalogList, &QListWidget::currentRowChanged, this, &MassFunctionWindow::showChosenPlanet);
    connect(m_realDataButton, &QPushButton::clicked, this, [this] { emit realDataRequested(m_shownCatalogIndex); });
    connect(m_earthMassBox, &QCheckBox::toggled, this, &MassFunctionWindow::showMassUnit);
    retranslate();
}

void MassFunctionWindow::retranslate()
{
    m_earthMassBox->setText(massUnitCaption(true));
    m_earthMassBox->setFont(font());
    Controls::fitText(m_earthMassBox, m_earthMassBox->text(), width() - m_earthMassBox->x(), 32);
    if (m_massUnitShown)
        m_massUnitLabel->setText(massUnitCaption(*m_massUnitShown));
    m_realDataButton->setText(tr("Real data"));
    m_realDataButton->setToolTip(tr("Open the measured velocities of this planet's star in the Kepler lab"));
    m_planetNames.clear();
    for (int i = 0; i <= PlanetCatalog::LastPlanet; ++i)
        m_planetNames.append(PlanetCatalog::planetName(i));
    if (const int row = m_catalogList->currentRow(); row >= 0 && row < m_planetNames.size())
        m_planetNameBox->setText(m_planetNames.at(row));
}

QString MassFunctionWindow::massUnitCaption(bool earthMasses)
{
    return earthMasses ? tr("M_{E}(Earth masses)") : tr("M_{JUP}(Jupiter masses)");
}

void MassFunctionWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void MassFunctionWindow::formLoad()
{
    fillTables();
    m_catalogList->addItems(m_rowTexts);
    // About three rows fit the designed height in the designed font.
    Controls::fitRows(m_catalogList, 3);
}

void MassFunctionWindow::fillTables()
{
    m_rowTexts = {
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

    m_explanations = QStringList(PlanetCatalog::LastPlanet + 1);
    m_explanations[0] = QStringLiteral("Display about explanation of the planet or the planetary system in this.");
    m_explanations[1] =
        QStringLiteral("October 6 in 1995, Swiss astronomers have discovered the 1st planet out solar-system.");
    m_explanations[2] = QStringLiteral(
        "HD 149026 is now the second brightest star with a transiting extrasolar planet. The "
        "mass of the star, based on interpolation of stellar evolutionary models, is 1.3±0.1 Ms "
        "together with the Doppler amplitude, K = 43.3 m/s, we derive a planet mass, M sin i = "
        "0.36 MJup, and orbitalradius of 0.042 AU.");
    m_explanations[3] =
        QStringLiteral("This planet was detected transit-method by astronomers. They call 'Hot Jupiter'.");
    m_explanations[4] = QStringLiteral(
        "This is the 2nd planet which have been detected with Subaru Telescope by astronomers "
        "in NAO. In nearly future, Astronomers probably may have solved the process of evolution "
        "of the planet which is called Hot Jupiters.");
    m_explanations[5] = QStringLiteral(
        "This planetary system have been known similar to our system. Four planets run around "
        "the star.");
    m_explanations[10] = QStringLiteral(
        "The G0 V star 47 UMa exhibits very low amplitude radial velocity variations having a "
        "period of 2.98 yr, a velocity amplitude of K5 45.5 m/s , and small eccentricity.");
    m_explanations[12] = QStringLiteral(
        "16Cygni B b which the planet has eccentricity of 0.63 run around 16Cygni B(HD186427) "
        "the form of ellipse orbit. Astronomers detected a planetary-mass companion to the "
        "solar-type star 16Cygni B, the secondary star of the 16 Cygni triple star system. ");
    m_explanations[13] = QStringLiteral(
        "An often proposed explanation for the planet eccentricities involves the gravitational "
        "perturbation of a stellar companion, that can be applied to HD 202206.");
    m_explanations[15] = QStringLiteral(
        "The resulting mass function of this binary yields a minimum mass for the companion of "
        "26MJ±1.4MJ.");
}

void MassFunctionWindow::showChosenPlanet()
{
    const int row = m_catalogList->currentRow();
    if (row < 0 || row >= m_planetNames.size())
        return;
    m_massBox->clear();
    m_shownJupiterMasses.reset();
    m_planetNameBox->setText(m_planetNames.at(row));
    m_orbitFormBox->clear();
    m_explanationBox->setPlainText(m_explanations.at(row));
    m_classBox->clear();
    showCatalogPlanet(row);
}

void MassFunctionWindow::showCatalogPlanet(int catalogIndex)
{
    m_shownCatalogIndex = catalogIndex;
    m_realDataButton->setEnabled(!PlanetCatalog::shippedSystemFile(catalogIndex).isEmpty());
}

void MassFunctionWindow::showMassUnit()
{
    // The number follows its unit label.
    if (m_shownJupiterMasses) {
        m_massBox->setText(
            TextNumber::shortest(MassFunctionMath::shownMass(*m_shownJupiterMasses, m_earthMassBox->isChecked())));
    }
    if (m_earthMassBox->isChecked()) {
        Controls::setForeColor(m_massUnitLabel, Colors::rgb(0, 169, 241));
        m_massUnitShown = true;
        m_massUnitLabel->setText(massUnitCaption(true));
        return;
    }
    Platform::current().messageBox(QStringLiteral("Orbiquest9 calaculates at Mass of Jupiter."),
                                   MsgBox::OkOnly | MsgBox::Exclamation, QStringLiteral("Caution!"));
    Controls::setForeColor(m_massUnitLabel, Colors::rgb(255, 255, 0));
    m_massUnitShown = false;
    m_massUnitLabel->setText(massUnitCaption(false));
}

void MassFunctionWindow::showResult(const Simulation &simulation)
{
    m_shownJupiterMasses = simulation.minimumMassJupiter;
    m_massBox->setText(TextNumber::shortest(simulation.shownMass()));
    const CompanionClass companion = CompanionClass::of(simulation.minimumMassJupiter);
    Controls::setForeColor(m_classBox, companion.color);
    m_classBox->setText(companion.name);
    if (const std::optional<OrbitForm> orbit = OrbitForm::of(simulation.elements.eccentricity)) {
        Controls::setForeColor(m_orbitFormBox, orbit->textColor);
        m_orbitFormBox->setText(orbit->name);
    }
    showCatalogPlanet(simulation.elements.catalogIndex);
}

bool MassFunctionWindow::showsEarthMasses() const
{
    return m_earthMassBox->isChecked();
}

void MassFunctionWindow::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}
