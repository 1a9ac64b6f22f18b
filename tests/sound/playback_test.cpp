// Playing samples: the volume and pan scales, duplicates of busy samples and their reclaiming,
// chains started by the callback thread, pausing, and the effects switch.
#include "sound_fixture.h"

namespace {

using soundtest::WithSound;

constexpr LONG kFull = 0xFFFF;
constexpr LONG kCentre = 0x8000;

class Playback : public WithSound {
protected:
    // Loads `frames` frames of `value` (16-bit mono) under `id`.
    void Load(DWORD id, std::int16_t value, std::size_t frames = 2000, const std::string& extra = "") {
        const std::string name = "s" + std::to_string(id) + ".wav";
        const std::string bytes = soundtest::Riff(
            soundtest::Fmt(1, 22050, 16) + extra +
            soundtest::Chunk("data", soundtest::Samples16(std::vector<std::int16_t>(frames, value))));
        ASSERT_EQ(g_QZSound.LoadSample(folder_.Write(name, bytes).c_str(), id), 1);
    }
};

TEST(VolumeScale, TheTableHalvesEveryTenDecibels) {
    const struct {
        int index;
        int value;
    } rows[] = {{0, -10000},   {16, -10000},  {17, -9912},   {32, -9000}, {64, -8000}, {1024, -4000}, {4096, -2000},
                {8191, -1000}, {8192, -1000}, {12288, -415}, {16372, -1}, {16373, 0},  {16383, 0}};
    for (const auto& row : rows) EXPECT_EQ(QZSound::MapVolume(row.index * 4), row.value) << row.index;
    EXPECT_EQ(QZSound::MapVolume(0xFFFF), 0);
    EXPECT_EQ(QZSound::MapVolume(0x8000), -1000);
    EXPECT_EQ(QZSound::MapVolume(0x10000), 0);
    EXPECT_EQ(QZSound::MapVolume(-1), -10000);
    EXPECT_EQ(QZSound::MapVolume(3), -10000);
}

TEST(PanScale, TheCentreIsHalfWayAndZeroIsFullyRight) {
    EXPECT_EQ(QZSound::MapPan(0x8000), 0);
    EXPECT_EQ(QZSound::MapPan(0), 10000);
    EXPECT_EQ(QZSound::MapPan(-5), 10000);
    EXPECT_EQ(QZSound::MapPan(1), 10000);
    EXPECT_EQ(QZSound::MapPan(0x4000), 1000);
    EXPECT_EQ(QZSound::MapPan(0x7FFF), 0);
    EXPECT_EQ(QZSound::MapPan(0xC000), -1000);
    EXPECT_EQ(QZSound::MapPan(0xFFFF), -10000);
    EXPECT_EQ(QZSound::MapPan(0x10000), -10000);
}

TEST_F(Playback, VolumeAndPanReachTheOutput) {
    Load(1, 1000);
    SNDSample* s = g_QZSound.PlaySample(1, kFull, kCentre);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_dwFlags & SND_RESERVED, 0u);
    auto out = Ticks(1);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[1], 1000);
    s->SetPan(0);  // fully right
    out = Ticks(1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 1000);
    s->SetPan(kCentre);
    s->SetVolume(0x4000);  // -20 dB
    out = Ticks(1);
    EXPECT_EQ(out[0], 100);
}

TEST_F(Playback, ABusySampleIsDuplicatedAndBothSound) {
    Load(1, 1000);
    SNDSample* first = g_QZSound.PlaySample(1, kFull, kCentre);
    SNDSample* second = g_QZSound.PlaySample(1, kFull, kCentre);
    SNDSample* third = g_QZSound.PlaySample(1, kFull, kCentre);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(first->m_dwFlags & SND_DUPLICATE, 0u);
    EXPECT_NE(second->m_dwFlags & SND_DUPLICATE, 0u);
    EXPECT_NE(third->m_dwFlags & SND_DUPLICATE, 0u);
    EXPECT_NE(second, third);
    EXPECT_EQ(SlotsInUse(), 3);
    EXPECT_EQ(Ticks(1)[0], 3000);
}

TEST_F(Playback, FinishedDuplicatesAreReclaimedOrHandedOutAgain) {
    Load(1, 1000, 300);
    g_QZSound.PlaySample(1, kFull, kCentre);
    g_QZSound.PlaySample(1, kFull, kCentre);
    g_QZSound.PlaySample(1, kFull, kCentre);
    ASSERT_EQ(SlotsInUse(), 3);
    Ticks(3);  // all have ended
    SNDSample* again = g_QZSound.PlaySample(1, kFull, kCentre);
    EXPECT_EQ(again, QZSound::Slots()) << "the first idle one in slot order: the loaded sample";
    EXPECT_EQ(SlotsInUse(), 3) << "a search for their own id keeps the duplicates";
    Ticks(3);
    Load(2, 50, 300);  // in the slot after the duplicates
    g_QZSound.PlaySample(2, kFull, kCentre);
    EXPECT_EQ(SlotsInUse(), 2) << "a search for another id frees the idle duplicates it passes";

    g_QZSound.PlaySample(2, kFull, kCentre);  // 2 still plays: a duplicate
    Ticks(3);
    ASSERT_EQ(SlotsInUse(), 3);
    g_QZSound.FlushSamples();
    EXPECT_EQ(SlotsInUse(), 2);
}

class FullPool : public Playback {
protected:
    int Slots() const override { return 3; }
};

TEST_F(FullPool, ABusySampleFindsNoRoomButAnIdleOneStillPlays) {
    Load(1, 1000);
    Load(2, 1000);
    Load(3, 1000);
    ASSERT_NE(g_QZSound.PlaySample(1, kFull, kCentre), nullptr);
    EXPECT_EQ(g_QZSound.PlaySample(1, kFull, kCentre), nullptr);
    EXPECT_NE(g_QZSound.PlaySample(2, kFull, kCentre), nullptr);
    EXPECT_EQ(Ticks(1)[0], 2000) << "nothing was cut off to make room";
}

TEST_F(Playback, LoadingAnIdThatIsLoadedLoadsNothingAndLeavesItPlayable) {
    Load(1, 1000);
    Load(1, 2000);
    EXPECT_EQ(SlotsInUse(), 1);
    SNDSample* s = g_QZSound.PlaySample(1, kFull, kCentre);
    EXPECT_EQ(s, QZSound::Slots()) << "not a duplicate: the load left it unreserved";
    EXPECT_EQ(Ticks(1)[0], 1000);
}

TEST_F(Playback, ALoopingSamplePlaysUntilStoppedButItsDuplicatesPlayOnce) {
    Load(1, 1000, 300, soundtest::Smpl(1, 0, 299));
    SNDSample* looping = g_QZSound.PlaySample(1, kFull, kCentre);
    SNDSample* duplicate = g_QZSound.PlaySample(1, kFull, kCentre);
    EXPECT_EQ(duplicate->m_dwFlags & SND_LOOP, 0u);
    EXPECT_EQ(duplicate->m_dwLoopEnd, looping->m_dwLoopEnd);
    const auto out = Ticks(10);
    EXPECT_EQ(out[2 * 100], 2000);
    EXPECT_EQ(out[2 * 400], 1000);
    EXPECT_TRUE(looping->SamplePlaying());
    EXPECT_FALSE(duplicate->SamplePlaying());
    looping->StopSample();
    EXPECT_EQ(Ticks(1)[0], 0);
}

TEST_F(Playback, AChainContinuesAtTheFirstSamplesVolumeAndPan) {
    Load(1, 1000, 300);
    Load(2, 3000, 3000);
    SNDSample* a = g_QZSound.FindSample(1);
    SNDSample* b = g_QZSound.FindSample(2);
    EXPECT_EQ(SNDSample::ChainSample(nullptr, b), b);
    EXPECT_EQ(SNDSample::ChainSample(a, b), a);
    EXPECT_EQ(a->m_pNext, b);
    b->m_dwFlags &= ~SND_RESERVED;
    a->PlaySample(0x4000, 0);  // -20 dB, fully right
    EXPECT_NE(a->m_dwFlags & SND_STOPARMED, 0u);
    Ticks(2);  // a ends within the second tick and the callback thread starts b
    EXPECT_TRUE(b->SamplePlaying());
    EXPECT_EQ(b->m_nVolume, 0x4000);
    EXPECT_EQ(b->m_nPan, 0);
    EXPECT_EQ(a->m_dwFlags & SND_STOPARMED, 0u);
    const auto out = Ticks(1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 300);
}

// Played again without a chain, by either plain way, a sample's stop must not reach the event
// slot it once had and another chain now uses.
class PlainReplay : public Playback, public ::testing::WithParamInterface<bool> {};

TEST_P(PlainReplay, StoppingAChainedSampleStartsTheNextAndAPlainReplayFiresNoOldEvent) {
    const bool once = GetParam();
    Load(1, 1000);
    Load(2, 3000);
    SNDSample* a = g_QZSound.FindSample(1);
    SNDSample* b = g_QZSound.FindSample(2);
    b->m_dwFlags &= ~SND_RESERVED;
    SNDSample::ChainSample(a, b);
    a->PlaySample(kFull, kCentre);
    Ticks(1);
    a->StopSample();
    Ticks(1);
    EXPECT_TRUE(b->SamplePlaying());
    b->StopSample();

    a->m_pNext = nullptr;
    Load(3, 10, 300);
    Load(4, 20);
    SNDSample* c = g_QZSound.FindSample(3);
    SNDSample* d = g_QZSound.FindSample(4);
    d->m_dwFlags &= ~SND_RESERVED;
    SNDSample::ChainSample(c, d);
    c->PlaySample(kFull, kCentre);  // takes the freed event slot
    if (once) {
        ASSERT_EQ(g_QZSound.PlaySampleIDOnce(1, kFull, kCentre), 1);
    } else {
        a->m_dwFlags |= SND_RESERVED;
        a->PlaySample(kFull, kCentre);
    }
    ASSERT_TRUE(a->SamplePlaying());
    a->StopSample();
    Ticks(1);
    EXPECT_FALSE(d->SamplePlaying()) << "a's stop started c's successor";
    Ticks(2);
    EXPECT_TRUE(d->SamplePlaying());
}

INSTANTIATE_TEST_SUITE_P(PlaySampleAndPlaySampleIDOnce, PlainReplay, ::testing::Bool());

TEST_F(Playback, PauseResumesWhereItStopped) {
    std::vector<std::int16_t> ramp(3000);
    for (int i = 0; i < 3000; ++i) ramp[i] = static_cast<std::int16_t>(i);
    ASSERT_EQ(g_QZSound.LoadSample(folder_.Write("ramp.wav", soundtest::Wav16(ramp)).c_str(), 1), 1);
    SNDSample* s = g_QZSound.PlaySample(1, kFull, kCentre);
    EXPECT_EQ(s->UnPauseSample(), 0);
    Ticks(1);
    ASSERT_EQ(s->PauseSample(), 1);
    EXPECT_EQ(s->m_dwPausePos, 440u);
    EXPECT_EQ(Ticks(1)[0], 0);
    ASSERT_EQ(s->UnPauseSample(), 1);
    EXPECT_EQ(Ticks(1)[0], 220);
}

TEST_F(Playback, WithEffectsOffTheSampleIsFoundButNothingSounds) {
    Load(1, 1000);
    g_QZSound.EnableSFX(0);
    EXPECT_NE(g_QZSound.PlaySample(1, kFull, kCentre), nullptr);
    EXPECT_EQ(g_QZSound.PlaySampleIDOnce(1, kFull, kCentre), 1);
    EXPECT_EQ(Ticks(1)[0], 0);
    g_QZSound.EnableSFX(1);
    EXPECT_EQ(g_QZSound.PlaySampleIDOnce(1, kFull, kCentre), 1);
    EXPECT_EQ(Ticks(1)[0], 1000);
}

}  // namespace
