#pragma once

#include "kepler/keplerorbit.h"

#include <QString>

#include <numbers>

/// The planet the Kepler lab shows: the star's orbit as its velocities
/// reveal it, plus the two numbers the velocities alone cannot give, the
/// star's mass and the inclination.
struct LabPlanet
{
    QString name;
    /// P days, K m/s, e, ω of the star in radians, T_p days.
    Kepler::Orbit orbit;
    double starMassSolar = 1;       ///< M★, solar masses, > 0
    double inclinationDegrees = 90; ///< i, degrees in [0, 90]; 90 is edge-on, 0 face-on
    /// The orbital radius the seed's mass formula takes for this planet
    /// (the catalog's, or the one typed at the set-up), AU; 0 when unknown.
    double seedAxisAu = 0;
};

namespace LabUnits {
inline constexpr double RadiansPerDegree = std::numbers::pi / 180;
} // namespace LabUnits

/// The built-in planet at `index` (PlanetCatalog::FirstPlanet to
/// LastPlanet), seen edge-on, with its periastron at t = 0.
LabPlanet catalogLabPlanet(int index);
