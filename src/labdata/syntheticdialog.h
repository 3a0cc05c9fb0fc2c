#pragma once

#include "observations/synthetic.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

/// "Make synthetic observations": how the current planet is to be observed.
/// Shown without blocking (open(), not exec()); accepted() means "make
/// them". Object names: "syntheticPoints", "syntheticSpan",
/// "syntheticCadence", "syntheticNoise", "syntheticJitter", "syntheticSeed",
/// "syntheticInstrument", "syntheticRefusal".
class SyntheticDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SyntheticDialog(QWidget *parent = nullptr);

    /// The plan the boxes describe, starting at `startTime` (days, the time
    /// scale of the planet's T_p).
    Observations::SyntheticPlan plan(double startTime) const;

    void accept() override;

private:
    QSpinBox *m_points;
    QDoubleSpinBox *m_span;
    QComboBox *m_cadence;
    QDoubleSpinBox *m_noise;
    QDoubleSpinBox *m_jitter;
    QSpinBox *m_seed;
    QLineEdit *m_instrument;
    QLabel *m_refusal;
};
