#pragma once

#include "catalog/catalog.h"
#include "ground/inputdialogue.h"
#include "seedmodel/simulation.h"

#include <QCoreApplication>
#include <QPointF>
#include <QString>

#include <optional>

/// The Screen1 set-up dialogue of one simulation: asks for P and K,
/// completes the elements from the built-in catalog or asks for e, ω, a
/// and M, and works out everything the scene will show: the minimum mass,
/// the class, the screen sizes and the curve. It shows nothing itself but
/// its questions and refusals; SimulatorWindow shows the Simulation it returns.
///
/// Each prompt is one input box after a beep. A stop answer (0, empty,
/// Cancel, or a text without a number, as each prompt says) ends the
/// set-up. A value the arithmetic cannot use (an eccentricity of 1 or
/// more, or a number so large that a result would not be finite) is
/// refused in a message box, and then the set-up ends the same way.
class SceneSetup
{
    Q_DECLARE_TR_FUNCTIONS(SceneSetup)

public:
    /// `centre`: centre of the drawing area in twips, where the orbit and
    /// the star's circle go; `earthMassesShown`: Screen2 shows Earth masses.
    SceneSetup(const PlanetCatalog &catalog, QPointF centre, bool earthMassesShown);

    /// Runs the whole dialogue. Returns the completed simulation, or
    /// nothing after a stop answer or a refusal.
    std::optional<Simulation> run();

    static QString periodPrompt();
    static QString velocityPrompt();
    static QString eccentricityPrompt();
    static QString periastronPrompt();
    static QString distancePrompt();
    static QString starMassPrompt();

    static QString eccentricityRefusal();
    static QString tooLargeRefusal();

private:
    bool askPeriodAndVelocity();
    /// Completes the elements from the first catalog entry with this P and K.
    bool takeFromCatalog();
    bool askElements();
    /// The mass, class and sizes; false when one of them is not finite.
    bool deriveResults();

    /// Says why a value cannot be used; always false.
    static bool refuse(const QString &reason);

    const PlanetCatalog &m_catalog;
    InputDialogue m_dialogue;
    Simulation m_simulation;
};
