#include "challenge/mysteryplanets.h"

#include "challenge/rounding.h"
#include "numeric/mathconstants.h"

#include <cmath>

namespace Challenge {

namespace {

struct PlanetRanges
{
    double shortestPeriod, longestPeriod;
    double smallestK, largestK;
    double smallestE, largestE;
};

double logUniform(RandomStream &random, double low, double high)
{
    return std::exp(random.uniform(std::log(low), std::log(high)));
}

Kepler::Orbit drawPlanet(const PlanetRanges &ranges, double startTime, RandomStream &random)
{
    Kepler::Orbit orbit;
    orbit.periodDays = roundedTo(logUniform(random, ranges.shortestPeriod, ranges.longestPeriod), 1e-4);
    orbit.semiAmplitude = roundedTo(random.uniform(ranges.smallestK, ranges.largestK), 0.01);
    orbit.eccentricity = roundedTo(random.uniform(ranges.smallestE, ranges.largestE), 0.001);
    const double omegaDegrees = roundedTo(random.uniform(0, 360), 0.1);
    orbit.omegaRadians =
        orbit.eccentricity > 0 && omegaDegrees < 360 ? omegaDegrees * MathConstants::radiansPerDegree : 0.0;
    orbit.periastronTime = roundedTo(startTime + random.uniform(0, orbit.periodDays), 1e-5);
    return orbit;
}

} // namespace

MysterySystem drawSystem(const ChallengeSettings &settings, RandomStream &random)
{
    MysterySystem system;
    system.startTime = firstStartTime + double(random.below(1000));
    system.starMassSolar = roundedTo(random.uniform(0.7, 1.3), 0.01);
    system.systemicVelocity = roundedTo(random.uniform(-50, 50), 0.01);
    const double sigma = settings.noiseSigma();
    switch (settings.level) {
    case Level::BigCircular:
        system.spanDays = 120;
        system.planets.push_back(drawPlanet({3, 40, 40, 150, 0, 0}, system.startTime, random));
        break;
    case Level::Eccentric:
        system.spanDays = 240;
        system.planets.push_back(drawPlanet({5, 60, 30, 120, 0.3, 0.7}, system.startTime, random));
        break;
    case Level::SmallNoisy:
        system.spanDays = 200;
        system.planets.push_back(drawPlanet({2, 20, 1.2 * sigma, 2.5 * sigma, 0, 0.15}, system.startTime, random));
        break;
    case Level::TwoPlanets:
        system.spanDays = 400;
        system.planets.push_back(drawPlanet({3, 15, 20, 80, 0, 0.3}, system.startTime, random));
        system.planets.push_back(drawPlanet({40, 150, 20, 80, 0, 0.3}, system.startTime, random));
        break;
    case Level::RealStar:
        break;
    }
    return system;
}

} // namespace Challenge
