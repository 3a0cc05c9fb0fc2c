#pragma once

#include <QColor>
#include <QString>

#include <optional>

/// How the simulator draws a planet's orbit and names its form. Below an
/// eccentricity of 0.1 the orbit is drawn as a circle, with a small gap of
/// e radians so that a nearly circular orbit still looks different from a
/// perfect one; from 0.1 up to 1 as an ellipse of its true flattening, the
/// vertical half-axis being √(1 − e²) times the horizontal one (e = 0.1 is
/// nearly round, e = 0.9 flat). Pure data.
struct OrbitForm
{
    QString name;                     ///< "Circle" or "Ellipse", as the catalog window shows it
    QColor textColor;                 ///< colour of that name
    QColor lineColor;                 ///< colour of the drawn orbit
    std::optional<double> startAngle; ///< radians; the arc runs from here to a full turn
    double aspect = 1;                ///< vertical half-axis over horizontal half-axis, in (0, 1]

    /// The form for `eccentricity`, or nothing for e outside [0, 1): such
    /// an orbit is not drawn.
    static std::optional<OrbitForm> of(double eccentricity);
};
