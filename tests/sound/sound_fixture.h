// Tests of the sound library: WAV files written into a private folder, and the library brought up
// on the headless sound device with its output kept.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/qz_sound.h"

namespace soundtest {

std::string Chunk(const std::string& id, const std::string& body);
std::string Fmt(int channels, int rate, int bits, int tag = 1);
// A sampler chunk with one loop from `start` to `end` (sample frames), or none when `loops` is 0.
std::string Smpl(std::uint32_t loops, std::uint32_t start = 0, std::uint32_t end = 0);
std::string Riff(const std::string& chunks, const std::string& form = "WAVE");
std::string Samples16(const std::vector<std::int16_t>& samples);
// 16-bit mono or stereo PCM holding the samples.
std::string Wav16(const std::vector<std::int16_t>& samples, int channels = 1, int rate = 22050);
// Frame k of a mono file holding `frames` values counting up from 0 (and round through -32768).
std::vector<std::int16_t> Counting(std::size_t frames);

// A fresh folder, removed with its contents at the end.
class Folder {
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    // Writes the file and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The library up on the default headless device with `Slots()` sample slots.
class WithSound : public ::testing::Test {
protected:
    virtual int Slots() const { return 200; }
    void SetUp() override;
    void TearDown() override;

    // Runs ticks and returns the output they added, interleaved left and right.
    static std::vector<std::int16_t> Ticks(int count);
    static int SlotsInUse();

    Folder folder_;
};

inline HWND TestWindow() { return reinterpret_cast<HWND>(1); }

}  // namespace soundtest
