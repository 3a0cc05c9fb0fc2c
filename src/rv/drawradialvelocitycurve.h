#pragma once

/// Plots the radial-velocity curve of the current planet into RV.RVC with
/// a summary above it, from the values in the carrier boxes: RV.Text1 e,
/// Text2 K, Text3 P, Text5 ω (radians), Form2.Text1 the shown mass and
/// Form2.Text2 the planet name. Afterwards the animation runs again.
///
/// A K, P or mass of 0 (or a box that does not read as a finite number)
/// means nothing has been set up yet: the user is asked to set one up, and
/// the RV window is unloaded instead of drawn. An eccentricity outside
/// [0, 1) leaves the summary alone and says the curve cannot be drawn.
void DrawRadialVelocityCurve();
