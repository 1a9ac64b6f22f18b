// The fixed pool: wait handles, event records and sample slots carved from one block of global
// memory, taken once at Init, and the scans that hand out and take back slots and events.
#include <atomic>
#include <memory>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

// The most handles one wait takes.
constexpr int kMaxEvents = 64;

}  // namespace

int QZSound::AllocSampleBuffers() {
    if (g_MemHandle != nullptr && !free_sample_buffers()) return 0;
    if (!alloc_sample_buffers(g_nMaxSampleCount)) return 0;
    g_pLastSample = g_SampleList;
    g_pEndSample = g_SampleList + g_nMaxSampleCount;
    return 1;
}

int QZSound::alloc_sample_buffers(int count) {
    if (count < 0) return 0;
    g_nMaxEventCount = count + 1 < kMaxEvents ? count + 1 : kMaxEvents;
    const SIZE_T handles = sizeof(HANDLE) * g_nMaxEventCount;
    const SIZE_T events = sizeof(_SNDEvent) * g_nMaxEventCount;
    const SIZE_T samples = sizeof(SNDSample) * count;
    g_MemHandle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, handles + events + samples);
    if (g_MemHandle == nullptr) return 0;
    auto* block = static_cast<unsigned char*>(GlobalLock(g_MemHandle));
    if (block == nullptr) {
        GlobalFree(g_MemHandle);
        g_MemHandle = nullptr;
        return 0;
    }
    g_CallBackHandles = reinterpret_cast<HANDLE*>(block);
    g_EventList = reinterpret_cast<_SNDEvent*>(block + handles);
    std::uninitialized_value_construct_n(g_EventList, g_nMaxEventCount);
    g_SampleList = reinterpret_cast<SNDSample*>(block + handles + events);
    std::uninitialized_value_construct_n(g_SampleList, count);
    return 1;
}

int QZSound::free_sample_buffers() {
    if (g_MemHandle != nullptr) {
        GlobalUnlock(g_MemHandle);
        if (GlobalFree(g_MemHandle) != nullptr) return 0;
    }
    g_MemHandle = nullptr;
    g_CallBackHandles = nullptr;
    g_EventList = nullptr;
    g_SampleList = nullptr;
    // No scan reaches a slot now.
    g_pEndSample = nullptr;
    g_pLastSample = nullptr;
    return 1;
}

SNDSample* QZSound::AllocSample() {
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        if (TestFlags(s->m_dwFlags, SND_INUSE)) continue;
        if (s >= g_pLastSample) g_pLastSample = s + 1;
        SetFlags(s->m_dwFlags, SND_INUSE);
        return s;
    }
    return nullptr;
}

// The mark moves down to just above the highest slot still in use, or stays: it never hides one.
void QZSound::ClearSample(SNDSample* sample) {
    sample->Reset();
    SNDSample* highest = nullptr;
    for (SNDSample* s = sample; s < g_pLastSample; ++s)
        if (TestFlags(s->m_dwFlags, SND_INUSE)) highest = s;
    if (highest != nullptr) g_pLastSample = highest + 1;
}

void QZSound::ClearSampleList() {
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) ClearSample(s);
    g_pLastSample = g_SampleList;
    g_pEndSample = g_SampleList + (g_SampleList != nullptr ? g_nMaxSampleCount : 0);
}

_SNDEvent* QZSound::AllocSoundEvent() {
    for (int i = 1; i < g_nMaxEventCount && g_EventList != nullptr; ++i) {
        SNDSample* expected = nullptr;
        if (AtomicRef<SNDSample*>(g_EventList[i].pSample).compare_exchange_strong(expected, kClaimedEvent))
            return &g_EventList[i];
    }
    return nullptr;
}

void QZSound::FreeSoundEvent(_SNDEvent* event) { AtomicRef<SNDSample*>(event->pSample).store(nullptr); }
