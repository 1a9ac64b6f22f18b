// The primary buffer: the device's output. Playing it starts the audio output and stopping it
// stops the output, so no secondary buffer is heard (or moves on) while it is stopped. Its format
// is recorded for GetFormat; the mixer always renders at the device's own rate.
#pragma once

#include <atomic>

#include "platform/api/dsound.h"

namespace platform {

class SoundDevice;

class PrimaryBuffer final : public IDirectSoundBuffer {
public:
    explicit PrimaryBuffer(SoundDevice& device);
    ~PrimaryBuffer() override;

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetCurrentPosition(LPDWORD, LPDWORD) override { return DSERR_INVALIDCALL; }
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override;
    HRESULT GetVolume(LPLONG) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT GetPan(LPLONG) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT GetFrequency(LPDWORD) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return DSERR_PRIOLEVELNEEDED; }
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT SetVolume(LONG) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT SetPan(LONG) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT SetFrequency(DWORD) override { return DSERR_CONTROLUNAVAIL; }
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT Restore() override { return DS_OK; }

private:
    SoundDevice& device_;
    std::atomic<ULONG> references_{1};
    std::atomic<bool> playing_{false};
    WAVEFORMATEX format_{WAVE_FORMAT_PCM, 2, 22050, 44100, 2, 8, 0};
};

// True for the PCM formats the device takes: 8 or 16 bits, 1 or 2 channels, a rate from
// DSBFREQUENCY_MIN to DSBFREQUENCY_MAX, the block alignment that follows.
bool IsSupportedFormat(const WAVEFORMATEX& format);

}  // namespace platform
