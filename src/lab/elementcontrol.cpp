#include "lab/elementcontrol.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

ElementControl::ElementControl(QWidget *parent, const QString &name, const Range &sliderRange, double spinMinimum,
                               double spinMaximum, int decimals, const QString &suffix)
    : QObject(parent)
    , m_spin(new ElementSpinBox(parent))
    , m_slider(new QSlider(Qt::Horizontal, parent))
    , m_range(sliderRange)
{
    setObjectName(name);
    m_spin->setObjectName(name + QStringLiteral("Spin"));
    m_spin->setRange(spinMinimum, spinMaximum);
    m_spin->setDecimals(decimals);
    m_spin->setSuffix(suffix);
    m_spin->setKeyboardTracking(true);
    m_spin->setAccelerated(true);
    m_slider->setObjectName(name + QStringLiteral("Slider"));
    m_slider->setRange(0, SliderSteps);
    connect(m_spin, &QDoubleSpinBox::valueChanged, this, &ElementControl::followSpin);
    connect(m_slider, &QSlider::valueChanged, this, &ElementControl::followSlider);
}

double ElementControl::value() const
{
    return showsGivenValue() ? m_given : m_spin->value();
}

bool ElementControl::showsGivenValue() const
{
    return m_spin->value() == m_givenShown;
}

void ElementControl::setValueQuietly(double value)
{
    const QSignalBlocker blockSpin(m_spin);
    const QSignalBlocker blockSlider(m_slider);
    m_spin->setValue(value);
    // A value beyond the box's range is the range's end, as the box shows.
    m_given = std::clamp(value, m_spin->minimum(), m_spin->maximum());
    m_givenShown = m_spin->value();
    m_slider->setValue(stepFor(m_range, m_spin->value()));
}

void ElementControl::setSliderRange(const Range &range)
{
    m_range = range;
    const QSignalBlocker blockSlider(m_slider);
    m_slider->setValue(stepFor(m_range, m_spin->value()));
}

int ElementControl::stepFor(const Range &range, double value)
{
    double fraction = 0;
    if (range.scale == Scale::Logarithmic)
        fraction = value > 0 ? std::log(value / range.minimum) / std::log(range.maximum / range.minimum) : 0;
    else
        fraction = (value - range.minimum) / (range.maximum - range.minimum);
    if (!std::isfinite(fraction))
        return 0;
    return int(std::lround(std::clamp(fraction, 0.0, 1.0) * SliderSteps));
}

double ElementControl::valueAt(const Range &range, int step)
{
    const double fraction = double(std::clamp(step, 0, SliderSteps)) / SliderSteps;
    const double value = range.scale == Scale::Logarithmic
        ? range.minimum * std::pow(range.maximum / range.minimum, fraction)
        : range.minimum + fraction * (range.maximum - range.minimum);
    if (value == 0)
        return 0;
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) + 1 - SliderDigits);
    return std::round(value / unit) * unit;
}

void ElementControl::followSpin(double value)
{
    if (!m_slidingNow) {
        const QSignalBlocker blockSlider(m_slider);
        m_slider->setValue(stepFor(m_range, value));
    }
    emit valueChanged(value);
}

void ElementControl::followSlider(int step)
{
    // The spin box rounds to its decimals and reports the change; the
    // slider stays where the hand put it rather than snapping to the
    // rounded value's step.
    m_slidingNow = true;
    m_spin->setValue(valueAt(m_range, step));
    m_slidingNow = false;
}
