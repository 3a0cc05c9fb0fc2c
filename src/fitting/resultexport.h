#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <string>

/// Plain-text forms of a fit, for files and the command line. Numbers are
/// written with up to 10 significant digits, '.' as decimal point.
namespace Fitting {

/// One header line then one row per planet (elements and uncertainties,
/// ω in degrees), a row per instrument, and the summary row
/// (−ln L, χ², rms, BIC, n, k).
std::string resultCsv(const Result &result);

/// A JSON object: "status", "message", "planets" [{period, semiAmplitude,
/// eccentricity, omegaDegrees, periastronTime, conjunctionTime,
/// minimumMassJupiter, minimumMassEarth, each with "…Uncertainty", and
/// "…BootstrapUncertainty" when a bootstrap ran}],
/// "instruments" [{name, points, offset, offsetUncertainty, jitter,
/// jitterUncertainty, rms}], "trend", "negativeLogLikelihood", "chiSquare",
/// "rms", "bic", "points", "parameters", "bootstrapRuns", "starMass".
std::string resultJson(const Result &result);

/// time,velocity,uncertainty,instrument,model,residual — one row per measurement.
std::string residualsCsv(const Result &result, const Observations::DataSet &data);

/// ω and its uncertainty as written out: radians to degrees.
double degreesFromRadians(double radians);

/// Text as a JSON string literal, quotes included, with ", \, control
/// characters escaped (UTF-8 passes through).
std::string jsonString(std::string_view text);

} // namespace Fitting
