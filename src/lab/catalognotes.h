#pragma once

#include <QString>

#include <optional>

/// What has been learnt about a built-in planet since its catalog value was
/// taken: the catalog keeps its historical numbers (Screen1 and Screen2 show
/// them as designed), and the lab says beside them where they were revised.
struct CatalogNote
{
    /// A few words for the lab's list, after the planet's name.
    QString summary;
    /// The whole story with its sources, for the item's tool tip.
    QString detail;
};

/// The note on catalog planet `catalogIndex`, if its value has been revised.
std::optional<CatalogNote> catalogNote(int catalogIndex);
