// The sound device object, its buffers' locks and formats, and duplicates.
#include "sound_device_fixture.h"

namespace {

using SoundDevice = WithSoundDevice;

TEST(SoundDeviceCreation, NeedsAnAudioDeviceAndAllowsOneObjectAtATime) {
    platform::headless::Reset();
    platform::headless::AudioDevice none;
    none.present = false;
    platform::headless::SetAudioDevice(none);
    LPDIRECTSOUND device = reinterpret_cast<LPDIRECTSOUND>(1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);

    platform::headless::SetAudioDevice({});
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    LPDIRECTSOUND second = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &second, nullptr), DSERR_ALLOCATED);
    device->Release();
    ASSERT_EQ(DirectSoundCreate(nullptr, &second, nullptr), DS_OK);
    second->Release();
}

TEST(SoundDeviceCreation, CapabilitiesFollowTheDeviceAndThePrimaryMayFailToStart) {
    platform::headless::Reset();
    platform::headless::AudioDevice plain;
    plain.stereo = false;
    plain.sixteenBit = false;
    plain.startFails = true;
    platform::headless::SetAudioDevice(plain);
    LPDIRECTSOUND device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    DSCAPS caps{};
    EXPECT_EQ(device->GetCaps(&caps), DSERR_INVALIDPARAM) << "the size must be filled in";
    caps.dwSize = sizeof caps;
    ASSERT_EQ(device->GetCaps(&caps), DS_OK);
    EXPECT_EQ(caps.dwFlags & (DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY16BIT), 0u);
    EXPECT_NE(caps.dwFlags & DSCAPS_PRIMARYMONO, 0u);

    DSBUFFERDESC desc{sizeof desc, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
    LPDIRECTSOUNDBUFFER primary = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&desc, &primary, nullptr), DSERR_PRIOLEVELNEEDED);
    device->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_EXCLUSIVE);
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    EXPECT_EQ(primary->SetFormat(&format), DS_OK);
    EXPECT_TRUE(FAILED(primary->Play(0, 0, DSBPLAY_LOOPING)));
    primary->Release();
    device->Release();
}

TEST_F(SoundDevice, OnlyPlainPcmFormatsAndSensibleSizesMakeBuffers) {
    DSBUFFERDESC desc{sizeof desc, kControls, 400, 0, nullptr, {}};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 66150, 3, 24, 0};
    desc.lpwfxFormat = &format;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_BADFORMAT);
    format = WAVEFORMATEX{WAVE_FORMAT_PCM, 3, 22050, 132300, 6, 16, 0};
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_BADFORMAT);
    format = WAVEFORMATEX{WAVE_FORMAT_PCM, 2, 0, 0, 4, 16, 0};
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_BADFORMAT);
    format = WAVEFORMATEX{WAVE_FORMAT_PCM, 2, 8000, 32000, 4, 16, 0};
    desc.dwBufferBytes = DSBSIZE_MIN - 1;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer, nullptr);
    desc.dwBufferBytes = DSBSIZE_MIN;
    ASSERT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    WAVEFORMATEX read{};
    ASSERT_EQ(buffer->GetFormat(&read, sizeof read, nullptr), DS_OK);
    EXPECT_EQ(read.nSamplesPerSec, 8000u);
    EXPECT_EQ(read.nBlockAlign, 4);
}

TEST_F(SoundDevice, ALockRunningPastTheEndContinuesAtTheStart) {
    LPDIRECTSOUNDBUFFER buffer = Make16(std::vector<std::int16_t>(50));
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(buffer->Lock(80, 40, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 20u);
    EXPECT_EQ(secondBytes, 20u);
    EXPECT_EQ(static_cast<std::uint8_t*>(first) - static_cast<std::uint8_t*>(second), 80);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);
    EXPECT_EQ(buffer->Unlock(static_cast<std::uint8_t*>(first) + 1, firstBytes, nullptr, 0), DSERR_INVALIDPARAM);

    ASSERT_EQ(buffer->Lock(0, 60, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    EXPECT_EQ(firstBytes, 60u);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(secondBytes, 0u);
    EXPECT_EQ(buffer->Lock(0, 101, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(100, 1, &first, &firstBytes, &second, &secondBytes, 0), DSERR_INVALIDPARAM);
}

TEST_F(SoundDevice, ADuplicateSharesTheBytesButNotThePlaceOrTheControlsLater) {
    std::vector<std::int16_t> ramp(2000);
    for (int i = 0; i < 2000; ++i) ramp[i] = static_cast<std::int16_t>(i);
    LPDIRECTSOUNDBUFFER original = Make16(ramp);
    original->SetVolume(-1200);
    original->SetPan(300);
    original->SetFrequency(11025);
    HANDLE stop = NewEvent();
    LPDIRECTSOUNDNOTIFY notify = nullptr;
    original->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<LPVOID*>(&notify));
    const DSBPOSITIONNOTIFY position{DSBPN_OFFSETSTOP, stop};
    notify->SetNotificationPositions(1, &position);
    notify->Release();
    original->SetCurrentPosition(1000);
    original->Play(0, 0, DSBPLAY_LOOPING);

    LPDIRECTSOUNDBUFFER duplicate = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &duplicate), DS_OK);
    EXPECT_EQ(Status(duplicate), 0u);
    EXPECT_EQ(PlayPosition(duplicate), 0u);
    LONG volume = 0;
    LONG pan = 0;
    DWORD frequency = 0;
    duplicate->GetVolume(&volume);
    duplicate->GetPan(&pan);
    duplicate->GetFrequency(&frequency);
    EXPECT_EQ(volume, -1200);
    EXPECT_EQ(pan, 300);
    EXPECT_EQ(frequency, 11025u);

    original->SetVolume(DSBVOLUME_MIN);
    duplicate->SetVolume(0);
    duplicate->SetPan(0);
    duplicate->SetFrequency(22050);
    const std::int16_t changed[] = {7777, 7777};
    LPVOID part = nullptr;
    DWORD bytes = 0;
    original->Lock(0, 4, &part, &bytes, nullptr, nullptr, 0);
    std::memcpy(part, changed, sizeof changed);
    original->Unlock(part, bytes, nullptr, 0);
    duplicate->Play(0, 0, 0);
    const auto out = Ticks(1);
    EXPECT_EQ(out[0], 7777) << "the duplicate plays the bytes written through the original";
    EXPECT_EQ(out[4], 2) << "only the duplicate is heard, from its own start";
    duplicate->Stop();
    EXPECT_FALSE(Signalled(stop)) << "a duplicate has no notifications";
    original->Stop();
    EXPECT_TRUE(Signalled(stop));
    EXPECT_EQ(device_->DuplicateSoundBuffer(primary_, &duplicate), DSERR_INVALIDCALL);
}

TEST(SoundDeviceRelease, TheLastReleaseDisposesOfEveryBufferStillHeld) {
    platform::headless::Reset();
    LPDIRECTSOUND device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    device->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_EXCLUSIVE);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    DSBUFFERDESC desc{sizeof desc, DSBCAPS_STATIC, 1000, 0, &format, {}};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    LPDIRECTSOUNDBUFFER duplicate = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    ASSERT_EQ(device->DuplicateSoundBuffer(buffer, &duplicate), DS_OK);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    // Neither buffer is released: the device's release must free them (the leak checker watches).
    EXPECT_EQ(device->Release(), 0u);
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    device->Release();
}

}  // namespace
