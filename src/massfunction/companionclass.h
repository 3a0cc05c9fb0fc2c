#pragma once

#include <QColor>
#include <QString>

/// What a companion of a given minimum mass is: a planet below the
/// deuterium-burning limit of 13 Jupiter masses, a brown dwarf up to 76,
/// a star above. The colour is the one the class is written in.
struct CompanionClass
{
    QString name;
    QColor color;

    static constexpr float PlanetLimit = 13; ///< Jupiter masses; 13 itself is a brown dwarf
    static constexpr float StarLimit = 76;   ///< Jupiter masses; 76 itself is a brown dwarf

    /// The class of a companion of `jupiterMasses` (m sin i in Jupiter
    /// masses, whatever unit the catalog window shows).
    static CompanionClass of(float jupiterMasses);
};
