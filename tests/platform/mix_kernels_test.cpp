// The mixer's inner loops take shortcuts for the rates and gains music plays at; each must add
// exactly what the plain interpolation of every output frame adds, for every format, rate, start,
// gain and end of a source.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/dsound/mix_kernels.h"

namespace {

using platform::MixSource;

// One output frame at a time, reading both neighbours of every frame.
void PlainMix(const MixSource& s, std::uint64_t position, std::uint64_t step, std::int32_t gainLeft,
              std::int32_t gainRight, std::int32_t* out, std::size_t count) {
    const auto sample = [&](std::uint32_t index) -> std::int32_t {
        if (s.bits == 8) return (static_cast<std::int32_t>(s.bytes[index]) - 128) * 256;
        return static_cast<std::int16_t>(s.bytes[2 * index] | (s.bytes[2 * index + 1] << 8));
    };
    for (std::size_t i = 0; i < count; ++i, position += step) {
        const auto frame = static_cast<std::uint32_t>(position >> 32);
        const std::uint32_t next = frame + 1 < s.frames ? frame + 1 : (s.looping ? 0 : frame);
        const auto fraction = static_cast<std::int32_t>((position >> 17) & 0x7FFF);
        std::int32_t channel[2];
        for (int c = 0; c < 2; ++c) {
            const int from = s.channels == 2 ? c : 0;
            const std::int32_t a = sample(frame * s.channels + from);
            const std::int32_t b = sample(next * s.channels + from);
            channel[c] = a + (((b - a) * fraction) >> 15);
        }
        out[2 * i] += (channel[0] * gainLeft) >> 15;
        out[2 * i + 1] += (channel[1] * gainRight) >> 15;
    }
}

struct Rate {
    const char* name;
    std::uint64_t step;
};

TEST(MixKernels, EveryShortcutAddsWhatThePlainInterpolationAdds) {
    constexpr std::uint64_t kWhole = std::uint64_t{1} << 32;
    constexpr std::uint32_t kFrames = 37;
    const Rate rates[] = {{"half", kWhole / 2}, {"whole", kWhole},       {"a third", kWhole / 3},
                          {"0.37", 1589137899}, {"2.5", kWhole * 5 / 2}, {"just under half", kWhole / 2 - 1}};
    // Starts on a frame, on its second half, at odd fractions, and just before the end.
    const std::uint64_t starts[] = {
        0, kWhole / 2, 0x9ABCDEF0u, 0x00010000u, 5 * kWhole + 0x40000000u, (kFrames - 1) * kWhole + 0x80000000u};
    const std::int32_t gains[][2] = {{32768, 32768}, {20000, 32768}, {0, 0}, {32768, 1}};

    std::vector<std::uint8_t> bytes(kFrames * 4);
    std::uint32_t seed = 12345;
    for (auto& b : bytes) b = static_cast<std::uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    // The extremes, so that the interpolation's products reach their largest.
    bytes[4] = 0x00, bytes[5] = 0x80, bytes[8] = 0xFF, bytes[9] = 0x7F;

    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            for (bool looping : {false, true}) {
                const MixSource source{bytes.data(), kFrames, channels, bits, looping};
                for (const Rate& rate : rates) {
                    for (std::uint64_t start : starts) {
                        // As many frames as stay inside the source, as the mixer asks.
                        const std::uint64_t end = std::uint64_t{kFrames} << 32;
                        const std::size_t count = static_cast<std::size_t>((end - start + rate.step - 1) / rate.step);
                        for (const auto& gain : gains) {
                            std::vector<std::int32_t> expected(2 * count, 7), got(2 * count, 7);
                            PlainMix(source, start, rate.step, gain[0], gain[1], expected.data(), count);
                            platform::MixFrames(source, start, rate.step, gain[0], gain[1], got.data(), count);
                            ASSERT_EQ(got, expected)
                                << bits << " bits, " << channels << " channels, looping " << looping << ", rate "
                                << rate.name << ", start " << start << ", gains " << gain[0] << "/" << gain[1];
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
