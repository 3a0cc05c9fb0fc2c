#pragma once

// Fixtures shared by the numeric floor's tests: the one closed-form curve they check against, and table rows
// built as a valid value with one thing changed.

#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <QMetaType>

#include <cmath>

Q_DECLARE_METATYPE(Kepler::Orbit)
Q_DECLARE_METATYPE(Observations::DataSet)

namespace NumericFixtures {

/// π in long double, 1e-19 relative, for references that must stay ahead of the double code they check.
inline constexpr long double longPi = 3.14159265358979323846264338327950288L;

/// A circular orbit's velocity in closed form: with e = 0, ν = M, so v = K cos(2π (t − T_p)/P + ω), m/s.
/// The phase is taken in long double so that it keeps its digits far from T_p.
inline double circularVelocity(const Kepler::Orbit &orbit, double t)
{
    const long double phase = ((long double)t - orbit.periastronTime) / orbit.periodDays;
    return double(orbit.semiAmplitude * std::cos(2 * longPi * phase + orbit.omegaRadians));
}

/// A copy of a valid value with one change applied, so that each refusal row names only its own fault.
template <class T, class Change>
T changed(T value, const Change &change)
{
    change(value);
    return value;
}

} // namespace NumericFixtures
