// The runner's --stats: which stretches of the driving thread count as a frame's own work, the
// percentiles, and the lines the runner prints.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "platform/api/win32.h"
#include "support/replay_run.h"
#include "tools/replay/frame_stats.h"

namespace {

// Spends `microseconds` of this thread's processor time.
void Burn(double microseconds) {
    const auto busy = [] {
        FILETIME creation{}, exit{}, kernel{}, user{};
        GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
        return ((std::uint64_t{kernel.dwHighDateTime} << 32 | kernel.dwLowDateTime) +
                (std::uint64_t{user.dwHighDateTime} << 32 | user.dwLowDateTime)) /
               10.0;
    };
    const double until = busy() + microseconds;
    while (busy() < until) {}
}

// Counts what reaches it, and works hard in its tick hooks, as the script and the mixer do.
class BusyDriver : public platform::headless::Driver {
public:
    void BeforeTick(std::uint64_t) override {
        ++calls["before"];
        Burn(20000);
    }
    void AfterTick(std::uint64_t) override {
        ++calls["after"];
        Burn(20000);
    }
    void AfterPresent() override { ++calls["present"]; }
    void OnMessageBox(const char*, const char*) override { ++calls["box"]; }
    void OnShellExecute(const char*, const char*, const char*, const char*) override { ++calls["shell"]; }
    void OnDebugString(const char*) override { ++calls["debug"]; }
    std::map<std::string, int> calls;
};

TEST(FrameStats, AFrameIsTheWorkBetweenTicksThatPresentsAPicture) {
    BusyDriver inner;
    replay::FrameStats stats(&inner);
    stats.BeforeTick(1);
    stats.AfterTick(1);
    Burn(5000);
    stats.AfterPresent();
    stats.BeforeTick(2);
    stats.AfterTick(2);  // inactive: nothing presented
    stats.BeforeTick(3);
    stats.AfterTick(3);
    stats.AfterPresent();
    stats.AfterPresent();
    stats.BeforeTick(4);
    stats.OnMessageBox("text", "caption");
    stats.OnShellExecute("open", "file", "", "");
    stats.OnDebugString("sound bell");

    ASSERT_EQ(stats.FrameTimes().Count(), 2u);
    // The hooks' own work is not the frame's: each of them burns four times the frame's.
    EXPECT_GE(stats.FrameTimes().Percentile(1.0), 5000.0 * 0.995);
    EXPECT_LT(stats.FrameTimes().Percentile(1.0), 20000.0);
    EXPECT_LT(stats.FrameTimes().Percentile(0.5), 5000.0);
    EXPECT_GT(stats.StartupMs(), 0.0);
    EXPECT_EQ(inner.calls, (std::map<std::string, int>{
                               {"before", 4}, {"after", 3}, {"present", 3}, {"box", 1}, {"shell", 1}, {"debug", 1}}));
}

// The browser's build is compared by the time that passed, the one measure it has: a frame that
// waits shows there in full, and not in the processor time.
TEST(FrameStats, AFramesWaitCountsInItsWallTimeOnly) {
    BusyDriver inner;
    replay::FrameStats stats(&inner);
    stats.BeforeTick(1);
    stats.AfterTick(1);
    Burn(2000);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    stats.AfterPresent();
    stats.BeforeTick(2);

    ASSERT_EQ(stats.WallFrameTimes().Count(), 1u);
    EXPECT_GE(stats.WallFrameTimes().Percentile(0.5), 32000.0 * 0.995);
    EXPECT_LT(stats.WallFrameTimes().Percentile(0.5), 2000.0 + 20000.0 + 30000.0);
    EXPECT_LT(stats.FrameTimes().Percentile(0.5), 20000.0);
}

// Within the buckets' width, just below the true value.
void ExpectPercentile(const std::vector<double>& values, double p, double expected) {
    replay::TimeDistribution distribution;
    for (double value : values) distribution.Add(value);
    const double found = distribution.Percentile(p);
    EXPECT_LE(found, expected) << "p " << p;
    EXPECT_GE(found, expected * 0.995) << "p " << p;
}

TEST(FrameStats, PercentilesAreTakenByNearestRankToHalfAPercent) {
    EXPECT_EQ(replay::TimeDistribution().Percentile(0.5), 0.0);
    ExpectPercentile({5, 1, 3}, 0.5, 3.0);
    ExpectPercentile({4, 3, 2, 1}, 0.5, 2.0);
    ExpectPercentile({0, 0, 7}, 0.5, 0.0);
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);
    ExpectPercentile(hundred, 0.99, 99.0);
    hundred.resize(50);  // 100 down to 51
    ExpectPercentile(hundred, 0.99, 100.0);
    ExpectPercentile({7}, 0.99, 7.0);
    // Neighbours half a percent apart stay apart; the clocks' step and a minute stay in range.
    ExpectPercentile({1000.0, 1005.1}, 1.0, 1005.1);
    ExpectPercentile({0.1}, 0.5, 0.1);
    ExpectPercentile({0.1, 60e6}, 1.0, 60e6);
}

TEST(FrameStats, TheRunnerPrintsItsFiguresAtTheEndOnlyWhenAsked) {
    const std::string script = "frames 40\nclick 68 238\nframes 30\n";
    test::ReplayRun quiet;
    quiet.CopyGameData();
    ASSERT_EQ(quiet.Run(script), 0);
    EXPECT_EQ(quiet.Stdout(), "");

    test::ReplayRun run;
    run.CopyGameData();
    const auto unixMs = [] {
        return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
    };
    const double before = unixMs();
    ASSERT_EQ(run.Run(script, {"--stats"}), 0);
    const double after = unixMs();
    std::istringstream lines(run.Stdout());
    std::map<std::string, double> figures;
    std::string word, name;
    double value = 0;
    std::vector<std::string> order;
    while (lines >> word >> name >> value) {
        EXPECT_EQ(word, "stats");
        figures[name] = value;
        order.push_back(name);
    }
    // The memory lines come first; the frame lines in this order.
    std::erase_if(order,
                  [](const std::string& name) { return name.rfind("resident_", 0) == 0 || name == "end_frame"; });
    EXPECT_EQ(order, (std::vector<std::string>{"frames", "frame_median_us", "frame_p99_us", "frame_wall_median_us",
                                               "frame_wall_p99_us", "copy_us", "startup_ms", "first_picture_unix_ms"}));
    // The script's 74 ticks (a click takes three, the close one), less the 30 in which start-up
    // fades the music in before the first picture.
    EXPECT_NEAR(figures["frames"], 44, 2);
    EXPECT_GT(figures["frame_median_us"], 0);
    EXPECT_GE(figures["frame_p99_us"], figures["frame_median_us"]);
    EXPECT_GT(figures["frame_wall_median_us"], 0);
    EXPECT_GE(figures["frame_wall_p99_us"], figures["frame_wall_median_us"]);
    EXPECT_GT(figures["copy_us"], 0);
    EXPECT_GT(figures["startup_ms"], 0);
    // The time of day, to the millisecond, within the run.
    EXPECT_GE(figures["first_picture_unix_ms"], std::floor(before));
    EXPECT_LE(figures["first_picture_unix_ms"], after + 1);
}

// Each frame's time, for a caller that combines several runs frame by frame (the same script gives
// the same frames in every run): one line a frame, ticks rising, and no figures unless asked.
TEST(FrameStats, TheRunnerWritesEachFramesTimeWhenAsked) {
    const std::string script = "frames 40\nclick 68 238\nframes 30\n";
    test::ReplayRun run;
    run.CopyGameData();
    ASSERT_EQ(run.Run(script, {"--frame-times", run.Folder() + "/frames.txt"}), 0);
    EXPECT_EQ(run.Stdout(), "");
    std::istringstream lines(run.ReadFile("frames.txt"));
    std::uint64_t tick = 0, last = 0;
    double microseconds = 0, wall = 0;
    int frames = 0;
    while (lines >> tick >> microseconds >> wall) {
        EXPECT_GT(tick, last);
        EXPECT_GT(microseconds, 0.0);
        EXPECT_GT(wall, 0.0);
        last = tick;
        ++frames;
    }
    EXPECT_TRUE(lines.eof()) << "a line that is not TICK MICROSECONDS WALL";
    EXPECT_NEAR(frames, 44, 2);  // as many as --stats counts

    EXPECT_EQ(run.Run(script, {"--frame-times", run.Folder()}), 2) << "a folder cannot be written as a file";
    EXPECT_NE(run.Stderr().find("cannot write"), std::string::npos);
}

}  // namespace
