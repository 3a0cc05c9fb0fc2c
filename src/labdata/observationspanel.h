#pragma once

#include "labdata/analysisrunner.h"
#include "labdata/dataloading.h"

#include "fitting/rvfit.h"
#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class DataChart;
class FitControls;
class PeriodogramChart;
class QAction;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;
class ResultTable;
class SyntheticDialog;

/// Measured radial velocities and their analysis, for the Kepler lab to
/// embed: loading data (File-menu actions, drag and drop), synthetic
/// observations of the lab's planet, the velocity, residual, phase and
/// periodogram plots, the fit with its settings and results, and exports.
///
/// Fits and periodograms run on a worker thread (AnalysisRunner); the
/// window stays live and a run can be cancelled.
///
/// Object names: "ObservationsPanel"; the plots "velocityChart",
/// "residualChart" and "phaseChart" in the tabs "plotTabs", under them
/// "periodogramChart" beside "peakTable" with its period range "periodFrom",
/// "periodTo" and "periodogramButton", all in "plotArea"; "phasePlanet",
/// "resultTable", "dataTitle",
/// "usePlanetChoice", "usePlanetButton"; the fit controls of FitControls;
/// the actions of fileMenuActions() "actionOpenRvData", "actionMakeSynthetic",
/// "actionSaveData", "actionExportResiduals", "actionExportFitCsv",
/// "actionExportFitJson", "actionExportPlot", the menus "realDataMenu"
/// (items "shippedSet_<file name>") and "exampleMenu" (items "exampleSet_<n>").
class ObservationsPanel : public QWidget
{
    Q_OBJECT

public:
    /// The planets synthetic observations are made of, and their star's mass.
    struct CurrentPlanets
    {
        std::vector<Kepler::Orbit> orbits;
        double starMassSolar = 1.0;
    };

    explicit ObservationsPanel(QWidget *parent = nullptr);
    ~ObservationsPanel() override;

    /// The panel's file commands, submenus and separators in menu order,
    /// for a File menu: open, the shipped and example sets, synthetic
    /// observations, then the exports.
    QList<QAction *> fileMenuActions() const { return m_fileActions; }

    /// Loads `path` and shows it. A file that cannot be read is reported
    /// through the platform layer and leaves the data shown before.
    bool openFile(const QString &path);
    /// Shows `data` under `title`; a star mass, when given, goes into the
    /// fit's settings. Clears the fit and starts the periodogram.
    void setData(const Observations::DataSet &data, const QString &title,
                 std::optional<double> starMassSolar = std::nullopt);
    /// Loads one of the shipped sets by its file name ("51peg.sys").
    bool openShippedSet(const QString &fileName);

    /// The planets synthetic observations are of: asked from `source` each
    /// time (the lab's current planet), so they are never out of date.
    void setPlanetSource(std::function<CurrentPlanets()> source);

    /// Makes `widget` (the lab window, say) accept dropped data files too,
    /// and the panel's shortcuts (Ctrl+O) work while the focus is in it.
    void acceptDropsOn(QWidget *widget);

    const Observations::DataSet &data() const { return m_data; }
    const std::optional<Fitting::Result> &fitResult() const { return m_fit; }
    AnalysisRunner *runner() const { return m_runner; }
    SyntheticDialog *syntheticDialog() const { return m_synthetic; }

public slots:
    void openDataDialog();
    void fit();
    void findPlanets();
    void bootstrap();
    void makeSyntheticObservations();
    void saveData();
    void exportResiduals();
    void exportFitCsv();
    void exportFitJson();
    void exportPlot();

signals:
    /// "Use as current planet": the chosen fitted planet, the star's mass
    /// (solar masses) and a name for it ("51 Peg b (fit)").
    void planetChosen(const Kepler::Orbit &orbit, double starMassSolar, const QString &name);
    /// After new data are shown or a fit ends, for a window's title or status.
    void dataShown(const QString &title);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions();
    QWidget *createPlots();
    void startRun(AnalysisRequest::Kind kind, Fitting::Options options);
    void showOutcome(const AnalysisOutcome &outcome);
    void showData();
    void showFit();
    void showPhase();
    void listPeaks();
    void showAutomaticGrid();
    void updateCommands();
    void makeFromDialog();
    void chooseSavedFile(const QString &filter, const QString &caption,
                         const std::function<QByteArray()> &bytes);
    void reportWriteFailure(const QString &failure);

    Observations::DataSet m_data;
    QString m_title;
    std::optional<Fitting::Result> m_fit;
    std::function<CurrentPlanets()> m_planetSource;
    /// Data shown and data of the run going: a run over older data is ignored when it ends.
    int m_dataGeneration = 0;
    int m_runGeneration = 0;
    bool m_periodogramPending = false;

    AnalysisRunner *m_runner;
    FitControls *m_controls;
    ResultTable *m_results;
    QLabel *m_dataTitle;
    QComboBox *m_usePlanet;
    QPushButton *m_usePlanetButton;
    QTabWidget *m_tabs;
    QSplitter *m_plots;
    DataChart *m_velocities;
    DataChart *m_residuals;
    DataChart *m_phase;
    QComboBox *m_phasePlanet;
    PeriodogramChart *m_periodogram;
    QTableWidget *m_peaks;
    QDoubleSpinBox *m_periodFrom;
    QDoubleSpinBox *m_periodTo;
    QPushButton *m_recompute;
    std::vector<Periodogram::Peak> m_dataPeaks;
    std::vector<Periodogram::Peak> m_residualPeaks;
    /// The user chose the periods; otherwise the automatic grid of each data set is used.
    bool m_gridEdited = false;
    SyntheticDialog *m_synthetic;

    QList<QAction *> m_fileActions;
    QMenu *m_realDataMenu;
    QMenu *m_exampleMenu;
    QAction *m_saveData;
    QAction *m_exportResiduals;
    QAction *m_exportFitCsv;
    QAction *m_exportFitJson;
};
