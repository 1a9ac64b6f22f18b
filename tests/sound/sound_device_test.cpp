// Bringing the library up and down: the pool's sizes, the primary format, failures at start-up,
// the file hooks and the high-water mark of the slots.
#include "sound_fixture.h"

namespace {

using soundtest::TestWindow;
using soundtest::WithSound;

HANDLE NeverOpens(const char*) { return INVALID_HANDLE_VALUE; }

TEST(SoundLibrary, PoolSizesFollowTheSampleCountWithAtMost64Events) {
    platform::headless::Reset();
    ASSERT_EQ(g_QZSound.Init(TestWindow(), 200), 1);
    EXPECT_EQ(QZSound::SampleCount(), 200);
    EXPECT_EQ(QZSound::EventCount(), 64);
    for (int i = 0; i < 64; ++i) EXPECT_NE(QZSound::Events()[i].hEvent, nullptr) << i;
    g_QZSound.Exit();
    EXPECT_EQ(QZSound::GetDSObject(), nullptr);
    ASSERT_EQ(g_QZSound.Init(TestWindow(), 10), 1);
    EXPECT_EQ(QZSound::EventCount(), 11);
    EXPECT_EQ(g_QZSound.m_nMusicLevel, 0x8000);
    g_QZSound.Exit();
}

TEST(SoundLibrary, ThePrimaryFormatFallsBackToWhatTheDeviceTakes) {
    platform::headless::Reset();
    platform::headless::AudioDevice plain;
    plain.stereo = false;
    plain.sixteenBit = false;
    platform::headless::SetAudioDevice(plain);
    ASSERT_EQ(g_QZSound.Init(TestWindow(), 10), 1);
    WAVEFORMATEX format{};
    ASSERT_EQ(QZSound::GetDSPrimaryBuffer()->GetFormat(&format, sizeof format, nullptr), DS_OK);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.wBitsPerSample, 8);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    DWORD status = 0;
    QZSound::GetDSPrimaryBuffer()->GetStatus(&status);
    EXPECT_NE(status & DSBSTATUS_PLAYING, 0u);
    g_QZSound.Exit();
}

TEST(SoundLibrary, WithoutADeviceOrAPrimaryBufferInitFailsAndEverythingIsSilent) {
    soundtest::Folder folder;
    const std::string file = folder.Write("a.wav", soundtest::Wav16(std::vector<std::int16_t>(100, 5)));
    for (bool present : {false, true}) {
        platform::headless::Reset();
        platform::headless::AudioDevice device;
        device.present = present;
        device.startFails = true;  // only matters when there is a device
        platform::headless::SetAudioDevice(device);
        EXPECT_EQ(g_QZSound.Init(TestWindow(), 10), 0);
        EXPECT_EQ(QZSound::GetDSObject(), nullptr);
        EXPECT_EQ(QZSound::GetDSPrimaryBuffer(), nullptr);
        EXPECT_EQ(QZSound::Slots(), nullptr) << "the pool is given back";
        EXPECT_EQ(g_QZSound.LoadSample(file.c_str(), 1), 0);
        EXPECT_EQ(g_QZSound.PlaySample(1, 0xFFFF, 0x8000), nullptr);
        g_QZSound.Exit();
        // The device was released: another can be made.
        LPDIRECTSOUND again = nullptr;
        ASSERT_EQ(DirectSoundCreate(nullptr, &again, nullptr) == DS_OK, present);
        if (again != nullptr) again->Release();
    }
}

TEST(SoundLibrary, InitReplacesFileHooksInstalledBeforeIt) {
    platform::headless::Reset();
    soundtest::Folder folder;
    const std::string file = folder.Write("a.wav", soundtest::Wav16(std::vector<std::int16_t>(100, 5)));
    QZSound::SetFileOpenFunc(NeverOpens);
    ASSERT_EQ(g_QZSound.Init(TestWindow(), 10), 1);
    EXPECT_EQ(g_QZSound.LoadSample(file.c_str(), 1), 1);
    QZSound::SetFileOpenFunc(NeverOpens);
    EXPECT_EQ(g_QZSound.LoadSample(file.c_str(), 2), 0);
    QZSound::SetFileOpenFunc(nullptr);
    EXPECT_EQ(g_QZSound.LoadSample(file.c_str(), 2), 1);
    g_QZSound.Exit();
}

TEST_F(WithSound, TheHighWaterMarkNeverHidesASlotInUse) {
    const std::string file = folder_.Write("a.wav", soundtest::Wav16(std::vector<std::int16_t>(100, 5)));
    EXPECT_EQ(QZSound::HighWaterMark(), QZSound::Slots());
    for (DWORD id = 1; id <= 3; ++id) ASSERT_EQ(g_QZSound.LoadSample(file.c_str(), id), 1);
    SNDSample* slots = QZSound::Slots();
    EXPECT_EQ(QZSound::HighWaterMark(), slots + 3);
    g_QZSound.FreeSample(2u);  // the middle one
    EXPECT_EQ(QZSound::HighWaterMark(), slots + 3);
    SNDSample* third = g_QZSound.FindSample(3);
    EXPECT_EQ(third, slots + 2);
    g_QZSound.PlaySample(3, 0xFFFF, 0x8000);  // hands the reservation back
    Ticks(1);
    g_QZSound.FreeSample(3u);  // the highest: nothing above it, the mark stays
    EXPECT_EQ(QZSound::HighWaterMark(), slots + 3);
    ASSERT_EQ(g_QZSound.LoadSample(file.c_str(), 4), 1);
    EXPECT_EQ(slots[1].m_dwID, 4u) << "the first free slot is taken";

    QZSound::ClearSampleList();
    EXPECT_EQ(QZSound::HighWaterMark(), slots);
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_EQ(g_QZSound.FindSample(1), nullptr);
}

TEST_F(WithSound, AFullPoolRefusesLoadsAndEvictsNothing) {
    const std::string file = folder_.Write("a.wav", soundtest::Wav16(std::vector<std::int16_t>(100, 5)));
    for (DWORD id = 0; id < 200; ++id) ASSERT_EQ(g_QZSound.LoadSample(file.c_str(), id), 1) << id;
    EXPECT_EQ(g_QZSound.LoadSample(file.c_str(), 500), 0);
    EXPECT_EQ(QZSound::AllocSample(), nullptr);
    EXPECT_EQ(SlotsInUse(), 200);
}

}  // namespace
