#pragma once

#include "labdata/plotpoints.h"

#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <vector>

/// What the hand-fitting charts draw: the measurements with the student's
/// offsets taken off, their residuals, and the student's curve, against
/// days since the first measurement or folded on the student's period.
namespace HandFitPoints {

/// The charts' horizontal axis.
struct Axis
{
    /// Folded: the orbital phase (t − T_p) / P of `orbit` reduced to
    /// [0, 1); else days since `origin`.
    bool folded = false;
    double origin = 0;
    Kepler::Orbit orbit;

    double x(double timeDays) const;
};

/// Each instrument's measurements (y = v − γ_k, its offset taken off) with
/// their error bars; `offsets` holds one γ per instrument.
QList<InstrumentPoints> measured(const Observations::DataSet &data, const std::vector<double> &offsets,
                                 const Axis &axis);

/// Each instrument's residuals, one per measurement in the data's order.
QList<InstrumentPoints> residuals(const Observations::DataSet &data, const std::vector<double> &residuals,
                                  const Axis &axis);

/// The student's curve: over one orbit, phase 0 to 1, when folded; else
/// over the `spanDays` the data cover, sampled finely enough to show every
/// orbit within a few thousand points.
QList<QPointF> curve(const Axis &axis, double spanDays);

} // namespace HandFitPoints
