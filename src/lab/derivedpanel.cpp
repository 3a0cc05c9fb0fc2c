#include "lab/derivedpanel.h"

#include "lab/derivedvalues.h"

#include <QFormLayout>
#include <QLabel>

namespace {

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

DerivedPanel::DerivedPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Derived values"), parent)
    , m_massFunction(valueLabel(this, "massFunctionLabel"))
    , m_minimumMass(valueLabel(this, "minimumMassLabel"))
    , m_trueMass(valueLabel(this, "trueMassLabel"))
    , m_semiMajorAxis(valueLabel(this, "semiMajorAxisLabel"))
    , m_starSpeed(valueLabel(this, "starSpeedLabel"))
    , m_seedMass(valueLabel(this, "seedMassLabel"))
{
    setObjectName(QStringLiteral("derivedBox"));
    auto *form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(QStringLiteral("Mass function f:"), m_massFunction);
    form->addRow(QStringLiteral("m sin i (exact):"), m_minimumMass);
    form->addRow(QStringLiteral("True mass m:"), m_trueMass);
    form->addRow(QStringLiteral("Semi-major axis a:"), m_semiMajorAxis);
    form->addRow(QStringLiteral("Star's orbital speed:"), m_starSpeed);
    form->addRow(QStringLiteral("Screen2's MassFunction:"), m_seedMass);
}

void DerivedPanel::showValuesOf(const LabPlanet &planet)
{
    const DerivedValues::Values values = DerivedValues::of(planet);
    const DerivedValues::Texts texts = DerivedValues::describe(values, planet);
    m_massFunction->setText(texts.massFunction);
    m_minimumMass->setText(texts.minimumMass);
    m_trueMass->setText(texts.trueMass);
    m_semiMajorAxis->setText(texts.semiMajorAxis);
    m_starSpeed->setText(texts.starSpeed);
    m_seedMass->setText(texts.seedMass);
}
