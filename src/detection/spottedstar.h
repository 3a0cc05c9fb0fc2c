#pragma once

#include "kepler/keplerorbit.h"
#include "numeric/outcome.h"
#include "observations/synthetic.h"

#include <cstdint>
#include <span>
#include <vector>

/// A spotted star: synthetic measurements whose velocities carry, besides
/// any planets, a signal of the star's rotation that an activity index
/// carries too, so that an impostor arises and can be unmasked. Pure C++,
/// no Qt.
///
/// Model. Active regions are born at random times (on average one per half
/// lifetime L, over the span and L·3 either side), each at a random
/// longitude λ_k, and grow and fade as exp(−½((t − t_k)/L)²). A region is
/// seen while it faces us, ½(1 + cos(2πt/P_rot − λ_k)), so
///   a(t) = Σ_k exp(−½((t − t_k)/L)²) · ½(1 + cos(2πt/P_rot − λ_k))
/// is quasi-periodic: periodic at P_rot over a time ≲ L, its phase and
/// height wandering beyond. a is scaled to zero mean and unit rms over the
/// measurement times, giving ã. Velocities and index follow ã in phase, as
/// the suppression of convective blueshift in plages does for slowly rotating
/// stars (Meunier, Desort & Lagrange 2010, A&A 512, A39):
///   v_i = (planets, noise and offset as Observations::simulate) + √2 A_v ã(t_i),
///   index_i = base + √2 A_x ã(t_i) + N(0, σ_x²),
/// so each has the rms of a sinusoid of semi-amplitude A_v or A_x.
namespace Detection {

struct SpottedStar
{
    double rotationPeriodDays = 25; ///< P_rot, finite and > 0
    double spotLifetimeDays = 60;   ///< L, finite and > 0
    double velocityAmplitude = 10;  ///< A_v, m/s, finite and ≥ 0
    double indexBase = 0.2;         ///< the index's quiet level (an S-index, say)
    double indexAmplitude = 0.05;   ///< A_x, finite and ≥ 0
    double indexNoise = 0.005;      ///< σ_x, finite and ≥ 0
    std::uint64_t seed = 1;         ///< the regions and the index noise
};

/// The seed of a star's spots observed with a plan of this seed: another
/// stream than the measurement noise's, so spots and noise are unrelated.
inline std::uint64_t spotSeedFor(std::uint64_t planSeed)
{
    return planSeed + 1;
}

/// Measurements and the activity index at each of them, in the same order.
struct SpottedData
{
    Observations::DataSet data;
    std::vector<double> index;
};

/// The spotted data as one data set, its index carried as the "S-index"
/// (the name a file's `s_index` column reads back as).
Observations::DataSet withSIndex(SpottedData spotted);

/// The plan's measurements of these planets (Observations::simulate) with the
/// star's activity added, and its index. Refused, with a sentence, when the
/// plan, a planet or the star's values are refused.
Numeric::Outcome<SpottedData> simulateSpottedStar(std::span<const Kepler::Orbit> planets,
                                                  const Observations::SyntheticPlan &plan, const SpottedStar &star);

} // namespace Detection
