#pragma once

#include "challenge/challengedata.h"
#include "challenge/classcode.h"
#include "numeric/outcome.h"

#include <QString>

/// A typed code turned into its challenge, for the dialog and the panel.
namespace ChallengeLoading {

struct OpenedChallenge
{
    Challenge::DecodedCode code;
    Challenge::ChallengeData challenge;
    QString codeText; ///< the code as typed, grouped again ("7KQ2-M9XD-4T0B")
};

/// The challenge behind `typed`, made from the shipped data; a refusal
/// repeats the code reader's sentence (a mistyped code fails its check)
/// or says why the data could not be made.
Numeric::Outcome<OpenedChallenge> open(const QString &typed);

/// The title the Observations tab shows for a challenge's data.
QString dataTitle(const OpenedChallenge &opened);

} // namespace ChallengeLoading
