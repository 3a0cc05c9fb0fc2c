#pragma once

#include "lab/labplanet.h"

#include <optional>

struct Simulation;

/// The planet of a simulation Screen1 set up, as the lab shows it (edge-on,
/// periastron at t = 0); nothing for a simulation not set up. The one place
/// that turns the simulator's planet into the lab's.
std::optional<LabPlanet> simulatorPlanet(const Simulation &simulation);
