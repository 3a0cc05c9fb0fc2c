#include "lab/presentation.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QScatterSeries>
#include <QVariant>
#include <QWidget>

namespace {

/// The property of the window that says the view is on.
constexpr char PresentationProperty[] = "presentationView";

/// Sets a value through `set` to its normal one scaled while `on`, and
/// back to the normal one when not. The normal value is kept on `holder`
/// under `key` while the view is on.
template <class T, class Get, class Set>
void scale(QObject *holder, const char *key, bool on, Get get, Set set, T (*scaled)(const T &))
{
    const QVariant kept = holder->property(key);
    if (on) {
        const T normal = kept.isValid() ? kept.value<T>() : get();
        holder->setProperty(key, QVariant::fromValue(normal));
        set(scaled(normal));
    } else if (kept.isValid()) {
        set(kept.value<T>());
        holder->setProperty(key, QVariant());
    }
}

QFont largerFont(const QFont &font)
{
    QFont larger = font;
    larger.setPointSizeF(font.pointSizeF() * Presentation::FontScale);
    return larger;
}

double thicker(const double &width)
{
    return width * Presentation::LineScale;
}

void applyToChart(QChart *chart, bool on)
{
    scale<QFont>(
        chart, "normalTitleFont", on, [chart] { return chart->titleFont(); },
        [chart](const QFont &font) { chart->setTitleFont(font); }, largerFont);
    QLegend *legend = chart->legend();
    scale<QFont>(
        legend, "normalFont", on, [legend] { return legend->font(); },
        [legend](const QFont &font) { legend->setFont(font); }, largerFont);
    for (QAbstractAxis *axis : chart->axes()) {
        scale<QFont>(
            axis, "normalLabelsFont", on, [axis] { return axis->labelsFont(); },
            [axis](const QFont &font) { axis->setLabelsFont(font); }, largerFont);
        scale<QFont>(
            axis, "normalTitleFont", on, [axis] { return axis->titleFont(); },
            [axis](const QFont &font) { axis->setTitleFont(font); }, largerFont);
    }
    for (QAbstractSeries *series : chart->series()) {
        if (auto *scatter = qobject_cast<QScatterSeries *>(series)) {
            scale<double>(
                scatter, "normalMarkerSize", on, [scatter] { return scatter->markerSize(); },
                [scatter](double size) { scatter->setMarkerSize(size); }, thicker);
        } else if (auto *line = qobject_cast<QXYSeries *>(series)) {
            scale<double>(
                line, "normalPenWidth", on, [line] { return line->pen().widthF(); },
                [line](double width) {
                    QPen pen = line->pen();
                    pen.setWidthF(width);
                    line->setPen(pen);
                },
                thicker);
        }
    }
}

void applyToCharts(QWidget *part, bool on)
{
    for (QChartView *view : part->findChildren<QChartView *>())
        applyToChart(view->chart(), on);
    if (auto *view = qobject_cast<QChartView *>(part))
        applyToChart(view->chart(), on);
}

} // namespace

namespace Presentation {

void apply(QWidget *window, bool on)
{
    window->setProperty(PresentationProperty, on);
    // Widgets that keep no font of their own follow the window's.
    window->setFont(on ? largerFont(QApplication::font(window)) : QFont());
    applyToCharts(window, on);
}

bool isOn(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->property(PresentationProperty).isValid())
            return w->property(PresentationProperty).toBool();
    }
    return false;
}

void follow(QWidget *part)
{
    applyToCharts(part, isOn(part));
}

} // namespace Presentation
