#include "ground/planetlist.h"

#include "ground/platform.h"

namespace PlanetList {

QString documentPath()
{
    return QStringLiteral("CoreComponent\\OQ9planetslist.pdf");
}

void open()
{
    Platform::current().shellOpen(documentPath());
}

} // namespace PlanetList
