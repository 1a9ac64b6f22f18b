// One sample slot's operations: its buffer, loading, playing with the library's volume and pan,
// pausing, duplicating, chaining.
#include <atomic>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

DWORD PlayFlags(const SNDSample& sample) { return TestFlags(sample.m_dwFlags, SND_LOOP) ? DSBPLAY_LOOPING : 0; }

}  // namespace

int SNDSample::AllocDSBuffer(DWORD size) {
    LPDIRECTSOUND device = QZSound::GetDSObject();
    if (device == nullptr) return 0;
    const DWORD align = m_dwChannels * m_dwBits / 8;
    WAVEFORMATEX format{WAVE_FORMAT_PCM,
                        static_cast<WORD>(m_dwChannels),
                        m_dwSampleRate,
                        m_dwSampleRate * align,
                        static_cast<WORD>(align),
                        static_cast<WORD>(m_dwBits),
                        0};
    // The library sets volume, pan and frequency on every buffer, so it asks for those controls.
    const DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN |
                        DSBCAPS_CTRLFREQUENCY;
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags, size != 0 ? size : m_dwDataSize, 0, &format, {}};
    if (FAILED(device->CreateSoundBuffer(&desc, &m_pBuffer, nullptr))) {
        m_pBuffer = nullptr;
        return 0;
    }
    return 1;
}

int SNDSample::LoadSample(const char* name, DWORD id) {
    HANDLE file = OpenSoundFile(name);
    if (file == INVALID_HANDLE_VALUE) return 0;
    if (!AllocDSBuffer(0)) {
        QZSound::CloseFileHook()(file);
        return 0;
    }
    LPVOID part = nullptr;
    DWORD bytes = 0;
    const bool locked = SUCCEEDED(m_pBuffer->Lock(0, m_dwDataSize, &part, &bytes, nullptr, nullptr, 0));
    DWORD read = 0;
    const bool filled = locked && ReadFile(file, part, bytes, &read, nullptr) && read >= m_dwDataSize;
    if (filled && id != 0xFFFFFFFFu) m_dwID = id;
    if (locked) m_pBuffer->Unlock(part, bytes, nullptr, 0);
    QZSound::CloseFileHook()(file);
    return filled ? 1 : 0;
}

int SNDSample::PlaySample(LONG volume, LONG pan) {
    int result = 0;
    QZSound* library = QZSound::Library();
    if (library != nullptr && library->m_bSFXEnabled == 0) {
        result = 1;
    } else if (m_pBuffer != nullptr) {
        SetPan(pan);
        SetVolume(volume);
        if (m_pNext != nullptr) ArmStopNotification();
        else DisarmStopNotification();
        result = SUCCEEDED(m_pBuffer->Play(0, 0, PlayFlags(*this))) ? 1 : 0;
    }
    ClearFlags(m_dwFlags, SND_RESERVED);
    return result;
}

// The stop starts the chain's next sample on the callback thread. The record goes to that thread
// when the sample is stored in it, after everything else is in place.
void SNDSample::ArmStopNotification() {
    _SNDEvent* event = QZSound::AllocSoundEvent();
    if (event == nullptr) return;
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    if (FAILED(m_pBuffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&notify)))) {
        QZSound::FreeSoundEvent(event);
        return;
    }
    m_Notify.dwOffset = DSBPN_OFFSETSTOP;
    m_Notify.hEventNotify = event->hEvent;
    SetFlags(m_dwFlags, SND_STOPARMED);
    const HRESULT registered = notify->SetNotificationPositions(1, &m_Notify);
    notify->Release();
    if (FAILED(registered)) {
        ClearFlags(m_dwFlags, SND_STOPARMED);
        QZSound::FreeSoundEvent(event);
        return;
    }
    AtomicRef<SNDSample*>(event->pSample).store(this);
}

// A stop position left from an earlier chained play would signal an event slot that may by now
// be armed for another sample: take it off the buffer.
void SNDSample::DisarmStopNotification() {
    if (m_Notify.hEventNotify == nullptr) return;
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    if (SUCCEEDED(m_pBuffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&notify)))) {
        notify->SetNotificationPositions(0, nullptr);
        notify->Release();
    }
    m_Notify.hEventNotify = nullptr;
}

int SNDSample::StopSample() { return m_pBuffer != nullptr && SUCCEEDED(m_pBuffer->Stop()) ? 1 : 0; }

int SNDSample::PauseSample() {
    if (m_pBuffer == nullptr) return 0;
    if (FAILED(m_pBuffer->Stop()) || FAILED(m_pBuffer->GetCurrentPosition(&m_dwPausePos, nullptr))) return 0;
    SetFlags(m_dwFlags, SND_PAUSED);
    return 1;
}

int SNDSample::UnPauseSample() {
    if (!TestFlags(m_dwFlags, SND_PAUSED) || m_pBuffer == nullptr) return 0;
    if (FAILED(m_pBuffer->SetCurrentPosition(m_dwPausePos))) return 0;
    ClearFlags(m_dwFlags, SND_PAUSED);
    return SUCCEEDED(m_pBuffer->Play(0, 0, PlayFlags(*this))) ? 1 : 0;
}

LONG SNDSample::GetSampleStatus() {
    DWORD status = 0;
    if (m_pBuffer == nullptr || FAILED(m_pBuffer->GetStatus(&status))) return E_INVALIDARG;
    return static_cast<LONG>(status);
}

int SNDSample::SamplePlaying() {
    const LONG status = GetSampleStatus();
    return status != E_INVALIDARG && (status & DSBSTATUS_PLAYING) != 0 ? 1 : 0;
}

int SNDSample::SetVolume(int volume) {
    if (m_pBuffer == nullptr) return 0;
    m_nVolume = volume;
    return SUCCEEDED(m_pBuffer->SetVolume(QZSound::MapVolume(volume))) ? 1 : 0;
}

int SNDSample::SetPan(int pan) {
    if (m_pBuffer == nullptr) return 0;
    m_nPan = pan;
    return SUCCEEDED(m_pBuffer->SetPan(QZSound::MapPan(pan))) ? 1 : 0;
}

int SNDSample::SetPitch(int pitch) {
    if (m_pBuffer == nullptr) return 0;
    m_nPitch = pitch;
    return SUCCEEDED(m_pBuffer->SetFrequency(static_cast<DWORD>(pitch))) ? 1 : 0;
}

SNDSample* SNDSample::DupeSample() {
    if (m_pBuffer == nullptr) return nullptr;
    SNDSample* copy = QZSound::AllocSample();
    if (copy == nullptr) return nullptr;
    LPDIRECTSOUND device = QZSound::GetDSObject();
    if (device == nullptr || FAILED(device->DuplicateSoundBuffer(m_pBuffer, &copy->m_pBuffer))) {
        copy->m_pBuffer = nullptr;
        QZSound::ClearSample(copy);
        return nullptr;
    }
    copy->m_dwID = m_dwID;
    copy->m_dwDataSize = m_dwDataSize;
    copy->m_dwSampleRate = m_dwSampleRate;
    copy->m_dwBits = m_dwBits;
    copy->m_dwChannels = m_dwChannels;
    copy->m_pNext = nullptr;
    SetFlags(copy->m_dwFlags, SND_DUPLICATE);
    // The loop points come along but not the loop bit: a duplicate plays once.
    if (TestFlags(m_dwFlags, SND_LOOP)) {
        copy->m_dwLoopStart = m_dwLoopStart;
        copy->m_dwLoopEnd = m_dwLoopEnd;
    }
    return copy;
}

SNDSample* SNDSample::ChainSample(SNDSample* first, SNDSample* second) {
    if (first == nullptr || second == nullptr) return second;
    SNDSample* last = first;
    while (last->m_pNext != nullptr) last = last->m_pNext;
    last->m_pNext = second;
    return first;
}

void SNDSample::Reset() {
    m_dwID = 0;
    m_dwDataSize = 0;
    m_dwSampleRate = 0;
    m_dwBits = 0;
    m_dwChannels = 0;
    m_dwPausePos = 0;
    m_nVolume = 0;
    m_nPan = 0;
    m_nPitch = 0;
    m_dwLoopStart = 0;
    m_dwLoopEnd = 0;
    m_pBuffer = nullptr;
    m_pNext = nullptr;
    // Last: clearing the in-use bit frees the slot, and another thread may claim it at once.
    StoreFlags(m_dwFlags, 0);
}
