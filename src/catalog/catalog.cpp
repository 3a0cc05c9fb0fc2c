#include "catalog/catalog.h"

#include <QCoreApplication>

namespace {

struct Row
{
    const char *name;     ///< English; the windows show it translated
    CatalogPlanet planet; ///< P, K, a, e, M, ω
    /// Measured velocities of the star shipped in data/rv, or nullptr.
    const char *systemFile;
};

// Published orbital elements of the built-in planets.
constexpr std::array<Row, PlanetCatalog::LastPlanet + 1> rows = {{
    {"Planet", {0, 0, 0, 0, 0, 0}, nullptr},
    {"51Peg b", {4.230785, 55.94, 0.0527, 0.013, 1.09, 58}, "51peg.sys"},
    {"HD149026 b", {2.87598, 40.4, 0.0432, 0, 1.30, 0}, "HD149026.sys"},
    {"HD209458 b", {3.52474554, 84.27, 0.0474, 0, 1.14, 0}, "HD209458.sys"},
    {"Cassiopeia HD17156 b", {21.22, 275, 0.15, 0.67, 1.2, 0}, "HD17156.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "55Cnc b/55 Cancri planet b"),
     {14.652, 73.38, 0.1138, 0.0197, 0.91, 168},
     "55Cnc.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "55Cnc c/55 Cancri planet c"),
     {44.36, 9.60, 0.238, 0.071, 0.91, 115},
     "55Cnc.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "55Cnc d/55 Cancri planet d"),
     {5552, 47.5, 5.97, 0.091, 0.91, 181.6},
     "55Cnc.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "55Cnc e/55 Cancri planet e"),
     {2.7955, 5.80, 0.0377, 0.09, 0.91, 187},
     "55Cnc.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "55Cnc f/55 Cancri planet f"),
     {260.0, 4.88, 0.774, 0.20, 0.91, 181},
     "55Cnc.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "47UMa b/47 Ursae Majoris planet b"),
     {1083.2, 49.3, 2.13, 0.061, 1.08, 172},
     "47uma.sys"},
    {QT_TRANSLATE_NOOP("PlanetCatalog", "47UMa c/47 Ursae Majoris planet c"),
     {2594, 11.1, 3.80, 0.00, 1.08, 127},
     "47uma.sys"},
    {"16Cygni B", {798.5, 50.5, 1.681, 0.681, 0.99, 85.8}, "16cygB.sys"},
    {"HD202206 b", {255.870, 564.8, 0.830, 0.4350, 1.15, 161.18}, "HD202206.sys"},
    {"HD202206 c", {1383, 42.0, 2.55, 0.267, 1.15, 79.0}, "HD202206.sys"},
    {"HD137510 b", {804.9, 418, 1.91, 0.359, 1.42, 31.0}, nullptr},
}};

bool isPlanet(int index)
{
    return index >= PlanetCatalog::FirstPlanet && index <= PlanetCatalog::LastPlanet;
}

} // namespace

PlanetCatalog PlanetCatalog::builtIn()
{
    PlanetCatalog catalog;
    for (int i = FirstPlanet; i <= LastPlanet; ++i)
        catalog.m_planets[size_t(i)] = rows[size_t(i)].planet;
    return catalog;
}

const CatalogPlanet &PlanetCatalog::planet(int index) const
{
    static const CatalogPlanet none;
    return isPlanet(index) ? m_planets[size_t(index)] : none;
}

QString PlanetCatalog::planetName(int index)
{
    if (index < 0 || index > LastPlanet)
        return {};
    return QCoreApplication::translate("PlanetCatalog", rows[size_t(index)].name);
}

QString PlanetCatalog::shippedSystemFile(int index)
{
    if (!isPlanet(index) || !rows[size_t(index)].systemFile)
        return {};
    return QString::fromLatin1(rows[size_t(index)].systemFile);
}
