// Samples by the caller's id: loading, finding one ready to play (duplicating a busy one, and
// reclaiming finished duplicates on the way), playing and freeing.
#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

bool Busy(SNDSample& sample) { return TestFlags(sample.m_dwFlags, SND_RESERVED) || sample.SamplePlaying(); }

}  // namespace

int QZSound::LoadSample(const char* name, DWORD id) {
    if (SNDSample* loaded = FindSample(id); loaded != nullptr) {
        // Nothing will play what the search handed out: let it be found (or reclaimed) again.
        ClearFlags(loaded->m_dwFlags, SND_RESERVED);
        return 1;
    }
    SNDSample* sample = AllocSample();
    if (sample == nullptr) return 0;
    if (!sample->LoadSample(name, id)) {
        if (sample->m_pBuffer != nullptr) sample->m_pBuffer->Release();
        ClearSample(sample);
        return 0;
    }
    return 1;
}

SNDSample* QZSound::FindSample(DWORD id) {
    SNDSample* result = nullptr;
    SNDSample* fallback = nullptr;
    for (SNDSample* s = g_SampleList; s < HighWaterMark(); ++s) {
        const bool inUse = TestFlags(s->m_dwFlags, SND_INUSE);
        const bool duplicate = TestFlags(s->m_dwFlags, SND_DUPLICATE);
        if (inUse && s->m_dwID == id) {
            if (!Busy(*s)) {
                result = s;
                break;
            }
            if (fallback == nullptr && !duplicate) fallback = s;
        } else if (duplicate && !Busy(*s)) {
            FreeSample(s);
        }
    }
    if (result == nullptr && fallback != nullptr) result = fallback->DupeSample();
    if (result != nullptr) SetFlags(result->m_dwFlags, SND_RESERVED);
    return result;
}

SNDSample* QZSound::PlaySample(LONG id, LONG volume, LONG pan) {
    SNDSample* sample = FindSample(static_cast<DWORD>(id));
    if (sample != nullptr) sample->PlaySample(volume, pan);
    return sample;
}

int QZSound::PlaySampleIDOnce(LONG id, LONG volume, LONG pan) {
    if (m_bSFXEnabled == 0) return 1;
    SNDSample* sample = FindSample(static_cast<DWORD>(id));
    if (sample == nullptr) return 0;
    if (sample->m_pBuffer == nullptr || sample->SamplePlaying()) {
        ClearFlags(sample->m_dwFlags, SND_RESERVED);
        return 0;
    }
    sample->SetPan(pan);
    sample->SetVolume(volume);
    // It arms no stop of its own, but one left from an earlier chained play must not fire.
    sample->DisarmStopNotification();
    ClearFlags(sample->m_dwFlags, SND_RESERVED);
    const DWORD flags = TestFlags(sample->m_dwFlags, SND_LOOP) ? DSBPLAY_LOOPING : 0;
    return SUCCEEDED(sample->m_pBuffer->Play(0, 0, flags)) ? 1 : 0;
}

void QZSound::FreeSample(DWORD id) {
    if (SNDSample* sample = FindSample(id); sample != nullptr) FreeSample(sample);
}

void QZSound::FreeSample(SNDSample* sample) {
    if (sample == nullptr || sample->m_pBuffer == nullptr) return;
    if (sample->SamplePlaying()) sample->StopSample();
    sample->m_pBuffer->Release();
    sample->m_pBuffer = nullptr;
    ClearSample(sample);
}

void QZSound::FlushSamples() {
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        if (TestFlags(s->m_dwFlags, SND_INUSE) && TestFlags(s->m_dwFlags, SND_DUPLICATE) && !Busy(*s)) FreeSample(s);
    }
}
