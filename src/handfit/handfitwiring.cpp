#include "handfit/handfitwiring.h"

#include "handfit/handfitpane.h"
#include "lab/keplerlab.h"
#include "labdata/observationspanel.h"

namespace HandFit {

HandFitPane *attach(KeplerLab *lab, ObservationsPanel *observations)
{
    auto *pane = new HandFitPane;
    lab->addPlotsPane(pane);
    pane->showPlanet(lab->planet());
    pane->setData(observations->data());
    pane->setHintsAllowed(lab->hintsAllowed());
    QObject::connect(lab, &KeplerLab::planetChanged, pane, &HandFitPane::showPlanet);
    QObject::connect(lab, &KeplerLab::hintsAllowedChanged, pane, &HandFitPane::setHintsAllowed);
    QObject::connect(observations, &ObservationsPanel::dataShown, pane,
                     [pane, observations] { pane->setData(observations->data()); });
    return pane;
}

} // namespace HandFit
