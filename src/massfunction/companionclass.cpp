#include "massfunction/companionclass.h"

#include "app/colors.h"

CompanionClass CompanionClass::of(float jupiterMasses)
{
    if (jupiterMasses < PlanetLimit)
        return {QStringLiteral("Planet"), Colors::rgb(255, 0, 0)};
    if (jupiterMasses <= StarLimit)
        return {QStringLiteral("Brown Dwarf"), Colors::rgb(99, 31, 0)};
    return {QStringLiteral("Star"), Colors::rgb(229, 168, 0)};
}
