#include "catalog/catalog.h"

namespace {

struct Row
{
    const char16_t *name;
    double p, k, a, e, m, omega;
};

// Published orbital elements of the built-in planets.
constexpr std::array<Row, PlanetCatalog::LastPlanet + 1> rows = {{
    {u"Planet", 0, 0, 0, 0, 0, 0},
    {u"51Peg b", 4.230785, 55.94, 0.0527, 0.013, 1.09, 58},
    {u"HD149026 b", 2.87598, 40.4, 0.0432, 0, 1.30, 0},
    {u"HD209458 b", 3.52474554, 84.27, 0.0474, 0, 1.14, 0},
    {u"Cassiopeia HD17156 b", 21.22, 275, 0.15, 0.67, 1.2, 0},
    {u"55Cnc b/かに座55番星 惑星 b", 14.652, 73.38, 0.1138, 0.0197, 0.91, 168},
    {u"55Cnc c/かに座55番星 惑星 c", 44.36, 9.60, 0.238, 0.071, 0.91, 115},
    {u"55Cnc d/かに座55番星 惑星 d", 5552, 47.5, 5.97, 0.091, 0.91, 181.6},
    {u"55Cnc e/かに座55番星 惑星 e", 2.7955, 5.80, 0.0377, 0.09, 0.91, 187},
    {u"55Cnc f/かに座55番星 惑星 f", 260.0, 4.88, 0.774, 0.20, 0.91, 181},
    {u"47UMa b/大熊座47番星惑星 b", 1083.2, 49.3, 2.13, 0.061, 1.08, 172},
    {u"47UMa c/大熊座47番星惑星 c", 2594, 11.1, 3.80, 0.00, 1.08, 127},
    {u"16Cygni B", 798.5, 50.5, 1.681, 0.681, 0.99, 85.8},
    {u"HD202206 b", 255.870, 564.8, 0.830, 0.4350, 1.15, 161.18},
    {u"HD202206 c", 1383, 42.0, 2.55, 0.267, 1.15, 79.0},
    {u"HD137510 b", 804.9, 418, 1.91, 0.359, 1.42, 31.0},
}};

} // namespace

PlanetCatalog PlanetCatalog::builtIn()
{
    PlanetCatalog catalog;
    for (int i = FirstPlanet; i <= LastPlanet; ++i) {
        const Row &row = rows[size_t(i)];
        catalog.CatalogP[size_t(i)] = row.p;
        catalog.CatalogK[size_t(i)] = row.k;
        catalog.CatalogA[size_t(i)] = row.a;
        catalog.CatalogE[size_t(i)] = row.e;
        catalog.CatalogM[size_t(i)] = row.m;
        catalog.CatalogOmega[size_t(i)] = row.omega;
    }
    return catalog;
}

QString PlanetCatalog::planetName(int index)
{
    if (index < 0 || index > LastPlanet)
        return {};
    return QString::fromUtf16(rows[size_t(index)].name);
}
