#pragma once

#include "challenge/answerkey.h"
#include "numeric/outcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Scoring a student's answer to a challenge against what its data allow.
/// Pure C++, no Qt.
///
/// A quantity is right when it lies within the tolerance of the best fit's
/// value: three times the fit's 1σ uncertainty, but never less than the
/// floor below, which every challenge states. The sentence says which way a
/// wrong answer is off, not by how much, so the score does not give the
/// answer away.
namespace Challenge {

/// The smallest tolerances, whatever the fit's uncertainty.
struct ToleranceFloors
{
    double periodFraction = 0.01;        ///< of the best P
    double semiAmplitudeFraction = 0.05; ///< of the best K
    double eccentricity = 0.05;          ///< absolute
    double minimumMassFraction = 0.05;   ///< of the best m sin i
};
inline constexpr ToleranceFloors toleranceFloors{};
inline constexpr double sigmasAllowed = 3.0;

/// One planet as the student answers it.
struct StudentAnswer
{
    double periodDays = 0;
    double semiAmplitude = 0; ///< m/s
    double eccentricity = 0;
    double minimumMassJupiter = 0; ///< m sin i for the star mass the challenge gives
};

/// A number the student typed for `quantity` (e.g. "P"): the whole text,
/// blanks around it aside, must be one finite decimal number; otherwise a
/// refusal naming the quantity and the text.
Numeric::Outcome<double> readAnswerNumber(std::string_view quantity, std::string_view text);

/// Why this answer is impossible (P ≤ 0, K < 0, e < 0 or e ≥ 1, m sin i ≤ 0,
/// or a value that is not finite), naming the quantity, or nothing.
std::optional<Numeric::Refusal> impossibility(const StudentAnswer &answer);

struct QuantityScore
{
    std::string quantity; ///< "P", "K", "e" or "m sin i"
    double answer = 0;
    double tolerance = 0; ///< max(3σ, floor), in the quantity's unit
    bool right = false;
    bool tooHigh = false; ///< a wrong answer lies above the best fit's value (a window words its own sentence)
    std::string sentence; ///< e.g. "P = 4.5 d is too long: shorten it."
};

struct PlanetScore
{
    std::vector<QuantityScore> quantities; ///< P, K, e, m sin i
};

struct Score
{
    std::vector<PlanetScore> planets; ///< in order of period
    int right = 0;
    int total = 0;
};

/// Scores one answer per planet. Answers and fitted planets are paired in
/// order of period. A refusal when the number of answers differs from the
/// number of planets or an answer is impossible.
Numeric::Outcome<Score> score(const AnswerKey &key, std::vector<StudentAnswer> answers);

/// The score as a few lines of text, one sentence per quantity.
std::string scoreText(const Score &score);

} // namespace Challenge
