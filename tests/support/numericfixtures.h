#pragma once

// Fixtures shared by the numeric floor's tests: noisy measurements of known planets, the one closed-form curve
// they check against, and table rows built as a valid value with one thing changed.

#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <QMetaType>

#include <cmath>
#include <random>
#include <string>
#include <vector>

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

/// Measurements of known planets at random times over [start, start + span), one instrument per offset taken in
/// turn ("I0", "I1", …), each uncertainty drawn from [sigma, sigma + spread), noise of that uncertainty and the
/// jitter added in quadrature. A fixed seed draws the same set on every run.
inline Observations::DataSet noisyData(const std::vector<Kepler::Orbit> &planets, const std::vector<double> &offsets,
                                       int points, double start, double span, double sigma, double spread,
                                       double jitter, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0, 1);
    std::normal_distribution<double> normal(0, 1);
    Observations::DataSet data;
    for (std::size_t k = 0; k < offsets.size(); ++k)
        data.instruments.push_back("I" + std::to_string(k));
    for (int i = 0; i < points; ++i) {
        Observations::Measurement m;
        m.time = start + span * uniform(random);
        m.instrument = i % int(offsets.size());
        m.uncertainty = spread > 0 ? sigma + spread * uniform(random) : sigma;
        m.velocity = Kepler::radialVelocity(planets, m.time) + offsets[std::size_t(m.instrument)]
            + std::sqrt(m.uncertainty * m.uncertainty + jitter * jitter) * normal(random);
        data.measurements.push_back(m);
    }
    return data;
}

/// A copy of a valid value with one change applied, so that each refusal row names only its own fault.
template <class T, class Change> T changed(T value, const Change &change)
{
    change(value);
    return value;
}

} // namespace NumericFixtures
