// The fixed pool: wait handles, event records and sample slots carved from one block of global
// memory, taken once at Init, and the scans that hand out and take back slots and events.
#include <algorithm>
#include <atomic>
#include <cstdint>
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
    g_nMarkWord = 0;
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
    g_nMarkWord = 0;
    return 1;
}

namespace {

constexpr std::uint64_t kMarkMask = 0xFFFFFFFFu;

std::uint64_t MarkWord(std::uint64_t mark, std::uint64_t claims) { return (claims << 32) | (mark & kMarkMask); }

// Claims a free slot in one step, so that the main thread and the fill thread never both take it.
bool Claim(SNDSample* slot) {
    AtomicRef<DWORD> flags(slot->m_dwFlags);
    DWORD seen = flags.load();
    while ((seen & SND_INUSE) == 0)
        if (flags.compare_exchange_strong(seen, seen | SND_INUSE)) return true;
    return false;
}

}  // namespace

SNDSample* QZSound::AllocSample() {
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        if (!Claim(s)) continue;
        RaiseMarkAbove(s);
        return s;
    }
    return nullptr;
}

void QZSound::RaiseMarkAbove(SNDSample* slot) {
    const auto above = static_cast<std::uint64_t>(slot - g_SampleList) + 1;
    std::uint64_t word = g_nMarkWord.load();
    while (!g_nMarkWord.compare_exchange_weak(word, MarkWord(std::max(word & kMarkMask, above), (word >> 32) + 1))) {}
}

// The mark moves down to just above the highest slot still in use, or stays: it never hides one.
// The main thread and the fill thread both take and clear slots: a claim made while this scans
// changes the word, the exchange then fails and the scan is made again.
void QZSound::ClearSample(SNDSample* sample) {
    sample->Reset();
    std::uint64_t word = g_nMarkWord.load();
    for (;;) {
        SNDSample* highest = nullptr;
        for (SNDSample* s = sample; s < g_SampleList + (word & kMarkMask); ++s)
            if (TestFlags(s->m_dwFlags, SND_INUSE)) highest = s;
        if (highest == nullptr) return;
        const auto lowered = static_cast<std::uint64_t>(highest - g_SampleList) + 1;
        if (g_nMarkWord.compare_exchange_strong(word, MarkWord(lowered, word >> 32))) return;
    }
}

void QZSound::ClearSampleList() {
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) ClearSample(s);
    g_nMarkWord = 0;
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
