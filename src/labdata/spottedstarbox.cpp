#include "labdata/spottedstarbox.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>

namespace {

QDoubleSpinBox *spinBox(const char *name, double low, double high, int decimals, double value)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setValue(value);
    return box;
}

} // namespace

SpottedStarBox::SpottedStarBox(QWidget *parent) : QGroupBox(parent), m_form(new QFormLayout(this))
{
    setObjectName(QStringLiteral("syntheticSpotted"));
    setCheckable(true);
    setChecked(false);
    const Detection::SpottedStar defaults;
    m_rotation = spinBox("syntheticRotationPeriod", 0.1, 10000, 2, defaults.rotationPeriodDays);
    m_lifetime = spinBox("syntheticSpotLifetime", 0.1, 100000, 1, defaults.spotLifetimeDays);
    m_velocity = spinBox("syntheticSpotVelocity", 0, 10000, 2, defaults.velocityAmplitude);
    m_index = spinBox("syntheticSpotIndex", 0, 10, 3, defaults.indexAmplitude);
    for (QDoubleSpinBox *box : {m_rotation, m_lifetime, m_velocity, m_index})
        m_form->addRow(new QLabel, box);
    retranslate();
}

std::optional<Detection::SpottedStar> SpottedStarBox::star(std::uint64_t seed) const
{
    if (!isChecked())
        return std::nullopt;
    Detection::SpottedStar star;
    star.rotationPeriodDays = m_rotation->value();
    star.spotLifetimeDays = m_lifetime->value();
    star.velocityAmplitude = m_velocity->value();
    star.indexAmplitude = m_index->value();
    star.seed = seed;
    return star;
}

void SpottedStarBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
}

void SpottedStarBox::retranslate()
{
    setTitle(tr("Spotted star"));
    setToolTip(tr("Spots carried round by the star's rotation shift the velocities and raise the S-index together"));
    const std::pair<QDoubleSpinBox *, QString> rows[] = {{m_rotation, tr("Rotation period")},
                                                         {m_lifetime, tr("Spot lifetime")},
                                                         {m_velocity, tr("Velocity amplitude")},
                                                         {m_index, tr("S-index amplitude")}};
    for (const auto &[box, text] : rows) {
        if (auto *label = qobject_cast<QLabel *>(m_form->labelForField(box)))
            label->setText(text);
    }
    m_rotation->setSuffix(tr(" d"));
    m_lifetime->setSuffix(tr(" d"));
    m_velocity->setSuffix(tr(" m/s"));
}
