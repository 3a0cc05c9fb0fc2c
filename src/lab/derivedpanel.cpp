#include "lab/derivedpanel.h"

#include "lab/derivedvalues.h"

#include <QEvent>
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
    : QGroupBox(parent)
    , m_massFunction(valueLabel(this, "massFunctionLabel"))
    , m_minimumMass(valueLabel(this, "minimumMassLabel"))
    , m_trueMass(valueLabel(this, "trueMassLabel"))
    , m_semiMajorAxis(valueLabel(this, "semiMajorAxisLabel"))
    , m_starSpeed(valueLabel(this, "starSpeedLabel"))
    , m_seedMass(valueLabel(this, "seedMassLabel"))
{
    setObjectName(QStringLiteral("derivedBox"));
    m_form = new QFormLayout(this);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (QLabel *value : {m_massFunction, m_minimumMass, m_trueMass, m_semiMajorAxis, m_starSpeed, m_seedMass})
        m_form->addRow(new QLabel(this), value);
    retranslate();
}

void DerivedPanel::retranslate()
{
    setTitle(tr("Derived values"));
    const auto caption = [this](QLabel *value, const QString &text) {
        qobject_cast<QLabel *>(m_form->labelForField(value))->setText(text);
    };
    caption(m_massFunction, tr("Mass function f:"));
    caption(m_minimumMass, tr("m sin i (exact):"));
    caption(m_trueMass, tr("True mass m:"));
    caption(m_semiMajorAxis, tr("Semi-major axis a:"));
    caption(m_starSpeed, tr("Star's orbital speed:"));
    caption(m_seedMass, tr("Screen2's MassFunction:"));
    if (m_shown)
        showValuesOf(*m_shown);
}

void DerivedPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
}

void DerivedPanel::showValuesOf(const LabPlanet &planet)
{
    m_shown = planet;
    const DerivedValues::Values values = DerivedValues::of(planet);
    const DerivedValues::Texts texts = DerivedValues::describe(values, planet);
    m_massFunction->setText(texts.massFunction);
    m_minimumMass->setText(texts.minimumMass);
    m_trueMass->setText(texts.trueMass);
    m_semiMajorAxis->setText(texts.semiMajorAxis);
    m_starSpeed->setText(texts.starSpeed);
    m_seedMass->setText(texts.seedMass);
}
