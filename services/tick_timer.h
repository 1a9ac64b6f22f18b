// The tick clock: milliseconds in steps of 10 since the timer started, advanced by a 10 ms
// multimedia timer whose events also sample the pointer's buttons. Frames are paced on it.
#pragma once

extern float g_fFrameRate;

// 0 when the timer runs; 1 when the system cannot time 10 ms periods (the clock then follows the
// system's monotonic clock instead).
int StartTickTimer();
int StopTickTimer();
int GetTickClock();
int TicksSince(int earlier);
// Returns when the next frame at `framesPerSecond` may start; lost time is not made up.
void WaitForFrame(int framesPerSecond);
// Blocks until the next tick, for a loop that has nothing to do (an inactive application).
void WaitForNextTick();
// Without the multimedia timer, runs the pointer samples the ticks elapsed since the last call
// would have run. Does nothing while the timer runs.
void CatchUpTicks();
