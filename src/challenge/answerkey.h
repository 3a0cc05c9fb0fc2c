#pragma once

#include "challenge/challengedata.h"
#include "fitting/rvfit.h"
#include "numeric/outcome.h"

#include <string>
#include <vector>

/// The teacher's answer key: the planets the data were made from and the best
/// fit the data allow, with its uncertainties. Pure C++, no Qt.
namespace Challenge {

/// One planet's elements as the key states them.
struct KeyElements
{
    double periodDays = 0;
    double semiAmplitude = 0; ///< m/s
    double eccentricity = 0;
    double omegaDegrees = 0;       ///< the star's ω, [0°, 360°)
    double periastronTime = 0;     ///< days
    double minimumMassJupiter = 0; ///< m sin i for the challenge's star mass
};

struct AnswerKey
{
    ChallengeSettings settings;
    std::string starName; ///< Level::RealStar only
    double starMassSolar = 1.0;
    std::vector<KeyElements> truth;
    std::string truthSource; ///< a sentence: where the true elements come from
    Fitting::Result bestFit; ///< Fitting::fit of the challenge's data with the true number of planets
    /// The best fit's χ² as the goodness meter counts it (the measurements'
    /// σ alone, without the jitter a real star's fit adds), so "how close am
    /// I?" compares like with like.
    double meterChiSquare = 0;
};

/// The elements of a Keplerian orbit for a star of this mass.
KeyElements keyElements(const Kepler::Orbit &orbit, double starMassSolar);

/// The key of a challenge. Synthetic levels: the truth is the drawn planets,
/// and the fit starts from them (so it finds the optimum the data allow near
/// the truth, not a far alias). Level::RealStar: the truth is the one-planet
/// fit, with a jitter per instrument, of every published measurement, and
/// the challenge's fit starts from it. A refusal when a fit fails.
Numeric::Outcome<AnswerKey> makeAnswerKey(const ChallengeData &challenge);

/// The key as JSON: "challenge", "starName" (null but for a real star),
/// "starMassSolar", "truthSource", "planets" (the true
/// elements: period, semiAmplitude, eccentricity, omegaDegrees,
/// periastronTime, minimumMassJupiter) and "bestFit" (each element's value and
/// uncertainty, χ², reduced χ², rms, and per instrument its offset and jitter).
std::string keyJson(const AnswerKey &key);

/// The key as CSV, one row per number: source (true or fit), planet (1, 2 …;
/// empty for the star and the fit's totals), quantity, value, uncertainty.
std::string keyCsv(const AnswerKey &key);

} // namespace Challenge
