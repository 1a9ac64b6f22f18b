// A secondary sound buffer: its bytes (shared with its duplicates), its voice in the mixer, and
// the controls it was made with. The notification interface is the same object.
#pragma once

#include <atomic>
#include <memory>

#include "platform/dsound/sound_voice.h"
#include "platform/api/dsound.h"

namespace platform {

class Mixer;
class SoundDevice;

class SoundBuffer final : public IDirectSoundBuffer, public IDirectSoundNotify {
public:
    // Joins the mixer; the device owns the new buffer until its last release.
    SoundBuffer(SoundDevice& device, DWORD flags, std::shared_ptr<SoundData> data);
    // A duplicate: the same bytes and controls, stopped at 0, no notifications.
    SoundBuffer(SoundDevice& device, SoundBuffer& original);
    // Leaves the mixer. Only the device deletes buffers.
    ~SoundBuffer() override;

    HRESULT QueryInterface(REFIID iid, LPVOID* object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetCurrentPosition(LPDWORD play, LPDWORD write) override;
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) override;
    HRESULT GetVolume(LPLONG volume) override;
    HRESULT GetPan(LPLONG pan) override;
    HRESULT GetFrequency(LPDWORD frequency) override;
    HRESULT GetStatus(LPDWORD status) override;
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2, LPDWORD bytes2,
                 DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD position) override;
    HRESULT SetFormat(LPCWAVEFORMATEX format) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT SetPan(LONG pan) override;
    HRESULT SetFrequency(DWORD frequency) override;
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) override;
    HRESULT Restore() override;
    HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) override;

private:
    // Need the mixer's lock held.
    void UpdateGains();
    void UpdateStep();
    DWORD PlayOffset() const;
    DWORD Size() const { return static_cast<DWORD>(voice_.data->bytes.size()); }

    SoundDevice& device_;
    Mixer& mixer_;
    const DWORD flags_;
    std::atomic<ULONG> references_{1};
    Voice voice_;
    // Guarded by the mixer's lock, like the voice.
    LONG volume_ = DSBVOLUME_MAX;
    LONG pan_ = DSBPAN_CENTER;
    DWORD frequency_ = 0;
};

}  // namespace platform
