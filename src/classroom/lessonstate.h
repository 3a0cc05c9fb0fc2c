#pragma once

#include "challenge/lessonprogress.h"
#include "lab/labplanet.h"
#include "observations/rvdata.h"

#include <map>
#include <string>

/// The lab as a lesson sees it, by the names of Challenge::lessonQuantities().
namespace LessonState {

/// The lab's quantities for `planet`: its elements (ω and i in degrees), the
/// minimum and true masses, and, with measurements shown, the reduced χ²
/// and rms of the planet against them with the best offsets (the goodness
/// meter's numbers).
Challenge::LabState of(const LabPlanet &planet, const Observations::DataSet &data);

/// `planet` with the quantities a lesson's set-up gives; the others stay.
LabPlanet withSetup(LabPlanet planet, const std::map<std::string, double> &setup);

} // namespace LessonState
