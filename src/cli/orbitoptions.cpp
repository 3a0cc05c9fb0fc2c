#include "cli/orbitoptions.h"

#include "cli/commandkit.h"

#include <numbers>

namespace Cli {

void OrbitOptions::addTo(CLI::App &command, const std::string &periastronHelp)
{
    command.add_option("--period", periodDays, "days, > 0")->required()->check(numberWithin(1e-6, 1e9));
    command.add_option("--k", semiAmplitude, "semi-amplitude, m/s, >= 0")->required()->check(numberWithin(0, 1e7));
    command.add_option("--e", eccentricity, "eccentricity, [0, 0.99] (default 0)")->check(numberWithin(0, 0.99));
    command.add_option("--omega", omegaDegrees, "star's argument of periastron, degrees (default 0)")
        ->check(numberWithin(-360, 360));
    command.add_option("--tp", periastronTime, periastronHelp)->check(numberWithin(-1e9, 1e9));
}

Kepler::Orbit OrbitOptions::orbit(double defaultPeriastron) const
{
    Kepler::Orbit orbit;
    orbit.periodDays = periodDays;
    orbit.semiAmplitude = semiAmplitude;
    orbit.eccentricity = eccentricity;
    orbit.omegaRadians = omegaDegrees * std::numbers::pi / 180;
    orbit.periastronTime = periastronTime.value_or(defaultPeriastron);
    if (const auto reason = Kepler::refusal(orbit))
        throw UsageError{reason->reason};
    return orbit;
}

} // namespace Cli
