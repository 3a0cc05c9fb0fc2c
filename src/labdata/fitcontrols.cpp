#include "labdata/fitcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
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
    : QGroupBox(parent)
    , m_planets(named(new QSpinBox, "planetCount"))
    , m_jitter(named(new QCheckBox, "fitJitter"))
    , m_trend(named(new QCheckBox, "fitTrend"))
    , m_circular(named(new QCheckBox, "fitCircular"))
    , m_decorrelate(named(new QComboBox, "decorrelateAgainst"))
    , m_starMass(named(new QDoubleSpinBox, "fitStarMass"))
    , m_threshold(named(new ProbabilitySpinBox, "fapThreshold"))
    , m_fit(named(new QPushButton, "fitButton"))
    , m_find(named(new QPushButton, "findPlanetsButton"))
    , m_bootstrap(named(new QPushButton, "bootstrapButton"))
    , m_posterior(named(new QPushButton, "posteriorButton"))
    , m_progress(named(new QProgressBar, "fitProgress"))
    , m_cancel(named(new QPushButton, "cancelButton"))
    , m_status(named(new QLabel, "fitStatus"))
{
    m_planets->setRange(1, Fitting::maxPlanets);
    m_starMass->setRange(0.05, 100);
    m_starMass->setDecimals(3);
    m_starMass->setSingleStep(0.01);
    m_starMass->setValue(1.0);
    m_threshold->setValue(1e-3);

    auto *form = m_form = new QFormLayout;
    form->addRow(new QLabel, m_planets);
    form->addRow(m_jitter);
    form->addRow(m_trend);
    form->addRow(m_circular);
    form->addRow(new QLabel, m_decorrelate);
    form->addRow(new QLabel, m_starMass);
    form->addRow(new QLabel, m_threshold);

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
    setActivityIndices({});
    setRunning(false);
    retranslate();
}

void FitControls::retranslate()
{
    setTitle(tr("Fit"));
    m_jitter->setText(tr("Jitter per instrument"));
    m_trend->setText(tr("Linear trend"));
    m_circular->setText(tr("Circular orbits (e = 0)"));
    m_fit->setText(tr("Fit"));
    m_find->setText(tr("Find planets"));
    m_bootstrap->setText(tr("Bootstrap…"));
    m_posterior->setText(tr("Posterior…"));
    m_cancel->setText(tr("Cancel"));
    m_planets->setToolTip(tr("Planets to fit; the most that Find planets adds"));
    m_starMass->setSuffix(tr(" M☉"));
    m_threshold->setToolTip(
        tr("Find planets stops at the first peak whose false-alarm "
           "probability is above this"));
    const auto caption = [this](QWidget *field, const QString &text) {
        qobject_cast<QLabel *>(m_form->labelForField(field))->setText(text);
    };
    caption(m_planets, tr("Planets"));
    caption(m_starMass, tr("Star mass"));
    caption(m_threshold, tr("FAP threshold"));
    caption(m_decorrelate, tr("Decorrelate against"));
    m_decorrelate->setItemText(0, tr("none"));
    m_decorrelate->setToolTip(
        tr("Fit one coefficient per instrument on this activity index; measurements without it are left out"));
}

void FitControls::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
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
    options.decorrelateAgainst = m_decorrelate->currentData().toString().toStdString();
    return options;
}

void FitControls::setActivityIndices(const QStringList &names)
{
    m_decorrelate->clear();
    // "none" carries no index name, so a translated "none" never reaches the fit.
    m_decorrelate->addItem(tr("none"), QString());
    for (const QString &name : names)
        m_decorrelate->addItem(name, name);
    m_form->setRowVisible(m_decorrelate, !names.isEmpty());
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
