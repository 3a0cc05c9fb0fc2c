#pragma once

#include "register/comparisontable.h"
#include "register/planetrecord.h"

#include <QCoreApplication>
#include <QString>

/// The seven questions of one registration, asked through the platform's
/// input boxes with a beep before each. Each step has its stop rule; after
/// K the planet is compared with the built-in catalog. The dialogue shows
/// no message itself: the caller acts on the outcome.
class RegistrationDialogue
{
    Q_DECLARE_TR_FUNCTIONS(RegistrationDialogue)

public:
    enum class Outcome {
        Accepted,  ///< all seven answers passed; the record holds the planet
        Stopped,   ///< a stop answer ended the dialogue
        Duplicate, ///< P or K equals a built-in planet's
    };

    /// Title of all seven input boxes.
    static QString title();

    explicit RegistrationDialogue(const ComparisonTable &table);

    /// Runs the questions. `record` takes each value as soon as its answer
    /// passed, so after a stop it keeps those of the steps before.
    Outcome run(PlanetRecord &record) const;

private:
    const ComparisonTable &m_table;
};
