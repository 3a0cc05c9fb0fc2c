#pragma once

#include "labdata/analysisrunner.h"
#include "labdata/dataloading.h"
#include "labdata/pointexclusion.h"
#include "labdata/syntheticdialog.h"

#include "fitting/rvfit.h"
#include "kepler/keplerorbit.h"
#include "observations/rvdata.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class ActivityPane;
class DetectabilityPane;
class FileCommands;
class FitControls;
class PlotsPane;
class QComboBox;
class QLabel;
class QPushButton;
class ResultTable;
class WindowPane;

/// Measured radial velocities and their analysis, for the Kepler lab to
/// embed. It composes the panes a reader sees and keeps what they share:
/// the data, the points left out of the analysis (PointExclusion), the fit.
/// On the left, in "sideColumn" (it scrolls on a small screen): the data's
/// title "dataTitle", the fit's settings (FitControls), its results
/// (ResultTable) and "usePlanetChoice" with "usePlanetButton". On the
/// right the plots with the analyses below them (PlotsPane): the
/// periodogram (PeriodogramPane), the spectral window (WindowPane) and
/// what the data could have found (DetectabilityPane); the star's activity
/// on a page of the plots (ActivityPane), whose remarks mark velocity peaks in the peak table. The file commands (FileCommands) go to a File menu;
/// synthetic observations are planned in SyntheticDialog.
///
/// The periodogram and the fit see only the points kept; the plots grey the
/// others and the exports of measurements mark them in a last column.
/// Fits and periodograms run on a worker thread (AnalysisRunner); the
/// window stays live and a run can be cancelled. Object name "ObservationsPanel".
class ObservationsPanel : public QWidget
{
    Q_OBJECT

public:
    /// The planets synthetic observations are made of, their star's mass and their name.
    using CurrentPlanets = SyntheticDialog::Planets;

    explicit ObservationsPanel(QWidget *parent = nullptr);
    ~ObservationsPanel() override;

    /// The panel's file commands, submenus and separators in menu order,
    /// for a File menu: open, the shipped and example sets, synthetic
    /// observations, then the exports.
    QList<QAction *> fileMenuActions() const;

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
    const PointExclusion &exclusion() const { return m_exclusion; }

public slots:
    void openDataDialog();
    void fit();
    void findPlanets();
    void bootstrap();
    /// Opens a posterior window that samples the fit shown, on the points analysed.
    void samplePosterior();
    /// Opens the dialog, naming the planet it will observe.
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
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    QWidget *createSideColumn();
    /// The activity page beside the plots, the window and detectability
    /// pages beside the periodogram, and what they give the peak table.
    void addAnalysisPages();
    void connectFileCommands();
    void connectPlots();
    void startRun(AnalysisRequest::Kind kind, Fitting::Options options);
    void showOutcome(const AnalysisOutcome &outcome);
    void showFitOutcome(const AnalysisOutcome &outcome);
    void showDataTitle();
    /// The plots and the choices of a planet, after new data, a fit or a change of what is excluded.
    void showPlots();
    /// After the excluded points changed: the old fit no longer describes the data analysed.
    void exclusionChanged();
    void updateCommands();
    void saveBytes(const QString &filter, const QString &caption, const std::function<std::string()> &text);
    /// The fit drawn over all the data, its instruments those of m_data.
    std::optional<Fitting::Result> shownFit() const;

    Observations::DataSet m_data;
    PointExclusion m_exclusion;
    QString m_title;
    QString m_openedPath; ///< read again when the user chooses another velocity unit
    std::optional<Fitting::Result> m_fit;
    /// Data shown and data of the run going: a run over older data is ignored when it ends.
    int m_dataGeneration = 0;
    int m_runGeneration = 0;
    bool m_periodogramPending = false;

    AnalysisRunner *m_runner;
    FileCommands *m_files;
    FitControls *m_controls;
    ResultTable *m_results;
    QLabel *m_dataTitle;
    QComboBox *m_usePlanet;
    QPushButton *m_usePlanetButton;
    PlotsPane *m_plots;
    ActivityPane *m_activity;
    WindowPane *m_window;
    DetectabilityPane *m_detectability;
    SyntheticDialog *m_synthetic;
};
