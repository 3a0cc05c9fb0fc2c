#pragma once

#include "challenge/goodness.h"
#include "lab/labplanet.h"

#include <QWidget>

#include <optional>

class ClosenessCheck;
class DataChart;
class OffsetControls;
class QCheckBox;
class QLineEdit;
class QTimer;

/// Fitting by hand in the Kepler lab: the data drawn with the lab's curve
/// through them, one offset control per instrument, the goodness meter
/// (reduced χ² and rms of the residuals, Challenge::goodness) and the
/// residuals below, all following every step of a slider. The charts show
/// days since the first measurement, or the phase folded on the student's
/// own P, where a good period lines the points up. "How close am I?"
/// (ClosenessCheck) is offered while hints are allowed.
///
/// Hidden while there are no data. Object names "handFitPane",
/// "goodnessMeter", "foldCheck", "handFitChart", "residualChart", and those
/// of OffsetControls and ClosenessCheck.
class HandFitPane : public QWidget
{
    Q_OBJECT

public:
    explicit HandFitPane(QWidget *parent = nullptr);

    /// New data; the offsets start where they suit the planet shown best.
    /// The same data again (a fit ended on the Observations tab) keep the
    /// student's offsets.
    void setData(const Observations::DataSet &data);
    /// The lab's planet, after every accepted edit.
    void showPlanet(const LabPlanet &planet);
    void setHintsAllowed(bool allowed);

    /// The meter as shown now; none without data or while the model is refused.
    const std::optional<Challenge::Goodness> &goodness() const { return m_goodness; }
    /// The student's model as the lab's planet and the offsets make it.
    Challenge::StudentModel studentModel() const;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void retranslate();
    void refresh();
    void showMeter(const QString &refusal);
    void setSmooth(bool smooth);
    /// In a splitter (the lab's), takes most of its height from the panes beside it.
    void takeMostRoom();

    Observations::DataSet m_data;
    Kepler::Orbit m_orbit;
    std::optional<Challenge::Goodness> m_goodness;

    QLineEdit *m_meter;
    QCheckBox *m_fold;
    OffsetControls *m_offsets;
    ClosenessCheck *m_closeness;
    DataChart *m_chart;
    DataChart *m_residualChart;
    QTimer *m_settle;
    /// New data arrived while the pane was hidden: it takes its room when next seen.
    bool m_wantsRoom = false;
};
