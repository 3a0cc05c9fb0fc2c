#pragma once

#include "catalog/catalog.h"

#include <array>

/// The periods and velocity amplitudes of the built-in planets in single
/// precision, the form in which a typed planet is compared with them.
/// Entry 0 is zero; the planets sit at 1 to 15.
struct ComparisonTable
{
    static constexpr int Size = PlanetCatalog::LastPlanet + 1;

    std::array<float, Size> P{}; ///< orbital period, days
    std::array<float, Size> K{}; ///< radial-velocity semi-amplitude, m/s

    static ComparisonTable fromCatalog(const PlanetCatalog &catalog);

    /// True when `p` equals a built-in planet's period or `k` its velocity
    /// amplitude: either one is enough.
    bool isDuplicate(float p, float k) const;
};
