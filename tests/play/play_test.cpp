// Whole games through stalkway-replay, in a copy of the generated data folder: the scripts the
// generator wrote for its maze, and the buttons around the play area.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/api/qz.h"
#include "support/replay_run.h"

namespace {

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

// A score from the maze's figures, e.g. "Perfect route: ... score 2214822".
int FigureScore(const std::string& line) {
    std::smatch match;
    const std::string figures = Generated("maze.txt");
    const std::regex pattern(line + "[^\\n]*score ([0-9]+)");
    return std::regex_search(figures, match, pattern) ? std::stoi(match[1]) : -1;
}

std::int32_t Int32At(const std::string& bytes, size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

// The direction of each pad click in a script, after its new-game click.
std::vector<int> PadDirections(const std::string& script) {
    std::vector<int> directions;
    std::istringstream lines(script);
    std::string word;
    int x = 0, y = 0;
    while (lines >> word) {
        if (word != "click" || !(lines >> x >> y) || x < 583) continue;
        directions.push_back(y < 360 ? (x < 670 ? 1 : 2) : (x < 670 ? 4 : 8));
    }
    return directions;
}

bool SameArea(const test::Shot& a, const test::Shot& b, int x, int y, int width, int height) {
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i)
            if (a.At(i, j) != b.At(i, j)) return false;
    return true;
}

// True when every pixel of the picture that is not its transparent blue shows at (x, y) of the shot.
bool ShowsPicture(const test::Shot& shot, const std::string& file, int x, int y) {
    LPDIRECTDRAWSURFACE7 picture = QZLoadBitmap(file.c_str(), 16);
    if (picture == nullptr) return false;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    bool same = SUCCEEDED(picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr));
    for (int j = 0; same && j < static_cast<int>(desc.dwHeight); ++j) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(static_cast<const char*>(desc.lpSurface) +
                                                                 j * desc.lPitch);
        for (int i = 0; same && i < static_cast<int>(desc.dwWidth); ++i) {
            const unsigned p = row[i];
            if (p == 0x001F) continue;
            const unsigned r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
            const std::uint32_t rgb = (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
            same = shot.At(x + i, y + j) == rgb;
        }
    }
    picture->Unlock(nullptr);
    picture->Release();
    return same;
}

constexpr char kStarted[] = "frames 50\n";
constexpr char kNewGame[] = "click 68 238\n";

TEST(Play, APerfectGameWinsTheSolutionPictureTheWinnersFileAndTheTopOfTheHallOfFame) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script = Generated("perfect.script");
    ASSERT_EQ(run.Run(script + "frames 10\nshot after\nclick 68 238\nframes 10\n"), 0) << run.Stderr();
    EXPECT_NE(run.Log().find("sound congrats"), std::string::npos);

    const std::string winner = run.ReadFile("winner.dat");
    const std::vector<int> directions = PadDirections(script);
    ASSERT_EQ(winner.size(), 8 + 4 * directions.size());
    EXPECT_EQ(Int32At(winner, 0), static_cast<std::int32_t>(directions.size()));
    for (size_t k = 0; k < directions.size(); ++k) ASSERT_EQ(Int32At(winner, 8 + 4 * k), directions[k]) << k;

    const std::string fame = run.ReadFile("hiscore.dat");
    ASSERT_EQ(fame.size(), 5204u);
    EXPECT_EQ(std::string(fame.c_str() + 4), "Player1:::Y");
    EXPECT_EQ(Int32At(fame, 4 + 256), FigureScore("Perfect route"));
    EXPECT_EQ(std::string(fame.c_str() + 4 + 260), "") << "the new game after the finish offers no score again";

    // The zoom window holds the solution picture until the next new game.
    const test::Shot finished = run.LoadShot("perfect-finished");
    const test::Shot after = run.LoadShot("after");
    ASSERT_TRUE(finished.Loaded() && after.Loaded());
    EXPECT_TRUE(ShowsPicture(finished, run.Folder() + "/ultimatesolution.bmp", 544, 69));
    EXPECT_TRUE(ShowsPicture(after, run.Folder() + "/ultimatesolution.bmp", 544, 69));
    EXPECT_FALSE(ShowsPicture(finished, run.Folder() + "/corngrats.bmp", 544, 69));
}

TEST(Play, AShortGameWithWrongTurnsScoresAsTheRulesGive) {
    test::ReplayRun run;
    run.CopyGameData();
    ASSERT_EQ(run.Run(Generated("imperfect.script")), 0) << run.Stderr();
    const std::string fame = run.ReadFile("hiscore.dat");
    ASSERT_EQ(fame.size(), 5204u);
    EXPECT_EQ(Int32At(fame, 4 + 256), FigureScore("Short game"));
    EXPECT_FALSE(std::filesystem::exists(run.Folder() + "/winner.dat")) << "items were left behind";
    const test::Shot end = run.LoadShot("imperfect-finished");
    const test::Shot before = run.LoadShot("imperfect-before");
    ASSERT_TRUE(end.Loaded() && before.Loaded());
    EXPECT_TRUE(ShowsPicture(end, run.Folder() + "/corngrats.bmp", 544, 69));
    EXPECT_FALSE(ShowsPicture(before, run.Folder() + "/corngrats.bmp", 544, 69));
    int trail = 0;
    for (int y = 61; y < 481; ++y)
        for (int x = 116; x < 536; ++x) trail += end.At(x, y) == 0xFF0000;
    EXPECT_GT(trail, 500) << "the red trail shows on the maze";
}

TEST(Play, DirectionsWaitForANewGameAndTheHelpPageClosesOnAClick) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script = std::string(kStarted) +
                               "shot waiting\nframes 51\nshot blinked\nclick 714 394\nframes 3\nshot still\n" +
                               kNewGame +
                               "frames 3\nclick 68 290\nframes 5\nshot help\nclick 400 300\nframes 5\nshot back\n";
    ASSERT_EQ(run.Run(script), 0);
    EXPECT_EQ(run.Log().find("sound positive"), std::string::npos) << "no move before a new game";
    const test::Shot waiting = run.LoadShot("waiting");
    const test::Shot still = run.LoadShot("still");
    const test::Shot help = run.LoadShot("help");
    const test::Shot back = run.LoadShot("back");
    EXPECT_TRUE(SameArea(waiting, still, 116, 61, 420, 420)) << "the maze has not changed";
    EXPECT_FALSE(SameArea(waiting, run.LoadShot("blinked"), 27, 215, 82, 46)) << "New game blinks while waiting";
    EXPECT_FALSE(SameArea(help, back, 300, 250, 200, 100)) << "the page covered the middle of the screen";
    EXPECT_TRUE(SameArea(still, back, 116, 61, 420, 420)) << "and is gone again";
}

TEST(Play, TheAboutButtonOpensTheGamesOwnPage) {
    test::ReplayRun run;
    run.CopyGameData();
    ASSERT_EQ(run.Run(std::string(kStarted) + "click 68 186\nframes 3\n"), 0);
    const std::string log = run.Log();
    EXPECT_NE(log.find(" shell open "), std::string::npos) << log;
    EXPECT_NE(log.find("/about.html "), std::string::npos) << log;
    EXPECT_TRUE(std::filesystem::exists(run.Folder() + "/about.html"));
}

TEST(Play, MenuStartsTheBuiltLauncherWhenTheGameHasALauncherFolder) {
    const std::string script = std::string(kStarted) + "click 68 342\nframes 5\nshot after\n";
    test::ReplayRun without;
    without.CopyGameData();
    ASSERT_EQ(without.Run(script), 0);
    EXPECT_TRUE(without.ShotExists("after")) << "no launcher folder: the game goes on";
    EXPECT_EQ(without.Log().find("shell"), std::string::npos);

    // The launcher's Windows name is never looked for: the portico program beside the runner is
    // started, in the launcher's folder.
    test::ReplayRun with;
    with.CopyGameData();
    const std::string launcher = with.Folder() + "/launcher";
    ASSERT_EQ(with.Run(script, {}, launcher), 0);
    EXPECT_FALSE(with.ShotExists("after")) << "the game stops once the launcher is started";
    const std::string portico = std::string(STALKWAY_BINARY_DIR) + "/bin/portico";
    EXPECT_NE(with.Log().find("shell open " + portico + " Stalkway " + launcher), std::string::npos) << with.Log();
    // There, but it will not start: the player is not left without a game.
    test::ReplayRun failing;
    failing.CopyGameData();
    ASSERT_EQ(failing.Run(script, {"--fail", "launch"}, failing.Folder() + "/launcher"), 0);
    EXPECT_TRUE(failing.ShotExists("after")) << "a launcher that fails to start leaves the game going";
    EXPECT_NE(failing.Log().find("shell open"), std::string::npos) << "the attempt is still logged";
}

TEST(Play, AMissingMazePictureIsNamedAndEndsTheProgramWithCodeOne) {
    test::ReplayRun run;
    run.CopyGameData();
    std::filesystem::remove(run.Folder() + "/hilite2.bmp");
    EXPECT_EQ(run.Run(std::string(kStarted) + "shot never\n"), 1);
    EXPECT_NE(run.Log().find("messagebox The game cannot start: the picture \"hilite2.bmp\" is missing or damaged."),
              std::string::npos)
        << run.Log();
    EXPECT_FALSE(run.ShotExists("never"));
}

TEST(Play, WhileDeactivatedTheGameStandsStill) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script = std::string(kStarted) + kNewGame + "frames 3\ndeactivate\nshot frozen\nclick 714 394\n" +
                               "frames 300\nshot later\nactivate\nframes 3\n";
    ASSERT_EQ(run.Run(script), 0);
    EXPECT_EQ(run.Log().find("sound positive"), std::string::npos) << "clicks while inactive do nothing";
    const test::Shot frozen = run.LoadShot("frozen");
    const test::Shot later = run.LoadShot("later");
    EXPECT_TRUE(SameArea(frozen, later, 0, 0, 800, 600)) << "not even the characters move";
}

}  // namespace
