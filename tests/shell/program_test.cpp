// The whole program in this process, once: start-up and shutdown happen in their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
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

}  // namespace
