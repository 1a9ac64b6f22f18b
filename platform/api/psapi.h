// The process status call the scripted runner uses to watch the program's memory.
#pragma once

#include "platform/api/kernel.h"

struct PROCESS_MEMORY_COUNTERS {
    DWORD cb;
    DWORD PageFaultCount;
    SIZE_T PeakWorkingSetSize;  // the most memory resident at once
    SIZE_T WorkingSetSize;      // memory resident now
    SIZE_T QuotaPeakPagedPoolUsage;
    SIZE_T QuotaPagedPoolUsage;
    SIZE_T QuotaPeakNonPagedPoolUsage;
    SIZE_T QuotaNonPagedPoolUsage;
    SIZE_T PagefileUsage;  // private memory committed
    SIZE_T PeakPagefileUsage;
};

// Only the calling process can be asked; sizes are in bytes. Fails when `cb` is too small.
BOOL GetProcessMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD cb);
