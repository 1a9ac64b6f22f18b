// The whole game in real time on the display backend (with SDL's dummy display and sound): the
// timer thread ticks the clock and samples the buttons, the device's thread mixes, the callback and
// fill threads serve the effects and the music, and the main thread plays a game and ends it.
// Built with ThreadSanitizer, this shows the program's threads share nothing unsoundly, start-up
// and shutdown included.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/maze_screen.h"
#include "platform/core/input.h"
#include "platform/api/win32.h"
#include "screen/screen.h"
#include "screen/screen_manager.h"
#include "shell/win_main.h"

namespace {

namespace fs = std::filesystem;

struct Click {
    int frame;
    int x, y;
};

// Stands in front of the maze screen under its name: hands every call on to it, and before each of
// its frames moves and presses the mouse as the display's events would, on this same thread.
class DrivenMazeScreen : public Screen {
public:
    DrivenMazeScreen(std::vector<Click> clicks, int lastFrame) : clicks_(std::move(clicks)), lastFrame_(lastFrame) {
        SetName("Stalk");
    }

    void Enter(LPDIRECTDRAW7 directDraw, LPDIRECTDRAWSURFACE7 target) override {
        g_MazeScreen.Enter(directDraw, target);
    }
    // The screen manager makes the maze screen leave by itself.
    void Leave() override {}
    int HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        return g_MazeScreen.HandleMessage(hwnd, message, wParam, lParam);
    }

    int Frame(int active) override {
        ++frame_;
        for (const Click& click : clicks_) {
            // Down for three frames, so the buttons see it held and then let go.
            if (frame_ == click.frame) platform::input::MouseMoveEvent(click.x, click.y);
            if (frame_ == click.frame + 1) platform::input::ButtonEvent(platform::input::kLeftButton, true);
            if (frame_ == click.frame + 4) platform::input::ButtonEvent(platform::input::kLeftButton, false);
        }
        if (frame_ >= lastFrame_) return kFrameStop;
        return g_MazeScreen.Frame(active);
    }

private:
    std::vector<Click> clicks_;
    int lastFrame_;
    int frame_ = 0;
};

// The first `count` pad clicks of the generated perfect route.
std::vector<std::pair<int, int>> PerfectMoves(std::size_t count) {
    std::ifstream script(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/perfect.script");
    std::vector<std::pair<int, int>> moves;
    std::string word;
    int x = 0, y = 0;
    while (moves.size() < count && script >> word) {
        if (word == "click" && script >> x >> y && x >= 583) moves.emplace_back(x, y);
    }
    return moves;
}

class DataFolder {
public:
    DataFolder() {
        std::random_device random;
        do root_ = fs::temp_directory_path() / ("stalkway-realtime-" + std::to_string(random()));
        while (!fs::create_directory(root_));
        fs::copy(fs::path(STALKWAY_BINARY_DIR) / "game" / "made" / "Stalkway", Path(), fs::copy_options::recursive);
        previous_ = fs::current_path();
        fs::current_path(Path());
    }
    ~DataFolder() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(root_, ignored);
    }
    fs::path Path() const { return root_ / "Stalkway"; }

private:
    fs::path root_;
    fs::path previous_;
};

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

TEST(RealTimeGame, APlayedGameIsScoredAndTheProgramEndsInOrder) {
    DataFolder folder;
    constexpr int kNewGameX = 68, kNewGameY = 238;
    std::vector<Click> clicks{{60, kNewGameX, kNewGameY}};
    int frame = 75;
    for (const auto& [x, y] : PerfectMoves(12)) {
        clicks.push_back({frame, x, y});
        frame += 12;
    }
    // A new game puts the one played into the hall of fame.
    clicks.push_back({frame + 10, kNewGameX, kNewGameY});
    ASSERT_GT(clicks.size(), 10u);
    DrivenMazeScreen screen(clicks, frame + 40);
    g_ScreenManager.AddScreen(&screen);

    char commandLine[] = "";
    EXPECT_EQ(WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL), 0);

    std::ifstream file(folder.Path() / "hiscore.dat", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    ASSERT_EQ(bytes.str().size(), 5204u) << "no hall of fame saved";
    EXPECT_EQ(Int32At(bytes.str(), 0), 20);
    EXPECT_GT(Int32At(bytes.str(), 4 + 256), 0) << "the moves scored nothing";
}

}  // namespace
