#include "lab/catalognotes.h"

#include "catalog/catalog.h"

#include <QCoreApplication>

namespace {

/// 55 Cancri e, the fourth planet of the catalog's 55 Cnc.
constexpr int FiftyFiveCancriE = PlanetCatalog::FirstPlanet + 7;

} // namespace

std::optional<CatalogNote> catalogNote(int catalogIndex)
{
    if (catalogIndex != FiftyFiveCancriE)
        return std::nullopt;
    return CatalogNote{
        QCoreApplication::translate("CatalogNotes", "(P revised: 0.7365 d)"),
        QCoreApplication::translate("CatalogNotes",
                                    "The catalog's 2.7955 d is an alias of the true period, which its yearly gaps in "
                                    "the velocities let through. Dawson & Fabrycky (2010) showed that the planet's "
                                    "period is 0.7365 d; Winn et al. (2011) and Demory et al. (2011) then saw it "
                                    "transit its star at that period.")};
}
