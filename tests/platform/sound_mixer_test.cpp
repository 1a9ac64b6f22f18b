// The software mixer: levels, pan, saturation, source formats, resampling, and how buffers end or
// wrap, heard through the headless device's output.
#include <algorithm>
#include <cmath>

#include "platform/dsound/audio_mixer.h"
#include "sound_device_fixture.h"

namespace {

using Mixer = WithSoundDevice;

std::vector<std::int16_t> Constant(std::size_t frames, std::int16_t value) {
    return std::vector<std::int16_t>(frames, value);
}

std::vector<std::int16_t> Ramp(std::size_t frames, int stepSize) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) samples[i] = static_cast<std::int16_t>(i * stepSize);
    return samples;
}

TEST_F(Mixer, VolumeAndPanAttenuateByHundredthsOfADecibel) {
    LPDIRECTSOUNDBUFFER buffer = Make16(Constant(5000, 1000));
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    auto out = Ticks(1);
    ASSERT_EQ(out.size(), 440u);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[439], 1000);

    buffer->SetVolume(-600);  // 6 dB: about half
    out = Ticks(1);
    EXPECT_NEAR(out[0], 501, 1);
    EXPECT_EQ(out[0], out[1]);

    buffer->SetVolume(0);
    buffer->SetPan(DSBPAN_RIGHT);
    out = Ticks(1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 1000);

    buffer->SetPan(-600);
    out = Ticks(1);
    EXPECT_EQ(out[0], 1000);
    EXPECT_NEAR(out[1], 501, 1);

    buffer->SetPan(0);
    buffer->SetVolume(DSBVOLUME_MIN);
    out = Ticks(1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
}

TEST_F(Mixer, VoicesAddUpAndSaturate) {
    LPDIRECTSOUNDBUFFER a = Make16(Constant(1000, 20000));
    LPDIRECTSOUNDBUFFER b = Make16(Constant(1000, 20000));
    LPDIRECTSOUNDBUFFER c = Make16(Constant(1000, -15000));
    a->Play(0, 0, 0);
    b->Play(0, 0, 0);
    EXPECT_EQ(Ticks(1)[0], 32767);
    c->Play(0, 0, 0);
    EXPECT_EQ(Ticks(1)[0], 25000);
    a->SetVolume(DSBVOLUME_MIN);
    b->SetVolume(DSBVOLUME_MIN);
    LPDIRECTSOUNDBUFFER d = Make16(Constant(1000, -30000));
    d->Play(0, 0, 0);
    EXPECT_EQ(Ticks(1)[0], -32768);
}

TEST_F(Mixer, EightBitAndStereoSourcesBecomeSixteenBitStereo) {
    WAVEFORMATEX eight{WAVE_FORMAT_PCM, 1, 22050, 22050, 1, 8, 0};
    LPDIRECTSOUNDBUFFER unsignedBytes = MakeBuffer(eight, 1000, kControls);
    const std::vector<std::uint8_t> bytes(1000, 0xC0);
    Fill(unsignedBytes, bytes.data(), bytes.size());
    unsignedBytes->Play(0, 0, 0);
    auto out = Ticks(1);
    EXPECT_EQ(out[0], 16384);
    EXPECT_EQ(out[1], 16384);
    unsignedBytes->Stop();

    std::vector<std::int16_t> pairs;
    for (int i = 0; i < 1000; ++i) pairs.insert(pairs.end(), {100, -100});
    LPDIRECTSOUNDBUFFER stereo = Make16(pairs, 2);
    stereo->Play(0, 0, 0);
    out = Ticks(1);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], -100);
}

TEST_F(Mixer, OtherRatesAreResampledWithInterpolation) {
    LPDIRECTSOUNDBUFFER slow = Make16(Ramp(2000, 10), 1, 11025);
    slow->Play(0, 0, 0);
    auto out = Ticks(1);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(out[2 * i], 5 * i) << i;

    slow->Stop();
    slow->SetCurrentPosition(0);
    slow->SetFrequency(44100);  // every other frame
    slow->Play(0, 0, 0);
    out = Ticks(1);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(out[2 * i], 20 * i) << i;

    slow->SetFrequency(DSBFREQUENCY_ORIGINAL);
    DWORD frequency = 0;
    slow->GetFrequency(&frequency);
    EXPECT_EQ(frequency, 11025u);
}

TEST_F(Mixer, AOnceBufferStopsAtItsEndAtPositionZeroWhileALoopingOneWraps) {
    LPDIRECTSOUNDBUFFER once = Make16(Ramp(300, 1));
    once->Play(0, 0, 0);
    auto out = Ticks(2);
    EXPECT_EQ(out[2 * 299], 299);
    EXPECT_EQ(out[2 * 300], 0);
    EXPECT_EQ(out[2 * 440], 0);
    EXPECT_EQ(Status(once), 0u);
    EXPECT_EQ(PlayPosition(once), 0u);

    LPDIRECTSOUNDBUFFER looping = Make16(Ramp(300, 1));
    looping->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Status(looping), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    out = Ticks(5);
    for (std::size_t frame = 0; frame < out.size() / 2; ++frame) ASSERT_EQ(out[2 * frame], frame % 300) << frame;
}

// The device hands over whatever its buffer last held: silence has to overwrite all of it.
TEST(MixerSilence, WithNothingPlayingEveryFrameRequestedIsZero) {
    platform::Mixer mixer;
    std::vector<std::int16_t> out(2 * 700, 0x5A5A);
    mixer.Render(out.data(), 600);
    EXPECT_EQ(std::count(out.begin(), out.begin() + 1200, 0), 1200);
    EXPECT_EQ(out[1200], 0x5A5A);
}

TEST_F(Mixer, NothingIsHeardOrMovesWhileThePrimaryBufferIsStopped) {
    LPDIRECTSOUNDBUFFER buffer = Make16(Ramp(3000, 1));
    buffer->Play(0, 0, 0);
    primary_->Stop();
    EXPECT_TRUE(Ticks(3).empty());
    EXPECT_EQ(PlayPosition(buffer), 0u);
    primary_->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(Ticks(1)[2 * 10], 10);
}

}  // namespace
