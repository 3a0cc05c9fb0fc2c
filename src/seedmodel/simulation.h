#pragma once

#include "seedmodel/orbitmotion.h"
#include "seedmodel/rvcurve.h"
#include "seedmodel/scenescale.h"

#include <QMetaType>
#include <QPointF>
#include <QString>

/// One simulation: the current planet as the Screen1 set-up completed it,
/// what follows from it, how big it is drawn and where the animation
/// stands. The set-up returns one, SimulatorWindow keeps it, and the tick, the RV
/// plot, Screen2's results and every other reader take it from
/// SimulatorWindow::simulation() or from the signal SimulatorWindow::simulationStarted. Plain
/// value, no widgets.
struct Simulation
{
    /// The elements as typed, or as taken from the catalog.
    struct Elements
    {
        double periodDays = 0;    ///< P, days, > 0
        float semiAmplitude = 0;  ///< K of the star, m/s, > 0, read in single precision
        double eccentricity = 0;  ///< e, 0 ≤ e < 1
        double omegaDegrees = 0;  ///< ω, degrees, > 0 when typed
        double axisAU = 0;        ///< a, AU, > 0; a typed value is read in single precision
        double starMassSolar = 0; ///< M, solar masses, > 0
        int catalogIndex = 0;     ///< 1 to 15 when P and K matched a built-in planet, else 0
    };

    Elements elements;

    float minimumMassKg = 0;       ///< m sin i, kg (single precision)
    float minimumMassJupiter = 0;  ///< m sin i, Jupiter masses (single precision)
    bool earthMassesShown = false; ///< Screen2 showed the mass in Earth masses at the set-up
    QString companionClass;        ///< "Planet", "Brown Dwarf" or "Star"

    SceneScale::Sizes sizes; ///< the orbit's sizes on the drawing area, twips
    QPointF orbitCentre;     ///< centre of the planet's path, twips of Simulator
    QPointF starCentre;      ///< centre of the star's circle, twips of Simulator

    /// Degrees the animation has turned; the tick after 32766 starts again at 0.
    qint16 angleDeg = 0;

    /// ω in radians, with the program's radians per degree.
    double omegaRadians() const;
    /// a in metres.
    double axisMetres() const;
    /// M in kilograms.
    double starMassKg() const;
    /// The number Screen2 shows: m sin i in Jupiter masses, or × 318 in
    /// Earth masses when earthMassesShown.
    float shownMass() const;

    /// The orbit one tick moves along.
    OrbitMotion::Orbit orbit() const;
    /// e, K, P and ω in radians as the RV window's boxes carry them, each
    /// value rounded through its text.
    RvCurve::Elements curveElements() const;

    /// True before the first set-up: the orbit and the star's circle have
    /// no size, so the pictures rest on the centre whatever the angle.
    bool isStill() const { return sizes.orbitRadius == 0 && sizes.wobbleRadius == 0; }

    /// The angle this tick draws; turns the animation one degree on.
    qint16 nextAngle();
};

Q_DECLARE_METATYPE(Simulation)
