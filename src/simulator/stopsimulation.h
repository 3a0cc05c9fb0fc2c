#pragma once

/// Halts the animation and resets the screen: beep, timer off, the drawn
/// orbit cleared, the status panel back to the title. After EXIT (Form1's
/// Tag "Stop") it also removes the simulator's background picture,
/// otherwise the RV plot's. Safe to call at any time.
void StopSimulation();
