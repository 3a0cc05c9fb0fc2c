#pragma once

#include "challenge/challengesettings.h"
#include "kepler/keplerorbit.h"
#include "numeric/outcome.h"
#include "observations/rvdata.h"

#include <filesystem>
#include <string>
#include <vector>

/// A challenge's data, made from its parameters alone: the same settings gives
/// the same bytes on every machine and in every later release. Pure C++, no Qt.
///
/// Synthetic levels: the hidden system of mysteryplanets.h observed at the
/// times of observingtimes.h by one instrument "A"; each velocity is the
/// planets' Keplerian velocities plus the systemic velocity plus a normal
/// deviate of σ = the settings's noise, rounded to 0.01 m/s, each reported
/// uncertainty σ. Level::RealStar: a shipped star's published velocities
/// (realstar.h). Every random number comes from one RandomStream seeded by
/// the settings's level and seed, drawn in a fixed order: the system, then the
/// times, then the noise.
namespace Challenge {

struct ChallengeData
{
    ChallengeSettings settings;
    Observations::DataSet data; ///< what the students get
    double starMassSolar = 1.0; ///< given to the students with the challenge
    /// The hidden planets of a synthetic level; empty for Level::RealStar,
    /// whose truth the answer key takes from all the published measurements.
    std::vector<Kepler::Orbit> planets;
    std::string starName;            ///< Level::RealStar only; for the key
    Observations::DataSet published; ///< Level::RealStar only: every published measurement
};

/// The challenge of a settings. `rvFolder` is the shipped data folder
/// (Observations::rvDataFolder), read only by Level::RealStar. A refusal
/// names a bad parameter or an unreadable real-star file.
Numeric::Outcome<ChallengeData> makeChallenge(const ChallengeSettings &settings, const std::filesystem::path &rvFolder);

/// The data as the program's velocity text (Observations::toText): the bytes
/// `challenge data` writes and the lab's export writes.
std::string dataText(const ChallengeData &challenge);

/// The number of planets the answer expects.
int planetCount(const ChallengeData &challenge);

} // namespace Challenge
