// The program's one diagnostic output, "debug.log", behind a switch: off unless setup.ini says
// "debuglog=1" in its section "setup" (read at start-up, shell/win_main.cpp).
#pragma once

extern int g_nDebugLog;

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
