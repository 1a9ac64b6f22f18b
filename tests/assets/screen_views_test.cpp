// The generated pictures put together on a screen surface the way the game draws them, with the
// platform's own blits (blue skipped, the zoom window stretched), matching the generator's
// pictures of the screen; the composed screens are written to the test output folder to look at.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/assets_support.h"
#include "platform/api/qz.h"
#include "surface/surface.h"
#include "tools/assets/display_colour.h"
#include "tools/assets/file_writers.h"
#include "maze/screen_layout.h"
#include "tools/assets/screen_preview.h"

namespace {

using namespace assets;

LPDIRECTDRAWSURFACE7 Load(const std::string& name) {
    LPDIRECTDRAWSURFACE7 surface = QZLoadBitmap((assets_test::DataFolder() + "/" + name).c_str(), 16);
    if (surface != nullptr) SetColorKeyRGB(surface, 0, 0, 255);
    return surface;
}

RgbPicture Read(LPDIRECTDRAWSURFACE7 surface) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    const auto* pixels = static_cast<const BYTE*>(LockSurface(surface, &desc));
    RgbPicture picture(static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            std::uint16_t value;
            std::memcpy(&value, pixels + y * desc.lPitch + 2 * x, 2);
            picture.At(x, y) = Expand565(value);
        }
    UnlockSurface(surface);
    return picture;
}

class ComposedScreen : public ::testing::Test {
protected:
    void SetUp() override {
        screen = Load("background.bmp");
        maze = Load("maze02.bmp");
        ASSERT_NE(screen, nullptr);
        ASSERT_NE(maze, nullptr);
    }
    void TearDown() override {
        for (LPDIRECTDRAWSURFACE7 s : {screen, maze})
            if (s != nullptr) s->Release();
    }

    // The play area as the game draws it with the block at (x, y): the maze, the stretched zoom
    // window and the zoom box.
    void DrawPlayArea(int x, int y) {
        BlitSurface(maze, screen, kMazeArea.x, kMazeArea.y, -1);
        const int left = std::clamp(x - kZoomSource / 2, 0, kMazeArea.width - kZoomSource);
        const int top = std::clamp(y - kZoomSource / 2, 0, kMazeArea.height - kZoomSource);
        RECT from{left, top, left + kZoomSource, top + kZoomSource};
        RECT to{kZoomArea.x, kZoomArea.y, kZoomArea.x + kZoomArea.width, kZoomArea.y + kZoomArea.height};
        ASSERT_EQ(screen->Blt(&to, maze, &from, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);
        LPDIRECTDRAWSURFACE7 box = Load("zoombox.bmp");
        BlitSurface(box, screen, left + kMazeArea.x, top + kMazeArea.y, -1);
        box->Release();
    }

    LPDIRECTDRAWSURFACE7 screen = nullptr;
    LPDIRECTDRAWSURFACE7 maze = nullptr;
};

TEST_F(ComposedScreen, ThePlayAreaMatchesTheGeneratorsPicture) {
    const int x = kMazeArea.width - 30;
    const int y = 300;
    DrawPlayArea(x, y);
    const RgbPicture drawn = Read(screen);

    const std::string folder = assets_test::DataFolder() + "/";
    ScreenPreview preview(assets_test::LoadPicture(folder + "background.bmp"));
    const assets::IndexedPicture file = assets_test::LoadIndexed(folder + "maze02.bmp");
    std::vector<std::uint16_t> packed;
    for (std::uint8_t index : file.indices) packed.push_back(Pack(PixelLayout::Rgb565, file.palette[index]));
    preview.DrawMaze(packed, x, y, assets_test::LoadPicture(folder + "zoombox.bmp"));
    int differ = 0;
    for (std::size_t i = 0; i < drawn.pixels.size(); ++i) differ += !(drawn.pixels[i] == preview.Screen().pixels[i]);
    EXPECT_EQ(differ, 0);
    WriteFile(assets_test::OutputFolder() + "/play-area.png", Png(drawn));
}

TEST_F(ComposedScreen, TheCornOfTheBackgroundShowsThroughTheWalls) {
    const RgbPicture before = Read(screen);
    ASSERT_EQ(BlitSurface(maze, screen, kMazeArea.x, kMazeArea.y, -1), DD_OK);
    const RgbPicture after = Read(screen);
    const assets::IndexedPicture file = assets_test::LoadIndexed(assets_test::DataFolder() + "/maze02.bmp");
    int walls = 0;
    int corridors = 0;
    for (int y = 240; y < kMazeArea.height; ++y)
        for (int x = 0; x < kMazeArea.width; ++x) {
            const bool same = after.At(kMazeArea.x + x, kMazeArea.y + y) == before.At(kMazeArea.x + x, kMazeArea.y + y);
            if (file.At(x, y) == 1) walls += !same;
            if (file.At(x, y) == 3) corridors += same;
        }
    EXPECT_EQ(walls, 0) << "wall pixels drawn over the background";
    EXPECT_EQ(corridors, 0) << "corridor pixels left out";
}

TEST_F(ComposedScreen, EndPicturesAndTheHelpPageCoverTheirAreasWhole) {
    DrawPlayArea(100, 400);
    for (const char* name : {"corngrats.bmp", "ultimatesolution.bmp"}) {
        LPDIRECTDRAWSURFACE7 end = Load(name);
        ASSERT_EQ(BlitSurface(end, screen, kZoomArea.x, kZoomArea.y, -1), DD_OK);
        const RgbPicture drawn = Read(screen);
        const RgbPicture picture = Read(end);
        int shown = 0;
        for (int y = 0; y < kZoomArea.height; ++y)
            for (int x = 0; x < kZoomArea.width; ++x)
                shown += drawn.At(kZoomArea.x + x, kZoomArea.y + y) == picture.At(x, y);
        EXPECT_EQ(shown, kZoomArea.width * kZoomArea.height) << name << " leaves the zoom window showing";
        WriteFile(assets_test::OutputFolder() + "/" + std::string(name, std::strlen(name) - 4) + ".png", Png(drawn));
        end->Release();
    }
    LPDIRECTDRAWSURFACE7 help = Load("title/HowToPlay.bmp");
    int w = 0;
    int h = 0;
    GetSurfaceSize(help, &w, &h);
    EXPECT_LE(w, kScreenWidth);
    EXPECT_LE(h, kScreenHeight);
    ASSERT_EQ(BlitSurface(help, screen, (kScreenWidth - w) / 2, (kScreenHeight - h) / 2, -1), DD_OK);
    WriteFile(assets_test::OutputFolder() + "/help.png", Png(Read(screen)));
    help->Release();
}

}  // namespace
