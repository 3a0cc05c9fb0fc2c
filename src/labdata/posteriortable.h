#pragma once

#include "sampling/posterior.h"

class QTableWidget;

/// Fills the posterior window's results table: one row per derived quantity
/// and per sampled parameter — name, unit, median with its 68.3 % interval,
/// the 68.3 % and 95 % intervals, the fit's value ± its covariance σ, and
/// for sampled parameters τ and split-R̂. Empty for a run that did not converge.
void fillPosteriorTable(QTableWidget &table, const Sampling::Result &result);
