#pragma once

#include "fitting/rvfit.h"
#include "observations/rvdata.h"
#include "sampling/posterior.h"

#include <QDialog>
#include <QFutureWatcher>

#include <atomic>
#include <memory>

class CornerPlot;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class TracePlot;

/// The posterior of a fit: samples it on a worker thread (the walkers
/// spread over every core) with its progress — steps, the current
/// autocorrelation time and split-R̂ — and a cancel button, then shows the
/// verdict on convergence, the results table, a corner plot of the chosen
/// columns and the trace plots, and saves the corner plot (SVG or PNG), the
/// chain (CSV) and the summary (JSON or CSV). A run that did not converge shows its
/// traces and says so, with no table.
class PosteriorWindow : public QDialog
{
    Q_OBJECT

public:
    PosteriorWindow(Observations::DataSet data, Fitting::Result fit, Fitting::Options options,
                    QWidget *parent = nullptr);
    /// Cancels a run in progress and waits for it.
    ~PosteriorWindow() override;

    /// Starts sampling with the options set in the window; false while a run goes.
    bool start();
    void cancel();
    bool isRunning() const { return m_watcher.isRunning(); }
    /// The last finished run, or null.
    const Sampling::Result *result() const { return m_result.get(); }

    void saveCornerPicture();
    void saveChain();
    void saveJson();
    void saveSummary();

signals:
    void finished();

protected:
    void changeEvent(QEvent *event) override;

private:
    /// Every text the window shows, in the current language.
    void retranslate();
    /// The priors, and above them where the posterior and the covariance disagree.
    void showVerdict();
    void buildLayout();
    QFormLayout *buildSettings();
    void showProgress(const Sampling::ProgressReport &report);
    void showResult();
    void updateCorner();

    Observations::DataSet m_data;
    Fitting::Result m_fit;
    Fitting::Options m_options;
    QFutureWatcher<Sampling::Result> m_watcher;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::shared_ptr<const Sampling::Result> m_result;

    QFormLayout *m_settings = nullptr;
    QSpinBox *m_walkers = nullptr;
    QSpinBox *m_maxSteps = nullptr;
    QSpinBox *m_seed = nullptr;
    QDoubleSpinBox *m_starMassSigma = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_verdict = nullptr;
    QTableWidget *m_table = nullptr;
    QTabWidget *m_tabs = nullptr;
    QListWidget *m_columns = nullptr;
    CornerPlot *m_corner = nullptr;
    TracePlot *m_traces = nullptr;
    QPushButton *m_saveCorner = nullptr;
    QPushButton *m_saveChain = nullptr;
    QPushButton *m_saveJson = nullptr;
    QPushButton *m_saveSummary = nullptr;
};
