#pragma once

#include "lab/labplanet.h"

#include <QGroupBox>

#include <optional>

class QFormLayout;
class QLabel;

/// The lab's "Derived values" box ("derivedBox"): what follows from the
/// planet's elements, its star's mass and the inclination (DerivedValues),
/// each on a line with its unit, the companion's class beside each mass.
///
/// Object names of the values: "massFunctionLabel", "minimumMassLabel",
/// "trueMassLabel", "semiMajorAxisLabel", "starSpeedLabel", "seedMassLabel".
class DerivedPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit DerivedPanel(QWidget *parent = nullptr);

    /// Shows the values of a planet whose orbit passed Kepler::refusal().
    void showValuesOf(const LabPlanet &planet);

protected:
    void changeEvent(QEvent *event) override;

private:
    /// Captions, and the values shown again, in the current language.
    void retranslate();

    QFormLayout *m_form = nullptr;
    /// The planet whose values are shown, if any.
    std::optional<LabPlanet> m_shown;
    QLabel *m_massFunction;
    QLabel *m_minimumMass;
    QLabel *m_trueMass;
    QLabel *m_semiMajorAxis;
    QLabel *m_starSpeed;
    QLabel *m_seedMass;
};
