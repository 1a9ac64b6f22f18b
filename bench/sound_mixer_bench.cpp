// The sound mixer's cost per second of output, with 1, 8 and 32 voices playing, at the headless
// device's rate and at the SDL device's.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dsound/audio_mixer.h"

namespace {

// Voices of the formats a game mixes: mono and stereo, 8 and 16 bits, at rates that need
// resampling, at partial volume and off centre.
std::unique_ptr<platform::Voice> MakeVoice(int index, int outputRate) {
    static const struct {
        int channels, bits;
        DWORD rate;
    } kinds[] = {{1, 16, 22050}, {2, 16, 22050}, {1, 8, 11025}, {1, 16, 44100}};
    const auto& kind = kinds[index % 4];
    auto data = std::make_shared<platform::SoundData>();
    data->channels = kind.channels;
    data->bits = kind.bits;
    data->rate = kind.rate;
    data->blockAlign = static_cast<DWORD>(kind.channels * kind.bits / 8);
    data->bytes.resize(static_cast<std::size_t>(kind.rate) * 2 * data->blockAlign);
    std::uint32_t seed = 12345u + static_cast<std::uint32_t>(index);
    for (std::uint8_t& b : data->bytes) b = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    auto voice = std::make_unique<platform::Voice>();
    voice->data = data;
    voice->step = (std::uint64_t{kind.rate} << 32) / static_cast<std::uint64_t>(outputRate);
    voice->playing = true;
    voice->looping = true;
    voice->gainLeft = 20000;
    voice->gainRight = 12000;
    return voice;
}

void BM_MixOneSecond(benchmark::State& state) {
    const int voices = static_cast<int>(state.range(0));
    const int rate = static_cast<int>(state.range(1));
    platform::Mixer mixer;
    mixer.SetRate(rate);
    std::vector<std::unique_ptr<platform::Voice>> held;
    for (int i = 0; i < voices; ++i) {
        held.push_back(MakeVoice(i, rate));
        mixer.Add(held.back().get());
    }
    std::vector<std::int16_t> out(2 * static_cast<std::size_t>(rate));
    for (auto _ : state) {
        mixer.Render(out.data(), static_cast<std::size_t>(rate));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel("one second of output per iteration");
}
BENCHMARK(BM_MixOneSecond)->ArgsProduct({{1, 8, 32}, {22050, 44100}})->Unit(benchmark::kMicrosecond);

}  // namespace
