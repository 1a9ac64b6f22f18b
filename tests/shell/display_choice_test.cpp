// --window overrides setup.ini's full screen for the run. The program runs here once: this test
// program runs no other whole program in its process.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/headless/headless.h"
#include "platform/api/user.h"
#include "base/app_globals.h"
#include "shell/win_main.h"
#include "support/replay_run.h"

namespace {

class CloseAfter : public platform::headless::Driver {
public:
    void BeforeTick(std::uint64_t tick) override {
        if (tick == 20) platform::headless::CloseBox();
    }
};

TEST(DisplayChoice, TheCommandLinesWindowBeatsSetupIniFullScreen) {
    test::ReplayRun folder;
    folder.CopyGameData();
    folder.WriteFile("setup.ini", "[setup]\r\nfullscreen=1\r\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Folder());
    platform::headless::Reset();
    CloseAfter driver;
    platform::headless::SetDriver(&driver);
    g_nFullScreenChoice = 0;
    char commandLine[] = "";
    EXPECT_EQ(WinMain(nullptr, nullptr, commandLine, SW_SHOWNORMAL), 0);
    g_nFullScreenChoice = -1;
    platform::headless::SetDriver(nullptr);
    std::filesystem::current_path(previous);

    EXPECT_EQ(g_nFullScreen, 0);
    EXPECT_EQ(folder.ReadFile("setup.ini"), "[setup]\r\nfullscreen=1\r\n") << "the choice is for this run only";
}

}  // namespace
