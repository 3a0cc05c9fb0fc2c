#pragma once

#include <QWindow>

#include <optional>

/// The window that the X11 window manager names as active: the property
/// _NET_ACTIVE_WINDOW of the root window (Extended Window Manager Hints).
namespace X11ActiveWindow {

/// Its id, or nothing where the program does not run on X11 (Wayland,
/// offscreen), no window manager sets the property, or it names no window.
std::optional<WId> id();

} // namespace X11ActiveWindow
