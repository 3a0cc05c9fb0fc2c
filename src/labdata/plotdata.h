#pragma once

#include "labdata/plotpoints.h"

#include <QStringList>

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

/// What the charts of the observations panel show, worked out from a data
/// set and, when there is one, a fit. Times on the charts are days since the
/// first measurement (files keep JD, BJD, MJD … as given, and a plot of
/// 2,450,000-day numbers says nothing); velocities are m/s.
namespace PlotData {

/// The time the charts count from: the earliest measurement, days.
double timeOrigin(const Observations::DataSet &data);

/// Days from the earliest to the latest measurement; 0 for fewer than two times.
double timeSpan(const Observations::DataSet &data);

/// Each instrument's points with its zero point removed, so instruments line
/// up: without a fit (fit == nullptr or not ok) its weighted mean
/// Σ(v/σ²)/Σ(1/σ²), with a fit its fitted offset γ_k. One entry per
/// instrument of the set, also those without points.
QList<InstrumentPoints> alignedPoints(const Observations::DataSet &data, const Fitting::Result *fit);

/// The fitted model through alignedPoints(): all planets and the trend, as
/// seen by the first instrument (its offset removed), at `samples` times
/// evenly over the data's span.
QList<QPointF> modelCurve(const Fitting::Result &fit, const Observations::DataSet &data, int samples);

/// Residuals y − μ per instrument, m/s.
QList<InstrumentPoints> residualPoints(const Fitting::Result &fit, const Observations::DataSet &data);

/// The data as planet `planet` alone would make it (the other planets,
/// offsets and trend removed: r_i + v_planet(t_i)), against the orbital
/// phase (t − T_p)/P reduced to [0, 1).
QList<InstrumentPoints> phasePoints(const Fitting::Result &fit, const Observations::DataSet &data, int planet);

/// That planet's velocity over one orbit, phase 0 to 1.
QList<QPointF> phaseCurve(const Fitting::Result &fit, int planet, int samples);

/// The data with each velocity replaced by its residual of the fit, for the
/// residual periodogram.
Observations::DataSet residualData(const Fitting::Result &fit, const Observations::DataSet &data);

/// `fit` with one instrument entry per instrument of `data`, matched by
/// name, so a fit of some instruments draws over the whole set; an
/// instrument it did not fit (all its points excluded) is offset by its
/// weighted mean, as without a fit.
Fitting::Result onInstrumentsOf(const Fitting::Result &fit, const Observations::DataSet &data);

/// The grey of points left out of the analysis.
inline const QColor ExcludedColor{170, 170, 170};

/// Points of a chart split by an exclusion mask over the data set's
/// measurements: each instrument's kept points, and the excluded ones of
/// every instrument together in one grey "Excluded" entry.
struct SplitPoints
{
    QList<InstrumentPoints> kept;
    InstrumentPoints excluded;
};
SplitPoints splitExcluded(const QList<InstrumentPoints> &instruments, const std::vector<bool> &excluded);

/// One line a fitted planet, "Planet b: P = 4.2308 d, K = 55.9 m/s", for the choices of a planet.
QStringList planetSummaries(const Fitting::Result &fit);

/// The letter of planet `index` (0 → "b", 1 → "c" …), as astronomers name
/// a star's planets.
QString planetLetter(int index);

/// How many measurements each instrument of the set has.
QList<int> pointsPerInstrument(const Observations::DataSet &data);

} // namespace PlotData
