#include "massfunction/companionclass.h"

#include "ground/colors.h"
#include "ground/constants.h"

CompanionClass CompanionClass::of(float jupiterMasses)
{
    if (jupiterMasses < Constants::BrownDwarfFrom)
        return {QStringLiteral("Planet"), Colors::rgb(255, 0, 0)};
    if (jupiterMasses <= Constants::StarAbove)
        return {QStringLiteral("Brown Dwarf"), Colors::rgb(99, 31, 0)};
    return {QStringLiteral("Star"), Colors::rgb(229, 168, 0)};
}
