#include "handfit/handfitpoints.h"

#include "lab/labcurve.h"

#include <algorithm>
#include <cmath>

namespace HandFitPoints {

namespace {

/// Samples per orbit in the time view, and the bounds of the whole curve:
/// enough to follow each orbit's swing, few enough to redraw on every step.
constexpr double SamplesPerOrbit = 24;
constexpr int FewestSamples = 200;
constexpr int MostSamples = 1500;
constexpr int FoldedSamples = 400;

QList<InstrumentPoints> emptyInstruments(const Observations::DataSet &data)
{
    QList<InstrumentPoints> instruments;
    for (std::size_t k = 0; k < data.instruments.size(); ++k)
        instruments.append({QString::fromStdString(data.instruments[k]), instrumentColor(int(k)), {}, {}, {}});
    return instruments;
}

template <class Velocity>
QList<InstrumentPoints> pointsOf(const Observations::DataSet &data, const Axis &axis, Velocity velocity)
{
    QList<InstrumentPoints> instruments = emptyInstruments(data);
    for (std::size_t i = 0; i < data.measurements.size(); ++i) {
        const Observations::Measurement &m = data.measurements[i];
        if (m.instrument < 0 || m.instrument >= instruments.size())
            continue;
        InstrumentPoints &target = instruments[m.instrument];
        target.points.append(QPointF(axis.x(m.time), velocity(i)));
        target.errors.append(m.uncertainty);
        target.measurements.append(qsizetype(i));
    }
    return instruments;
}

} // namespace

double Axis::x(double timeDays) const
{
    return folded ? LabCurve::phaseAt(orbit, timeDays) : timeDays - origin;
}

QList<InstrumentPoints> measured(const Observations::DataSet &data, const std::vector<double> &offsets,
                                 const Axis &axis)
{
    return pointsOf(data, axis, [&](std::size_t i) {
        const Observations::Measurement &m = data.measurements[i];
        return m.velocity - offsets.at(std::size_t(m.instrument));
    });
}

QList<InstrumentPoints> residuals(const Observations::DataSet &data, const std::vector<double> &residuals,
                                  const Axis &axis)
{
    return pointsOf(data, axis, [&](std::size_t i) { return residuals.at(i); });
}

QList<QPointF> curve(const Axis &axis, double spanDays)
{
    const Kepler::Orbit &orbit = axis.orbit;
    QList<QPointF> points;
    if (axis.folded) {
        points.reserve(FoldedSamples + 1);
        for (int k = 0; k <= FoldedSamples; ++k) {
            const double phase = double(k) / FoldedSamples;
            points.append(
                QPointF(phase, Kepler::radialVelocity(orbit, orbit.periastronTime + phase * orbit.periodDays)));
        }
        return points;
    }
    const double orbits = spanDays / orbit.periodDays;
    const int samples = int(std::clamp(orbits * SamplesPerOrbit, double(FewestSamples), double(MostSamples)));
    points.reserve(samples + 1);
    for (int k = 0; k <= samples; ++k) {
        const double t = spanDays * k / samples;
        points.append(QPointF(t, Kepler::radialVelocity(orbit, axis.origin + t)));
    }
    return points;
}

} // namespace HandFitPoints
