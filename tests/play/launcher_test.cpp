// The launcher and the game together, as a player meets them: players registered by typing in the
// launcher, the game started as the launcher starts it, the score back in the launcher's hall of
// fame.
#include <gtest/gtest.h>

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/api/qz.h"
#include "platform/api/win32.h"
#include "platform/headless/headless.h"
#include "support/replay_run.h"

namespace {

// Places on the launcher's screen.
constexpr char kSlot1[] = "click 100 130\n";
constexpr char kSlot2[] = "click 100 160\n";
constexpr char kNameField[] = "click 200 382\n";
constexpr char kMusic[] = "click 75 563\n";
constexpr char kPlay[] = "click 585 563\n";
constexpr int kFameLeft = 424;
constexpr int kFameTop = 116;

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

std::int32_t Int32At(const std::string& bytes, size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

// The samples of a --audio capture.
std::vector<std::int16_t> Samples(const std::string& wav) {
    const size_t data = wav.find("data");
    std::vector<std::int16_t> samples;
    for (size_t i = data + 8; data != std::string::npos && i + 1 < wav.size(); i += 2)
        samples.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(wav[i]) | wav[i + 1] << 8));
    return samples;
}

bool SilentUntil(const std::vector<std::int16_t>& samples, size_t count) {
    for (size_t i = 0; i < count && i < samples.size(); ++i)
        if (samples[i] != 0) return false;
    return samples.size() >= count;
}

// Which pixels the program's font paints white for this text at (x, y), in a width x 16 box: the
// text drawn by QZPrintString on a fresh headless display.
std::vector<bool> FontPixels(const std::string& text, int x, int y, int width) {
    platform::headless::Reset();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Font Reference";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "Font Reference", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    std::vector<bool> white(static_cast<size_t>(width) * 16, false);
    if (window == nullptr || QZInitDirectX(window, 800, 600) == 0) return white;
    QZInitFont(window);
    QZPrintString(text.c_str(), x, y);
    LPDIRECTDRAWSURFACE7 back = nullptr;
    QZGetDDInfo(nullptr, &back);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    if (back != nullptr && SUCCEEDED(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) {
        for (int row = 0; row < 16; ++row)
            for (int col = 0; col < width; ++col) {
                const auto* line = reinterpret_cast<const std::uint16_t*>(static_cast<const char*>(desc.lpSurface) +
                                                                          (y + row) * desc.lPitch);
                white[static_cast<size_t>(row) * width + col] = line[x + col] == 0xFFFF;
            }
        back->Unlock(nullptr);
    }
    QZFreeFont();
    QZFreeDirectX();
    DestroyWindow(window);
    platform::headless::Reset();
    return white;
}

// Pixels of the shot that are white where the font's are, and only there.
int Mismatches(const test::Shot& shot, const std::vector<bool>& font, int x, int y, int width) {
    int wrong = 0;
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < width; ++col) {
            const std::uint32_t rgb = shot.At(x + col, y + row);
            const bool white = (rgb & 0xF8F8F8) == 0xF8F8F8;
            if (white != font[static_cast<size_t>(row) * width + col]) ++wrong;
        }
    return wrong;
}

TEST(Launcher, RegisterChooseSwitchOffPlayAndSeeTheScoreInTheHallOfFame) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    const std::string launcherScript = std::string("frames 5\n") + kSlot1 + kNameField +
                                       "type Ann Smith\nkey Return\n" + kSlot2 + kNameField +
                                       "type Bob Jones\nkey Return\n" + kMusic + "frames 3\n" + "shot registered\n" +
                                       kPlay + "frames 5\nshot never\n";
    ASSERT_EQ(run.Run(launcherScript, {"--program", "portico"}), 0) << run.Stderr();
    EXPECT_FALSE(run.ShotExists("never")) << "Play ends the launcher";
    const std::string options = run.ReadFile("options.ini");
    EXPECT_NE(options.find("name=Ann Smith"), std::string::npos) << options;
    EXPECT_NE(options.find("playerid=1"), std::string::npos) << options;
    EXPECT_NE(options.find("music=N"), std::string::npos) << options;
    const std::string stalkway = std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway";
    // In its data folder: the launcher names its files, that folder included, as the game does.
    EXPECT_NE(run.Log().find("shell open " + stalkway + " \"" + run.Folder() + "\" .\n"), std::string::npos)
        << run.Log();

    // The game as the launcher starts it: in its data folder, the launcher's folder on its command
    // line. The first two seconds pass before any click: only music could sound in them.
    const std::string gameScript = "frames 200\n" + Generated("imperfect.script") + "caption\n";
    ASSERT_EQ(run.Run(gameScript, {"--audio", run.Folder() + "/game.wav"}, run.Folder(), "Stalkway"), 0)
        << run.Stderr();
    EXPECT_NE(run.Log().find(" caption Stalk Way - Bob Jones\n"), std::string::npos) << run.Log();
    const std::vector<std::int16_t> game = Samples(run.ReadFile("game.wav"));
    EXPECT_TRUE(SilentUntil(game, 2 * 22050 * 19 / 10)) << "no music";
    EXPECT_FALSE(SilentUntil(game, game.size())) << "the effects still play";
    const std::string hiscore = run.ReadFile("Stalkway/hiscore.dat");
    ASSERT_EQ(hiscore.size(), 5204u);
    const std::string text = hiscore.c_str() + 4;
    const std::int32_t score = Int32At(hiscore, 4 + 256);
    EXPECT_EQ(text, "Bob Jones:::Y");
    EXPECT_GT(score, 0);

    // The control: with music on, the same two seconds are not silent.
    test::ReplayRun withMusic;
    withMusic.CopyGameData("Stalkway");
    ASSERT_EQ(
        withMusic.Run("frames 200\n", {"--audio", withMusic.Folder() + "/music.wav"}, withMusic.Folder(), "Stalkway"),
        0);
    EXPECT_FALSE(SilentUntil(Samples(withMusic.ReadFile("music.wav")), 2 * 22050 * 19 / 10));

    // Back in the launcher, rank 1 is that record, drawn by the program's font.
    ASSERT_EQ(run.Run("frames 5\nshot fame\n", {"--program", "portico"}), 0) << run.Stderr();
    char line[64];
    std::snprintf(line, sizeof line, "%2d %-15.15s %7d", 1, "Bob Jones", score);
    const int width = static_cast<int>(std::strlen(line)) * 12 + 2;
    const std::vector<bool> font = FontPixels(line, kFameLeft, kFameTop, width);
    const test::Shot shot = run.LoadShot("fame");
    ASSERT_TRUE(shot.Loaded());
    EXPECT_EQ(Mismatches(shot, font, kFameLeft, kFameTop, width), 0) << line;
    EXPECT_GT(Mismatches(shot, FontPixels(" 1 Ann Smith", kFameLeft, kFameTop, width), kFameLeft, kFameTop, width), 0)
        << "the comparison tells one name from another";
}

// Given its own folder for the player's files, the launcher hands it to the game it starts, and the
// game to the launcher its Menu starts: the two keep to the same files there and back.
TEST(Launcher, TheFoldersItWasGivenGoWithTheGameAndBack) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    const std::string mine = run.Folder() + "/my files";
    const std::string script = std::string("frames 5\n") + kNameField + "type Cy\nkey Return\n" + kPlay + "frames 5\n";
    ASSERT_EQ(run.Run(script, {"--program", "portico", "--user-dir", "my files"}), 0) << run.Stderr();
    EXPECT_NE(run.ReadFile("my files/options.ini").find("name=Cy"), std::string::npos);
    const std::string stalkway = std::string(STALKWAY_BINARY_DIR) + "/bin/stalkway";
    EXPECT_NE(run.Log().find("shell open " + stalkway + " --user-dir \"" + mine + "\" \"" + mine + "\" .\n"),
              std::string::npos)
        << run.Log();

    ASSERT_EQ(run.Run("frames 50\ncaption\nclick 68 342\nframes 5\n", {"--user-dir", mine}, mine, "Stalkway"), 0)
        << run.Stderr();
    EXPECT_NE(run.Log().find(" caption Stalk Way - Cy\n"), std::string::npos) << run.Log();
    const std::string portico = std::string(STALKWAY_BINARY_DIR) + "/bin/portico";
    EXPECT_NE(run.Log().find("shell open " + portico + " --user-dir \"" + mine + "\" Stalkway " + mine + "\n"),
              std::string::npos)
        << run.Log();
}

// Whether the status line above the buttons shows exactly this text in the program's font.
bool StatusReads(const test::Shot& shot, const std::string& text) {
    constexpr int kLeft = 24, kTop = 512, kWidth = 752;
    return shot.Loaded() && Mismatches(shot, FontPixels(text, kLeft, kTop, kWidth), kLeft, kTop, kWidth) == 0;
}

TEST(Launcher, TheTextFieldsAreBoxedAndTheStatusLineSaysHowToTypeInThem) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    ASSERT_EQ(run.Run(std::string("frames 5\nshot idle\n") + kNameField + "frames 2\nshot editing\n",
                      {"--program", "portico"}),
              0)
        << run.Stderr();
    const test::Shot idle = run.LoadShot("idle");
    EXPECT_TRUE(StatusReads(idle, "Click a field to type; Return keeps it."));
    EXPECT_TRUE(StatusReads(run.LoadShot("editing"), "Return keeps it, Escape drops it."));
    EXPECT_FALSE(StatusReads(idle, "Return keeps it, Escape drops it.")) << "the comparison tells texts apart";
    // The name, address and e-mail fields (rows at 370, 400, 430) have a box's corners; the send flag has none.
    constexpr int kBoxLeft = 130, kBoxRight = 391;
    for (const int top : {370, 400, 430}) {
        EXPECT_EQ(idle.At(kBoxLeft, top), idle.At(kBoxRight, top + 25)) << top;
        EXPECT_NE(idle.At(kBoxLeft, top), idle.At(kBoxLeft + 1, top + 1)) << top;
    }
    EXPECT_NE(idle.At(kBoxLeft, 460), idle.At(kBoxLeft, 370)) << "the send flag is no text field";
}

TEST(Launcher, EscapeDropsAnEditFirstThenEndsTheLauncher) {
    // On the way, the send flag of a slot nobody named: the slot gets the name the game would give it.
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    const std::string script =
        std::string("frames 5\nclick 100 190\nclick 200 472\n") + kSlot1 + kNameField +
        "type Zed\nkey Escape\nframes 3\nshot editing-dropped\nkey Escape\nframes 5\nshot never\n";
    ASSERT_EQ(run.Run(script, {"--program", "portico"}), 0) << run.Stderr();
    EXPECT_TRUE(run.ShotExists("editing-dropped")) << "the first Escape only drops the edit";
    EXPECT_FALSE(run.ShotExists("never")) << "the second ends the launcher";
    const std::string options = run.ReadFile("options.ini");
    EXPECT_EQ(options.find("Zed"), std::string::npos);
    EXPECT_NE(options.find("[Player3]"), std::string::npos) << options;
    EXPECT_NE(options.find("name=Player3"), std::string::npos) << options;
    EXPECT_NE(options.find("send=N"), std::string::npos) << options;
}

TEST(Launcher, AWriteThatFailsIsShownAndTheFileKeepsWhatItHeld) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    run.WriteFile("options.ini", "[setup]\r\nplayerid=0\r\n[Player1]\r\nname=Ann\r\n");
    const std::string script = std::string("frames 5\nshot before\n") + kSlot2 + kMusic + "frames 3\nshot after\n";
    ASSERT_EQ(run.Run(script, {"--program", "portico", "--fail", "write"}), 0) << run.Stderr();
    EXPECT_EQ(run.ReadFile("options.ini"), "[setup]\r\nplayerid=0\r\n[Player1]\r\nname=Ann\r\n");
    EXPECT_TRUE(StatusReads(run.LoadShot("before"), "Click a field to type; Return keeps it."));
    EXPECT_TRUE(StatusReads(run.LoadShot("after"), "Could not write options.ini: it keeps what it held."))
        << "the status line says the write failed";
}

// The launcher's own messages name it, not the game.
TEST(Launcher, ItsMessagesBeginWithItsOwnName) {
    test::ReplayRun run;
    run.CopyGameData("Stalkway");
    run.CopyLauncherPictures();
    run.WriteFile("blocked", "a file where a folder should be");
    const std::string script = std::string("frames 5\n") + kNameField + "type Cy\nkey Return\nframes 3\n";
    ASSERT_EQ(run.Run(script, {"--program", "portico", "--user-dir", "blocked/files"}), 0) << run.Stderr();
    EXPECT_NE(run.Stderr().find("portico: cannot make "), std::string::npos) << run.Stderr();
    EXPECT_EQ(run.Stderr().find("stalkway:"), std::string::npos) << run.Stderr();
}

// A click on the hall of fame shows the chosen maze's world table in its place: the rows a
// server sent, or why there are none. The server here is a stand-in answering as stalkway-server
// does, a while after it was asked; the server's own tests check that it does. The frame after the
// click says that the table is on its way: the launcher has not waited for the slow server.
// (Virtual time waits for the fetch's thread, so the table is there a tick later whatever the
// server took; a refused connection may be told in the click's own frame.)
TEST(Launcher, TheHallOfFameSwitchesToTheWorldTableOrSaysWhyThereIsNone) {
    httplib::Server world;
    std::string asked;
    world.Get(R"(/api/v1/mazes/(\w+)/top)", [&asked](const httplib::Request& request, httplib::Response& response) {
        asked = request.path;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        response.set_content(R"({"maze": "classic", "runs": [{"rank": 1, "player": "Ann \"A\"", "score": 2214822,)"
                             R"( "perfect": true, "moves": 205, "submitted": "2026-12-08T16:53:04.531Z"}]})",
                             "application/json");
    });
    const int port = world.bind_to_any_port("127.0.0.1");
    std::thread serving([&world] { world.listen_after_bind(); });
    const struct {
        std::vector<std::string> options;
        const char* afterClick;
        std::string firstRow;
        const char* lastLine;
    } kCases[] = {
        {{}, "World table: no server", " 1  -", "World table: no server"},
        {{"--server", "http://127.0.0.1:1"}, nullptr, " 1  -", "World table: offline"},
        {{"--server", "http://127.0.0.1:" + std::to_string(port)},
         "World table: loading",
         " 1 Ann \"A\"" + std::string(9, ' ') + "2214822",
         "World table; click for yours"},
    };
    for (const auto& c : kCases) {
        test::ReplayRun run;
        run.CopyGameData("Stalkway");
        run.CopyLauncherPictures();
        std::vector<std::string> options = {"--program", "portico"};
        options.insert(options.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(run.Run("frames 5\nclick 600 300\nshot clicked\nframes 3\nshot world\n", options), 0) << run.Stderr();
        constexpr int kWidth = 350, kRouteTop = 482;
        const auto reads = [&](const char* shotName, const std::string& text, int top) {
            const test::Shot shot = run.LoadShot(shotName);
            return shot.Loaded() &&
                   Mismatches(shot, FontPixels(text, kFameLeft, top, kWidth), kFameLeft, top, kWidth) == 0;
        };
        if (c.afterClick != nullptr) {
            EXPECT_TRUE(reads("clicked", c.afterClick, kRouteTop)) << c.lastLine;
        }
        EXPECT_TRUE(reads("world", c.firstRow, kFameTop)) << c.lastLine;
        EXPECT_TRUE(reads("world", c.lastLine, kRouteTop)) << c.lastLine;
    }
    EXPECT_EQ(asked, "/api/v1/mazes/classic/top");
    world.stop();
    serving.join();
}

}  // namespace
