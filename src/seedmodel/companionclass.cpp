#include "seedmodel/companionclass.h"

#include "ground/colors.h"
#include "seedmodel/storedvalues.h"

CompanionClass CompanionClass::of(float jupiterMasses)
{
    if (jupiterMasses < StoredValues::BrownDwarfFrom)
        return {QStringLiteral("Planet"), Colors::rgb(255, 0, 0)};
    if (jupiterMasses <= StoredValues::StarAbove)
        return {QStringLiteral("Brown Dwarf"), Colors::rgb(99, 31, 0)};
    return {QStringLiteral("Star"), Colors::rgb(229, 168, 0)};
}
