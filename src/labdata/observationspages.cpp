#include "labdata/activitypane.h"
#include "labdata/analysistabs.h"
#include "labdata/detectabilitypane.h"
#include "labdata/fitcontrols.h"
#include "labdata/observationspanel.h"
#include "labdata/periodogrampane.h"
#include "labdata/plotspane.h"
#include "labdata/windowpane.h"

void ObservationsPanel::addAnalysisPages()
{
    m_plots->analyses()->addPage(m_window);
    m_plots->analyses()->addPage(m_detectability);
    m_detectability->setStarMassSource([this] { return m_controls->starMass(); });

    m_plots->addPage(m_activity, m_activity->windowTitle());
    m_plots->periodogram()->setPeakRemark(
        [this](const Periodogram::Peak &peak) { return m_activity->activityRemark(peak); });
    // The remarks arrive after the activity's own periodograms, which may end after the velocities'.
    connect(m_activity, &ActivityPane::analysed, m_plots->periodogram(), &PeriodogramPane::listPeaks);
}
