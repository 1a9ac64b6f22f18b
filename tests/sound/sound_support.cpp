#include <filesystem>
#include <fstream>
#include <random>

#include "sound_fixture.h"

namespace fs = std::filesystem;

namespace soundtest {
namespace {

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

}  // namespace

std::string Chunk(const std::string& id, const std::string& body) {
    return id + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
}

std::string Fmt(int channels, int rate, int bits, int tag) {
    const int align = channels * bits / 8;
    return Chunk("fmt ", Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * align, 4) + Le(align, 2) + Le(bits, 2));
}

std::string Smpl(std::uint32_t loops, std::uint32_t start, std::uint32_t end) {
    std::string body(28, '\0');
    body += Le(loops, 4) + Le(0, 4);
    if (loops > 0) body += Le(0, 4) + Le(0, 4) + Le(start, 4) + Le(end, 4) + Le(0, 4) + Le(0, 4);
    return Chunk("smpl", body);
}

std::string Riff(const std::string& chunks, const std::string& form) {
    return "RIFF" + Le(static_cast<std::uint32_t>(chunks.size() + 4), 4) + form + chunks;
}

std::string Samples16(const std::vector<std::int16_t>& samples) {
    std::string out;
    for (std::int16_t s : samples) out += Le(static_cast<std::uint16_t>(s), 2);
    return out;
}

std::string Wav16(const std::vector<std::int16_t>& samples, int channels, int rate) {
    return Riff(Fmt(channels, rate, 16) + Chunk("data", Samples16(samples)));
}

std::vector<std::int16_t> Counting(std::size_t frames) {
    std::vector<std::int16_t> samples(frames);
    for (std::size_t i = 0; i < frames; ++i) samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(i));
    return samples;
}

Folder::Folder() {
    std::random_device random;
    for (;;) {
        const fs::path candidate = fs::temp_directory_path() / ("stalkway-sound-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

Folder::~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string Folder::Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = fs::path(path_) / name;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

void WithSound::SetUp() {
    platform::headless::Reset();
    platform::headless::CaptureAudio(true);
    ASSERT_EQ(g_QZSound.Init(TestWindow(), Slots()), 1);
}

void WithSound::TearDown() { g_QZSound.Exit(); }

std::vector<std::int16_t> WithSound::Ticks(int count) {
    const std::size_t before = platform::headless::CapturedAudio().size();
    for (int i = 0; i < count; ++i) platform::headless::AdvanceTick();
    const auto& all = platform::headless::CapturedAudio();
    return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
}

int WithSound::SlotsInUse() {
    int count = 0;
    for (int i = 0; i < QZSound::SampleCount(); ++i) count += (QZSound::Slots()[i].m_dwFlags & SND_INUSE) != 0;
    return count;
}

}  // namespace soundtest
