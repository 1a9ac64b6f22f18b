// Presenting one changed frame of a move on a 3840x2160 screen with the default fit and sharp
// filter: the areas a move changes (zoom window, trail, the arrow button, the score) scaled into
// the output, as the desktop backend does after comparing them with what it showed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/core/picture_scaler.h"

namespace {

void BM_PresentMoveFrame3840Sharp(benchmark::State& state) {
    constexpr int kWidth = 800, kHeight = 600, kOutW = 3840, kOutH = 2160;
    std::vector<std::uint16_t> picture(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<std::uint16_t>(i * 2654435761u >> 9);
    std::vector<std::uint32_t> output(static_cast<size_t>(kOutW) * kOutH);
    const platform::Placement placement = platform::PlacePicture(platform::ScaleMode::Fit, kWidth, kHeight, kOutW,
                                                                 kOutH);
    platform::PictureScaler scaler;
    scaler.Configure(platform::ScaleFilter::Sharp, kWidth, kHeight, placement);
    const RECT changed[] = {{544, 69, 776, 301}, {300, 200, 340, 212}, {583, 368, 667, 420}, {686, 12, 786, 37}};
    std::uint32_t* origin = output.data() + static_cast<size_t>(placement.y) * kOutW + placement.x;
    for (auto _ : state) {
        for (const RECT& area : changed) {
            scaler.Scale(picture.data(), kWidth, platform::PixelLayout::Rgb565, scaler.OutputArea(area), origin, kOutW);
        }
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PresentMoveFrame3840Sharp)->Unit(benchmark::kMicrosecond);

}  // namespace
