#include "challenge/scoring.h"

#include "challenge/rounding.h"
#include "numeric/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Challenge {

namespace {

struct Quantity
{
    const char *name;
    const char *unit;
    const char *tooHigh;
    const char *tooLow;
};

constexpr Quantity period{"P", " d", "is too long: shorten it", "is too short: lengthen it"};
constexpr Quantity amplitude{"K", " m/s", "is too large: make it smaller", "is too small: make it larger"};
constexpr Quantity eccentricity{"e", "", "is too large: the orbit is rounder",
                                "is too small: the orbit is more elongated"};
constexpr Quantity minimumMass{"m sin i", " MJup", "is too large: make it smaller", "is too small: make it larger"};

QuantityScore judged(const Quantity &quantity, double answer, double best, double sigma, double floor)
{
    QuantityScore score;
    score.quantity = quantity.name;
    score.answer = answer;
    score.tolerance = std::max(sigmasAllowed * (std::isfinite(sigma) ? sigma : 0.0), floor);
    score.right = std::abs(answer - best) <= score.tolerance;
    score.tooHigh = !score.right && answer > best;
    const std::string stated = std::string(quantity.name) + " = " + Numeric::shortestText(answer) + quantity.unit;
    if (score.right)
        score.sentence = stated + " is right, within what the data allow (±"
            + Numeric::shortestText(roundedToUncertainty(score.tolerance, score.tolerance)) + quantity.unit + ").";
    else
        score.sentence = stated + ' ' + (score.tooHigh ? quantity.tooHigh : quantity.tooLow) + '.';
    return score;
}

PlanetScore planetScore(const Fitting::PlanetResult &fit, const StudentAnswer &answer)
{
    const auto &v = fit.value;
    const auto &u = fit.uncertainty;
    const ToleranceFloors &f = toleranceFloors;
    PlanetScore score;
    score.quantities = {judged(period, answer.periodDays, v.periodDays, u.periodDays, f.periodFraction * v.periodDays),
                        judged(amplitude, answer.semiAmplitude, v.semiAmplitude, u.semiAmplitude,
                               f.semiAmplitudeFraction * v.semiAmplitude),
                        judged(eccentricity, answer.eccentricity, v.eccentricity, u.eccentricity, f.eccentricity),
                        judged(minimumMass, answer.minimumMassJupiter, v.minimumMassJupiter, u.minimumMassJupiter,
                               f.minimumMassFraction * v.minimumMassJupiter)};
    return score;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

Numeric::Outcome<double> readAnswerNumber(std::string_view quantity, std::string_view text)
{
    const std::string_view number = trimmed(text);
    double value = 0;
    const char *begin = number.data();
    const char *end = begin + number.size();
    if (!number.empty() && *begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (number.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return Numeric::Refusal{std::string(quantity) + ": \"" + std::string(text) + "\" is not a number"};
    return value;
}

std::optional<Numeric::Refusal> impossibility(const StudentAnswer &answer)
{
    if (!std::isfinite(answer.periodDays) || answer.periodDays <= 0)
        return Numeric::Refusal{"P must be a period > 0 days (found " + Numeric::shortestText(answer.periodDays) + ")"};
    if (!std::isfinite(answer.semiAmplitude) || answer.semiAmplitude < 0)
        return Numeric::Refusal{"K must be ≥ 0 m/s (found " + Numeric::shortestText(answer.semiAmplitude) + ")"};
    if (!std::isfinite(answer.eccentricity) || answer.eccentricity < 0 || answer.eccentricity >= 1)
        return Numeric::Refusal{"e must be at least 0 and less than 1 (found "
                                + Numeric::shortestText(answer.eccentricity) + ")"};
    if (!std::isfinite(answer.minimumMassJupiter) || answer.minimumMassJupiter <= 0)
        return Numeric::Refusal{"m sin i must be > 0 Jupiter masses (found "
                                + Numeric::shortestText(answer.minimumMassJupiter) + ")"};
    return std::nullopt;
}

Numeric::Outcome<Score> score(const AnswerKey &key, std::vector<StudentAnswer> answers)
{
    const std::size_t planets = key.bestFit.planets.size();
    if (answers.size() != planets)
        return Numeric::Refusal{"this challenge has " + std::to_string(planets)
                                + (planets == 1 ? " planet" : " planets") + ": give one answer for each (found "
                                + std::to_string(answers.size()) + ")"};
    for (const StudentAnswer &answer : answers)
        if (const auto impossible = impossibility(answer))
            return *impossible;
    std::vector<Fitting::PlanetResult> fits = key.bestFit.planets;
    std::sort(fits.begin(), fits.end(),
              [](const auto &a, const auto &b) { return a.value.periodDays < b.value.periodDays; });
    std::sort(answers.begin(), answers.end(), [](const auto &a, const auto &b) { return a.periodDays < b.periodDays; });
    Score result;
    for (std::size_t i = 0; i < planets; ++i) {
        result.planets.push_back(planetScore(fits[i], answers[i]));
        for (const QuantityScore &q : result.planets.back().quantities) {
            result.right += q.right ? 1 : 0;
            ++result.total;
        }
    }
    return result;
}

std::string scoreText(const Score &score)
{
    std::string text;
    for (std::size_t i = 0; i < score.planets.size(); ++i) {
        if (score.planets.size() > 1)
            text += "Planet " + std::to_string(i + 1) + ":\n";
        for (const QuantityScore &q : score.planets[i].quantities)
            text += (q.right ? "  right  " : "  wrong  ") + q.sentence + '\n';
    }
    text += std::to_string(score.right) + " of " + std::to_string(score.total) + " right\n";
    return text;
}

} // namespace Challenge
