#pragma once

#include "challenge/challengesettings.h"
#include "challenge/scoring.h"

#include <QString>

/// The challenge's words in the language chosen: the levels and the verdict
/// on each answered quantity. The numeric floor judges; these only word it.
namespace ChallengeTexts {

/// "One big planet on a circular orbit" …
QString levelText(Challenge::Level level);

/// One sentence for a scored quantity: right within ±tolerance, or which
/// way the answer is off (never by how much).
QString verdict(const Challenge::QuantityScore &score);

} // namespace ChallengeTexts
