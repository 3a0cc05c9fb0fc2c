#pragma once

#include <QString>

class KeplerLab;
class ObservationsPanel;
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

/// Opens the lab with catalog planet `catalogIndex` and its star's measured
/// velocities on the Observations tab. False when no data are shipped for
/// it or they cannot be read (which is said).
bool openRealData(int catalogIndex);

} // namespace LabObservations
