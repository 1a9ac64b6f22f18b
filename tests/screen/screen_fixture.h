// Screen tests run on the headless display: an 800 x 600 16-bit (5-6-5) back surface in
// g_lpBackSurface, the tick timer running on virtual time, the mouse taken, and a private working
// folder for the pictures a test writes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/api/ddraw.h"

namespace screen_test {

// Pixel values of the 5-6-5 display.
inline constexpr int kBlack = 0x0000;
inline constexpr int kRed = 0xF800;
inline constexpr int kGreen = 0x07E0;
inline constexpr int kBlue = 0x001F;
inline constexpr int kYellow = 0xFFE0;
inline constexpr int kWhite = 0xFFFF;
inline constexpr int kCyan = 0x07FF;
inline constexpr int kMagenta = 0xF81F;

// 0xRRGGBB of a pixel value above, for pictures written as 24-bit BMP files.
std::uint32_t ToRgb(int pixel);

using PixelAt = std::function<int(int x, int y)>;
// A 24-bit BMP file of the picture; every pixel a value above.
std::string BmpBytes(int width, int height, const PixelAt& pixel);
void WriteBmp(const std::string& path, int width, int height, const PixelAt& pixel);
void WriteSolidBmp(const std::string& path, int width, int height, int pixel);
// Frames side by side, each solid in its colour.
void WriteStripBmp(const std::string& path, int frameWidth, int height, const std::vector<int>& colours);

class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A surface of the display's format filled with the pixel value, released after the test.
    LPDIRECTDRAWSURFACE7 Solid(int width, int height, int pixel);
    static int At(LPDIRECTDRAWSURFACE7 surface, int x, int y);
    static LPDIRECTDRAWSURFACE7 Back();
    // The picture last presented, at (x, y).
    static int Shown(int x, int y);
    // Every pixel of the area has the value.
    static bool AreaIs(LPDIRECTDRAWSURFACE7 surface, int x, int y, int width, int height, int pixel);
    static void Ticks(int n);
    HWND Window() const { return window_; }

    std::string folder_;

private:
    std::string previousFolder_;
    HWND window_ = nullptr;
    std::vector<LPDIRECTDRAWSURFACE7> surfaces_;
};

}  // namespace screen_test
