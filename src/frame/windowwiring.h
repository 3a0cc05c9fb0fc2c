#pragma once

/// Joins the windows that must not know each other: the frame becomes the
/// host every window reaches through FrameHost, and a stop answer of the
/// registration dialogue stops the simulation, and the Kepler lab opens
/// from Screen1's menu and takes each planet Screen1 sets up. Runs once before the first
/// window loads (the start routine, and every test environment); running
/// it again changes nothing.
namespace WindowWiring {

void install();

} // namespace WindowWiring
