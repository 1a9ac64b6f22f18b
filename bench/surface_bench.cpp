// The per-frame copies and the single-pixel reads of the game, measured.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/ddraw/ddraw_format.h"
#include "platform/ddraw/ddraw_object.h"
#include "surface/surface.h"

namespace {

LPDIRECTDRAWSURFACE7 MakeSurface(int width, int height) {
    LPDIRECTDRAW dd = platform::CreateDirectDrawObject(platform::PixelLayout::Rgb565);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE7 surface = nullptr;
    dd->CreateSurface(&desc, &surface, nullptr);
    dd->Release();
    return surface;
}

// A picture of corridors: about one pixel in eight is the transparent blue.
LPDIRECTDRAWSURFACE7 MakePicture(int width, int height) {
    LPDIRECTDRAWSURFACE7 surface = MakeSurface(width, height);
    const int blue = PackRGB(surface, 0, 0, 255);
    DDSURFACEDESC desc{};
    auto* base = static_cast<BYTE*>(LockSurface(surface, &desc));
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(base + y * desc.lPitch);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<std::uint16_t>(((x * 7 + y * 13) % 8 == 0) ? blue : (x * 31 + y * 17) & 0xFFDF);
    }
    UnlockSurface(surface);
    SetColorKeyRGB(surface, 0, 0, 255);
    return surface;
}

// Copies from two pictures in turn: a copy whose result is already on the target is skipped, so
// copying one picture again and again would measure nothing.
void CopyBench(benchmark::State& state, int width, int height, int targetWidth, int targetHeight, int flags) {
    LPDIRECTDRAWSURFACE7 sources[2] = {MakePicture(width, height), MakePicture(width, height)};
    LPDIRECTDRAWSURFACE7 target = MakeSurface(800, 600);
    const int x = (800 - targetWidth) / 2;
    const int y = (600 - targetHeight) / 2;
    int turn = 0;
    for (auto _ : state) {
        LPDIRECTDRAWSURFACE7 source = sources[turn];
        turn ^= 1;
        HRESULT result;
        if (targetWidth == width) {
            result = BlitRect(source, 0, 0, width, height, target, x, y, flags);
        } else {
            RECT to{x, y, x + targetWidth, y + targetHeight};
            result = target->Blt(&to, source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * targetWidth * targetHeight);
    state.SetBytesProcessed(state.iterations() * targetWidth * targetHeight * 2);
    for (LPDIRECTDRAWSURFACE7 source : sources) source->Release();
    target->Release();
}

void BM_BlitRect_800x600_Plain(benchmark::State& state) { CopyBench(state, 800, 600, 800, 600, DDBLT_WAIT); }
void BM_BlitRect_420x420_Keyed(benchmark::State& state) { CopyBench(state, 420, 420, 420, 420, -1); }
void BM_Blt_58x58_To_232x232_Keyed(benchmark::State& state) { CopyBench(state, 58, 58, 232, 232, -1); }

void BM_ReadPixel(benchmark::State& state) {
    LPDIRECTDRAWSURFACE7 picture = MakePicture(420, 420);
    int x = 0;
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPixel(picture, x, y));
        x = (x + 37) % 420;
        y = (y + 11) % 420;
    }
    state.SetItemsProcessed(state.iterations());
    picture->Release();
}

BENCHMARK(BM_BlitRect_800x600_Plain);
BENCHMARK(BM_BlitRect_420x420_Keyed);
BENCHMARK(BM_Blt_58x58_To_232x232_Keyed);
BENCHMARK(BM_ReadPixel);

}  // namespace
