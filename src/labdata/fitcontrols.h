#pragma once

#include "fitting/rvfit.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

/// The fit's settings and commands, and the progress of a run with its
/// Cancel button. Object names: "planetCount", "fitJitter", "fitTrend", "fitCircular",
/// "decorrelateAgainst", "fitStarMass", "fapThreshold", "fitButton", "findPlanetsButton",
/// "bootstrapButton", "fitProgress", "cancelButton", "fitStatus".
class FitControls : public QGroupBox
{
    Q_OBJECT

public:
    explicit FitControls(QWidget *parent = nullptr);

    /// The settings as the numeric code takes them.
    Fitting::Options options() const;

    /// The activity indices the data hold, offered under "Decorrelate against"
    /// beside "none"; the row is hidden when there are none.
    void setActivityIndices(const QStringList &names);

    /// M★ in solar masses, 0.05–100.
    void setStarMass(double solarMasses);
    double starMass() const;

    /// While running, the commands are disabled and Cancel enabled.
    void setRunning(bool running);
    /// Whether there are data to fit, and a fit to bootstrap.
    void setAvailable(bool haveData, bool haveFit);
    void showProgress(int percent, const QString &stage);
    void showStatus(const QString &text);

signals:
    void fitRequested();
    void findPlanetsRequested();
    void bootstrapRequested();
    /// "Posterior…": sample the posterior of the fit shown.
    void posteriorRequested();
    void cancelRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateEnabled();
    void retranslate();

    QSpinBox *m_planets;
    QCheckBox *m_jitter;
    QCheckBox *m_trend;
    QCheckBox *m_circular;
    QComboBox *m_decorrelate;
    QDoubleSpinBox *m_starMass;
    QDoubleSpinBox *m_threshold;
    QPushButton *m_fit;
    QPushButton *m_find;
    QPushButton *m_bootstrap;
    QPushButton *m_posterior;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QLabel *m_status;
    bool m_running = false;
    bool m_haveData = false;
    bool m_haveFit = false;
    QFormLayout *m_form = nullptr;
};
