// Process memory from /proc/self/status: resident now and at most (VmRSS, VmHWM), private
// committed memory (VmData), and the page faults from getrusage. The pool quotas and the peak of
// committed memory have no counterpart here and stay 0.
#include <sys/resource.h>

#include <cstdio>
#include <cstring>

#include "platform/api/psapi.h"

namespace {

// The kilobytes on the status line that starts with `key`, in bytes; 0 when it is not there.
SIZE_T StatusBytes(const char* status, const char* key) {
    const char* line = std::strstr(status, key);
    unsigned long long kib = 0;
    if (line == nullptr || std::sscanf(line + std::strlen(key), " %llu", &kib) != 1) return 0;
    return static_cast<SIZE_T>(kib) * 1024;
}

}  // namespace

BOOL GetProcessMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD cb) {
    if (process != GetCurrentProcess() || counters == nullptr || cb < sizeof(PROCESS_MEMORY_COUNTERS)) return FALSE;
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (file == nullptr) return FALSE;
    char status[8192];
    const std::size_t length = std::fread(status, 1, sizeof status - 1, file);
    std::fclose(file);
    status[length] = '\0';
    *counters = PROCESS_MEMORY_COUNTERS{};
    counters->cb = sizeof(PROCESS_MEMORY_COUNTERS);
    counters->WorkingSetSize = StatusBytes(status, "\nVmRSS:");
    counters->PeakWorkingSetSize = StatusBytes(status, "\nVmHWM:");
    counters->PagefileUsage = StatusBytes(status, "\nVmData:");
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) == 0)
        counters->PageFaultCount = static_cast<DWORD>(usage.ru_minflt + usage.ru_majflt);
    return counters->WorkingSetSize > 0 ? TRUE : FALSE;
}
