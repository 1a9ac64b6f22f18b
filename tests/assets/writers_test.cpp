// The generator's file writers read back by the platform's loader and a WAV reader of our own,
// and the colour steps that decide what the 16-bit display shows.
#include <gtest/gtest.h>

#include <set>

#include "assets/assets_support.h"
#include "support/replay_run.h"
#include "tools/assets/colour_reduction.h"
#include "tools/assets/display_colour.h"
#include "tools/assets/file_writers.h"
#include "tools/assets/synthesis.h"

namespace {

using namespace assets;

TEST(Writers, SixteenBitBmpLoadsPixelForPixelWithPaddedRows) {
    RgbPicture picture(7, 3);  // 14 bytes a row, padded to 16
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) picture.At(x, y) = Nearest565({x * 36.0f, y * 100.0f, 200.0f - x * 20});
    picture.At(6, 2) = kTransparent;
    test::ReplayRun scratch;
    const std::string path = scratch.Folder() + "/p.bmp";
    WriteFile(path, Bmp16(picture));
    const RgbPicture loaded = assets_test::LoadPicture(path);
    ASSERT_EQ(loaded.width, 7);
    ASSERT_EQ(loaded.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded.At(x, y), picture.At(x, y)) << x << "," << y;
}

TEST(Writers, PalettisedBmpKeepsIndicesAndPalette) {
    IndexedPicture picture(5, 4);
    for (int i = 0; i < 20; ++i) picture.indices[i] = static_cast<std::uint8_t>(i * 13);
    for (int i = 0; i < 256; ++i) picture.palette[i] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)};
    test::ReplayRun scratch;
    const std::string path = scratch.Folder() + "/p.bmp";
    WriteFile(path, Bmp8(picture));
    const IndexedPicture loaded = assets_test::LoadIndexed(path);
    EXPECT_EQ(loaded.indices, picture.indices);
    EXPECT_EQ(loaded.palette, picture.palette);
}

TEST(Writers, WaveWithAndWithoutItsLoop) {
    Sound sound;
    sound.channels = 2;
    sound.samples = {1, -2, 300, -400, 32767, -32767};
    test::ReplayRun scratch;
    const std::string path = scratch.Folder() + "/s.wav";
    WriteFile(path, Wav(sound));
    assets_test::Wave wave = assets_test::ReadWave(path);
    ASSERT_TRUE(wave.accepted);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.rate, 22050);
    EXPECT_EQ(wave.samples, sound.samples);
    EXPECT_EQ(wave.loops, -1);
    sound.loops = true;
    WriteFile(path, Wav(sound));
    wave = assets_test::ReadWave(path);
    EXPECT_EQ(wave.samples, sound.samples) << "the sampler chunk comes before the data";
    EXPECT_EQ(wave.loops, 1);
    EXPECT_EQ(wave.loopStart, 0u);
    EXPECT_EQ(wave.loopEnd, 2u) << "the last of three frames";
}

TEST(DisplayColours, OnlyClearPixelsBecomeTransparent) {
    Canvas canvas(16, 16, {0, 2, 252}, 1);  // nearly the transparent blue, and opaque
    for (int x = 0; x < 16; ++x) canvas.Set(x, 0, {90, 40, 10}, 0.4f);
    const RgbPicture shown = ToDisplay(canvas);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(shown.At(x, 0), kTransparent);
    for (int y = 1; y < 16; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_FALSE(ShowsTransparent(shown.At(x, y))) << x << "," << y;
}

TEST(DisplayColours, FewerColoursStayOnTheDisplaysGrid) {
    RgbPicture picture(64, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) picture.At(x, y) = Nearest565({x * 4.0f, y * 8.0f, (x + y) * 2.6f});
    const IndexedPicture reduced = ReduceColours(picture, 40);
    std::set<int> used(reduced.indices.begin(), reduced.indices.end());
    EXPECT_LE(used.size(), 40u);
    EXPECT_GE(used.size(), 30u);
    double error = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const Rgb a = picture.pixels[i];
        const Rgb b = reduced.palette[reduced.indices[i]];
        error += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    }
    EXPECT_LT(error / static_cast<double>(picture.pixels.size()), 30.0);
    for (int index : used) {
        const Rgb c = reduced.palette[index];
        EXPECT_EQ(Nearest565({float(c.r), float(c.g), float(c.b)}), c) << index;
    }
}

TEST(Synthesis, WhatRingsPastALoopsEndSoundsAtItsStart) {
    const std::vector<float> tone(2000, 0.5f);
    SoundMix looping(1, 1.0, true);
    looping.Add(tone, 1.0 - 0.02, 1.0f);
    const Sound loop = looping.Finish(0.5f);
    EXPECT_NE(loop.samples[100], 0) << "the tail wrapped round";
    EXPECT_EQ(loop.samples[kSampleRate / 2], 0);
    SoundMix once(1, 1.0, false);
    once.Add(tone, 1.0 - 0.02, 1.0f);
    EXPECT_EQ(once.Finish(0.5f).samples[100], 0) << "a sound that does not loop just ends";
}

}  // namespace
