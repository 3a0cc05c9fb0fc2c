#include "labdata/analysisrunner.h"

#include "labdata/plotdata.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

/// The spectrum and its peaks, or the refusal's sentence.
std::string periodogramOf(const Observations::DataSet &data, const std::optional<Periodogram::FrequencyGrid> &chosen,
                          const std::atomic<bool> *cancel, AnalysisOutcome &outcome)
{
    const Periodogram::FrequencyGrid grid = chosen ? *chosen : Periodogram::automaticGrid(data);
    if (auto refused = Periodogram::refusal(data, grid))
        return refused->reason;
    outcome.spectrum = Periodogram::generalisedLombScargle(data, grid, cancel).value();
    if (cancel && cancel->load()) {
        outcome.cancelled = true;
        outcome.spectrum = {};
        return {};
    }
    outcome.peaks = Periodogram::highestPeaks(outcome.spectrum, data, AnalysisRunner::PeakCount);
    return {};
}

/// The window's peaks worth naming: the named ones (the day, the sidereal
/// day, the year, the lunar month) and those faster than 100 days, less the
/// lobes of a stronger one within 1/100 cycle a day. The slower peaks are
/// mostly lobes of the central peak a long span leaves; they would crowd out
/// the daily peak though they explain no alias a student looks for.
std::vector<Detection::WindowPeak> aliasRaisingPeaks(const Periodogram::Spectrum &window, double span)
{
    constexpr std::size_t candidates = 20;
    constexpr double slowest = 1.0 / 100;
    std::vector<Detection::WindowPeak> kept;
    for (Detection::WindowPeak &peak : Detection::windowPeaks(window, span, candidates)) {
        const bool lobe = std::ranges::any_of(
            kept, [&](const Detection::WindowPeak &k) { return std::abs(k.frequency - peak.frequency) < slowest; });
        if (kept.size() < AnalysisRunner::WindowPeakCount
            && (!peak.name.empty() || (peak.frequency >= slowest && !lobe)))
            kept.push_back(std::move(peak));
    }
    return kept;
}

/// The window over the periodogram's periods, widened to the daily peaks.
void windowOf(const Observations::DataSet &data, const Periodogram::FrequencyGrid &periodogramGrid,
              const std::atomic<bool> *cancel, AnalysisOutcome &outcome)
{
    const Periodogram::FrequencyGrid daily = Detection::windowGrid(data);
    const double span = Detection::timeSpan(data);
    const Periodogram::FrequencyGrid grid =
        Periodogram::gridBetween(std::min(daily.minFrequency, periodogramGrid.minFrequency),
                                 std::max(daily.maxFrequency, periodogramGrid.maxFrequency), span);
    outcome.window = Detection::spectralWindow(data, grid, cancel);
    if (cancel && cancel->load()) {
        outcome.cancelled = true;
        outcome.window = {};
        return;
    }
    outcome.windowPeaks = aliasRaisingPeaks(outcome.window, span);
}

} // namespace

AnalysisRunner::AnalysisRunner(QObject *parent)
    : QObject(parent)
    , m_cancel(std::make_shared<std::atomic<bool>>(false))
    , m_lastPercent(std::make_shared<std::atomic<int>>(-1))
{
    connect(&m_watcher, &QFutureWatcher<AnalysisOutcome>::finished, this, [this] {
        const AnalysisOutcome outcome = m_watcher.result();
        m_running = false;
        emit runningChanged(false);
        emit finished(outcome);
    });
}

AnalysisRunner::~AnalysisRunner()
{
    m_cancel->store(true);
    m_watcher.disconnect();
    m_watcher.waitForFinished();
}

void AnalysisRunner::cancel()
{
    m_cancel->store(true);
}

void AnalysisRunner::waitForFinished()
{
    m_watcher.waitForFinished();
}

void AnalysisRunner::reportProgress(double fraction, std::string_view stage)
{
    const int percent = std::clamp(int(fraction * 100.0 + 0.5), 0, 100);
    // Only whole percent steps cross threads, so a fast loop cannot flood the event queue.
    if (m_lastPercent->exchange(percent) == percent)
        return;
    const QString text = QString::fromUtf8(stage.data(), qsizetype(stage.size()));
    QMetaObject::invokeMethod(
        this, [this, percent, text] { emit progressed(percent, text); }, Qt::QueuedConnection);
}

bool AnalysisRunner::start(AnalysisRequest request)
{
    if (m_running)
        return false;
    // A fresh flag per run: a late cancel of the previous run cannot stop this one.
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_lastPercent->store(-1);
    auto cancelFlag = m_cancel;
    m_running = true;
    emit runningChanged(true);
    emit progressed(0, QString());
    m_watcher.setFuture(QtConcurrent::run([this, request = std::move(request), cancelFlag] {
        return run(
            request, [this](double fraction, std::string_view stage) { reportProgress(fraction, stage); },
            cancelFlag.get());
    }));
    return true;
}

AnalysisOutcome AnalysisRunner::run(const AnalysisRequest &request, const Fitting::Progress &progress,
                                    const std::atomic<bool> *cancel)
{
    AnalysisOutcome outcome;
    outcome.kind = request.kind;
    try {
        if (request.kind == AnalysisRequest::Kind::Periodogram) {
            outcome.error = periodogramOf(request.data, request.options.grid, cancel, outcome);
            if (outcome.error.empty() && !outcome.cancelled)
                windowOf(request.data, request.options.grid.value_or(Periodogram::automaticGrid(request.data)), cancel,
                         outcome);
            return outcome;
        }
        if (auto refused = Fitting::refusal(request.data, request.options)) {
            outcome.error = refused->reason;
            return outcome;
        }
        Fitting::Result result = request.kind == AnalysisRequest::Kind::Fit
            ? Fitting::fit(request.data, request.options, progress, cancel)
            : Fitting::findPlanets(request.data, request.options, progress, cancel);
        if (result.status == Fitting::Status::Cancelled) {
            outcome.cancelled = true;
            return outcome;
        }
        if (!result.ok()) {
            outcome.error = result.message;
            return outcome;
        }
        // A residual periodogram that cannot be made (too few points left) is no failure of the fit.
        periodogramOf(PlotData::residualData(result, request.data), request.options.grid, cancel, outcome);
        // The fit is done: a cancel that only stopped its residual periodogram keeps the fit.
        outcome.cancelled = false;
        outcome.fit = std::move(result);
    } catch (const std::exception &failure) {
        outcome.error = failure.what();
    }
    return outcome;
}
