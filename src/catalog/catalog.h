#pragma once

#include <QString>

#include <array>

/// One planet of the built-in catalog, with its star.
struct CatalogPlanet
{
    double periodDays = 0;    ///< orbital period P, days
    double semiAmplitude = 0; ///< radial-velocity semi-amplitude K of the star, m/s
    double axisAU = 0;        ///< semi-major axis a, AU
    double eccentricity = 0;  ///< e
    double starMassSolar = 0; ///< mass M of the host star, solar masses
    double omegaDegrees = 0;  ///< argument of periastron ω, degrees
};

/// The fifteen real planets the program knows, one row each. Index 0 and
/// index 16 are all zero; planets sit at 1 to 15 in the order the catalog
/// window lists them.
class PlanetCatalog
{
public:
    static constexpr int FirstPlanet = 1;
    static constexpr int LastPlanet = 15;
    static constexpr int Size = 17;

    /// A catalog holding the built-in planets.
    static PlanetCatalog builtIn();

    /// The planet at `index`; all zero outside 1 to 15.
    const CatalogPlanet &planet(int index) const;

    /// Name of the planet at `index` as the catalog window lists it;
    /// index 0 is the heading "Planet". Empty outside 0 to 15. In the current
    /// language: the Japanese names of 55 Cnc and 47 UMa have English twins.
    static QString planetName(int index);

    /// The shipped system file with the measured velocities of the star of
    /// planet `index`, e.g. "51peg.sys"; empty when none is shipped
    /// (HD 137510) or outside 1 to 15.
    static QString shippedSystemFile(int index);

private:
    std::array<CatalogPlanet, Size> m_planets{};
};
