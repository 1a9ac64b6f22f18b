#include "platform/dsound/dsound_primary.h"

#include "platform/core/backend.h"
#include "platform/dsound/dsound_device.h"

namespace platform {

bool IsSupportedFormat(const WAVEFORMATEX& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nSamplesPerSec >= DSBFREQUENCY_MIN &&
           f.nSamplesPerSec <= DSBFREQUENCY_MAX && f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

PrimaryBuffer::PrimaryBuffer(SoundDevice& device) : device_(device) {}

PrimaryBuffer::~PrimaryBuffer() {
    if (playing_) GetBackend().StopAudio();
}

HRESULT PrimaryBuffer::QueryInterface(REFIID iid, LPVOID* object) {
    if (object == nullptr) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (!(iid == IID_IDirectSoundBuffer)) return DSERR_NOINTERFACE;
    AddRef();
    *object = static_cast<IDirectSoundBuffer*>(this);
    return DS_OK;
}

ULONG PrimaryBuffer::AddRef() { return ++references_; }

ULONG PrimaryBuffer::Release() {
    const ULONG left = --references_;
    if (left == 0) device_.Dispose(this);
    return left;
}

HRESULT PrimaryBuffer::GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) {
    if (format == nullptr || size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
    *format = format_;
    if (written != nullptr) *written = sizeof(WAVEFORMATEX);
    return DS_OK;
}

HRESULT PrimaryBuffer::GetStatus(LPDWORD status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    *status = playing_ ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0;
    return DS_OK;
}

// The primary buffer always loops: it is the endless output.
HRESULT PrimaryBuffer::Play(DWORD, DWORD, DWORD flags) {
    if ((flags & DSBPLAY_LOOPING) == 0) return DSERR_INVALIDPARAM;
    if (playing_) return DS_OK;
    if (!GetBackend().StartAudio()) return DSERR_GENERIC;
    playing_ = true;
    return DS_OK;
}

HRESULT PrimaryBuffer::Stop() {
    if (playing_.exchange(false)) GetBackend().StopAudio();
    return DS_OK;
}

HRESULT PrimaryBuffer::SetFormat(LPCWAVEFORMATEX format) {
    if (format == nullptr) return DSERR_INVALIDPARAM;
    if (device_.CooperativeLevel() < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
    if (!IsSupportedFormat(*format)) return DSERR_BADFORMAT;
    format_ = *format;
    format_.cbSize = 0;
    return DS_OK;
}

}  // namespace platform
