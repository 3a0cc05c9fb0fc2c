#include "challenge/challengesettings.h"

#include "numeric/numbertext.h"

namespace Challenge {

ChallengeSettings defaultSettings(Level level)
{
    ChallengeSettings settings;
    settings.level = level;
    switch (level) {
    case Level::BigCircular:
        settings.points = 40;
        settings.noiseTenths = 30;
        break;
    case Level::Eccentric:
        settings.points = 50;
        settings.noiseTenths = 30;
        break;
    case Level::SmallNoisy:
        settings.points = 80;
        settings.noiseTenths = 80;
        break;
    case Level::TwoPlanets:
        settings.points = 120;
        settings.noiseTenths = 20;
        break;
    case Level::RealStar:
        settings.points = 60;
        settings.noiseTenths = 30;
        break;
    }
    return settings;
}

std::optional<Numeric::Refusal> refusal(const ChallengeSettings &settings)
{
    const int level = int(settings.level);
    if (level < firstLevel || level > lastLevel)
        return Numeric::Refusal{"the level must be 1 to 5 (found " + std::to_string(level) + ")"};
    if (settings.points < minimumPoints || settings.points > maximumPoints)
        return Numeric::Refusal{"the number of points must be " + std::to_string(minimumPoints) + " to "
                                + std::to_string(maximumPoints) + " (found " + std::to_string(settings.points) + ")"};
    if (settings.level == Level::TwoPlanets && settings.points < minimumPointsForTwoPlanets)
        return Numeric::Refusal{"two planets need at least " + std::to_string(minimumPointsForTwoPlanets)
                                + " points (found " + std::to_string(settings.points) + ")"};
    if (settings.noiseTenths < minimumNoiseTenths || settings.noiseTenths > maximumNoiseTenths)
        return Numeric::Refusal{"the noise must be 0.1 to 102.3 m/s in steps of 0.1 (found "
                                + Numeric::shortestText(settings.noiseSigma()) + ")"};
    if (settings.cadence != Cadence::Nightly && settings.cadence != Cadence::Random)
        return Numeric::Refusal{"the cadence must be nightly or random"};
    if (settings.seed > maximumSeed)
        return Numeric::Refusal{"the seed must be 0 to " + std::to_string(maximumSeed) + " (found "
                                + std::to_string(settings.seed) + ")"};
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
