#pragma once

#include <QString>

/// The planet list document that ships beside the program; both "List(&L)"
/// items open it with the user's viewer.
namespace PlanetList {

/// Relative to the current folder, as the program has always looked for it.
QString documentPath();
void open();

} // namespace PlanetList
