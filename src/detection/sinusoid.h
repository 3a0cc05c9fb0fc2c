#pragma once

#include "observations/rvdata.h"

#include <vector>

/// The best sinusoid at one frequency, with its phase, which the periodogram
/// does not keep. Pure C++ and Eigen, no Qt.
///
/// Model (the generalised Lomb–Scargle model, Zechmeister & Kürster 2009):
/// after each instrument's weighted mean is removed,
///   y_i ≈ a + b cos 2πf(t_i − t₀) + c sin 2πf(t_i − t₀),
/// weighted least squares with weights 1/σ_i², t₀ the weighted mean time.
/// power = 1 − χ²/χ²₀ (χ²₀ about the weighted mean) is then the generalised
/// Lomb–Scargle power at f, and the pair (power, phase) places a peak in the
/// plane where Dawson & Fabrycky compare observed and simulated periodograms.
namespace Detection {

struct Sinusoid
{
    double frequency = 0;     ///< cycles/day
    double referenceTime = 0; ///< t₀, days
    double mean = 0;          ///< a, m/s
    double cosine = 0;        ///< b, m/s
    double sine = 0;          ///< c, m/s
    double power = 0;         ///< [0, 1]

    double amplitude() const;               ///< √(b² + c²), m/s
    double phase() const;                   ///< atan2(c, b), radians: y ≈ A cos(2πf(t − t₀) − phase)
    double velocity(double timeDays) const; ///< a + b cos + c sin at t, m/s
};

/// The fit at one frequency. All zero when the data hold fewer than 3
/// measurements or have no scatter about the mean.
Sinusoid fitSinusoid(const Observations::DataSet &data, double frequency);

/// The data with each instrument's weighted mean removed (what the fit and
/// the periodogram see), one instrument.
Observations::DataSet centredOnInstrumentMeans(const Observations::DataSet &data);

} // namespace Detection
