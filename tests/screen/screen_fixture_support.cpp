#include "screen/screen_fixture.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "platform/bmp_builder.h"
#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "canvas/compositor.h"
#include "base/app_globals.h"
#include "services/pointer.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

namespace fs = std::filesystem;

namespace screen_test {

std::uint32_t ToRgb(int pixel) {
    const std::uint32_t r = (pixel >> 11) & 0x1F;
    const std::uint32_t g = (pixel >> 5) & 0x3F;
    const std::uint32_t b = pixel & 0x1F;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

std::string BmpBytes(int width, int height, const PixelAt& pixel) {
    testing_bmp::BmpFields fields;
    fields.width = width;
    fields.height = -height;
    fields.bits = 24;
    const int stride = (width * 3 + 3) / 4 * 4;
    fields.pixels.assign(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = ToRgb(pixel(x, y));
            std::uint8_t* at = &fields.pixels[static_cast<size_t>(y) * stride + 3 * x];
            at[0] = static_cast<std::uint8_t>(rgb);
            at[1] = static_cast<std::uint8_t>(rgb >> 8);
            at[2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    }
    const std::vector<std::uint8_t> bytes = testing_bmp::BuildBmp(fields);
    return std::string(bytes.begin(), bytes.end());
}

void WriteBmp(const std::string& path, int width, int height, const PixelAt& pixel) {
    const fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary) << BmpBytes(width, height, pixel);
}

void WriteSolidBmp(const std::string& path, int width, int height, int pixel) {
    WriteBmp(path, width, height, [pixel](int, int) { return pixel; });
}

void WriteStripBmp(const std::string& path, int frameWidth, int height, const std::vector<int>& colours) {
    WriteBmp(path, frameWidth * static_cast<int>(colours.size()), height,
             [&](int x, int) { return colours[static_cast<size_t>(x / frameWidth)]; });
}

void ScreenFixture::SetUp() {
    platform::headless::Reset();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Screen Test";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, "Screen Test", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    ASSERT_NE(QZInitDirectX(window_, 800, 600), 0);
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    QZGetDDInfo(&primary, &g_lpBackSurface);
    g_lpDD = QZGetLPDD();
    ASSERT_NE(g_lpBackSurface, nullptr);
    FillSurface(g_lpBackSurface, kBlack);
    QZInitMouse();
    QZAcquireMouse(1);
    ASSERT_EQ(StartTickTimer(), 0);

    std::random_device random;
    do {
        folder_ = (fs::temp_directory_path() / ("stalkway-screen-" + std::to_string(random()))).string();
    } while (!fs::create_directory(folder_));
    previousFolder_ = fs::current_path().string();
    fs::current_path(folder_);
}

void ScreenFixture::TearDown() {
    StopTickTimer();
    g_Compositor.SetBackground(nullptr);
    g_Compositor.SetBackdrop(nullptr);
    for (int page = 0; page < 2; ++page) {
        g_Compositor.ClearOneShot();
        g_Compositor.SwitchPage();
    }
    g_Pointer.Release();
    for (LPDIRECTDRAWSURFACE7 surface : surfaces_) surface->Release();
    surfaces_.clear();
    g_lpBackSurface = nullptr;
    g_lpDD = nullptr;
    QZFreeDirectInput();
    QZFreeDirectX();
    DestroyWindow(window_);
    platform::headless::Reset();
    fs::current_path(previousFolder_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

LPDIRECTDRAWSURFACE7 ScreenFixture::Solid(int width, int height, int pixel) {
    LPDIRECTDRAWSURFACE7 surface = CreateOffscreenSurface(width, height);
    EXPECT_NE(surface, nullptr);
    FillSurface(surface, static_cast<DWORD>(pixel));
    SetColorKeyRGB(surface, 0, 0, 255);
    surfaces_.push_back(surface);
    return surface;
}

int ScreenFixture::At(LPDIRECTDRAWSURFACE7 surface, int x, int y) { return ReadPixel(surface, x, y); }

LPDIRECTDRAWSURFACE7 ScreenFixture::Back() { return g_lpBackSurface; }

int ScreenFixture::Shown(int x, int y) {
    const platform::Picture picture = platform::headless::LastPicture();
    if (picture.pixels == nullptr || x < 0 || y < 0 || x >= picture.width || y >= picture.height) return -1;
    return picture.pixels[static_cast<size_t>(y) * picture.pitch + x];
}

bool ScreenFixture::AreaIs(LPDIRECTDRAWSURFACE7 surface, int x, int y, int width, int height, int pixel) {
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i)
            if (ReadPixel(surface, i, j) != pixel) return false;
    return true;
}

void ScreenFixture::Ticks(int n) {
    for (int i = 0; i < n; ++i) platform::headless::AdvanceTick();
}

}  // namespace screen_test
