#pragma once

#include "observations/synthetic.h"

#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class SpottedStarBox;

/// "Make synthetic observations": how the current planet is to be observed,
/// and the observing. Shown without blocking (offer(), not exec()); Make
/// observes the planets the source gives at that moment and says made().
/// Each offer proposes a new random seed, shown, so a set can be made again.
/// The star may be spotted (SpottedStarBox): its data then carry an S-index.
/// Object names: "syntheticPlanet" (what is observed), "syntheticPoints",
/// "syntheticSpan", "syntheticCadence", "syntheticNoise", "syntheticJitter",
/// "syntheticSeed", "syntheticInstrument", "syntheticRefusal" and those of
/// SpottedStarBox.
class SyntheticDialog : public QDialog
{
    Q_OBJECT

public:
    /// The planets observed, their star's mass and their name ("51 Peg b").
    struct Planets
    {
        std::vector<Kepler::Orbit> orbits;
        double starMassSolar = 1.0;
        QString name;
    };

    explicit SyntheticDialog(QWidget *parent = nullptr);

    /// Where the planets come from (the lab's current planet), asked anew
    /// at each offer and each Make.
    void setPlanetSource(std::function<Planets()> source);
    /// Names the planet, proposes a new seed and shows the dialog.
    void offer();

    /// The plan the boxes describe, starting at `startTime` (days, the time
    /// scale of the planet's T_p).
    Observations::SyntheticPlan plan(double startTime) const;

    void accept() override;

signals:
    /// The observations made, a title naming the planet and the seed, and the star's mass.
    void made(const Observations::DataSet &data, const QString &title, double starMassSolar);

private:
    /// The observations, or nothing with the reason said.
    std::optional<Observations::DataSet> observe(const Planets &planets, const Observations::SyntheticPlan &plan);
    /// The observations of a spotted star, or nothing with the reason said.
    std::optional<Observations::DataSet> observeSpotted(const Planets &planets,
                                                        const Observations::SyntheticPlan &plan);

    std::function<Planets()> m_source;
    QLabel *m_planet;
    QSpinBox *m_points;
    QDoubleSpinBox *m_span;
    QComboBox *m_cadence;
    QDoubleSpinBox *m_noise;
    QDoubleSpinBox *m_jitter;
    QSpinBox *m_seed;
    QLineEdit *m_instrument;
    SpottedStarBox *m_spotted;
    QLabel *m_refusal;
};
