// Tests of the sound device: a headless device with its primary buffer playing and its output
// kept, and buffers filled with samples the test chose.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/api/dsound.h"
#include "platform/headless/headless.h"
#include "platform/api/win32.h"

class WithSoundDevice : public ::testing::Test {
protected:
    static constexpr DWORD kControls = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY |
                                       DSBCAPS_CTRLPOSITIONNOTIFY;

    void SetUp() override {
        platform::headless::Reset();
        platform::headless::CaptureAudio(true);
        ASSERT_EQ(DirectSoundCreate(nullptr, &device_, nullptr), DS_OK);
        ASSERT_EQ(device_->SetCooperativeLevel(reinterpret_cast<HWND>(1), DSSCL_EXCLUSIVE), DS_OK);
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, {}};
        ASSERT_EQ(device_->CreateSoundBuffer(&desc, &primary_, nullptr), DS_OK);
        ASSERT_EQ(primary_->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    }

    void TearDown() override {
        for (HANDLE event : events_) CloseHandle(event);
        if (device_ != nullptr) device_->Release();
    }

    // A 16-bit buffer holding `samples` (interleaved when stereo).
    LPDIRECTSOUNDBUFFER Make16(const std::vector<std::int16_t>& samples, int channels = 1, DWORD rate = 22050,
                               DWORD flags = kControls) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM,
                            static_cast<WORD>(channels),
                            rate,
                            rate * 2 * channels,
                            static_cast<WORD>(2 * channels),
                            16,
                            0};
        LPDIRECTSOUNDBUFFER buffer = MakeBuffer(format, static_cast<DWORD>(samples.size() * 2), flags);
        Fill(buffer, samples.data(), samples.size() * 2);
        return buffer;
    }

    LPDIRECTSOUNDBUFFER MakeBuffer(const WAVEFORMATEX& format, DWORD bytes, DWORD flags) {
        WAVEFORMATEX copy = format;
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags, bytes, 0, &copy, {}};
        LPDIRECTSOUNDBUFFER buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        return buffer;
    }

    static void Fill(LPDIRECTSOUNDBUFFER buffer, const void* bytes, std::size_t size) {
        LPVOID part = nullptr;
        DWORD length = 0;
        ASSERT_EQ(buffer->Lock(0, 0, &part, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        ASSERT_EQ(length, size);
        std::memcpy(part, bytes, size);
        buffer->Unlock(part, length, nullptr, 0);
    }

    HANDLE NewEvent() {
        events_.push_back(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        return events_.back();
    }

    static bool Signalled(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

    // Runs ticks and returns the output they added: interleaved left and right.
    static std::vector<std::int16_t> Ticks(int count) {
        const std::size_t before = platform::headless::CapturedAudio().size();
        for (int i = 0; i < count; ++i) platform::headless::AdvanceTick();
        const auto& all = platform::headless::CapturedAudio();
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    static DWORD Status(LPDIRECTSOUNDBUFFER buffer) {
        DWORD status = 0xDEAD;
        buffer->GetStatus(&status);
        return status;
    }

    static DWORD PlayPosition(LPDIRECTSOUNDBUFFER buffer) {
        DWORD play = 0xDEAD;
        buffer->GetCurrentPosition(&play, nullptr);
        return play;
    }

    LPDIRECTSOUND device_ = nullptr;
    LPDIRECTSOUNDBUFFER primary_ = nullptr;
    std::vector<HANDLE> events_;
};
