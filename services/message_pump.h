// Drains the window message queue; also called by modal loops.
#pragma once

// 1 when WM_QUIT was taken (it is posted again, so an outer loop sees it too), else 0.
int PumpMessages();
// Sets the caption to "Stalk Way - <text>".
void SetWindowCaption(const char* text);
