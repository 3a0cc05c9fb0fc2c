#pragma once

#include "kepler/keplerorbit.h"

#include <CLI/CLI.hpp>

#include <optional>

namespace Cli {

/// --period, --k, --e, --omega (degrees) and --tp: one planet's orbit, as
/// simulate and curve take it.
struct OrbitOptions
{
    double periodDays = 0;
    double semiAmplitude = 0;
    double eccentricity = 0;
    double omegaDegrees = 0;
    std::optional<double> periastronTime;

    void addTo(CLI::App &command, const std::string &periastronHelp);
    /// The orbit; T_p is `defaultPeriastron` when --tp is not given.
    /// Throws UsageError for an orbit Kepler refuses.
    Kepler::Orbit orbit(double defaultPeriastron) const;
};

} // namespace Cli
