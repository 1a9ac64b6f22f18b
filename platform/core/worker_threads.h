// Bookkeeping of the threads made by CreateThread, for WaitForWorkerThreadsIdle (waitable.h).
#pragma once

namespace platform {

bool IsWorkerThread();
// Counts a worker thread as busy (+1) or settled (-1). Needs the sync lock held.
void AdjustBusyWorkersLocked(int delta);

}  // namespace platform
