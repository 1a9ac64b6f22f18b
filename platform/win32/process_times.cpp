// Processor and start times of the calling thread and of the process, and the precise time of
// day. They read the system's real clocks under the headless backend too: they measure the
// program, and virtual time would make every measurement zero.
#include <sys/resource.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "platform/api/kernel.h"

namespace {

unsigned long long Steps(const timespec& t) {
    return static_cast<unsigned long long>(t.tv_sec) * 10000000ull + static_cast<unsigned long long>(t.tv_nsec) / 100;
}

unsigned long long Steps(const timeval& t) {
    return static_cast<unsigned long long>(t.tv_sec) * 10000000ull + static_cast<unsigned long long>(t.tv_usec) * 10;
}

void Store(unsigned long long steps, FILETIME* time) {
    if (time != nullptr) *time = FileTimeOfSteps(steps);
}

unsigned long long Now(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return Steps(t);
}

#if defined(__EMSCRIPTEN__)
// A browser keeps no processor times and has no /proc. The time that passed is the nearest
// measure: for a thread that never waits, as the scripted runner's does not, it is its processor
// time. Every thread reads as started with the program.
constexpr clockid_t kProcessClock = CLOCK_MONOTONIC;
constexpr clockid_t kThreadClock = CLOCK_MONOTONIC;

unsigned long long StartTime(const char*) {
    static const unsigned long long start = Now(CLOCK_REALTIME) + kFileTimeStepsBefore1970;
    return start;
}
#else
constexpr clockid_t kProcessClock = CLOCK_PROCESS_CPUTIME_ID;
constexpr clockid_t kThreadClock = CLOCK_THREAD_CPUTIME_ID;

// The start of the process or thread whose stat file this is, as a time of day. The system keeps
// it in clock ticks since boot (10 ms), rounded down: the start reads up to 10 ms early. 0 when
// it cannot be read.
unsigned long long StartTime(const char* statFile) {
    std::FILE* file = std::fopen(statFile, "r");
    if (file == nullptr) return 0;
    char text[1024];
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[length] = '\0';
    // The name in parentheses may hold spaces; the fields after it are counted from its end.
    const char* field = nullptr;
    for (const char* p = text; *p != '\0'; ++p)
        if (*p == ')') field = p + 1;
    if (field == nullptr) return 0;
    unsigned long long ticks = 0;
    // The start is field 22; the name is field 2, so 19 fields lie between them.
    if (std::sscanf(field, "%*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu",
                    &ticks) != 1)
        return 0;
    const long perSecond = sysconf(_SC_CLK_TCK);
    if (perSecond <= 0) return 0;
    const unsigned long long sinceBoot = ticks * 10000000ull / static_cast<unsigned long long>(perSecond);
    const unsigned long long bootNow = Now(CLOCK_BOOTTIME);
    const unsigned long long dayNow = Now(CLOCK_REALTIME) + kFileTimeStepsBefore1970;
    return dayNow - (bootNow - sinceBoot);
}
#endif

// The system measures processor time to the nanosecond but splits it between user and kernel
// time only by sampling, so the total is exact and the kernel share is the sampled one. The
// clock is read last, so that a caller timing its own work does not time this function's.
void StoreTimes(clockid_t total, int who, FILETIME* kernel, FILETIME* user) {
    rusage usage{};
    getrusage(who, &usage);
    const unsigned long long all = Now(total);
    unsigned long long inKernel = Steps(usage.ru_stime);
    if (inKernel > all) inKernel = all;
    Store(inKernel, kernel);
    Store(all - inKernel, user);
}

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-2));

}  // namespace

HANDLE GetCurrentProcess() { return kCurrentProcess; }

HANDLE GetCurrentThread() { return kCurrentThread; }

// Start times never change, and reading them costs a file each: they are read once.
BOOL GetProcessTimes(HANDLE process, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) {
    static const unsigned long long start = StartTime("/proc/self/stat");
    if (process != kCurrentProcess || start == 0) return FALSE;
    Store(start, creation);
    Store(0, exit);
    StoreTimes(kProcessClock, RUSAGE_SELF, kernel, user);
    return TRUE;
}

BOOL GetThreadTimes(HANDLE thread, FILETIME* creation, FILETIME* exit, FILETIME* kernel, FILETIME* user) {
    thread_local const unsigned long long start = StartTime("/proc/thread-self/stat");
    if (thread != kCurrentThread || start == 0) return FALSE;
    Store(start, creation);
    Store(0, exit);
    StoreTimes(kThreadClock, RUSAGE_THREAD, kernel, user);
    return TRUE;
}

void GetSystemTimePreciseAsFileTime(FILETIME* time) { Store(Now(CLOCK_REALTIME) + kFileTimeStepsBefore1970, time); }
