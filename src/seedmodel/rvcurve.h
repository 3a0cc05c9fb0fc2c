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
/// wide and 4935 high, y downwards. The curve is centred on the drawn zero
/// axis and both orbits fit inside the plot: a curve taller than the room
/// about the axis is scaled down to fill it, and periods that would run off
/// the right edge are drawn as wide as the longest ones.
namespace RvCurve {

/// The zero-velocity axis of the plot, the line beside the "0" mark.
inline constexpr double ZeroLine = 3480;
/// How far the curve may reach either side of the zero axis: down to the
/// foot of the vertical axis at 4680, up to 2280, clear of the summary.
inline constexpr double Room = 1200;
/// Twips per radian of phase for periods of 5 days and longer: two orbits
/// take 6300 twips of the plot's 7335.
inline constexpr double FullWidthScale = 500;
inline constexpr int PointCount = 241;

/// The values the curve is drawn from, as read from the RV window's boxes.
struct Elements
{
    double eccentricity = 0;
    double semiAmplitude = 0; ///< K, m/s
    double periodDays = 0;
    double omega = 0; ///< argument of periastron, radians
};

/// Which formula gives the height; see height(). Every row draws
/// Y = ZeroLine + s·v with the velocity v = K·(cos(θ + ω) + c), so a
/// growing velocity always goes down the plot. The scale s is the row's
/// own factor (16, or 160 for small K on a circle), lowered when needed so
/// that s·|K|·(1 + |c|) stays within Room.
enum class Row {
    EccentricSmallK, ///< 0.1 ≤ e < 1, K < 100: factor 16, c = e·cos ω
    EccentricLargeK, ///< 0.1 ≤ e < 1, K ≥ 100: factor 16, c = e·cos ω; always scaled to fit
    CircularSmallK,  ///< 0 ≤ e < 0.1, K < 10: factor 160, c = 0
    CircularLargeK,  ///< 0 ≤ e < 0.1, K ≥ 10: factor 16, c = 0
};

/// The row for these elements, or nothing when e is outside [0, 1) and no
/// curve can be drawn.
std::optional<Row> rowFor(double eccentricity, double semiAmplitude);

/// Height of the curve at phase `theta` (radians), rounded to single precision.
float height(Row row, const Elements &elements, float theta);
/// Horizontal place of phase `theta`: 200 + 500·θ from P = 10 days on;
/// below, 300 + s·θ with s = 100·P, so shorter periods draw narrower
/// waves, but never more than FullWidthScale (from P = 5 days), so that
/// two orbits end within the plot (at most at 6600.6 twips).
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
QList<SummaryLine> summary(const QString &planetName, double mass, bool earthMasses, const Elements &elements);

} // namespace RvCurve
