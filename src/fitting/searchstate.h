#pragma once

#include "fitting/levenbergmarquardt.h"
#include "fitting/rvfit.h"

#include <atomic>
#include <string>
#include <vector>

/// The model a fit or a search builds one planet at a time, and the steps
/// that change it. Internal to the fitting library (planetsearch.cpp and its
/// helpers).
namespace Fitting::Search {

/// Below this period (days) a new planet's orbit is held circular: tides
/// circularise such orbits within far less than a star's age (51 Peg b,
/// 4.23 d, has e < 0.02), and a free eccentricity there lets an orbit of
/// about one day, seen at the same hour every night, mimic slow drifts.
inline constexpr double tidallyCircularDays = 3.0;

/// The model so far: the planets found, the peaks they started from and why the search ended.
struct State
{
    Measurements data;
    Observations::DataSet original;
    Options options;
    ParameterLayout layout;
    Eigen::VectorXd x;
    Periodogram::FrequencyGrid grid;
    std::vector<Periodogram::Peak> peaks;
    std::vector<OrbitShape> shapes; ///< per planet
    MinimiserOutcome outcome = MinimiserOutcome::Converged;
    SearchStop stop = SearchStop::NotSearched;
    std::string stopSentence;
    std::vector<std::string> notes;

    double cost() const;
    int circularPlanets() const;
    int freeCount() const;
    /// P of planet j, days.
    double period(int j) const;
    double lastPeriod() const { return period(layout.planets - 1); }
};

/// Every parameter but √e cos ω and √e sin ω of circular orbits.
FreeParameters freeParameters(const ParameterLayout &layout, const std::vector<OrbitShape> &shapes);

/// BIC = k ln n + 2 (−ln L), k the free parameters.
double bicOf(int parameters, int points, double cost);
double bicOf(const State &state);

/// Data whose velocities are the residuals and whose uncertainties are
/// √(σ_i² + s_k²) of the model's jitters, or σ_i alone.
enum class Weights { WithJitter, MeasurementOnly };
Observations::DataSet residualSet(const State &state, Weights weights);

/// Fits a model without planets: offsets, and jitters and trend when asked.
MinimiserOutcome fitBaseline(State &state, const std::atomic<bool> *cancel);

/// The sinusoid a + b cos 2πft + c sin 2πft of the residuals at frequency f,
/// read as a circular orbit.
Kepler::Orbit circularStart(const Observations::DataSet &residuals, double frequency, double referenceTime);

/// Whether a new planet starts from the orbit given, or also from several
/// eccentricities and ω around it.
enum class StartShapes { AsGiven, Varied };

/// Adds one planet starting near the given orbit: each start fitted with the
/// other planets held, the best refined with everything free.
MinimiserOutcome addPlanet(State &state, const Kepler::Orbit &start, StartShapes shapes, OrbitShape shape,
                           const std::atomic<bool> *cancel);

/// The time span T of the measurements, days; 1/T is one peak's width in frequency.
double timeSpan(const Measurements &data);

/// "4.23078 d".
std::string periodText(double days);

} // namespace Fitting::Search
