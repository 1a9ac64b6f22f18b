// The callback thread: it waits on every event slot and, when a chained sample stops, starts the
// next sample of its chain at the first sample's volume and pan. Event 0 tells it to end.
#include <atomic>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

void QZSound::setup_callback() {
    for (int i = 0; i < g_nMaxEventCount; ++i) {
        HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        g_EventList[i].hEvent = event;
        g_CallBackHandles[i] = event;
    }
    g_CallBackThread = CreateThread(nullptr, 0, CallBack, nullptr, 0, nullptr);
}

void QZSound::close_callback() {
    if (g_CallBackThread != nullptr) {
        SetEvent(g_CallBackHandles[0]);
        // The thread's handle is signalled once it has returned: no polling needed.
        WaitForSingleObject(g_CallBackThread, INFINITE);
        CloseHandle(g_CallBackThread);
        g_CallBackThread = nullptr;
    }
    for (int i = 0; i < g_nMaxEventCount && g_EventList != nullptr; ++i) {
        if (g_EventList[i].hEvent == nullptr) continue;
        CloseHandle(g_EventList[i].hEvent);
        g_EventList[i].hEvent = nullptr;
        AtomicRef<SNDSample*>(g_EventList[i].pSample).store(nullptr);
        g_CallBackHandles[i] = nullptr;
    }
}

DWORD QZSound::CallBack(LPVOID) {
    g_nCallBackThreadActive = 1;
    DWORD exitCode = 0;
    for (;;) {
        const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(g_nMaxEventCount), g_CallBackHandles, FALSE,
                                                   INFINITE);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_FAILED || woken >= WAIT_OBJECT_0 + static_cast<DWORD>(g_nMaxEventCount)) {
            exitCode = 1;
            break;
        }
        _SNDEvent& event = g_EventList[woken - WAIT_OBJECT_0];
        SNDSample* sample = AtomicRef<SNDSample*>(event.pSample).load();
        if (sample == nullptr || sample == kClaimedEvent) continue;
        FreeSoundEvent(&event);
        if (sample->m_pNext != nullptr) sample->m_pNext->PlaySample(sample->m_nVolume, sample->m_nPan);
        ClearFlags(sample->m_dwFlags, SND_STOPARMED);
    }
    g_nCallBackThreadActive = 0;
    return exitCode;
}
