#include "platform/dsound/dsound_buffer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/dsound/audio_mixer.h"
#include "platform/dsound/dsound_device.h"
#include "platform/api/kernel.h"

namespace platform {
namespace {

// Q15 gain for an attenuation in hundredths of a decibel; -100 dB and below is silence.
std::int32_t GainFor(LONG hundredths) {
    if (hundredths <= DSBVOLUME_MIN) return 0;
    if (hundredths >= 0) return kUnityGain;
    return static_cast<std::int32_t>(std::lround(kUnityGain * std::pow(10.0, hundredths / 2000.0)));
}

bool Contains(const SoundData& data, const void* pointer, DWORD bytes) {
    const auto* p = static_cast<const std::uint8_t*>(pointer);
    const std::uint8_t* begin = data.bytes.data();
    return p >= begin && p <= begin + data.bytes.size() && bytes <= data.bytes.size() - (p - begin);
}

}  // namespace

SoundBuffer::SoundBuffer(SoundDevice& device, DWORD flags, std::shared_ptr<SoundData> data)
    : device_(device), mixer_(device.GetMixer()), flags_(flags) {
    voice_.data = std::move(data);
    frequency_ = voice_.data->rate;
    UpdateStep();
    UpdateGains();
    mixer_.Add(&voice_);
}

SoundBuffer::SoundBuffer(SoundDevice& device, SoundBuffer& original)
    : device_(device), mixer_(device.GetMixer()), flags_(original.flags_) {
    {
        std::lock_guard lock(mixer_.Lock());
        voice_.data = original.voice_.data;
        volume_ = original.volume_;
        pan_ = original.pan_;
        frequency_ = original.frequency_;
        UpdateStep();
        UpdateGains();
    }
    mixer_.Add(&voice_);
}

SoundBuffer::~SoundBuffer() { mixer_.Remove(&voice_); }

HRESULT SoundBuffer::QueryInterface(REFIID iid, LPVOID* object) {
    if (object == nullptr) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (iid == IID_IDirectSoundBuffer) {
        *object = static_cast<IDirectSoundBuffer*>(this);
    } else if (iid == IID_IDirectSoundNotify && (flags_ & DSBCAPS_CTRLPOSITIONNOTIFY) != 0) {
        *object = static_cast<IDirectSoundNotify*>(this);
    } else {
        return DSERR_NOINTERFACE;
    }
    AddRef();
    return DS_OK;
}

ULONG SoundBuffer::AddRef() { return ++references_; }

ULONG SoundBuffer::Release() {
    const ULONG left = --references_;
    if (left == 0) device_.Dispose(this);
    return left;
}

DWORD SoundBuffer::PlayOffset() const { return static_cast<DWORD>(voice_.position >> 32) * voice_.data->blockAlign; }

HRESULT SoundBuffer::GetCurrentPosition(LPDWORD play, LPDWORD write) {
    std::lock_guard lock(mixer_.Lock());
    // The mixer reads the bytes when it mixes them, so nothing ahead of the play position is
    // committed: the write position is the play position.
    const DWORD offset = PlayOffset();
    if (play != nullptr) *play = offset;
    if (write != nullptr) *write = offset;
    return DS_OK;
}

HRESULT SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) {
    if (format == nullptr) {
        if (written == nullptr) return DSERR_INVALIDPARAM;
        *written = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    if (size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
    const SoundData& d = *voice_.data;
    *format = WAVEFORMATEX{WAVE_FORMAT_PCM,
                           static_cast<WORD>(d.channels),
                           d.rate,
                           d.rate * d.blockAlign,
                           static_cast<WORD>(d.blockAlign),
                           static_cast<WORD>(d.bits),
                           0};
    if (written != nullptr) *written = sizeof(WAVEFORMATEX);
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LPLONG volume) {
    if (volume == nullptr) return DSERR_INVALIDPARAM;
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer_.Lock());
    *volume = volume_;
    return DS_OK;
}

HRESULT SoundBuffer::GetPan(LPLONG pan) {
    if (pan == nullptr) return DSERR_INVALIDPARAM;
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer_.Lock());
    *pan = pan_;
    return DS_OK;
}

HRESULT SoundBuffer::GetFrequency(LPDWORD frequency) {
    if (frequency == nullptr) return DSERR_INVALIDPARAM;
    if ((flags_ & DSBCAPS_CTRLFREQUENCY) == 0) return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer_.Lock());
    *frequency = frequency_;
    return DS_OK;
}

HRESULT SoundBuffer::GetStatus(LPDWORD status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer_.Lock());
    *status = 0;
    if (voice_.playing) *status = DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2, LPDWORD bytes2,
                          DWORD flags) {
    if (part1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
    const DWORD size = Size();
    if ((flags & DSBLOCK_ENTIREBUFFER) != 0) {
        offset = 0;
        bytes = size;
    } else if ((flags & DSBLOCK_FROMWRITECURSOR) != 0) {
        std::lock_guard lock(mixer_.Lock());
        offset = PlayOffset();
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    std::uint8_t* base = voice_.data->bytes.data();
    const DWORD first = std::min(bytes, size - offset);
    *part1 = base + offset;
    *bytes1 = first;
    if (part2 != nullptr) *part2 = first < bytes ? base : nullptr;
    if (bytes2 != nullptr) *bytes2 = part2 != nullptr ? bytes - first : 0;
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) {
    if (part1 == nullptr || !Contains(*voice_.data, part1, bytes1)) return DSERR_INVALIDPARAM;
    if (part2 != nullptr && !Contains(*voice_.data, part2, bytes2)) return DSERR_INVALIDPARAM;
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    std::lock_guard lock(mixer_.Lock());
    voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
    voice_.playing = true;
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD position) {
    if (position >= Size()) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer_.Lock());
    voice_.position = std::uint64_t{position / voice_.data->blockAlign} << 32;
    return DS_OK;
}

HRESULT SoundBuffer::SetFormat(LPCWAVEFORMATEX) { return DSERR_INVALIDCALL; }

HRESULT SoundBuffer::SetVolume(LONG volume) {
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer_.Lock());
    volume_ = volume;
    UpdateGains();
    return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG pan) {
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer_.Lock());
    pan_ = pan;
    UpdateGains();
    return DS_OK;
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency) {
    if ((flags_ & DSBCAPS_CTRLFREQUENCY) == 0) return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL) frequency = voice_.data->rate;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer_.Lock());
    frequency_ = frequency;
    UpdateStep();
    return DS_OK;
}

HRESULT SoundBuffer::Stop() {
    std::vector<HANDLE> stops;
    {
        std::lock_guard lock(mixer_.Lock());
        if (!voice_.playing) return DS_OK;
        voice_.playing = false;
        for (const Notification& n : voice_.notifications)
            if (n.frame == kStopFrame) stops.push_back(n.event);
    }
    // Outside the mixer's lock, as the mixer signals too.
    for (HANDLE event : stops) SetEvent(event);
    return DS_OK;
}

HRESULT SoundBuffer::Restore() { return DS_OK; }

HRESULT SoundBuffer::SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) {
    if (count > 0 && positions == nullptr) return DSERR_INVALIDPARAM;
    std::vector<Notification> list;
    list.reserve(count);
    for (DWORD i = 0; i < count; ++i) {
        const DWORD offset = positions[i].dwOffset;
        if (offset != DSBPN_OFFSETSTOP && offset >= Size()) return DSERR_INVALIDPARAM;
        const std::uint32_t frame = offset == DSBPN_OFFSETSTOP ? kStopFrame : offset / voice_.data->blockAlign;
        list.push_back(Notification{frame, positions[i].hEventNotify, false});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Notification& a, const Notification& b) { return a.frame < b.frame; });
    std::lock_guard lock(mixer_.Lock());
    if (voice_.playing) return DSERR_INVALIDCALL;
    voice_.notifications = std::move(list);
    return DS_OK;
}

void SoundBuffer::UpdateGains() {
    // The side away from the pan loses as many hundredths of a decibel as the pan says.
    voice_.gainLeft = GainFor(volume_ - std::max<LONG>(pan_, 0));
    voice_.gainRight = GainFor(volume_ + std::min<LONG>(pan_, 0));
}

void SoundBuffer::UpdateStep() {
    voice_.step = (std::uint64_t{frequency_} << 32) / static_cast<std::uint64_t>(mixer_.Rate());
}

}  // namespace platform
