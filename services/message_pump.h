// Drains the window message queue; also called by modal loops.
#pragma once

// 1 when WM_QUIT was taken (it is posted again, so an outer loop sees it too), else 0.
int PumpMessages();
// How many messages the pumps have taken so far: a frame that sees the same count as the one
// before had no message between them.
unsigned MessagesTaken();
// Sets the caption to "Stalk Way - <text>", followed by " - <suffix>" once a suffix is set.
void SetWindowCaption(const char* text);
// What every caption ends with from now on (the maze being played); none when empty.
void SetCaptionSuffix(const char* suffix);
