#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <QSplitter>

#include <vector>

class AnalysisTabs;
class DataChart;
class PeriodogramPane;
class QComboBox;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

/// The tab's plots: the velocities over time with the fitted curve and the
/// residuals under them, the phase-folded velocities of one planet, each a
/// page of "plotTabs", and the analyses kept in sight below (AnalysisTabs,
/// the periodogram pane its first page), all in the vertical splitter
/// "plotArea". Points left out of the analysis are drawn grey; the plots
/// zoom with a rubber band.
///
/// Above the pages: "instrumentsButton" (a menu of the instruments, each
/// "showInstrument_<n>", checkable), "excludePointsButton" (a rubber band
/// then excludes instead of zooming) and "resetZoomButton".
/// Object names of the charts: "velocityChart", "residualChart",
/// "phaseChart" with its planet choice "phasePlanet".
class PlotsPane : public QSplitter
{
    Q_OBJECT

public:
    explicit PlotsPane(QWidget *parent = nullptr);

    /// Draws `data` with `fit` (nullptr: none yet; its instruments those of
    /// `data`, in order) and greys the measurements `excluded` marks.
    void show(const Observations::DataSet &data, const Fitting::Result *fit, const std::vector<bool> &excluded);
    /// The instruments the menu offers, and which of them are hidden.
    void setInstruments(const std::vector<std::string> &names, const std::vector<bool> &hidden);

    /// A further page beside the velocities and the phase plot; its tab
    /// follows the page's window title.
    void addPage(QWidget *page, const QString &title);

    PeriodogramPane *periodogram() const { return m_periodogram; }
    AnalysisTabs *analyses() const { return m_analyses; }

signals:
    void instrumentShown(int instrument, bool shown);
    /// A click on a drawn measurement, in any plot.
    void pointClicked(qsizetype measurement);
    /// The measurements inside a rubber band drawn while excluding.
    void areaChosen(const QList<qsizetype> &measurements);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    QWidget *createToolRow();
    void addChart(DataChart *chart);
    void showPhase();

    QTabWidget *m_tabs;
    DataChart *m_velocities;
    DataChart *m_residuals;
    DataChart *m_phase;
    QComboBox *m_phasePlanet;
    QList<DataChart *> m_charts;
    QToolButton *m_instrumentsButton;
    QMenu *m_instruments;
    QPushButton *m_exclude;
    QPushButton *m_resetZoom = nullptr;
    PeriodogramPane *m_periodogram;
    AnalysisTabs *m_analyses;

    Observations::DataSet m_data;
    std::optional<Fitting::Result> m_fit;
    std::vector<bool> m_excluded;
};
