// The programs' command lines as a player meets them: help, version, a mistyped option, and the
// game without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
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

// The column where an option line's help text starts: after the option, its value and blanks.
std::size_t HelpColumn(const std::string& line) { return line.find_first_not_of(' ', line.find("  ", 2)); }

TEST(CommandLine, HelpPrintsTheUsageInOneColumnAndEnds) {
    for (const std::string program : kPrograms) {
        const test::ProgramRun run = test::RunProgram(program, {"--help"}, NoDisplay());
        EXPECT_EQ(run.exitCode, 0) << program;
        EXPECT_EQ(run.out.rfind("usage: " + program + " ", 0), 0u) << run.out;
        for (const char* option : {"-h, --help", "--version"}) EXPECT_NE(run.out.find(option), std::string::npos);
        EXPECT_EQ(run.err, "") << program;
        std::istringstream lines(run.out);
        std::set<std::size_t> columns;
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("  -", 0) == 0) columns.insert(HelpColumn(line));
        EXPECT_EQ(columns.size(), 1u) << "ragged help:\n" << run.out;

        const test::ProgramRun shortly = test::RunProgram(program, {"-h"}, NoDisplay());
        EXPECT_EQ(shortly.exitCode, 0) << program;
        EXPECT_EQ(shortly.out, run.out) << program << ": -h prints what --help prints";
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

TEST(CommandLine, WithoutADisplayEachProgramSaysSoFirstAndEndsAtOnce) {
    std::vector<std::string> noRuntime = NoDisplay();
    noRuntime.back() = "-XDG_RUNTIME_DIR";  // a library of the display says a line of its own then
    const struct {
        const char* program;
        const char* mode;
        std::vector<std::string> environment;
    } cases[] = {{"stalkway", "--window", NoDisplay()},
                 {"stalkway", "--fullscreen", NoDisplay()},
                 {"stalkway", "--window", noRuntime},
                 {"portico", nullptr, noRuntime}};
    for (const auto& c : cases) {
        // With its data, so that the display is what it misses.
        std::vector<std::string> arguments = {"--data", std::string(STALKWAY_BINARY_DIR) + "/game/Stalkway"};
        if (c.mode != nullptr) arguments.push_back(c.mode);
        const test::ProgramRun run = test::RunProgram(c.program, arguments, c.environment, "", 20);
        EXPECT_EQ(run.exitCode, 1) << c.program;
        EXPECT_EQ(run.err.rfind("no display: ", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_LT(run.seconds, 5.0);
    }
}

}  // namespace
