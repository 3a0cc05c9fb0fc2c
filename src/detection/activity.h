#pragma once

#include "numeric/outcome.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

/// Whether a velocity signal may be the star's activity rather than a planet.
/// Pure C++, no Qt.
///
/// Spots and plages rotate with the star and change the velocities and the
/// activity indices (S-index, log R'HK, Hα, FWHM, bisector span) together, so
/// a velocity that follows an index, or a velocity peak at a period where an
/// index has one too, points to the star rather than to a planet.
namespace Detection {

/// Pearson's r of two equally long series and its significance.
struct Correlation
{
    double r = 0;      ///< [−1, 1]
    double pValue = 1; ///< two-sided, under the null of no correlation (normal data)
    std::size_t count = 0;
};

/// r = Σ(x − x̄)(y − ȳ) / √(Σ(x − x̄)² Σ(y − ȳ)²). The p-value: under the null,
/// t = r √(ν / (1 − r²)) follows Student's t with ν = n − 2 degrees of
/// freedom, so p = P(|T| ≥ |t|) = I_{ν/(ν+t²)}(ν/2, 1/2) = I_{1−r²}(ν/2, 1/2),
/// the regularised incomplete beta function, evaluated by its continued
/// fraction (DLMF 8.17.22) with the modified Lentz method, which keeps small
/// p-values to full relative precision instead of as 1 − (something near 1).
/// Refused for fewer than 3 pairs, series of different lengths, values that
/// are not finite, or a series without scatter.
Numeric::Outcome<Correlation> pearsonCorrelation(std::span<const double> x, std::span<const double> y);

/// The regularised incomplete beta function I_x(a, b), 0 ≤ x ≤ 1, a, b > 0.
double regularizedIncompleteBeta(double x, double a, double b);

/// The activity index as data a periodogram reads: the measurements' times
/// and instruments with the index in place of the velocity, all of equal
/// weight (uncertainty 1), since indices rarely come with their errors.
/// Refused when the lengths differ or an index is not finite.
Numeric::Outcome<Observations::DataSet> indexAsData(const Observations::DataSet &data, std::span<const double> index);

/// For each velocity peak, the first of the index's peaks with a false-alarm
/// probability ≤ indexThreshold that lies within one peak width (1/T) of it:
/// that velocity peak "may be activity". Nothing for a peak without one.
std::vector<std::optional<Periodogram::Peak>> activityCoincidences(std::span<const Periodogram::Peak> velocityPeaks,
                                                                   std::span<const Periodogram::Peak> indexPeaks,
                                                                   double spanDays, double indexThreshold = 0.01);

} // namespace Detection
