#pragma once

class QWidget;

/// The lab on a projector: larger fonts in every panel and chart and
/// thicker curves and markers, switched on and off while the window lives.
/// What a chart had before is kept on its items, so switching off gives
/// back exactly that, and a chart built while the view is on takes it up
/// through follow().
namespace Presentation {

inline constexpr double FontScale = 1.5;
inline constexpr double LineScale = 2.0;

/// Switches the view of `window` and everything in it.
void apply(QWidget *window, bool on);
/// Whether `widget`'s window is in the presentation view.
bool isOn(const QWidget *widget);
/// Gives the charts in `part` (built or refilled after apply()) the view
/// their window is in.
void follow(QWidget *part);

} // namespace Presentation
