#include "challenge/challengedata.h"

#include "challenge/mysteryplanets.h"
#include "challenge/observingtimes.h"
#include "challenge/randomstream.h"
#include "challenge/realstar.h"
#include "challenge/rounding.h"
#include "observations/rvwriter.h"

namespace Challenge {

namespace {

std::uint64_t streamSeed(const ChallengeSettings &settings)
{
    // The level enters the seed so that one seed gives unrelated systems at
    // different levels.
    return (std::uint64_t(settings.level) << 32) | settings.seed;
}

ChallengeData syntheticChallenge(const ChallengeSettings &settings, RandomStream &random)
{
    const MysterySystem system = drawSystem(settings, random);
    const std::vector<double> times =
        observingTimes(settings.cadence, settings.points, system.startTime, system.spanDays, random);
    const std::vector<double> velocities = Kepler::radialVelocities(system.planets, times);
    ChallengeData challenge;
    challenge.settings = settings;
    challenge.starMassSolar = system.starMassSolar;
    challenge.planets = system.planets;
    challenge.data.instruments = {"A"};
    const double sigma = roundedTo(settings.noiseSigma(), 0.01);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double velocity = velocities[i] + system.systemicVelocity + sigma * random.normal();
        challenge.data.measurements.push_back({times[i], roundedTo(velocity, 0.01), sigma, 0});
    }
    return challenge;
}

} // namespace

Numeric::Outcome<ChallengeData> makeChallenge(const ChallengeSettings &settings, const std::filesystem::path &rvFolder)
{
    if (const auto wrong = refusal(settings))
        return *wrong;
    RandomStream random(streamSeed(settings));
    if (settings.level != Level::RealStar)
        return syntheticChallenge(settings, random);
    auto star = drawRealStar(rvFolder, settings.points, random);
    if (!star)
        return Numeric::Refusal{star.reason()};
    ChallengeData challenge;
    challenge.settings = settings;
    challenge.starMassSolar = star->starMassSolar;
    challenge.starName = star->starName;
    challenge.published = std::move(star->published);
    challenge.data = std::move(star->shown);
    return challenge;
}

std::string dataText(const ChallengeData &challenge)
{
    return Observations::toText(challenge.data);
}

int planetCount(const ChallengeData &challenge)
{
    return challenge.settings.level == Level::TwoPlanets ? 2 : 1;
}

} // namespace Challenge
