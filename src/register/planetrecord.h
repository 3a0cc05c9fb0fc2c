#pragma once

#include <QString>

/// One planet of the user's own as the registration dialogue collects it;
/// every number in single precision, as typed (after the leading-number rule).
struct PlanetRecord
{
    QString name;
    float P = 0;     ///< orbital period, days
    float K = 0;     ///< radial-velocity semi-amplitude of the star, m/s
    float e = 0;     ///< eccentricity
    float omega = 0; ///< argument of periastron, degrees
    float a = 0;     ///< orbital radius, AU
    float M = 0;     ///< stellar mass, solar masses
};

/// How a registered planet is written: as a row of the on-screen list and
/// as a line of the catalog document. Pure functions.
namespace PlanetRecordText {

/// Three ideographic spaces stand between the fields of a list row.
inline constexpr char16_t Separator[] = u"\u3000\u3000\u3000";

/// name, P, K, e, ω, a, M joined by Separator, with ω in radians.
QString listRow(const PlanetRecord &planet);

/// The name, then P, K, e, ω (degrees), a and M each as a print item
/// (sign place, number, one blank), then CR LF. A line break typed into the
/// name becomes a blank, so one planet is always one line.
QString documentLine(const PlanetRecord &planet);

/// ω in radians as the list shows it: the single-precision product of the
/// degrees and the program's radians-per-degree factor.
float omegaRadians(float degrees);

} // namespace PlanetRecordText
