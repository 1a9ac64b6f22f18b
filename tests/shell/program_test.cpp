// The whole program in this process, once: start-up and shutdown happen in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/api/user.h"
#include "base/app_globals.h"
#include "shell/win_main.h"
#include "support/replay_run.h"

namespace {

class CloseAfter : public platform::headless::Driver {
public:
    explicit CloseAfter(std::uint64_t tick) : tick_(tick) {}
    void BeforeTick(std::uint64_t tick) override {
        if (tick == tick_) platform::headless::CloseBox();
    }

private:
    std::uint64_t tick_;
};

// True when `expected` appears in `trace` in this order (other events may come between).
bool InOrder(const std::vector<std::string>& trace, const std::vector<std::string>& expected) {
    auto at = trace.begin();
    for (const std::string& event : expected) {
        at = std::find(at, trace.end(), event);
        if (at == trace.end()) return false;
        ++at;
    }
    return true;
}

TEST(Program, StartsAndEndsInOrderAndCutsALongCommandLine) {
    // The program runs in a copy of the game's data folder, as the game would.
    test::ReplayRun folder;
    folder.CopyGameData();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Folder());
    platform::headless::Reset();
    CloseAfter driver(50);
    platform::headless::SetDriver(&driver);
    std::string commandLine(300, 'x');
    EXPECT_EQ(WinMain(nullptr, nullptr, commandLine.data(), SW_SHOWNORMAL), 0);
    platform::headless::SetDriver(nullptr);
    std::filesystem::current_path(previous);

    const std::vector<std::string>& trace = platform::headless::Trace();
    EXPECT_TRUE(
        InOrder(trace, {"CreateWindowExA", "QZInitDirectX", "QZInitMouse", "timeSetEvent", "DirectSoundCreate",
                        "QZInitKeyboard", "DestroyWindow", "timeKillEvent", "QZFreeDirectInput", "QZFreeDirectX"}));
    EXPECT_EQ(std::strlen(g_szLauncherDir), 255u);
    EXPECT_GE(platform::headless::PresentCount(), 4u) << "one picture a frame until the close";
    EXPECT_EQ(g_nActive, 0);
}

// Runs steps of input before given ticks, and keeps what the program writes to the debugger (the
// sound effects it asks for among it).
class Steps : public platform::headless::Driver {
public:
    void At(std::uint64_t tick, std::function<void()> step) { steps_.emplace(tick, std::move(step)); }
    void BeforeTick(std::uint64_t tick) override {
        for (auto [at, end] = steps_.equal_range(tick); at != end; ++at) at->second();
    }
    void OnDebugString(const char* text) override { said.emplace_back(text); }
    int Said(const std::string& text) const { return static_cast<int>(std::count(said.begin(), said.end(), text)); }

    std::vector<std::string> said;

private:
    std::multimap<std::uint64_t, std::function<void()>> steps_;
};

// The whole program in a copy of the game's data folder, under the driver; returns its exit code.
int RunGame(platform::headless::Driver* driver) {
    test::ReplayRun folder;
    folder.CopyGameData();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Folder());
    platform::headless::Reset();
    platform::headless::SetDriver(driver);
    const int code = WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    platform::headless::SetDriver(nullptr);
    std::filesystem::current_path(previous);
    return code;
}

TEST(Program, AltEnterKeepsTheFullScreenFlagInStepWithTheDisplay) {
    Steps driver;
    std::vector<int> seen;
    for (std::uint64_t at : {45u, 60u}) {
        driver.At(at, [] { platform::headless::Key(VK_MENU, true); });
        driver.At(at + 1, [] { platform::headless::Key(VK_RETURN, true); });
        driver.At(at + 2, [] {
            platform::headless::Key(VK_RETURN, false);
            platform::headless::Key(VK_MENU, false);
        });
        driver.At(at + 5, [&seen] { seen.push_back(g_nFullScreen); });
    }
    driver.At(70, [] { platform::headless::CloseBox(); });
    EXPECT_EQ(RunGame(&driver), 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0})) << "the game starts in a window; full screen, then back";
}

// A click whose press and release both fall between two samples of the buttons, then a press at
// the very next sample: two presses, two moves on the arrow pad.
TEST(Program, AQuickClickFollowedAtOnceByAPressMovesTwice) {
    namespace headless = platform::headless;
    Steps driver;
    const auto click = [&driver](std::uint64_t at, int x, int y) {
        driver.At(at, [x, y] { headless::MouseMove(x, y); });
        driver.At(at + 1, [] { headless::MouseButton(1, true); });
        driver.At(at + 2, [] { headless::MouseButton(1, false); });
    };
    click(51, 68, 238);   // New game
    click(56, 625, 394);  // the first move of the perfect route
    // Its second direction, twice: a quick click, then a press held for a while.
    driver.At(61, [] { headless::MouseMove(714, 394); });
    driver.At(62, [] {
        headless::MouseButton(1, true);
        headless::MouseButton(1, false);
    });
    driver.At(63, [] { headless::MouseButton(1, true); });
    driver.At(69, [] { headless::MouseButton(1, false); });
    driver.At(80, [] { headless::CloseBox(); });
    EXPECT_EQ(RunGame(&driver), 0);
    EXPECT_EQ(driver.Said("sound positive"), 3);
    EXPECT_EQ(driver.Said("sound negative"), 0);
}

}  // namespace
