// The sounds the asset generator lays out, read and loaded by the sound library itself.
#include <string>

#include "sound_fixture.h"

namespace {

using namespace soundtest;

std::string Generated(const std::string& name) {
    return std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway/sounds/" + name + ".wav";
}

class GeneratedSounds : public WithSound {};

TEST_F(GeneratedSounds, EveryEffectLoadsAsSixteenBitMonoAndPlays) {
    DWORD id = 10;
    for (const char* name : {"bell", "congrats", "legal", "negative", "positive", "nomove"}) {
        SNDSample* slot = QZSound::AllocSample();
        HANDLE file = slot->OpenSoundFile(Generated(name).c_str());
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        CloseHandle(file);
        EXPECT_EQ(slot->m_dwBits, 16u) << name;
        EXPECT_EQ(slot->m_dwChannels, 1u) << name;
        EXPECT_EQ(slot->m_dwSampleRate, 22050u) << name;
        EXPECT_EQ(slot->m_dwFlags & SND_LOOP, 0u) << name << " plays once";
        QZSound::ClearSample(slot);
        ASSERT_EQ(g_QZSound.LoadSample(Generated(name).c_str(), id), 1) << name;
        EXPECT_NE(g_QZSound.PlaySample(static_cast<LONG>(id), 0xFFFF, 0x8000), nullptr) << name;
        ++id;
    }
}

TEST_F(GeneratedSounds, TheMusicLoopsAndStreams) {
    SNDSample* slot = QZSound::AllocSample();
    HANDLE file = slot->OpenSoundFile(Generated("music").c_str());
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(slot->m_dwChannels, 2u);
    EXPECT_NE(slot->m_dwFlags & SND_LOOP, 0u);
    EXPECT_EQ(slot->m_dwLoopStart, 0u);
    EXPECT_GE(slot->m_dwLoopEnd + 4, slot->m_dwDataSize) << "the loop is the whole track";
    QZSound::ClearSample(slot);
    EXPECT_EQ(g_QZSound.LoadStream(Generated("music").c_str(), 0), 1);
    g_QZSound.StopStream();
}

}  // namespace
