#pragma once

#include <QString>

class Form1;

/// The Screen1 set-up of one simulation: asks for P and K, completes the
/// elements from the built-in catalog or asks for e, ω, a and M, computes
/// the minimum mass, fills the catalog and RV windows, draws the star's
/// circle and the orbit on the simulator, plots the RV curve and starts the
/// animation.
///
/// Each prompt is one input box after a beep. A stop answer (0, empty,
/// Cancel, or a text without a number, as each prompt says) ends the
/// set-up through StopSimulation. A value the arithmetic cannot use (an
/// eccentricity of 1 or more, or a number so large that a result would not
/// be finite) is refused in a message box, and then the set-up stops the
/// same way.
class SceneSetup
{
public:
    explicit SceneSetup(Form1 &simulator);

    /// Runs the whole set-up. Returns true when a scene was set up and
    /// started, false when it was stopped.
    bool run();

    static QString periodPrompt();
    static QString velocityPrompt();
    static QString eccentricityPrompt();
    static QString periastronPrompt();
    static QString distancePrompt();
    static QString starMassPrompt();

    static QString eccentricityRefusal();
    static QString tooLargeRefusal();

private:
    /// Beeps, asks, and reads the answer as a number (0 when there is none).
    double ask(const QString &prompt) const;
    bool askPeriodAndVelocity();
    /// Completes the elements from the first catalog entry with this P and K.
    bool takeFromCatalog();
    bool askElements();
    bool showScene();
    void drawOrbit();

    /// Ends the set-up after a stop answer; always false.
    bool stop();
    /// Says why `reason` cannot be used, then stops; always false.
    bool refuse(const QString &reason);

    Form1 &m_form;
    double m_omegaDegrees = 0;
    double m_omegaRadians = 0;
};
