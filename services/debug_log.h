// The program's one diagnostic output, "debug.log", behind a switch that is off.
#pragma once

extern int g_nDebugLog;

void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
