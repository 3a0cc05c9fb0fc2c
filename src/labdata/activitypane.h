#pragma once

#include "detection/activityscan.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <QFutureWatcher>
#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class DataChart;
class PeriodogramChart;
class QComboBox;
class QLabel;
class QLineSeries;
class QStackedLayout;

/// The star's activity beside its velocities, a page of the Observations
/// tab. For the index chosen in "activityIndexChoice" (the data's activity
/// indices by name): the index against time per instrument
/// ("activityTimeChart"), its periodogram on the velocities' grid with the
/// 1 % and 0.1 % false-alarm levels ("activityPeriodogramChart"), and the
/// velocities against it ("activityScatterChart"), each instrument's mean
/// removed from both, with Pearson's r, its p-value and the number of pairs
/// in "activityCorrelation".
/// "activityMessage" says how many kept points lack a value of the chosen
/// index; data without any index show only the sentence "activityNoIndex".
///
/// Only the points the analysis keeps, with a finite value of the index,
/// count. Every index is analysed at once on a worker thread, so the window
/// never waits, and the velocity peaks that coincide with a significant
/// peak of any index are remarked upon (activityRemark()).
/// Object name "activityPane".
class ActivityPane : public QWidget
{
    Q_OBJECT

public:
    explicit ActivityPane(QWidget *parent = nullptr);
    /// Cancels an analysis in progress and waits for it.
    ~ActivityPane() override;

    /// Analyses the indices of `kept` on `grid` (nullopt: the automatic grid
    /// of the velocities of `kept`), forgetting at once what was shown.
    void analyse(const Observations::DataSet &kept, const std::optional<Periodogram::FrequencyGrid> &grid);

    /// "may be activity\nS-index, 25.1 d" for a peak of the velocities
    /// analysed last that lies within one peak width of a peak of an index
    /// with a false-alarm probability of 1 % or less; empty otherwise and
    /// while the analysis runs.
    QString activityRemark(const Periodogram::Peak &velocityPeak) const;

    /// From analyse() until analysed() has been emitted.
    bool isRunning() const { return m_watcher.isRunning() || m_pending.has_value(); }

signals:
    /// The indices of the data given last are analysed (or there are none).
    void analysed();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Request
    {
        Observations::DataSet kept;
        Periodogram::FrequencyGrid grid;
    };

    void retranslate();
    void start(Request request);
    void finish();
    void clearCharts();
    void showChosenIndex();
    void showMessage();
    void showLevels(const Detection::IndexAnalysis &analysis);

    QComboBox *m_choice;
    QLabel *m_message;
    QLabel *m_correlation;
    QLabel *m_levelsKey;
    QLabel *m_noIndex;
    DataChart *m_time;
    PeriodogramChart *m_periodogram;
    DataChart *m_scatter;
    QList<QLineSeries *> m_levels;
    /// The sentence for data without an index, or the index's charts.
    QStackedLayout *m_pages;

    Observations::DataSet m_kept;
    double m_spanDays = 0;
    std::vector<Detection::IndexAnalysis> m_analyses;
    QFutureWatcher<std::vector<Detection::IndexAnalysis>> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    /// Data given while a run was going: analysed when it has stopped.
    std::optional<Request> m_pending;
};
