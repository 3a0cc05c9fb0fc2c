#include "labdata/fitcontrols.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace {

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

/// A probability typed and shown as "0.001" or "1e-06"; the arrows step by
/// factors of ten, as thresholds are chosen in decades.
class ProbabilitySpinBox : public QDoubleSpinBox
{
public:
    ProbabilitySpinBox()
    {
        setDecimals(12);
        setRange(1e-12, 1.0);
    }

    QString textFromValue(double value) const override { return QString::number(value, 'g', 3); }

    double valueFromText(const QString &text) const override { return text.trimmed().toDouble(); }

    QValidator::State validate(QString &text, int &) const override
    {
        bool isNumber = false;
        const double value = text.trimmed().toDouble(&isNumber);
        if (isNumber && value >= minimum() && value <= maximum())
            return QValidator::Acceptable;
        return QValidator::Intermediate;
    }

    void stepBy(int steps) override { setValue(value() * std::pow(10.0, steps)); }
};

} // namespace

FitControls::FitControls(QWidget *parent)
    : QGroupBox(tr("Fit"), parent)
    , m_planets(named(new QSpinBox, "planetCount"))
    , m_jitter(named(new QCheckBox(tr("Jitter per instrument")), "fitJitter"))
    , m_trend(named(new QCheckBox(tr("Linear trend")), "fitTrend"))
    , m_circular(named(new QCheckBox(tr("Circular orbits (e = 0)")), "fitCircular"))
    , m_starMass(named(new QDoubleSpinBox, "fitStarMass"))
    , m_threshold(named(new ProbabilitySpinBox, "fapThreshold"))
    , m_fit(named(new QPushButton(tr("Fit")), "fitButton"))
    , m_find(named(new QPushButton(tr("Find planets")), "findPlanetsButton"))
    , m_bootstrap(named(new QPushButton(tr("Bootstrap…")), "bootstrapButton"))
    , m_posterior(named(new QPushButton(tr("Posterior…")), "posteriorButton"))
    , m_progress(named(new QProgressBar, "fitProgress"))
    , m_cancel(named(new QPushButton(tr("Cancel")), "cancelButton"))
    , m_status(named(new QLabel, "fitStatus"))
{
    m_planets->setRange(1, Fitting::maxPlanets);
    m_planets->setToolTip(tr("Planets to fit; the most that Find planets adds"));
    m_starMass->setRange(0.05, 100);
    m_starMass->setDecimals(3);
    m_starMass->setSingleStep(0.01);
    m_starMass->setValue(1.0);
    m_starMass->setSuffix(tr(" M☉"));
    m_threshold->setValue(1e-3);
    m_threshold->setToolTip(
        tr("Find planets stops at the first peak whose false-alarm "
           "probability is above this"));

    auto *form = new QFormLayout;
    form->addRow(tr("Planets"), m_planets);
    form->addRow(m_jitter);
    form->addRow(m_trend);
    form->addRow(m_circular);
    form->addRow(tr("Star mass"), m_starMass);
    form->addRow(tr("FAP threshold"), m_threshold);

    // Two rows, so that every button keeps its text in the narrow side column.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_fit);
    buttons->addWidget(m_find);
    auto *uncertainties = new QHBoxLayout;
    uncertainties->addWidget(m_bootstrap);
    uncertainties->addWidget(m_posterior);

    auto *running = new QHBoxLayout;
    m_progress->setRange(0, 100);
    running->addWidget(m_progress, 1);
    running->addWidget(m_cancel);

    m_status->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addLayout(uncertainties);
    layout->addLayout(running);
    layout->addWidget(m_status);

    connect(m_fit, &QPushButton::clicked, this, &FitControls::fitRequested);
    connect(m_find, &QPushButton::clicked, this, &FitControls::findPlanetsRequested);
    connect(m_bootstrap, &QPushButton::clicked, this, &FitControls::bootstrapRequested);
    connect(m_posterior, &QPushButton::clicked, this, &FitControls::posteriorRequested);
    connect(m_cancel, &QPushButton::clicked, this, &FitControls::cancelRequested);
    setRunning(false);
}

Fitting::Options FitControls::options() const
{
    Fitting::Options options;
    options.planets = m_planets->value();
    options.fitJitter = m_jitter->isChecked();
    options.fitTrend = m_trend->isChecked();
    options.circular = m_circular->isChecked();
    options.starMassSolar = m_starMass->value();
    options.falseAlarmThreshold = m_threshold->value();
    return options;
}

void FitControls::setStarMass(double solarMasses)
{
    m_starMass->setValue(solarMasses);
}

double FitControls::starMass() const
{
    return m_starMass->value();
}

void FitControls::setRunning(bool running)
{
    m_running = running;
    m_cancel->setEnabled(running);
    if (running)
        m_progress->setValue(0);
    updateEnabled();
}

void FitControls::setAvailable(bool haveData, bool haveFit)
{
    m_haveData = haveData;
    m_haveFit = haveFit;
    updateEnabled();
}

void FitControls::updateEnabled()
{
    m_fit->setEnabled(!m_running && m_haveData);
    m_find->setEnabled(!m_running && m_haveData);
    m_bootstrap->setEnabled(!m_running && m_haveFit);
    m_posterior->setEnabled(!m_running && m_haveFit);
}

void FitControls::showProgress(int percent, const QString &stage)
{
    m_progress->setValue(percent);
    m_progress->setFormat(stage.isEmpty() ? QStringLiteral("%p%") : stage + QStringLiteral(" %p%"));
}

void FitControls::showStatus(const QString &text)
{
    m_status->setText(text);
}
