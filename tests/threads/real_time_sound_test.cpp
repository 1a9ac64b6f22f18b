// The sound library's threads in real time: the device's own thread mixes every voice while the
// main thread plays, duplicates and stops effects, the callback thread starts chained samples and
// the fill thread refills and ends the music stream. Built with ThreadSanitizer, this shows what
// they share is handed over soundly.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sound/atomic_flags.h"
#include "sound/qz_sound.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 22050;
constexpr LONG kFull = 0xFFFF;
constexpr LONG kCentre = 0x8000;

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
}

// Mono 16-bit PCM: a tone of `ms` milliseconds.
std::string ToneWav(int ms, double hertz) {
    const int frames = kRate * ms / 1000;
    std::string data;
    for (int i = 0; i < frames; ++i) {
        const auto sample = static_cast<std::int16_t>(8000 * std::sin(i * hertz / kRate * 6.283));
        PutLittleEndian(data, static_cast<std::uint16_t>(sample), 2);
    }
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, static_cast<std::uint32_t>(36 + data.size()), 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);  // PCM
    PutLittleEndian(bytes, 1, 2);  // mono
    PutLittleEndian(bytes, kRate, 4);
    PutLittleEndian(bytes, kRate * 2, 4);
    PutLittleEndian(bytes, 2, 2);
    PutLittleEndian(bytes, 16, 2);
    bytes += "data";
    PutLittleEndian(bytes, static_cast<std::uint32_t>(data.size()), 4);
    return bytes + data;
}

class Folder {
public:
    Folder() {
        std::random_device random;
        do path_ = fs::temp_directory_path() / ("stalkway-threads-" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return (path_ / name).string();
    }

private:
    fs::path path_;
};

std::atomic<int> g_streamEnds{0};
void OnStreamEnd(DWORD) { ++g_streamEnds; }

// Polls `done` every millisecond, doing `meanwhile` between polls; false after five seconds.
template <class Done, class Meanwhile>
bool Within5s(Done done, Meanwhile meanwhile) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        meanwhile();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(RealTimeSound, ChainsEffectsAndTheMusicStreamRunOnTheirThreadsWhileTheDeviceMixes) {
    Folder folder;
    QZSound library;
    ASSERT_EQ(library.Init(reinterpret_cast<HWND>(1), 32), 1);
    ASSERT_EQ(library.LoadSample(folder.Write("a.wav", ToneWav(30, 440)).c_str(), 1), 1);
    ASSERT_EQ(library.LoadSample(folder.Write("b.wav", ToneWav(200, 660)).c_str(), 2), 1);
    ASSERT_EQ(library.LoadSample(folder.Write("click.wav", ToneWav(15, 880)).c_str(), 3), 1);
    // Longer than the stream's two-second buffer, so the fill thread refills before the end.
    library.SetStreamNextFunc(OnStreamEnd);
    ASSERT_NE(library.LoadStream(folder.Write("music.wav", ToneWav(2600, 220)).c_str(), 9), 0);
    ASSERT_NE(library.PlayStream(0), 0);
    library.FadeMusicIn(100);

    SNDSample* a = library.FindSample(1);
    SNDSample* b = library.FindSample(2);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    SNDSample::ChainSample(a, b);
    ClearFlags(b->m_dwFlags, SND_RESERVED);
    ClearFlags(a->m_dwFlags, SND_RESERVED);

    // The game's side meanwhile: effects over one another (so duplicates come and go), volume and
    // pan changes, and the music's level.
    int step = 0;
    const auto play = [&] {
        if (++step % 7 == 0) library.PlaySample(3, kFull - (step % 5) * 0x1000, (step * 0x900) & 0xFFFF);
        if (step % 50 == 0) QZSound::SetStreamVolume(0x4000 + (step % 3) * 0x2000);
    };
    int chainsHeard = 0;
    for (int round = 0; round < 5; ++round) {
        a->PlaySample(kFull, kCentre);
        if (round == 2) a->StopSample();  // a stop, not an ending, also hands over to the next
        if (Within5s([&] { return b->SamplePlaying() != 0; }, play)) ++chainsHeard;
        ASSERT_TRUE(Within5s([&] { return b->SamplePlaying() == 0; }, play));
    }
    EXPECT_EQ(chainsHeard, 5);

    // A pause and a resume in mid-stream, then the fill thread plays it out and ends it.
    library.PauseStream();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    library.PauseStream();
    EXPECT_TRUE(Within5s([] { return g_streamEnds.load() > 0; }, play));
    EXPECT_EQ(g_streamEnds.load(), 1);
    QZSound::ClearStreamNextStreamFunc();
    library.Exit();
}

}  // namespace
