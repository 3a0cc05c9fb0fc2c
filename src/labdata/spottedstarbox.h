#pragma once

#include "detection/spottedstar.h"

#include <QGroupBox>

#include <optional>

class QDoubleSpinBox;
class QFormLayout;

/// The synthetic dialog's "Spotted star" group: when checked (it starts
/// unchecked), the star's rotation, carried by spots that live and die, moves
/// the velocities and an S-index alike, an impostor for the student to
/// unmask. Object names: "syntheticSpotted" (the group),
/// "syntheticRotationPeriod", "syntheticSpotLifetime",
/// "syntheticSpotVelocity", "syntheticSpotIndex".
class SpottedStarBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit SpottedStarBox(QWidget *parent = nullptr);

    /// The star the boxes describe, drawing its spots from `seed`; nothing
    /// when the group is unchecked.
    std::optional<Detection::SpottedStar> star(std::uint64_t seed) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QDoubleSpinBox *m_rotation;
    QDoubleSpinBox *m_lifetime;
    QDoubleSpinBox *m_velocity;
    QDoubleSpinBox *m_index;
    QFormLayout *m_form;
};
