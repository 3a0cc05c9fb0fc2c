#include "challenge/challengespec.h"

#include "numeric/numbertext.h"

namespace Challenge {

ChallengeSpec defaultSpec(Level level)
{
    ChallengeSpec spec;
    spec.level = level;
    switch (level) {
    case Level::BigCircular:
        spec.points = 40;
        spec.noiseTenths = 30;
        break;
    case Level::Eccentric:
        spec.points = 50;
        spec.noiseTenths = 30;
        break;
    case Level::SmallNoisy:
        spec.points = 80;
        spec.noiseTenths = 80;
        break;
    case Level::TwoPlanets:
        spec.points = 120;
        spec.noiseTenths = 20;
        break;
    case Level::RealStar:
        spec.points = 60;
        spec.noiseTenths = 30;
        break;
    }
    return spec;
}

std::optional<Numeric::Refusal> refusal(const ChallengeSpec &spec)
{
    const int level = int(spec.level);
    if (level < firstLevel || level > lastLevel)
        return Numeric::Refusal{"the level must be 1 to 5 (found " + std::to_string(level) + ")"};
    if (spec.points < minimumPoints || spec.points > maximumPoints)
        return Numeric::Refusal{"the number of points must be " + std::to_string(minimumPoints) + " to "
                                + std::to_string(maximumPoints) + " (found " + std::to_string(spec.points) + ")"};
    if (spec.level == Level::TwoPlanets && spec.points < minimumPointsForTwoPlanets)
        return Numeric::Refusal{"two planets need at least " + std::to_string(minimumPointsForTwoPlanets)
                                + " points (found " + std::to_string(spec.points) + ")"};
    if (spec.noiseTenths < minimumNoiseTenths || spec.noiseTenths > maximumNoiseTenths)
        return Numeric::Refusal{"the noise must be 0.1 to 102.3 m/s in steps of 0.1 (found "
                                + Numeric::shortestText(spec.noiseSigma()) + ")"};
    if (spec.cadence != Cadence::Nightly && spec.cadence != Cadence::Random)
        return Numeric::Refusal{"the cadence must be nightly or random"};
    if (spec.seed > maximumSeed)
        return Numeric::Refusal{"the seed must be 0 to " + std::to_string(maximumSeed) + " (found "
                                + std::to_string(spec.seed) + ")"};
    return std::nullopt;
}

Numeric::Outcome<Level> levelFromNumber(int number)
{
    if (number < firstLevel || number > lastLevel)
        return Numeric::Refusal{"the level must be 1 to 5 (found " + std::to_string(number) + ")"};
    return Level(number);
}

Numeric::Outcome<Cadence> cadenceFromName(const std::string &name)
{
    if (name == "nightly")
        return Cadence::Nightly;
    if (name == "random")
        return Cadence::Random;
    return Numeric::Refusal{"the cadence must be nightly or random (found \"" + name + "\")"};
}

std::string levelTitle(Level level)
{
    switch (level) {
    case Level::BigCircular:
        return "one big planet on a circular orbit";
    case Level::Eccentric:
        return "one planet on an eccentric orbit";
    case Level::SmallNoisy:
        return "a small planet in noisy data";
    case Level::TwoPlanets:
        return "two planets";
    case Level::RealStar:
        return "a real star's published velocities, its planet hidden";
    }
    return {};
}

} // namespace Challenge
