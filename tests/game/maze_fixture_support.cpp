#include "game/maze_fixture.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "game/maze_screen.h"
#include "platform/bmp_builder.h"
#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "base/app_globals.h"
#include "services/tick_timer.h"
#include "surface/surface.h"

namespace fs = std::filesystem;

namespace maze_test {
namespace {

struct Colour {
    std::uint8_t r, g, b;
};

// The palette: every index the legend uses gets a colour that does not block, except the walls.
std::vector<Colour> Palette() {
    std::vector<Colour> palette(256, Colour{210, 180, 120});  // corridor
    palette[0] = {0, 0, 0};
    palette[2] = {255, 0, 0};
    palette[3] = {0, 0, 255};
    palette[4] = {248, 200, 40};  // packs to 0xFE45
    for (int i = 16; i < 26; ++i) palette[i] = {static_cast<std::uint8_t>(100 + i), 60, 160};
    palette[26] = {40, 160, 60};
    for (int i = 32; i < 132; ++i) palette[i] = {230, static_cast<std::uint8_t>(100 + i), 20};
    return palette;
}

int IndexFor(char c) {
    if (c == '#') return 0;
    if (c == 'S') return 2;
    if (c == 'B') return 3;
    if (c == 'F') return 4;
    if (c == 'E') return 26;
    if (c == 'K') return 32 + 99;
    if (c >= '0' && c <= '9') return 32 + (c - '0');
    if (c >= 'a' && c <= 'j') return 16 + (c - 'a');
    return 1;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> MazeBmp(const std::vector<std::string>& rows) {
    testing_bmp::BmpFields f;
    f.width = static_cast<int>(rows[0].size());
    f.height = -static_cast<int>(rows.size());
    f.bits = 8;
    for (const Colour& c : Palette()) f.palette.insert(f.palette.end(), {c.b, c.g, c.r, 0});
    const int stride = (f.width + 3) / 4 * 4;
    f.pixels.assign(static_cast<size_t>(stride) * rows.size(), 0);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            f.pixels[y * stride + x] = static_cast<std::uint8_t>(IndexFor(rows[y][x]));
    return testing_bmp::BuildBmp(f);
}

// A 24-bit picture of one colour.
std::vector<std::uint8_t> SolidBmp(int width, int height, Colour c) {
    testing_bmp::BmpFields f;
    f.width = width;
    f.height = height;
    f.bits = 24;
    const int stride = (width * 3 + 3) / 4 * 4;
    f.pixels.assign(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &f.pixels[static_cast<size_t>(y) * stride + 3 * x];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    return testing_bmp::BuildBmp(f);
}

class SoundLog : public platform::headless::Driver {
public:
    void OnDebugString(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

SoundLog g_soundLog;

}  // namespace

void MazeFixture::SetUp() {
    previousFolder_ = fs::current_path().string();
    std::random_device random;
    folder_ = (fs::temp_directory_path() / ("stalkway-maze-" + std::to_string(random()))).string();
    fs::create_directories(folder_);
    fs::current_path(folder_);
    platform::headless::Reset();
    platform::headless::SetDriver(&g_soundLog);
    g_soundLog.lines.clear();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Maze Test";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, "Maze Test", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    g_hWnd = window_;
    ASSERT_NE(QZInitDirectX(window_, 800, 600), 0);
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    QZGetDDInfo(&primary, &g_lpBackSurface);
    g_lpDD = QZGetLPDD();
    ASSERT_EQ(StartTickTimer(), 0);
}

void MazeFixture::TearDown() {
    g_MazeScreen.Leave();
    StopTickTimer();
    QZFreeDirectX();
    g_lpBackSurface = nullptr;
    g_hWnd = nullptr;
    platform::headless::SetDriver(nullptr);
    fs::current_path(previousFolder_);
    fs::remove_all(folder_);
}

bool MazeFixture::Load(const std::vector<std::string>& rows) {
    g_MazeScreen.Leave();
    WriteFile("maze02.bmp", MazeBmp(rows));
    // The tiles are pale green; the empty panel is grey.
    WriteFile("hilite2.bmp", SolidBmp(364, 202, Colour{100, 220, 100}));
    WriteFile("nohilite2.bmp", SolidBmp(364, 202, Colour{128, 128, 128}));
    // The buttons a game cannot be played without, three frames each.
    for (const char* button : {"left.bmp", "right.bmp", "up.bmp", "down.bmp", "newgame.bmp", "reverse.bmp"})
        WriteFile(button, SolidBmp(3 * 20, 20, Colour{90, 90, 200}));
    g_MazeScreen.Enter(g_lpDD, g_lpBackSurface);
    return g_MazeScreen.Ready();
}

int MazeFixture::DigitColour(int digit) { return ((digit * 3) << 11) | ((60 - digit * 5) << 5) | 8; }

void MazeFixture::WriteDigits(int width, int height) {
    testing_bmp::BmpFields f;
    f.width = width * 10;
    f.height = -height;
    f.bits = 24;
    const int stride = (f.width * 3 + 3) / 4 * 4;
    f.pixels.assign(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const int c = DigitColour(x / width);
            std::uint8_t* p = &f.pixels[static_cast<size_t>(y) * stride + 3 * x];
            p[0] = static_cast<std::uint8_t>((c & 0x1F) << 3);
            p[1] = static_cast<std::uint8_t>(((c >> 5) & 0x3F) << 2);
            p[2] = static_cast<std::uint8_t>((c >> 11) << 3);
        }
    WriteFile("numbers.bmp", testing_bmp::BuildBmp(f));
}

int MazeFixture::Maze(int x, int y) { return ReadPixel(g_MazeScreen.PictureSurface("maze"), x, y); }

int MazeFixture::Backup(int x, int y) { return ReadPixel(g_MazeScreen.PictureSurface("mazebackup"), x, y); }

std::vector<std::string> MazeFixture::TakeSounds() {
    std::vector<std::string> sounds;
    for (const std::string& line : g_soundLog.lines)
        if (line.rfind("sound", 0) == 0) sounds.push_back(line.substr(line.find(' ') + 1));
    g_soundLog.lines.clear();
    return sounds;
}

}  // namespace maze_test
