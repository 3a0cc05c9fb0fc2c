#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <string>

/// Plain-text forms of a fit, for files and the command line. Every number
/// is written in the shortest form that reads back to the same double, '.'
/// as decimal point, so a time in BJD keeps all its digits.
namespace Fitting {

/// One header line then one row per planet (elements and uncertainties,
/// ω in degrees, and in the last column "unconstrained" the names of the
/// elements whose uncertainty exceeds their value, ';'-separated), a row per
/// instrument (with, when decorrelated, the index's name, d_k, its σ and
/// x̄_k), and the summary row (−ln L, χ², rms, BIC, n, k).
std::string resultCsv(const Result &result);

/// A JSON object: "status", "message", "planets" [{period, semiAmplitude,
/// eccentricity, omegaDegrees, periastronTime, conjunctionTime,
/// minimumMassJupiter, minimumMassEarth, each with "…Uncertainty", the
/// boolean "…Unconstrained" (see Fitting::unconstrained) and
/// "…BootstrapUncertainty" when a bootstrap ran}], "notes" [sentences],
/// "instruments" [{name, points, offset, offsetUncertainty, jitter,
/// jitterUncertainty, rms, and when decorrelated decorrelation (m/s per index
/// unit), decorrelationUncertainty, decorrelationUnconstrained, indexMean}],
/// "decorrelatedAgainst" (the index's name, when decorrelated), "trend", "negativeLogLikelihood", "chiSquare",
/// "rms", "bic", "points", "parameters", "bootstrapRuns", "starMass", and
/// after a search "searchStop" (planetCap, falseAlarmThreshold, noBicGain,
/// noPeak) and "searchStopReason". A number that is not finite is null.
std::string resultJson(const Result &result);

/// time,velocity,uncertainty,instrument,model,residual — one row per measurement.
std::string residualsCsv(const Result &result, const Observations::DataSet &data);

/// ω and its uncertainty as written out: radians to degrees.
double degreesFromRadians(double radians);

/// The name of a search's stop as the JSON writes it.
std::string searchStopName(SearchStop stop);

} // namespace Fitting
