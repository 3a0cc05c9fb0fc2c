#pragma once

/// The program's start: refuses a second running copy, then loads the
/// simulator (which brings the frame with it) and shows it.
namespace Startup {

/// Runs the start routine; returns false when another instance runs and
/// this one must end.
bool start();

} // namespace Startup
