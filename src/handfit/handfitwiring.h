#pragma once

class HandFitPane;
class KeplerLab;
class ObservationsPanel;

/// Fitting by hand joins the lab and its Observations tab, neither of
/// which knows it.
namespace HandFit {

/// Puts a HandFitPane above the lab's plots: it draws the tab's data (real,
/// synthetic or a challenge's, whatever the tab shows) with the lab's
/// planet, follows every edit of the lab, and offers "How close am I?"
/// while the lab allows hints (KeplerLab::setHintsAllowed).
HandFitPane *attach(KeplerLab *lab, ObservationsPanel *observations);

} // namespace HandFit
