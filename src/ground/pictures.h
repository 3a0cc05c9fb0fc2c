#pragma once

#include <QIcon>
#include <QPixmap>

/// The program's own small pictures, painted at run time so that no image
/// file has to travel with the program.
namespace Pictures {

/// The planet that circles the orbit on the simulator (25 × 37 pixels).
QPixmap planet();
/// The star that wobbles around the centre (49 × 57 pixels).
QPixmap star();
/// The fixed marker at the centre of gravity (11 × 12 pixels).
QPixmap gravity();
/// The program's icon: a star with a planet on its orbit.
QIcon programIcon();
QPixmap programPicture(int size);

} // namespace Pictures
