// The game's named effects: ids by load order, requests by name (and their log lines), unloading.
#include <string>
#include <vector>

#include "sound/sound_effects.h"
#include "sound_fixture.h"

namespace {

class DebugLines : public platform::headless::Driver {
public:
    void OnDebugString(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class Effects : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        platform::headless::CaptureAudio(true);
        platform::headless::SetDriver(&driver_);
        ASSERT_EQ(g_SoundEffects.Init(soundtest::TestWindow(), 200), 1);
        for (const char* name : {"bell", "congrats", "negative", "positive", "nomove"})
            folder_.Write(std::string("sounds/") + name + ".wav",
                          soundtest::Wav16(std::vector<std::int16_t>(3000, static_cast<std::int16_t>(name[0]))));
    }

    void TearDown() override {
        g_SoundEffects.Shutdown();
        platform::headless::SetDriver(nullptr);
    }

    SoundEffectEntry* Load(const char* name) {
        return g_SoundEffects.LoadEffect((folder_.Path() + "/sounds/" + name + ".wav").c_str(), name);
    }

    soundtest::Folder folder_;
    DebugLines driver_;
};

TEST_F(Effects, AFileThatFailsToLoadShiftsTheIdsOfTheOnesAfterIt) {
    const char* names[] = {"bell", "congrats", "legal", "negative", "positive", "nomove"};
    std::vector<int> ids;
    for (const char* name : names) {
        SoundEffectEntry* entry = Load(name);
        ids.push_back(entry != nullptr ? entry->id : -1);
    }
    EXPECT_EQ(ids, (std::vector<int>{10, 11, -1, 12, 13, 14}));
    EXPECT_EQ(g_SoundEffects.Count(), 5);
    EXPECT_EQ(g_SoundEffects.FindEffect("legal"), nullptr);
    EXPECT_EQ(g_SoundEffects.FindEffect("Bell"), nullptr);
    EXPECT_EQ(g_SoundEffects.FindEffect("nomove")->id, 14);
}

TEST_F(Effects, RequestsPlayByNameFromTheCentreAndAreLogged) {
    Load("bell");
    SNDSample* bell = g_SoundEffects.PlayEffect("bell", SoundEffects::kFullVolume, SoundEffects::kCentrePan);
    ASSERT_NE(bell, nullptr);
    EXPECT_EQ(bell->m_dwID, 10u);
    EXPECT_EQ(g_SoundEffects.PlayEffect("click", SoundEffects::kFullVolume, SoundEffects::kCentrePan), nullptr);
    EXPECT_EQ(driver_.lines, (std::vector<std::string>{"sound bell", "sound-missing click"}));
    const auto& out = platform::headless::CapturedAudio();
    platform::headless::AdvanceTick();
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0], 'b');
    EXPECT_EQ(out[1], 'b') << "both ears";
}

TEST_F(Effects, UnloadingEmptiesTheListStopsTheMusicAndStartsTheIdsAgain) {
    Load("bell");
    Load("congrats");
    g_SoundEffects.UnloadEffect("bell");
    g_SoundEffects.UnloadEffect("never loaded");
    EXPECT_EQ(g_SoundEffects.Count(), 1);
    EXPECT_EQ(g_SoundEffects.PlayEffect("bell", 0xFFFF, 0x8000), nullptr);

    const std::string music = folder_.Write("music.wav", soundtest::Wav16(soundtest::Counting(50000)));
    ASSERT_EQ(g_QZSound.LoadStream(music.c_str(), 0), 1);
    g_QZSound.PlayStream(STREAM_LOOP);
    platform::headless::AdvanceTick();
    g_SoundEffects.UnloadAll();
    EXPECT_EQ(QZSound::GetStreamInfoPtr()->dwFlags & STREAM_LOADED, 0u);
    EXPECT_EQ(g_SoundEffects.Count(), 0);
    EXPECT_EQ(QZSound::HighWaterMark(), QZSound::Slots());
    EXPECT_EQ(Load("positive")->id, 10);
}

}  // namespace
