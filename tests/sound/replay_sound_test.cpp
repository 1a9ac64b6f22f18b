// Sound in the scripted runner: effect requests in its log, and the start-up music in its --audio
// recording.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "sound/sound_effects.h"
#include "sound_fixture.h"
#include "support/replay_run.h"
#include "tools/replay/replay.h"

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(ReplaySound, EveryEffectRequestIsLoggedWithItsFrame) {
    soundtest::Folder folder;
    const std::string bell = folder.Write("bell.wav", soundtest::Wav16(std::vector<std::int16_t>(500, 9)));
    const std::string script = folder.Write("s.script", "frames 1\n");
    const std::string log = folder.Path() + "/run.log";
    const int code = replay::RunReplay({"--log", log, script}, [&](char*) {
        g_SoundEffects.Init(soundtest::TestWindow(), 200);
        g_SoundEffects.LoadEffect(bell.c_str(), "bell");
        g_SoundEffects.PlayEffect("bell", SoundEffects::kFullVolume, SoundEffects::kCentrePan);
        Sleep(20);
        g_SoundEffects.PlayEffect("click", SoundEffects::kFullVolume, SoundEffects::kCentrePan);
        g_SoundEffects.Shutdown();
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test::ReadWholeFile(log), "0 sound bell\n2 sound-missing click\n");
}

// The music: a sawtooth, so that any gap, repeat or jump shows.
std::vector<std::int16_t> Music() {
    std::vector<std::int16_t> samples(22050 * 3);
    for (std::size_t k = 0; k < samples.size(); ++k) samples[k] = static_cast<std::int16_t>((k % 997) * 30);
    return samples;
}

TEST(ReplaySound, TheStartUpMusicFadesInThenPlaysItsLoopingTrack) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::vector<std::int16_t> music = Music();
    run.WriteFile("sounds/music.wav", soundtest::Wav16(music));
    ASSERT_EQ(run.Run("frames 800\n", {"--audio", "music-out.wav"}), 0);
    const std::string wav = run.ReadFile("music-out.wav");
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(wav, 24), 22050u);
    EXPECT_EQ(Le32(wav, 22) & 0xFFFF, 2u);
    EXPECT_EQ(Le32(wav, 40), wav.size() - 44);
    std::vector<std::int16_t> out((wav.size() - 44) / 2);
    std::memcpy(out.data(), wav.data() + 44, out.size() * 2);
    const std::size_t frames = out.size() / 2;
    ASSERT_GT(frames, 22050u * 8) << "eight seconds and more: the data wraps twice";

    const std::size_t fadeEnd = 22050 * 3 / 10;
    const double level = std::pow(10.0, -0.5);  // the music level, 0x8000, is 10 dB down
    EXPECT_EQ(out[0], 0) << "the fade starts silent";
    for (std::size_t n = 1; n < fadeEnd; ++n) {
        ASSERT_LE(out[2 * n], music[n] * level + 1) << n;
    }
    int louder = 0;
    for (std::size_t n = fadeEnd; n < frames; ++n) {
        const double expected = music[n % music.size()] * level;
        ASSERT_NEAR(out[2 * n], expected, 2.0) << n;
        ASSERT_EQ(out[2 * n], out[2 * n + 1]) << n;
        louder += out[2 * n] > 1000;
    }
    EXPECT_GT(louder, static_cast<int>(frames / 2)) << "not silent after the fade";
}

// The whole perfect game, its loudest moments included (a move that collects kernels and a letter
// together, the fanfare over the music), mixes without reaching full scale: the sounds leave
// headroom, and nothing is clipped.
TEST(ReplaySound, ThePerfectGameNeverReachesFullScale) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script = test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/perfect.script");
    ASSERT_EQ(run.Run(script, {"--audio", "perfect.wav"}), 0) << run.Stderr();
    const std::string wav = run.ReadFile("perfect.wav");
    ASSERT_GT(wav.size(), 44u + 22050 * 4 * 5) << "five seconds and more";
    std::vector<std::int16_t> out((wav.size() - 44) / 2);
    std::memcpy(out.data(), wav.data() + 44, out.size() * 2);
    int atFullScale = 0;
    int loudest = 0;
    for (std::int16_t sample : out) {
        atFullScale += sample == 32767 || sample == -32768;
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    EXPECT_EQ(atFullScale, 0) << "of " << out.size() << " samples; the loudest is " << loudest;
    EXPECT_GT(loudest, 8000) << "the game is heard";
}

}  // namespace
