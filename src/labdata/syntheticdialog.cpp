#include "labdata/syntheticdialog.h"

#include "ground/platform.h"
#include "labdata/spottedstarbox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <class T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

SyntheticDialog::SyntheticDialog(QWidget *parent)
    : QDialog(parent)
    , m_planet(named(new QLabel, "syntheticPlanet"))
    , m_points(named(new QSpinBox, "syntheticPoints"))
    , m_span(named(new QDoubleSpinBox, "syntheticSpan"))
    , m_cadence(named(new QComboBox, "syntheticCadence"))
    , m_noise(named(new QDoubleSpinBox, "syntheticNoise"))
    , m_jitter(named(new QDoubleSpinBox, "syntheticJitter"))
    , m_seed(named(new QSpinBox, "syntheticSeed"))
    , m_instrument(named(new QLineEdit(QStringLiteral("Synthetic")), "syntheticInstrument"))
    , m_spotted(new SpottedStarBox)
    , m_refusal(named(new QLabel, "syntheticRefusal"))
{
    setObjectName(QStringLiteral("SyntheticDialog"));
    setWindowTitle(tr("Make synthetic observations"));
    const Observations::SyntheticPlan defaults;
    m_points->setRange(3, 100000);
    m_points->setValue(int(defaults.count));
    m_span->setRange(1, 100000);
    m_span->setDecimals(2);
    m_span->setSuffix(tr(" d"));
    m_span->setValue(defaults.spanDays);
    m_cadence->addItem(tr("Nightly, with weather and seasonal gaps"), int(Observations::Cadence::Nightly));
    m_cadence->addItem(tr("Random times"), int(Observations::Cadence::Uniform));
    m_noise->setRange(0.01, 10000);
    m_noise->setSuffix(tr(" m/s"));
    m_noise->setValue(defaults.noiseSigma);
    m_jitter->setRange(0, 10000);
    m_jitter->setSuffix(tr(" m/s"));
    m_jitter->setValue(defaults.jitter);
    m_seed->setRange(0, 2'000'000'000);
    m_seed->setValue(int(defaults.seed));

    auto *form = new QFormLayout;
    form->addRow(tr("Observing"), m_planet);
    form->addRow(tr("Points"), m_points);
    form->addRow(tr("Time span"), m_span);
    form->addRow(tr("Cadence"), m_cadence);
    form->addRow(tr("Noise σ"), m_noise);
    form->addRow(tr("Extra jitter"), m_jitter);
    form->addRow(tr("Random seed"), m_seed);
    form->addRow(tr("Instrument"), m_instrument);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Make"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("syntheticMake"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SyntheticDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SyntheticDialog::reject);

    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_spotted);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);
}

Observations::SyntheticPlan SyntheticDialog::plan(double startTime) const
{
    Observations::SyntheticPlan plan;
    plan.count = std::size_t(m_points->value());
    plan.spanDays = m_span->value();
    plan.startTime = startTime;
    plan.cadence = Observations::Cadence(m_cadence->currentData().toInt());
    plan.noiseSigma = m_noise->value();
    plan.jitter = m_jitter->value();
    plan.seed = std::uint64_t(m_seed->value());
    const QString instrument = m_instrument->text().trimmed();
    plan.instrument = instrument.isEmpty() ? std::string("Synthetic") : instrument.toStdString();
    return plan;
}

void SyntheticDialog::setPlanetSource(std::function<Planets()> source)
{
    m_source = std::move(source);
}

void SyntheticDialog::offer()
{
    const Planets planets = m_source ? m_source() : Planets{};
    m_planet->setText(planets.orbits.empty()       ? tr("no planet: choose one in the lab first")
                          : planets.name.isEmpty() ? tr("the lab's planet")
                                                   : planets.name);
    const int previous = m_seed->value();
    int seed = previous;
    while (seed == previous)
        seed = int(QRandomGenerator::global()->bounded(m_seed->maximum()));
    m_seed->setValue(seed);
    m_refusal->clear();
    open();
}

void SyntheticDialog::accept()
{
    // The plan is checked here, so an impossible one (more nights than the
    // span has) is said beside the boxes and the dialog stays open.
    const Observations::SyntheticPlan planned = plan(Observations::SyntheticPlan{}.startTime);
    if (auto refused = Observations::refusal(planned)) {
        m_refusal->setText(QString::fromStdString(*refused));
        return;
    }
    m_refusal->clear();
    const Planets planets = m_source ? m_source() : Planets{};
    const std::optional<Observations::DataSet> data = observe(planets, planned);
    if (!data)
        return;
    QDialog::accept();
    const QString observed = planets.name.isEmpty() ? QString() : planets.name + QLatin1Char(' ');
    emit made(*data,
              tr("Synthetic observations of %1(%2, seed %3)")
                  .arg(observed, QString::fromStdString(planned.instrument))
                  .arg(planned.seed),
              planets.starMassSolar);
}

std::optional<Observations::DataSet> SyntheticDialog::observe(const Planets &planets,
                                                              const Observations::SyntheticPlan &plan)
{
    const auto refuse = [this](const QString &why) {
        Platform::current().messageBox(why, MsgBox::OkOnly | MsgBox::Exclamation, windowTitle());
        return std::nullopt;
    };
    if (planets.orbits.empty())
        return refuse(tr("There is no planet to observe: choose one in the lab first."));
    for (const Kepler::Orbit &orbit : planets.orbits) {
        if (auto refused = Kepler::refusal(orbit))
            return refuse(QString::fromStdString(refused->reason));
    }
    if (m_spotted->isChecked())
        return observeSpotted(planets, plan);
    Observations::DataSet data = Observations::simulate(planets.orbits, plan);
    if (data.measurements.empty())
        return refuse(tr("No observations could be made of this planet."));
    return data;
}

std::optional<Observations::DataSet> SyntheticDialog::observeSpotted(const Planets &planets,
                                                                     const Observations::SyntheticPlan &plan)
{
    auto spotted =
        Detection::simulateSpottedStar(planets.orbits, plan, *m_spotted->star(Detection::spotSeedFor(plan.seed)));
    if (!spotted) {
        Platform::current().messageBox(QString::fromStdString(spotted.reason()), MsgBox::OkOnly | MsgBox::Exclamation,
                                       windowTitle());
        return std::nullopt;
    }
    return Detection::withSIndex(std::move(spotted).value());
}
