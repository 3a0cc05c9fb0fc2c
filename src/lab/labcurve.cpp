#include "lab/labcurve.h"

#include <cmath>
#include <numbers>

namespace LabCurve {

double phaseAt(const Kepler::Orbit &orbit, double timeDays)
{
    const double cycles = (timeDays - orbit.periastronTime) / orbit.periodDays;
    const double phase = cycles - std::floor(cycles);
    // A whole number of orbits that rounding left a hair short of it is the
    // periastron, not the end of the orbit before.
    return 1 - phase > 1e-12 ? phase : 0;
}

double firstOrbitTime(const Kepler::Orbit &orbit, double timeDays)
{
    return timeDays - orbit.periodDays * std::floor(timeDays / orbit.periodDays);
}

void sample(const Kepler::Orbit &orbit, double firstTime, std::span<Point> points)
{
    const double last = double(points.size() - 1);
    for (size_t k = 0; k < points.size(); ++k) {
        const double time = firstTime + orbit.periodDays * (double(k) / last);
        points[k] = {time, phaseAt(orbit, time), Kepler::radialVelocity(orbit, time)};
    }
}

double schematicVelocity(const Kepler::Orbit &orbit, double phase)
{
    const double omega = orbit.omegaRadians;
    return orbit.semiAmplitude
        * (std::cos(2 * std::numbers::pi * phase + omega) + orbit.eccentricity * std::cos(omega));
}

namespace {

void appendFixed(QByteArray &text, double value)
{
    // Six decimals whatever the user's locale; a value that rounds to zero
    // is written without a sign.
    const double shown = std::fabs(value) < 5e-7 ? 0.0 : value;
    text.append(QByteArray::number(shown, 'f', 6));
}

} // namespace

QByteArray csv(std::span<const Point> points)
{
    QByteArray text("time (days),phase (periastron = 0),velocity (m/s)\n");
    for (const Point &point : points) {
        appendFixed(text, point.time);
        text.append(',');
        appendFixed(text, point.phase);
        text.append(',');
        appendFixed(text, point.velocity);
        text.append('\n');
    }
    return text;
}

} // namespace LabCurve
