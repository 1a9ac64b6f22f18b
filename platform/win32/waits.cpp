// Events and waits. Under virtual time, a wait on the thread that drives the clock lets the
// program's worker threads settle and then runs the next timer tick instead of blocking, so that a
// script runs the same way every time.
#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/core/backend.h"
#include "platform/core/waitable.h"
#include "platform/core/worker_threads.h"
#include "platform/api/kernel.h"

namespace platform {
namespace {

class Event : public Waitable {
public:
    using Waitable::Waitable;
};

// A thread inside a wait. `blocked` is true while nothing it waits on is signalled; a signal that
// could satisfy it clears the flag under the lock, before the waiter even wakes. Each waiter has
// its own condition, woken only by the objects it waits on: the tick timer signals a hundred times
// a second, and one shared condition woke every sound thread with it for nothing.
struct Waiter {
    const std::vector<std::shared_ptr<Waitable>>* objects;
    bool worker;
    bool blocked = false;
    std::condition_variable wake;
};

struct WaitState {
    // Worker threads settling or ending, for WaitForWorkerThreadsIdle.
    std::condition_variable changed;
    std::vector<Waiter*> waiters;
};

// Never destroyed: a worker thread may still be inside a wait when the process ends, and
// destroying a condition variable that has a waiter blocks the exit for ever.
WaitState& State() {
    static WaitState& state = *new WaitState;
    return state;
}

bool Waits(const Waiter& waiter, const Waitable& object) {
    for (const auto& o : *waiter.objects)
        if (o.get() == &object) return true;
    return false;
}

void SetBlocked(Waiter& waiter, bool blocked) {
    if (waiter.blocked == blocked) return;
    waiter.blocked = blocked;
    if (waiter.worker) AdjustBusyWorkersLocked(blocked ? -1 : +1);
}

// The index the wait returns with, taking the signals; -1 while not satisfied.
int TakeSignalled(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll) {
    if (waitAll) {
        for (const auto& o : objects)
            if (!o->IsSignalled()) return -1;
        for (const auto& o : objects) o->Consume();
        return 0;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->IsSignalled()) {
            objects[i]->Consume();
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Under real time a thread that started a timer sleeps no later than the timer's next event and
// delivers it itself (see Clock::NextEventDue), so the tick it then waits for wakes it only once.
DWORD WaitOnThisThread(Clock& clock, const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll,
                       DWORD timeoutMs) {
    using TimePoint = std::chrono::steady_clock::time_point;
    WaitState& state = State();
    std::unique_lock lock(SyncMutex());
    Waiter waiter{&objects, IsWorkerThread(), false, {}};
    state.waiters.push_back(&waiter);
    const TimePoint deadline = timeoutMs == INFINITE
                                   ? TimePoint::max()
                                   : std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        const int index = TakeSignalled(objects, waitAll);
        if (index >= 0) {
            result = WAIT_OBJECT_0 + static_cast<DWORD>(index);
            break;
        }
        if (timeoutMs == 0) break;
        SetBlocked(waiter, true);
        if (const TimePoint due = clock.NextEventDue(); due < deadline) {
            if (waiter.wake.wait_until(lock, due) == std::cv_status::timeout) {
                lock.unlock();
                clock.DeliverDueEvents();
                lock.lock();
            }
        } else if (deadline == TimePoint::max()) {
            waiter.wake.wait(lock);
        } else if (waiter.wake.wait_until(lock, deadline) == std::cv_status::timeout) {
            const int late = TakeSignalled(objects, waitAll);
            if (late >= 0) result = WAIT_OBJECT_0 + static_cast<DWORD>(late);
            break;
        }
    }
    SetBlocked(waiter, false);
    state.waiters.erase(std::find(state.waiters.begin(), state.waiters.end(), &waiter));
    return result;
}

DWORD WaitDrivingTime(Clock& clock, const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll,
                      DWORD timeoutMs) {
    const DWORD start = clock.NowMs();
    for (;;) {
        if (DWORD r = WaitOnThisThread(clock, objects, waitAll, 0); r != WAIT_TIMEOUT) return r;
        if (timeoutMs == 0) return WAIT_TIMEOUT;
        WaitForWorkerThreadsIdle();
        if (DWORD r = WaitOnThisThread(clock, objects, waitAll, 0); r != WAIT_TIMEOUT) return r;
        if (timeoutMs != INFINITE && clock.NowMs() - start >= timeoutMs) return WAIT_TIMEOUT;
        clock.AdvanceTime();
    }
}

}  // namespace

std::mutex& SyncMutex() {
    static std::mutex mutex;
    return mutex;
}

void SignalLocked(Waitable& object) {
    object.SetSignalled(true);
    WaitState& state = State();
    for (Waiter* waiter : state.waiters) {
        if (!Waits(*waiter, object)) continue;
        SetBlocked(*waiter, false);
        waiter->wake.notify_one();
    }
}

std::condition_variable& SyncChanged() { return State().changed; }

}  // namespace platform

using platform::Waitable;

HANDLE CreateEventA(LPVOID, BOOL manualReset, BOOL initialState, LPCSTR) {
    return platform::NewHandle(std::make_shared<platform::Event>(manualReset != 0, initialState != 0));
}

BOOL SetEvent(HANDLE event) {
    auto object = platform::HandleObject<platform::Event>(event);
    if (!object) return FALSE;
    std::lock_guard lock(platform::SyncMutex());
    platform::SignalLocked(*object);
    return TRUE;
}

BOOL ResetEvent(HANDLE event) {
    auto object = platform::HandleObject<platform::Event>(event);
    if (!object) return FALSE;
    std::lock_guard lock(platform::SyncMutex());
    object->SetSignalled(false);
    return TRUE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || handles == nullptr) return WAIT_FAILED;
    std::vector<std::shared_ptr<Waitable>> objects;
    objects.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        auto object = platform::HandleObject<Waitable>(handles[i]);
        if (!object) return WAIT_FAILED;
        objects.push_back(std::move(object));
    }
    platform::Clock& clock = platform::GetBackend().GetClock();
    if (clock.DrivesTime()) return platform::WaitDrivingTime(clock, objects, waitAll != 0, milliseconds);
    return platform::WaitOnThisThread(clock, objects, waitAll != 0, milliseconds);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}
