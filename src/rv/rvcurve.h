#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

/// The radial-velocity curve as the RV window plots it, and the summary
/// printed above it. Pure numbers and texts, no widgets.
///
/// The model is deliberately simple: the orbital phase θ is stepped
/// uniformly and used directly as the angle in the velocity formula;
/// Kepler's equation is not solved. Coordinates are twips on a plot 7335
/// wide and 4935 high, y downwards, with the zero-velocity line at 3180.
namespace RvCurve {

inline constexpr double ZeroLine = 3180;
inline constexpr int PointCount = 241;

/// The values the curve is drawn from, as read from the RV window's boxes.
struct Elements
{
    double eccentricity = 0;
    double semiAmplitude = 0; ///< K, m/s
    double periodDays = 0;
    double omega = 0;         ///< argument of periastron, radians
};

/// Which formula gives the height; see height().
enum class Row {
    EccentricSmallK, ///< 0.1 ≤ e < 1, K < 100: 3180 + 16·K·(cos(θ + ω) + e·cos ω)
    EccentricLargeK, ///< 0.1 ≤ e < 1, K ≥ 100: 3180 − K·e·cos(θ + ω)
    CircularSmallK,  ///< 0 ≤ e < 0.1, K < 10: 3180 + 160·K·cos(θ + ω)
    CircularLargeK,  ///< 0 ≤ e < 0.1, K ≥ 10: 3180 + 16·K·cos(θ + ω)
};

/// The row for these elements, or nothing when e is outside [0, 1) and no
/// curve can be drawn.
std::optional<Row> rowFor(double eccentricity, double semiAmplitude);

/// Height of the curve at phase `theta` (radians), rounded to single precision.
float height(Row row, const Elements &elements, float theta);
/// Horizontal place of phase `theta`: short periods (P < 10 days) are
/// stretched by P so that their two orbits fill the plot.
float abscissa(double periodDays, float theta);

/// The plotted points, two orbits in steps of 3°: exactly PointCount of
/// them, each X taken 2° after its Y. Empty when rowFor() gives nothing
/// or when a point would not be a finite single-precision number.
QList<QPointF> points(const Elements &elements);

/// One line of the summary: its text starts at `position` (twips); an
/// `italicTail` follows it in italics and ends the line.
struct SummaryLine
{
    QPointF position;
    QString text;
    QString italicTail;
};

/// The five summary lines: planet name, mass, period, K and e. The mass
/// is in Jupiter masses ("M_JUP/sin i"), or in Earth masses ("M_E/sin i")
/// with `earthMasses`, as the catalog window shows it.
QList<SummaryLine> summary(const QString &planetName, double mass, bool earthMasses,
                           const Elements &elements);

} // namespace RvCurve
