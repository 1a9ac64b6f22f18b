// The music stream: its geometry, gapless refills through many wraps of the buffer and of the
// data, its end, stopping and pausing it, and fades.
#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "sound_fixture.h"

namespace {

using soundtest::Counting;
using soundtest::WithSound;

std::atomic<int> g_endings{0};
std::atomic<DWORD> g_endedId{0};

void OnStreamEnd(DWORD id) {
    g_endedId = id;
    ++g_endings;
}

class MusicStream : public WithSound {
protected:
    void SetUp() override {
        WithSound::SetUp();
        g_endings = 0;
        g_endedId = 0xDEAD;
        g_QZSound.SetStreamNextFunc(OnStreamEnd);
    }

    void TearDown() override {
        QZSound::ClearStreamNextStreamFunc();
        WithSound::TearDown();
    }

    bool Load(const std::string& bytes, DWORD id = 3) {
        return g_QZSound.LoadStream(folder_.Write("music.wav", bytes).c_str(), id) != 0;
    }

    static DWORD Flags() { return QZSound::GetStreamInfoPtr()->dwFlags; }
};

// Where the output stops counting on from frame 0 of `data`, or -1 when it never does.
long FirstMismatch(const std::vector<std::int16_t>& out, const std::vector<std::int16_t>& data, bool wraps) {
    for (std::size_t n = 0; n < out.size() / 2; ++n) {
        const std::int16_t expected = wraps ? data[n % data.size()] : (n < data.size() ? data[n] : 0);
        if (out[2 * n] != expected || out[2 * n + 1] != expected) return static_cast<long>(n);
    }
    return -1;
}

TEST_F(MusicStream, SegmentsAreAQuarterSecondInWholeFramesAndTheBufferEightOfThem) {
    const struct {
        int channels, rate, bits;
        DWORD segment;
    } cases[] = {{2, 22050, 16, 22052}, {2, 44100, 16, 44100}, {1, 22050, 8, 5512}};
    for (const auto& c : cases) {
        const std::string data(20000, '\x80');
        ASSERT_TRUE(Load(soundtest::Riff(soundtest::Fmt(c.channels, c.rate, c.bits) + soundtest::Chunk("data", data))));
        EXPECT_EQ(QZSound::GetStreamInfoPtr()->dwSegmentSize, c.segment);
        EXPECT_EQ(QZSound::GetStreamInfoPtr()->dwBufferSize, 8 * c.segment);
        g_QZSound.PlayStream(0);
        g_QZSound.StopStream();
        ASSERT_EQ(Flags() & STREAM_LOADED, 0u);
    }
}

TEST_F(MusicStream, ALoopingStreamCountsOnWithoutAGapThroughEveryWrap) {
    // 2.5 buffers; and half a second, which wraps inside the buffer from its very first lap.
    for (std::size_t frames : {22050u * 5, 22050u / 2}) {
        SCOPED_TRACE(frames);
        g_endings = 0;
        const std::vector<std::int16_t> data = Counting(frames);
        ASSERT_TRUE(Load(soundtest::Wav16(data)));
        QZSound::SetStreamVolume(0xFFFF);
        g_QZSound.PlayStream(STREAM_LOOP);
        const auto out = Ticks(1300);  // 13 s: six laps of the buffer
        EXPECT_EQ(FirstMismatch(out, data, true), -1);
        EXPECT_NE(Flags() & STREAM_LOADED, 0u);
        EXPECT_EQ(g_endings, 0);
        g_QZSound.StopStream();
    }
}

// Byte 1, where playing starts, is a whole frame of 8-bit mono: the start passes no notification
// offset, and the first refill (of segment 0) comes with segment 1's notification.
TEST_F(MusicStream, StartingPastTheFirstOffsetStillRefillsSegmentZeroFirst) {
    std::string bytes(22050 * 5, '\0');
    for (std::size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>(k % 251);
    ASSERT_TRUE(Load(soundtest::Riff(soundtest::Fmt(1, 22050, 8) + soundtest::Chunk("data", bytes))));
    QZSound::SetStreamVolume(0xFFFF);
    g_QZSound.PlayStream(STREAM_LOOP);
    const auto out = Ticks(1300);
    for (std::size_t n = 0; n < out.size() / 2; ++n) {
        const int expected = (static_cast<unsigned char>(bytes[(n + 1) % bytes.size()]) - 128) * 256;
        ASSERT_EQ(out[2 * n], expected) << n;
    }
}

TEST_F(MusicStream, AStreamThatDoesNotLoopPlaysAllItsDataThenEndsInSilence) {
    for (std::size_t frames : {22050u * 3, 22050u / 2}) {  // longer and shorter than the buffer
        SCOPED_TRACE(frames);
        g_endings = 0;
        const std::vector<std::int16_t> data = Counting(frames);
        ASSERT_TRUE(Load(soundtest::Wav16(data), 9));
        QZSound::SetStreamVolume(0xFFFF);
        g_QZSound.PlayStream(0);
        const auto out = Ticks(600);
        EXPECT_EQ(FirstMismatch(out, data, false), -1);
        EXPECT_EQ(g_endings, 1);
        EXPECT_EQ(g_endedId, 9u);
        EXPECT_EQ(Flags() & (STREAM_LOADED | STREAM_PLAYING | STREAM_FILLING), 0u);
        EXPECT_EQ(SlotsInUse(), 0);
    }
}

TEST_F(MusicStream, StopTearsAPlayingStreamDownButLeavesAnUnplayedOne) {
    ASSERT_TRUE(Load(soundtest::Wav16(Counting(50000))));
    g_QZSound.StopStream();
    EXPECT_NE(Flags() & STREAM_LOADED, 0u) << "never played: StopStream leaves it";
    EXPECT_EQ(g_QZSound.LoadStream("another.wav", 4), 0) << "one stream at a time";
    g_QZSound.PlayStream(STREAM_LOOP);
    Ticks(30);
    g_QZSound.StopStream();
    EXPECT_EQ(Flags(), 0u);
    EXPECT_EQ(g_endings, 1);
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_EQ(QZSound::GetStreamVolume(), 0);
    EXPECT_EQ(Ticks(1)[0], 0);

    ASSERT_TRUE(Load(soundtest::Wav16(Counting(50000))));
    g_QZSound.Exit();  // tears down the unplayed stream: its thread, file and buffer go
    EXPECT_EQ(Flags(), 0u);
    ASSERT_EQ(g_QZSound.Init(soundtest::TestWindow(), 200), 1);
}

TEST_F(MusicStream, MusicSwitchedOffStopsTheStreamAndRefusesNewOnes) {
    ASSERT_TRUE(Load(soundtest::Wav16(Counting(50000))));
    g_QZSound.PlayStream(STREAM_LOOP);
    Ticks(5);
    g_QZSound.EnableMusic(0);
    EXPECT_EQ(Flags() & STREAM_LOADED, 0u);
    EXPECT_FALSE(Load(soundtest::Wav16(Counting(50000))));
    EXPECT_EQ(SlotsInUse(), 0);
}

TEST_F(MusicStream, APausedStreamResumesWhereItPaused) {
    const std::vector<std::int16_t> data = Counting(22050 * 4);
    ASSERT_TRUE(Load(soundtest::Wav16(data)));
    QZSound::SetStreamVolume(0xFFFF);
    g_QZSound.PlayStream(STREAM_LOOP);
    auto before = Ticks(150);
    g_QZSound.PauseStream();
    const auto paused = Ticks(50);
    EXPECT_TRUE(std::all_of(paused.begin(), paused.end(), [](std::int16_t s) { return s == 0; }));
    EXPECT_NE(Flags() & STREAM_LOADED, 0u);
    g_QZSound.PauseStream();
    const auto after = Ticks(300);
    before.insert(before.end(), after.begin(), after.end());
    EXPECT_EQ(FirstMismatch(before, data, true), -1);
}

TEST_F(MusicStream, ALoopShorterThanASegmentIsRefusedAndLeavesNothing) {
    const std::string bytes = soundtest::Riff(soundtest::Fmt(1, 22050, 16) + soundtest::Smpl(1, 0, 1000) +
                                              soundtest::Chunk("data", soundtest::Samples16(Counting(50000))));
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(Flags(), 0u);
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_FALSE(g_QZSound.LoadStream("missing.wav", 3));
    EXPECT_EQ(SlotsInUse(), 0);
}

TEST_F(MusicStream, AFadeInRisesFromSilenceToTheMusicLevelOverItsLength) {
    ASSERT_TRUE(Load(soundtest::Wav16(std::vector<std::int16_t>(50000, 10000))));
    QZSound::SetStreamVolume(0x7FFF);
    g_QZSound.PlayStream(STREAM_LOOP);
    const DWORD start = GetTickCount();
    const std::size_t before = platform::headless::CapturedAudio().size();
    g_QZSound.FadeMusicIn(300);
    EXPECT_EQ(GetTickCount() - start, 300u);
    EXPECT_EQ(QZSound::GetStreamVolume(), 0x8000);
    const auto& all = platform::headless::CapturedAudio();
    ASSERT_EQ(all.size() - before, 2u * 22050 * 3 / 10);
    EXPECT_EQ(all[before], 0) << "the first step is silent";
    int previous = 0;
    for (std::size_t i = before; i < all.size(); i += 2) {
        ASSERT_GE(all[i], previous) << "rising";
        previous = all[i];
    }
    const int full = 10000 * 10362 / 32768;  // -10 dB
    EXPECT_GT(previous, full / 2);
    EXPECT_EQ(Ticks(1)[0], full);
    g_QZSound.FadeMusicOut(0);
    EXPECT_EQ(QZSound::GetStreamVolume(), 0);
    EXPECT_EQ(Ticks(1)[0], 0);
}

TEST_F(MusicStream, AFadeNoOneCanHearIsNotWaitedFor) {
    ASSERT_TRUE(Load(soundtest::Wav16(std::vector<std::int16_t>(50000, 10000))));
    platform::headless::AudioDevice unheard;
    unheard.heard = false;
    platform::headless::SetAudioDevice(unheard);
    QZSound::SetStreamVolume(0x7FFF);
    g_QZSound.PlayStream(STREAM_LOOP);
    const DWORD start = GetTickCount();
    g_QZSound.FadeMusicIn(300);
    EXPECT_EQ(GetTickCount() - start, 0u);
    EXPECT_EQ(QZSound::GetStreamVolume(), 0x8000) << "the volume ends where the fade would have";
    platform::headless::SetAudioDevice({});
}

}  // namespace
