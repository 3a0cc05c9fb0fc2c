#pragma once

#include <set>
#include <string>

class QWidget;

/// A lesson's locks on the lab's controls. A lesson file names the controls
/// it locks as the lab names them (Challenge::lessonControls()): a lesson is
/// written against those names, so here, and only here, a control is found
/// by its name. An element's name ("period") stands for its spin box and its
/// slider ("periodSpin", "periodSlider").
namespace ControlLocks {

/// Disables every control under `root` that `locked` names and gives back
/// those `lockedBefore` named and `locked` does not; every other control
/// keeps the state its window gave it (a button waiting for a fit stays off).
void apply(QWidget *root, const std::set<std::string> &lockedBefore, const std::set<std::string> &locked);

} // namespace ControlLocks
