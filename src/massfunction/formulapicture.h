#pragma once

#include <QImage>
#include <QPixmap>

/// The two formula pictures of the mass-function explanation, typeset at
/// run time from rich text so that no image file travels with the program.
namespace FormulaPicture {

/// The minimum-mass formula M_p sin i ～ K √(1 − e²) (P M★² / 2πG)^(1/3),
/// 195 by 60 pixels, black on white.
QImage minimumMass();

/// The mass function f(M) = (M sin i)³ / (M★ + M sin i)² = P (K √(1 − e²))³ / 2πG,
/// the larger picture that the explanation window opens in a viewer.
QImage massFunction();

/// A document icon (32 by 32 pixels) with "f(M)" on it, for the object
/// that holds the mass-function picture.
QPixmap documentIcon();

} // namespace FormulaPicture
