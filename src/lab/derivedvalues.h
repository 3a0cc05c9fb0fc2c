#pragma once

#include "lab/labplanet.h"

#include <QString>

#include <optional>

/// What follows from a planet's elements, its star's mass and the
/// inclination: the masses, the orbit's size and the star's speed, with
/// the seed's own mass beside them. Pure numbers and texts, no widgets.
namespace DerivedValues {

struct Values
{
    double massFunctionSolar = 0; ///< f = P K³ (1 − e²)^{3/2} / (2πG), solar masses
    /// m sin i, solar masses: the exact root of (m sin i)³ / (M★ + m sin i)² = f.
    double minimumMassSolar = 0;
    /// m at the inclination, solar masses, from (m sin i)³ / (M★ + m)² = f;
    /// none face-on (i = 0), where the velocities say nothing of the mass.
    std::optional<double> trueMassSolar;
    /// a of the relative orbit by Kepler's third law from P, M★ and m (the
    /// true mass, or m sin i face-on), AU.
    double semiMajorAxisAu = 0;
    /// m / (M★ + m) with the same m: the star's share of the relative
    /// orbit, so the size of its reflex orbit about the barycentre.
    double reflexShare = 0;
    /// The star's orbital speed about the barycentre, m/s, 2π a★ / P =
    /// K √(1 − e²) / sin i (Kepler::starOrbitalSpeed); none face-on.
    std::optional<double> starSpeed;
    /// The seed's MassFunction for the same P, K, e and its orbital radius,
    /// Jupiter masses; none when the seed would refuse the elements.
    std::optional<double> seedMassJupiter;
};

/// The values for a planet whose orbit passed Kepler::refusal().
Values of(const LabPlanet &planet);

double jupiterMasses(double solarMasses);
double earthMasses(double solarMasses);

/// The lines the lab shows, each with its unit.
struct Texts
{
    QString massFunction;
    /// Masses with the companion's class (Planet, Brown Dwarf, Star) after them.
    QString minimumMass;
    QString trueMass;
    QString semiMajorAxis;
    QString starSpeed;
    QString seedMass;
};

Texts describe(const Values &values, const LabPlanet &planet);

} // namespace DerivedValues
