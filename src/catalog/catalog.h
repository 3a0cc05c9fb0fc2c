#pragma once

#include <QString>

#include <array>

/// The fifteen real planets the program knows, as six parallel arrays.
/// Index 0 and index 16 are zero; planets sit at 1 to 15 in the order the
/// catalog window lists them.
struct PlanetCatalog
{
    static constexpr int FirstPlanet = 1;
    static constexpr int LastPlanet = 15;
    static constexpr int Size = 17;

    using Column = std::array<double, Size>;

    Column CatalogP{};     ///< orbital period, days
    Column CatalogK{};     ///< radial-velocity semi-amplitude of the star, m/s
    Column CatalogA{};     ///< semi-major axis, AU
    Column CatalogE{};     ///< eccentricity
    Column CatalogM{};     ///< mass of the host star, solar masses
    Column CatalogOmega{}; ///< argument of periastron, degrees

    /// A catalog holding the built-in planets.
    static PlanetCatalog builtIn();

    /// Name of the planet at `index` as the catalog window lists it;
    /// index 0 is the heading "Planet". Empty outside 0 to 15.
    static QString planetName(int index);
};
