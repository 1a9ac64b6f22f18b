// Making a numbered maze's files from its number, in memory: the plans tried, the pictures, the
// perfect and short games checked and scripted, the digest. Five numbers; bench.sh takes the median.
#include <benchmark/benchmark.h>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

#include "maze/maze_files.h"

namespace {

const assets::ClassicPictures& Classic() {
    static const std::optional<assets::ClassicPictures> classic = assets::ReadClassicPicturesIn(
        std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway");
    if (!classic) throw std::runtime_error("the built data folder's pictures do not read");
    return *classic;
}

void BM_MakeMazeFiles(benchmark::State& state) {
    const auto number = static_cast<std::uint32_t>(state.range(0));
    for (auto _ : state) {
        assets::MazeFiles files = assets::MakeMazeFiles(number, Classic());
        benchmark::DoNotOptimize(files);
    }
}

}  // namespace

BENCHMARK(BM_MakeMazeFiles)->Arg(1)->Arg(42)->Arg(123456)->Arg(20261208)->Arg(99999999)->Unit(benchmark::kMillisecond);
