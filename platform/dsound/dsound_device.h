// The sound device object: the mixer, the audio output it feeds, the primary buffer and every
// secondary buffer made on it. Only one device exists at a time.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/dsound/audio_mixer.h"
#include "platform/api/dsound.h"

namespace platform {

class SoundBuffer;
class PrimaryBuffer;

class SoundDevice final : public IDirectSound {
public:
    SoundDevice(std::unique_ptr<Mixer> mixer, const AudioDeviceInfo& info);

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, void* outer) override;
    HRESULT GetCaps(LPDSCAPS caps) override;
    HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) override;
    HRESULT SetCooperativeLevel(HWND hwnd, DWORD level) override;
    HRESULT Compact() override;

    Mixer& GetMixer() { return *mixer_; }
    DWORD CooperativeLevel() const { return level_.load(); }
    // A buffer's last release: it leaves the device and is deleted.
    void Dispose(SoundBuffer* buffer);
    void Dispose(PrimaryBuffer* buffer);

private:
    ~SoundDevice() override;
    HRESULT CreatePrimary(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer);
    HRESULT CreateSecondary(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer);
    void Adopt(SoundBuffer* buffer);

    std::atomic<ULONG> references_{1};
    std::atomic<DWORD> level_{0};
    std::unique_ptr<Mixer> mixer_;
    const AudioDeviceInfo info_;
    std::mutex buffersMutex_;  // guards the two below: buffers are released on the sound threads too
    std::vector<SoundBuffer*> buffers_;
    PrimaryBuffer* primary_ = nullptr;
};

}  // namespace platform
