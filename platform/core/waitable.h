// Waitable kernel objects (events and threads) and the one lock that all waits share. One lock for
// every object keeps WaitForMultipleObjects simple and free of lock-order problems; the program
// signals about a hundred events a second, so it is hardly contended. A signal wakes only the
// threads that wait on that object.
//
// The same bookkeeping tells when the program's own threads have all settled: each thread made by
// CreateThread counts as busy until it blocks in a wait that nothing can satisfy yet, and a signal
// that can wake it makes it busy again at once. Virtual time uses this to run the threads' reaction
// to one tick to completion before the next tick.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/core/handles.h"

namespace platform {

class Waitable : public KernelObject {
public:
    explicit Waitable(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}

    // Both need the sync lock held.
    bool IsSignalled() const { return signalled_; }
    // Takes the signal: an auto-reset object goes back to unsignalled.
    void Consume() {
        if (!manualReset_) signalled_ = false;
    }
    void SetSignalled(bool signalled) { signalled_ = signalled; }

private:
    const bool manualReset_;
    bool signalled_;
};

std::mutex& SyncMutex();
// Notified whenever the count of busy worker threads drops to nought.
std::condition_variable& SyncChanged();

// Signals the object and wakes the waiters that it can satisfy. Needs the sync lock held.
void SignalLocked(Waitable& object);

// Blocks until every thread made by CreateThread is waiting for something not yet signalled, or
// has ended. Never call it from one of those threads.
void WaitForWorkerThreadsIdle();

}  // namespace platform
