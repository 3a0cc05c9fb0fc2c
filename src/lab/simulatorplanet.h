#pragma once

#include "lab/labplanet.h"

#include <optional>

class Form1;

/// The planet of the simulator's last set-up while its animation runs,
/// as the lab shows it (edge-on, periastron at t = 0); nothing before a
/// set-up or after a stop. The one place that knows where the simulator
/// keeps its planet.
std::optional<LabPlanet> simulatorPlanet(const Form1 &simulator);
