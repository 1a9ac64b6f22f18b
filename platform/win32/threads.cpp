// Threads. A thread handle is a waitable object, signalled when the thread's function returns;
// threads end only by returning (there is no way to kill one that might hold a lock or a file).
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "platform/core/waitable.h"
#include "platform/core/worker_threads.h"
#include "platform/api/kernel.h"

namespace platform {
namespace {

class Thread : public Waitable {
public:
    Thread() : Waitable(true, false) {}
    std::atomic<DWORD> exitCode{STILL_ACTIVE};
    std::atomic<int> priority{THREAD_PRIORITY_NORMAL};
    std::atomic<pid_t> systemId{0};
};

thread_local bool tl_worker = false;
int g_busyWorkers = 0;  // guarded by SyncMutex()

// Windows priorities as nice values; raising above normal needs privileges and may be refused.
int NiceFor(int priority) {
    if (priority <= THREAD_PRIORITY_IDLE) return 19;
    if (priority >= THREAD_PRIORITY_TIME_CRITICAL) return -10;
    return -2 * priority;
}

void ApplyPriority(Thread& thread) {
    const pid_t id = thread.systemId.load();
    if (id != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(id), NiceFor(thread.priority.load()));
}

void RunThread(std::shared_ptr<Thread> thread, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    tl_worker = true;
    thread->systemId = gettid();
    ApplyPriority(*thread);
    const DWORD code = start(parameter);
    std::lock_guard lock(SyncMutex());
    thread->exitCode = code;
    SignalLocked(*thread);
    AdjustBusyWorkersLocked(-1);
}

}  // namespace

bool IsWorkerThread() { return tl_worker; }

void AdjustBusyWorkersLocked(int delta) {
    g_busyWorkers += delta;
    if (g_busyWorkers == 0) SyncChanged().notify_all();
}

void WaitForWorkerThreadsIdle() {
    std::unique_lock lock(SyncMutex());
    SyncChanged().wait(lock, [] { return g_busyWorkers == 0; });
}

}  // namespace platform

HANDLE CreateThread(LPVOID, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD, LPDWORD threadId) {
    if (start == nullptr) return nullptr;
    auto thread = std::make_shared<platform::Thread>();
    HANDLE handle = platform::NewHandle(thread);
    {
        // Busy from now: a thread that has not run yet has not settled either.
        std::lock_guard lock(platform::SyncMutex());
        platform::AdjustBusyWorkersLocked(+1);
    }
    static std::atomic<DWORD> nextId{1};
    if (threadId != nullptr) *threadId = nextId++;
    std::thread(platform::RunThread, thread, start, parameter).detach();
    return handle;
}

BOOL SetThreadPriority(HANDLE handle, int priority) {
    auto thread = platform::HandleObject<platform::Thread>(handle);
    if (!thread) return FALSE;
    thread->priority = priority;
    platform::ApplyPriority(*thread);
    return TRUE;
}

int GetThreadPriority(HANDLE handle) {
    auto thread = platform::HandleObject<platform::Thread>(handle);
    return thread ? thread->priority.load() : THREAD_PRIORITY_NORMAL;
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
    auto thread = platform::HandleObject<platform::Thread>(handle);
    if (!thread || exitCode == nullptr) return FALSE;
    *exitCode = thread->exitCode;
    return TRUE;
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(gettid()); }
