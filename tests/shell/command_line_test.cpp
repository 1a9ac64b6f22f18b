// The programs' command lines as a player meets them: help, version, a mistyped option, and the
// game without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

// A display number no X server holds, so that a game started by mistake ends at once instead of
// playing until the test's time is up.
std::string FreeDisplay() {
    int number = 990;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
           fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    return ":" + std::to_string(number);
}

// No display answers, and SDL is left to choose its video driver. The runtime folder is an empty
// one of the test's, so that no Wayland socket is in reach either.
std::vector<std::string> NoDisplay() {
    // Made private to its owner, as a runtime folder must be; removed when the tests end.
    static const ScratchDir runtime;
    return {"DISPLAY=" + FreeDisplay(), "-WAYLAND_DISPLAY", "-SDL_VIDEODRIVER", "XDG_RUNTIME_DIR=" + runtime.Path()};
}

const char* const kPrograms[] = {"stalkway", "portico", "stalkway-replay"};

TEST(CommandLine, HelpPrintsTheUsageAndEnds) {
    for (const std::string program : kPrograms) {
        const test::ProgramRun run = test::RunProgram(program, {"--help"}, NoDisplay());
        EXPECT_EQ(run.exitCode, 0) << program;
        EXPECT_EQ(run.out.rfind("usage: " + program + " ", 0), 0u) << run.out;
        for (const char* option : {"--help", "--version"}) EXPECT_NE(run.out.find(option), std::string::npos);
        EXPECT_EQ(run.err, "") << program;
    }
    EXPECT_NE(test::RunProgram("stalkway", {"--help"}, NoDisplay()).out.find("--fullscreen"), std::string::npos);
}

TEST(CommandLine, VersionNamesTheProjectVersionAndTheCommit) {
    const bool fromGit = fs::exists(fs::path(STALKWAY_SOURCE_DIR) / ".git");
    for (const std::string program : kPrograms) {
        const test::ProgramRun run = test::RunProgram(program, {"--version"}, NoDisplay());
        EXPECT_EQ(run.exitCode, 0) << program;
        const std::regex expected(program + " [0-9]+\\.[0-9]+\\.[0-9]+" +
                                  (fromGit ? " \\(commit [0-9a-f]{12}\\)" : "") + "\n");
        EXPECT_TRUE(std::regex_match(run.out, expected)) << run.out;
        EXPECT_EQ(run.err, "") << program;
    }
}

TEST(CommandLine, AnUnknownOptionIsRefusedWithTheUsageOnStandardError) {
    for (const std::string program : kPrograms) {
        const test::ProgramRun run = test::RunProgram(program, {"--no-such-option", "x"}, NoDisplay());
        EXPECT_EQ(run.exitCode, 2) << program;
        EXPECT_EQ(run.out, "") << program;
        EXPECT_NE(run.err.find("unknown option --no-such-option"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("usage: " + program + " "), std::string::npos) << run.err;
    }
}

TEST(CommandLine, WithoutADisplayTheGameSaysSoAndEndsAtOnce) {
    for (const char* mode : {"--window", "--fullscreen"}) {
        // With its data, so that the display is what it misses.
        const test::ProgramRun run = test::RunProgram(
            "stalkway", {"--data", std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway", mode}, NoDisplay(), "", 20);
        EXPECT_EQ(run.exitCode, 1) << mode;
        EXPECT_EQ(run.err.rfind("no display: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_LT(run.seconds, 5.0);
    }
}

}  // namespace
