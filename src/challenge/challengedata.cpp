#include "challenge/challengedata.h"

#include "challenge/mysteryplanets.h"
#include "challenge/observingtimes.h"
#include "challenge/randomstream.h"
#include "challenge/realstar.h"
#include "challenge/rounding.h"
#include "observations/rvwriter.h"

namespace Challenge {

namespace {

std::uint64_t streamSeed(const ChallengeSpec &spec)
{
    // The level enters the seed so that one seed gives unrelated systems at
    // different levels.
    return (std::uint64_t(spec.level) << 32) | spec.seed;
}

ChallengeData syntheticChallenge(const ChallengeSpec &spec, RandomStream &random)
{
    const MysterySystem system = drawSystem(spec, random);
    const std::vector<double> times =
        observingTimes(spec.cadence, spec.points, system.startTime, system.spanDays, random);
    const std::vector<double> velocities = Kepler::radialVelocities(system.planets, times);
    ChallengeData challenge;
    challenge.spec = spec;
    challenge.starMassSolar = system.starMassSolar;
    challenge.planets = system.planets;
    challenge.data.instruments = {"A"};
    const double sigma = roundedTo(spec.noiseSigma(), 0.01);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double velocity = velocities[i] + system.systemicVelocity + sigma * random.normal();
        challenge.data.measurements.push_back({times[i], roundedTo(velocity, 0.01), sigma, 0});
    }
    return challenge;
}

} // namespace

Numeric::Outcome<ChallengeData> makeChallenge(const ChallengeSpec &spec, const std::filesystem::path &rvFolder)
{
    if (const auto wrong = refusal(spec))
        return *wrong;
    RandomStream random(streamSeed(spec));
    if (spec.level != Level::RealStar)
        return syntheticChallenge(spec, random);
    auto star = drawRealStar(rvFolder, spec.points, random);
    if (!star)
        return Numeric::Refusal{star.reason()};
    ChallengeData challenge;
    challenge.spec = spec;
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
    return challenge.spec.level == Level::TwoPlanets ? 2 : 1;
}

} // namespace Challenge
