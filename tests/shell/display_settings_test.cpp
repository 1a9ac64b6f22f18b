// The video settings of setup.ini as the program reads them: unknown names are reported (on the
// standard error, and in debug.log when it is switched on) and change nothing, and a run in which
// the player resized nothing leaves the file as it was.
#include <gtest/gtest.h>

#include <string>

#include "support/replay_run.h"

namespace {

TEST(DisplaySettings, UnknownNamesAreReportedOnceAndKnownOnesAreNot) {
    for (const char* debugLog : {"0", "1"}) {
        test::ReplayRun run;
        run.CopyGameData();
        const std::string settings = std::string("[setup]\nfullscreen=0\ndebuglog=") + debugLog +
                                     "\n[video]\nscale=zoom\nfilter=nearest\nwidth=1200\nheight=900\n";
        run.WriteFile("setup.ini", settings);
        ASSERT_EQ(run.Run("frames 20\n"), 0) << run.Stderr();
        const std::string said = "unknown scale 'zoom': the default is used";
        EXPECT_NE(run.Log().find(said), std::string::npos) << run.Log();
        EXPECT_EQ(run.Log().find("unknown filter"), std::string::npos) << run.Log();
        EXPECT_EQ(run.Stderr(), "stalkway: " + said + "\n");
        // debug.log is written only when switched on.
        EXPECT_EQ(run.ReadFile("debug.log"), std::string(debugLog) == "1" ? said + "\n" : "") << debugLog;
        EXPECT_EQ(run.ReadFile("setup.ini"), settings) << "nothing was resized or switched";
    }
}

}  // namespace
