#pragma once

#include "lab/elementspinbox.h"

#include <QObject>

class QSlider;
class QWidget;

/// One orbital element edited two ways: a spin box for the exact number
/// and a slider for a quick sweep, kept in step. The slider runs over
/// [minimum, maximum] in SliderSteps steps, evenly or, for quantities that
/// span decades (P, K, M★), evenly in the logarithm. The spin box may hold
/// values beyond the slider's span (the slider then rests at its end).
///
/// A value given by the program (a catalog planet, a fit) is kept whole
/// while the box shows it rounded to its decimals: the element changes only
/// when the user changes it. A slider sets four significant digits, as many
/// as its thousand steps can tell apart.
class ElementControl : public QObject
{
    Q_OBJECT

public:
    static constexpr int SliderSteps = 1000;
    /// Significant digits of a value set with the slider.
    static constexpr int SliderDigits = 4;

    enum class Scale { Linear, Logarithmic };

    struct Range
    {
        double minimum = 0; ///< slider's low end; > 0 for Logarithmic
        double maximum = 1; ///< slider's high end
        Scale scale = Scale::Linear;
    };

    /// Creates the pair as children of `parent`, named `<name>Spin` and
    /// `<name>Slider`. The spin box accepts [spinMinimum, spinMaximum]
    /// with `decimals` decimals and shows `suffix` (a unit).
    ElementControl(QWidget *parent, const QString &name, const Range &sliderRange, double spinMinimum,
                   double spinMaximum, int decimals, const QString &suffix);

    QDoubleSpinBox *spinBox() const { return m_spin; }
    QSlider *slider() const { return m_slider; }

    /// The value given by setValueQuietly() while the box still shows it,
    /// else the box's value.
    double value() const;
    /// The box still shows the value setValueQuietly() gave.
    bool showsGivenValue() const;
    /// Sets the value without emitting valueChanged.
    void setValueQuietly(double value);
    /// A new span for the slider (its value stays).
    void setSliderRange(const Range &range);

    /// The slider step for `value` in `range`, clamped to [0, SliderSteps].
    static int stepFor(const Range &range, double value);
    /// The value at slider step `step` in `range`, to SliderDigits digits.
    static double valueAt(const Range &range, int step);

signals:
    void valueChanged(double value);

private:
    void followSpin(double value);
    void followSlider(int step);

    ElementSpinBox *m_spin;
    QSlider *m_slider;
    Range m_range;
    double m_given = 0;      ///< the value last set by the program, whole
    double m_givenShown = 0; ///< the box's value when it was set
    bool m_slidingNow = false;
};
