#pragma once

#include <QColor>
#include <QString>

/// What a companion of a given minimum mass is: a planet below the
/// deuterium-burning limit of 13 Jupiter masses, a brown dwarf up to 76,
/// a star above (StoredValues::BrownDwarfFrom, StoredValues::StarAbove). The colour is the one the class is written in.
struct CompanionClass
{
    QString name;
    QColor color;

    /// The class of a companion of `jupiterMasses` (m sin i in Jupiter
    /// masses, whatever unit the catalog window shows).
    static CompanionClass of(float jupiterMasses);
};
