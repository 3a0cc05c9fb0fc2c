#include "classroom/lessonstate.h"

#include "challenge/goodness.h"
#include "lab/derivedvalues.h"
#include "numeric/mathconstants.h"

namespace LessonState {

Challenge::LabState of(const LabPlanet &planet, const Observations::DataSet &data)
{
    const Kepler::Orbit &orbit = planet.orbit;
    Challenge::LabState state{{"period", orbit.periodDays},
                              {"semiAmplitude", orbit.semiAmplitude},
                              {"eccentricity", orbit.eccentricity},
                              {"omega", orbit.omegaRadians * MathConstants::degreesPerRadian},
                              {"periastronTime", orbit.periastronTime},
                              {"starMass", planet.starMassSolar},
                              {"inclination", planet.inclinationDegrees}};
    const DerivedValues::Values derived = DerivedValues::of(planet);
    state["minimumMassJupiter"] = DerivedValues::jupiterMasses(derived.minimumMassSolar);
    if (derived.trueMassSolar)
        state["trueMassJupiter"] = DerivedValues::jupiterMasses(*derived.trueMassSolar);
    if (!data.measurements.empty()) {
        const Challenge::StudentModel model{{orbit}, Challenge::bestOffsets(data, {orbit})};
        if (const auto meter = Challenge::goodness(data, model); meter.ok()) {
            state["rms"] = meter->rms;
            if (meter->reducedChiSquare)
                state["reducedChiSquare"] = *meter->reducedChiSquare;
        }
    }
    return state;
}

LabPlanet withSetup(LabPlanet planet, const std::map<std::string, double> &setup)
{
    const std::map<std::string, double *> targets{{"period", &planet.orbit.periodDays},
                                                  {"semiAmplitude", &planet.orbit.semiAmplitude},
                                                  {"eccentricity", &planet.orbit.eccentricity},
                                                  {"omega", &planet.orbit.omegaRadians},
                                                  {"periastronTime", &planet.orbit.periastronTime},
                                                  {"starMass", &planet.starMassSolar},
                                                  {"inclination", &planet.inclinationDegrees}};
    for (const auto &[quantity, value] : setup) {
        if (const auto target = targets.find(quantity); target != targets.end())
            *target->second = quantity == "omega" ? value * MathConstants::radiansPerDegree : value;
    }
    return planet;
}

} // namespace LessonState
