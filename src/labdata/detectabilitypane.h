#pragma once

#include "detection/injectionrecovery.h"
#include "fitting/rvfit.h"
#include "observations/rvdata.h"

#include <QFutureWatcher>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class DetectabilityChart;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

/// "What could these data have found?": an injection–recovery map of the
/// points analysed (Detection::injectionRecoveryMap) over a range of periods
/// and of K or m sin i, with the 50 % and 90 % contours and the fit's planets
/// marked. The map runs on worker threads; the window stays live, the
/// progress bar counts the cells done and Cancel stops the run. New data
/// clear the map; a new fit only moves the marks.
///
/// Object names: "detectabilityPane", "mapPeriodFrom", "mapPeriodTo",
/// "mapPeriodCount", "mapAxis" (K or m sin i), "mapAmplitudeFrom",
/// "mapAmplitudeTo", "mapAmplitudeCount", "mapTrials", "mapThreshold",
/// "mapNoise" (residuals of the fit or simulated noise), "mapRunButton",
/// "mapCancelButton", "mapProgress", "mapStatus", "mapSaveCsv",
/// "mapSavePicture", "detectabilityChart".
class DetectabilityPane : public QWidget
{
    Q_OBJECT

public:
    explicit DetectabilityPane(QWidget *parent = nullptr);
    /// Cancels a run and waits for it.
    ~DetectabilityPane() override;

    /// The points analysed and the fit of them, if any. Other points than
    /// before clear the map and propose ranges for them.
    void setData(const Observations::DataSet &kept, const std::optional<Fitting::Result> &fit);
    /// The star's mass (solar masses) that turns m sin i into K, asked at each run.
    void setStarMassSource(std::function<double()> source);

    bool isRunning() const { return m_running; }
    DetectabilityChart *chart() const { return m_chart; }
    /// The last map made, if any.
    const std::optional<Detection::DetectabilityMap> &map() const { return m_map; }

public slots:
    void run();
    void cancel();
    void saveCsv();
    void savePicture();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct RunResult
    {
        std::optional<Detection::DetectabilityMap> map;
        std::string refusal;
        bool cancelled = false;
    };

    void retranslate();
    QWidget *createSettings();
    void proposeRanges();
    void showPlanets();
    void finish(const RunResult &result);
    void setRunning(bool running);
    Detection::InjectionPlan plan() const;
    Observations::DataSet noiseData() const;
    Detection::AmplitudeAxis axis() const;
    double starMass() const;

    QDoubleSpinBox *m_periodFrom;
    QDoubleSpinBox *m_periodTo;
    QSpinBox *m_periodCount;
    QComboBox *m_axis;
    QDoubleSpinBox *m_amplitudeFrom;
    QDoubleSpinBox *m_amplitudeTo;
    QSpinBox *m_amplitudeCount;
    QSpinBox *m_trials;
    QDoubleSpinBox *m_threshold;
    QComboBox *m_noise;
    QPushButton *m_run;
    QPushButton *m_cancel;
    QProgressBar *m_progress;
    QLabel *m_status;
    QPushButton *m_saveCsv;
    QPushButton *m_savePicture;
    QList<QLabel *> m_labels;
    DetectabilityChart *m_chart;

    Observations::DataSet m_data;
    std::optional<Fitting::Result> m_fit;
    std::optional<Detection::DetectabilityMap> m_map;
    std::function<double()> m_starMass;
    QFutureWatcher<RunResult> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancelFlag;
    bool m_running = false;
    /// The user chose the ranges; otherwise they are proposed for each data set and fit.
    bool m_rangesEdited = false;
    /// Raised with new data: a run over older data is ignored when it ends.
    int m_generation = 0;
    int m_runGeneration = 0;
};
