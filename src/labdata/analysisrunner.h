#pragma once

#include "detection/spectralwindow.h"
#include "fitting/rvfit.h"
#include "observations/rvdata.h"
#include "periodogram/periodogram.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <memory>

/// What one analysis run asks for.
struct AnalysisRequest
{
    enum class Kind {
        Periodogram, ///< the data's periodogram and its peaks, and the spectral window of their times; no fit
        Fit,         ///< Fitting::fit, then the residual periodogram
        FindPlanets  ///< Fitting::findPlanets, then the residual periodogram
    };
    Kind kind = Kind::Periodogram;
    Observations::DataSet data;
    Fitting::Options options;
};

/// What it gives back. `error` is set when the input was refused; `fit` is
/// empty for Kind::Periodogram.
struct AnalysisOutcome
{
    AnalysisRequest::Kind kind = AnalysisRequest::Kind::Periodogram;
    std::string error;
    bool cancelled = false;
    Periodogram::Spectrum spectrum; ///< of the data (Periodogram) or of the residuals (fits)
    std::vector<Periodogram::Peak> peaks;
    /// The spectral window over the periodogram's periods and down to 0.83 day
    /// at least (Kind::Periodogram only: a fit leaves the times as they were).
    Periodogram::Spectrum window;
    std::vector<Detection::WindowPeak> windowPeaks; ///< its strongest peaks, highest first
    std::optional<Fitting::Result> fit;
};

/// Runs periodograms and fits on a worker thread, one at a time, so the
/// window never waits for them. Progress comes back as signals on the
/// thread of this object; cancel() raises the numeric code's cancel flag,
/// which it checks often, so a cancelled run ends within a moment.
class AnalysisRunner : public QObject
{
    Q_OBJECT

public:
    /// How many peaks an outcome lists.
    static constexpr std::size_t PeakCount = 5;
    /// How many window peaks an outcome names: the few highest are those
    /// whose aliases are worth naming.
    static constexpr std::size_t WindowPeakCount = 5;

    explicit AnalysisRunner(QObject *parent = nullptr);
    /// Cancels a run in progress and waits for it, so the worker never
    /// outlives the data it reports to.
    ~AnalysisRunner() override;

    /// Starts `request`; false (and nothing started) while a run is going.
    bool start(AnalysisRequest request);
    void cancel();
    /// From start() until finished() has been emitted.
    bool isRunning() const { return m_running; }
    /// Blocks until the current run has ended (for tests and for closing).
    void waitForFinished();

    /// The work itself, on the calling thread.
    static AnalysisOutcome run(const AnalysisRequest &request, const Fitting::Progress &progress,
                               const std::atomic<bool> *cancel);

signals:
    /// percent 0–100 and the stage the numeric code names.
    void progressed(int percent, const QString &stage);
    void finished(const AnalysisOutcome &outcome);
    void runningChanged(bool running);

private:
    void reportProgress(double fraction, std::string_view stage);

    QFutureWatcher<AnalysisOutcome> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<std::atomic<int>> m_lastPercent;
    bool m_running = false;
};
