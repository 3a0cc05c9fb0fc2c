#pragma once

#include <QRect>
#include <QString>

class KeplerLab;
class ObservationsPanel;
class QListWidget;
class QWidget;

/// The observations panel inside the Kepler lab, and the way in from the
/// catalog window. Kept apart from the panel so that the panel knows
/// nothing of the lab and the lab needs one call.
namespace LabObservations {

/// Puts a panel into `lab`: the panel becomes the tab "Observations" beside
/// the lab's own "True orbit", the panel's file commands go to the top of
/// the lab's File menu, files dropped anywhere on the lab are
/// loaded, synthetic observations are of the lab's planet, and "Use as
/// current planet" shows the fitted planet in the lab.
ObservationsPanel *attach(KeplerLab *lab);

/// The panel inside `lab`, or nullptr.
ObservationsPanel *panel(KeplerLab *lab);

/// The shipped system file with the measured velocities of the star of
/// catalog planet `catalogIndex` (PlanetCatalog::FirstPlanet to
/// LastPlanet), e.g. "51peg.sys"; empty when none is shipped (HD 137510)
/// or outside the catalog.
QString systemFileOf(int catalogIndex);

/// Opens the lab with catalog planet `catalogIndex` and its star's measured
/// velocities on the Observations tab. False when no data are shipped for
/// it or they cannot be read (which is said).
bool openRealData(int catalogIndex);

/// Adds a "Real data" button to the catalog window: enabled while the
/// list's current row is a planet with shipped measurements, it opens them
/// in the lab. Geometry in the window's pixels.
QWidget *addRealDataButton(QWidget *window, QListWidget *catalogList, const QRect &geometry);

} // namespace LabObservations
