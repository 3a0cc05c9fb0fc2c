#pragma once

/// The minimum mass of a companion from the elements a radial-velocity
/// survey measures, and its conversion to the number the catalog window
/// shows. Pure arithmetic, no widgets; SimulatorWindow::MassFunction adds the guard.
/// The constants are the seed's stored values (seedmodel/storedvalues.h).
namespace MassFunctionMath {

/// True when the elements may enter the formula: P, K, a and M positive,
/// 0 ≤ e < 1 (from 1 on, √(1 − e²) has no real value).
bool argumentsValid(double axisMetres, double periodDays, double eccentricity, float semiAmplitude, double starMassKg);

/// m sin i in kilograms, rounded to single precision.
///
/// The total mass of the system comes from Kepler's third law with a and
/// P alone and stands in for the star's mass, which is close enough for a
/// companion much lighter than its star; a star mass typed by the user
/// takes no part.
/// @param axisMetres    semi-major axis, metres (AU × StoredValues::MetresPerAU)
/// @param periodDays    orbital period, days
/// @param eccentricity  0 ≤ e < 1
/// @param semiAmplitude radial-velocity semi-amplitude of the star, m/s
float minimumMassKg(double axisMetres, double periodDays, double eccentricity, float semiAmplitude);

/// m sin i in Jupiter masses, rounded to single precision.
float jupiterMasses(double massKg);

/// The number the catalog window shows: Jupiter masses, or Earth masses
/// (× 318, single precision) when the Earth-mass box is ticked.
float shownMass(float jupiterMasses, bool earthMasses);

} // namespace MassFunctionMath
