#include "lab/elementpanel.h"

#include "ground/controls.h"
#include "lab/elementcontrol.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

/// Wide enough for the longest value an element box shows (a period to
/// eight decimals with its unit), no wider.
constexpr int SpinWidth = 118;

} // namespace

ElementPanel::ElementPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("elementPanel"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_planetName = new QLabel(this);
    m_planetName->setObjectName(QStringLiteral("planetNameLabel"));
    m_planetName->setWordWrap(true);
    QFont bold = m_planetName->font();
    bold.setBold(true);
    m_planetName->setFont(bold);
    column->addWidget(m_planetName);
    createElements();
    createSwitches();
    retranslate();
    column->addStretch(1);
}

void ElementPanel::createElements()
{
    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    int row = 0;
    auto addElement = [&](const char *caption, const QString &name, const ElementControl::Range &range, double low,
                          double high, int decimals, const QString &unit) {
        auto *element = new ElementControl(this, name, range, low, high, decimals, unit);
        auto *label = new QLabel(this);
        m_captions.append({label, caption});
        label->setBuddy(element->spinBox());
        element->spinBox()->setFixedWidth(SpinWidth);
        grid->addWidget(label, row, 0);
        grid->addWidget(element->spinBox(), row, 1);
        grid->addWidget(element->slider(), row, 2);
        ++row;
        return element;
    };
    using Scale = ElementControl::Scale;
    // Decimals: as many as the catalog and a fit carry (P to the catalog's
    // 3.52474554 d, T_p to 0.0001 d).
    m_period = addElement(QT_TR_NOOP("Period P"), QStringLiteral("period"), {0.1, 1e5, Scale::Logarithmic}, 0.01, 1e6,
                          8, QStringLiteral(" d"));
    m_amplitude = addElement(QT_TR_NOOP("Semi-amplitude K"), QStringLiteral("semiAmplitude"),
                             {0.1, 5000, Scale::Logarithmic}, 0.001, 1e5, 3, QStringLiteral(" m/s"));
    m_eccentricity = addElement(QT_TR_NOOP("Eccentricity e"), QStringLiteral("eccentricity"), {0, 0.99, Scale::Linear},
                                0, 0.999, 4, QString());
    m_omega = addElement(QT_TR_NOOP("Periastron ω"), QStringLiteral("omega"), {0, 360, Scale::Linear}, 0, 360, 2,
                         QStringLiteral("°"));
    m_periastron = addElement(QT_TR_NOOP("Periastron time"), QStringLiteral("periastronTime"), {0, 1, Scale::Linear},
                              -1e6, 1e6, 4, QStringLiteral(" d"));
    m_starMass = addElement(QT_TR_NOOP("Star mass M★"), QStringLiteral("starMass"), {0.08, 50, Scale::Logarithmic},
                            0.01, 200, 3, QStringLiteral(" M☉"));
    m_inclination = addElement(QT_TR_NOOP("Inclination i"), QStringLiteral("inclination"), {0, 90, Scale::Linear}, 0,
                               90, 1, QStringLiteral("°"));
    m_speed = addElement(QT_TR_NOOP("Speed"), QStringLiteral("speed"), {0.1, 20, Scale::Logarithmic}, 0.05, 50, 2,
                         QStringLiteral(" ×"));
    m_speed->setValueQuietly(1);
    qobject_cast<QVBoxLayout *>(layout())->addLayout(grid);
    for (ElementControl *element : elements())
        connect(element, &ElementControl::valueChanged, this, &ElementPanel::elementsEdited);
}

void ElementPanel::retranslate()
{
    for (const auto &[label, caption] : std::as_const(m_captions))
        label->setText(tr(caption));
    m_phaseCheck->setText(tr("Orbital phase on the horizontal axis"));
    m_schematicCheck->setText(tr("Show Screen3's schematic curve"));
    m_playButton->setText(tr("Play"));
    m_pauseButton->setText(tr("Pause"));
}

void ElementPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ElementPanel::createSwitches()
{
    auto *column = qobject_cast<QVBoxLayout *>(layout());
    auto *phase = m_phaseCheck = new QCheckBox(this);
    phase->setObjectName(QStringLiteral("phaseCheck"));
    auto *schematic = m_schematicCheck = new QCheckBox(this);
    schematic->setObjectName(QStringLiteral("schematicCheck"));
    column->addWidget(phase);
    column->addWidget(schematic);
    connect(phase, &QCheckBox::toggled, this, &ElementPanel::phaseAxisToggled);
    connect(schematic, &QCheckBox::toggled, this, &ElementPanel::schematicToggled);

    auto *buttons = new QHBoxLayout;
    m_playButton = new QPushButton(this);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    m_pauseButton = new QPushButton(this);
    m_pauseButton->setObjectName(QStringLiteral("pauseButton"));
    buttons->addWidget(m_playButton);
    buttons->addWidget(m_pauseButton);
    column->addLayout(buttons);
    connect(m_playButton, &QPushButton::clicked, this, &ElementPanel::playClicked);
    connect(m_pauseButton, &QPushButton::clicked, this, &ElementPanel::pauseClicked);

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("refusalLabel"));
    m_refusal->setWordWrap(true);
    Controls::setForeColor(m_refusal, QColor(190, 0, 0));
    m_refusal->hide();
    column->addWidget(m_refusal);
}

void ElementPanel::showElements(const LabPlanet &planet)
{
    m_period->setValueQuietly(planet.orbit.periodDays);
    m_amplitude->setValueQuietly(planet.orbit.semiAmplitude);
    m_eccentricity->setValueQuietly(planet.orbit.eccentricity);
    const double omegaDegrees = std::fmod(planet.orbit.omegaRadians / LabUnits::RadiansPerDegree, 360.0);
    m_omega->setValueQuietly(omegaDegrees < 0 ? omegaDegrees + 360 : omegaDegrees);
    m_periastron->setValueQuietly(planet.orbit.periastronTime);
    m_starMass->setValueQuietly(planet.starMassSolar);
    m_inclination->setValueQuietly(planet.inclinationDegrees);
}

LabPlanet ElementPanel::editedFrom(const LabPlanet &base) const
{
    LabPlanet planet = base;
    planet.orbit.periodDays = m_period->value();
    planet.orbit.semiAmplitude = m_amplitude->value();
    planet.orbit.eccentricity = m_eccentricity->value();
    planet.orbit.omegaRadians = m_omega->value() * LabUnits::RadiansPerDegree;
    planet.orbit.periastronTime = m_periastron->value();
    planet.starMassSolar = m_starMass->value();
    planet.inclinationDegrees = m_inclination->value();
    return planet;
}

QList<ElementControl *> ElementPanel::elements() const
{
    return {m_period, m_amplitude, m_eccentricity, m_omega, m_periastron, m_starMass, m_inclination};
}

bool ElementPanel::showsGivenElements() const
{
    return std::ranges::all_of(elements(), &ElementControl::showsGivenValue);
}

void ElementPanel::setPlanetName(const QString &name)
{
    m_planetName->setText(name);
}

void ElementPanel::showRefusal(const QString &reason)
{
    m_refusal->setText(reason);
    m_refusal->setVisible(!reason.isEmpty());
}

void ElementPanel::setPeriod(double periodDays)
{
    m_periastron->setSliderRange({0, periodDays, ElementControl::Scale::Linear});
}

void ElementPanel::setPlaying(bool playing)
{
    m_playButton->setEnabled(!playing);
    m_pauseButton->setEnabled(playing);
}

double ElementPanel::speed() const
{
    return m_speed->value();
}
