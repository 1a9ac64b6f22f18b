#include "platform/dsound/dsound_device.h"

#include <algorithm>
#include <new>

#include "platform/core/backend.h"
#include "platform/dsound/dsound_buffer.h"
#include "platform/dsound/dsound_primary.h"

namespace platform {
namespace {

std::atomic<bool> g_deviceExists{false};

}  // namespace

SoundDevice::SoundDevice(std::unique_ptr<Mixer> mixer, const AudioDeviceInfo& info)
    : mixer_(std::move(mixer)), info_(info) {}

// The output stops first, so that nothing mixes a buffer being deleted.
SoundDevice::~SoundDevice() {
    GetBackend().CloseAudio();
    std::vector<SoundBuffer*> buffers;
    PrimaryBuffer* primary = nullptr;
    {
        std::lock_guard lock(buffersMutex_);
        buffers.swap(buffers_);
        std::swap(primary, primary_);
    }
    for (SoundBuffer* buffer : buffers) delete buffer;
    delete primary;
    g_deviceExists = false;
}

HRESULT SoundDevice::QueryInterface(REFIID iid, LPVOID* object) {
    if (object == nullptr) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!(iid == IID_IDirectSound)) return DSERR_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirectSound*>(this);
    return DS_OK;
}

ULONG SoundDevice::AddRef() { return ++references_; }

ULONG SoundDevice::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT SoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, void* outer) {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (desc == nullptr || desc->dwSize != sizeof(DSBUFFERDESC) || outer != nullptr) return DSERR_INVALIDPARAM;
    if (level_ == 0) return DSERR_PRIOLEVELNEEDED;
    if ((desc->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) return CreatePrimary(desc, buffer);
    return CreateSecondary(desc, buffer);
}

// There is one primary buffer; asking again hands out the same one.
HRESULT SoundDevice::CreatePrimary(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer) {
    if (desc->dwBufferBytes != 0 || desc->lpwfxFormat != nullptr) return DSERR_INVALIDPARAM;
    std::lock_guard lock(buffersMutex_);
    if (primary_ != nullptr) {
        primary_->AddRef();
    } else {
        primary_ = new (std::nothrow) PrimaryBuffer(*this);
        if (primary_ == nullptr) return DSERR_OUTOFMEMORY;
    }
    *buffer = primary_;
    return DS_OK;
}

HRESULT SoundDevice::CreateSecondary(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer) {
    if (desc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& format = *desc->lpwfxFormat;
    if (!IsSupportedFormat(format)) return DSERR_BADFORMAT;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
    auto data = std::make_shared<SoundData>();
    data->channels = format.nChannels;
    data->bits = format.wBitsPerSample;
    data->rate = format.nSamplesPerSec;
    data->blockAlign = format.nBlockAlign;
    try {
        data->bytes.assign(desc->dwBufferBytes, format.wBitsPerSample == 8 ? 0x80 : 0);
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    auto* made = new SoundBuffer(*this, desc->dwFlags, std::move(data));
    Adopt(made);
    *buffer = made;
    return DS_OK;
}

HRESULT SoundDevice::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) {
    if (duplicate == nullptr) return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    auto* source = dynamic_cast<SoundBuffer*>(original);
    if (source == nullptr) return original == nullptr ? DSERR_INVALIDPARAM : DSERR_INVALIDCALL;
    {
        std::lock_guard lock(buffersMutex_);
        if (std::find(buffers_.begin(), buffers_.end(), source) == buffers_.end()) return DSERR_INVALIDPARAM;
    }
    auto* made = new SoundBuffer(*this, *source);
    Adopt(made);
    *duplicate = made;
    return DS_OK;
}

void SoundDevice::Adopt(SoundBuffer* buffer) {
    std::lock_guard lock(buffersMutex_);
    buffers_.push_back(buffer);
}

void SoundDevice::Dispose(SoundBuffer* buffer) {
    {
        std::lock_guard lock(buffersMutex_);
        buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
    }
    delete buffer;
}

void SoundDevice::Dispose(PrimaryBuffer* buffer) {
    {
        std::lock_guard lock(buffersMutex_);
        if (primary_ == buffer) primary_ = nullptr;
    }
    delete buffer;
}

HRESULT SoundDevice::GetCaps(LPDSCAPS caps) {
    if (caps == nullptr || caps->dwSize != sizeof(DSCAPS)) return DSERR_INVALIDPARAM;
    *caps = DSCAPS{};
    caps->dwSize = sizeof(DSCAPS);
    caps->dwFlags = (info_.stereo ? DSCAPS_PRIMARYSTEREO : 0) | DSCAPS_PRIMARYMONO |
                    (info_.sixteenBit ? DSCAPS_PRIMARY16BIT : 0) | DSCAPS_PRIMARY8BIT | DSCAPS_CONTINUOUSRATE |
                    DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT | DSCAPS_SECONDARY16BIT;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 1;
    return DS_OK;
}

HRESULT SoundDevice::SetCooperativeLevel(HWND hwnd, DWORD level) {
    if (hwnd == nullptr || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
}

// Buffers live in ordinary memory, so there is nothing to gather up.
HRESULT SoundDevice::Compact() { return level_ >= DSSCL_PRIORITY ? DS_OK : DSERR_PRIOLEVELNEEDED; }

}  // namespace platform

HRESULT DirectSoundCreate(GUID* device, LPDIRECTSOUND* object, void* outer) {
    platform::GetBackend().Trace("DirectSoundCreate");
    if (object == nullptr) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (device != nullptr || outer != nullptr) return DSERR_INVALIDPARAM;
    if (platform::g_deviceExists.exchange(true)) return DSERR_ALLOCATED;
    auto mixer = std::make_unique<platform::Mixer>();
    platform::AudioDeviceInfo info{};
    if (!platform::GetBackend().OpenAudio(mixer.get(), &info)) {
        platform::g_deviceExists = false;
        return DSERR_NODRIVER;
    }
    mixer->SetRate(info.rate);
    *object = new platform::SoundDevice(std::move(mixer), info);
    return DS_OK;
}
