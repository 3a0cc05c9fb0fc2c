#pragma once

#include "lab/labplanet.h"

#include <QWidget>

#include <utility>

class ElementControl;
class QCheckBox;
class QLabel;
class QPushButton;

/// The lab's element panel: the planet's name, a spin box and a slider for
/// each element (P, K, e, ω, T_p, M★, i) and for the animation's speed, the
/// plot's two switches, Play and Pause, and the line that says why the
/// elements typed cannot make an orbit.
///
/// Object names: "planetNameLabel", "<element>Spin" and "<element>Slider"
/// for period, semiAmplitude, eccentricity, omega, periastronTime,
/// starMass, inclination and speed, "phaseCheck", "schematicCheck",
/// "playButton", "pauseButton", "refusalLabel".
class ElementPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ElementPanel(QWidget *parent = nullptr);

    /// Shows the planet's elements without reporting them as edited.
    void showElements(const LabPlanet &planet);
    /// `base` with the elements the boxes hold now.
    LabPlanet editedFrom(const LabPlanet &base) const;
    /// Every box still shows what showElements() gave it.
    bool showsGivenElements() const;

    void setPlanetName(const QString &name);
    /// The reason the elements make no orbit; an empty text hides the line.
    void showRefusal(const QString &reason);
    /// The slider of T_p spans one period.
    void setPeriod(double periodDays);
    /// Play is offered while paused, Pause while playing.
    void setPlaying(bool playing);
    /// The animation's speed, times the pace of one orbit per SecondsPerOrbit.
    double speed() const;

signals:
    void elementsEdited();
    void playClicked();
    void pauseClicked();
    void phaseAxisToggled(bool phase);
    void schematicToggled(bool shown);

protected:
    void changeEvent(QEvent *event) override;

private:
    void createElements();
    void createSwitches();
    void retranslate();
    QList<ElementControl *> elements() const;

    QLabel *m_planetName = nullptr;
    /// Each element's caption with its source text, for a change of language.
    QList<std::pair<QLabel *, const char *>> m_captions;
    QCheckBox *m_phaseCheck = nullptr;
    QCheckBox *m_schematicCheck = nullptr;
    ElementControl *m_period = nullptr;
    ElementControl *m_amplitude = nullptr;
    ElementControl *m_eccentricity = nullptr;
    ElementControl *m_omega = nullptr;
    ElementControl *m_periastron = nullptr;
    ElementControl *m_starMass = nullptr;
    ElementControl *m_inclination = nullptr;
    ElementControl *m_speed = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_pauseButton = nullptr;
    QLabel *m_refusal = nullptr;
};
