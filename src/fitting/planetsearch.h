#pragma once

#include "fitting/rvfit.h"

/// How fit() and findPlanets() add planets to a model of offsets, jitters
/// and trend, one at a time, and assemble the Result.
namespace Fitting {

/// Whether the number of planets is the one asked for, or the search's to decide.
enum class PlanetCount { AsAsked, WhileSignificant };

Result search(const Observations::DataSet &data, const Options &options, PlanetCount count,
              const Progress &progress, const std::atomic<bool> *cancel);

} // namespace Fitting
