// The video settings of setup.ini as the program reads them: unknown names are reported and change
// nothing, and a run in which the player resized nothing leaves the file as it was.
#include <gtest/gtest.h>

#include <string>

#include "support/replay_run.h"

namespace {

TEST(DisplaySettings, UnknownNamesAreReportedAndKnownOnesAreNot) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string settings = "[setup]\nfullscreen=0\n[video]\nscale=zoom\nfilter=nearest\nwidth=1200\nheight=900\n";
    run.WriteFile("setup.ini", settings);
    ASSERT_EQ(run.Run("frames 20\n"), 0) << run.Stderr();
    EXPECT_NE(run.Log().find("unknown scale 'zoom': the default is used"), std::string::npos) << run.Log();
    EXPECT_EQ(run.Log().find("unknown filter"), std::string::npos) << run.Log();
    EXPECT_EQ(run.ReadFile("setup.ini"), settings) << "nothing was resized or switched";
}

}  // namespace
