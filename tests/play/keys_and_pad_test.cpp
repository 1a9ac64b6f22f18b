// The keyboard and the game pad play the game exactly as clicks do, and F12 keeps a picture of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "support/replay_run.h"

namespace {

namespace fs = std::filesystem;

std::string Generated(const std::string& name) {
    return test::ReadWholeFile(std::string(STALKWAY_BINARY_DIR) + "/game/scripts/" + name);
}

// The script with every click on New game and on an arrow made a key press (or pad press) with the
// pointer moved there first, so that the two games differ in nothing but the input.
std::string ByKeys(const std::string& script, bool pad) {
    std::istringstream lines(script);
    std::ostringstream out;
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string word;
        int x = 0, y = 0;
        if (!(words >> word) || word != "click" || !(words >> x >> y) || (x < 583 && x != 68)) {
            out << line << '\n';
            continue;
        }
        const char* horizontal = x < 670 ? "Left" : "Right";
        const char* vertical = x < 670 ? "Up" : "Down";
        const std::string name = x == 68 ? (pad ? "A" : "N") : (y < 360 ? horizontal : vertical);
        out << "move " << x << ' ' << y << '\n' << (pad ? "pad " : "key ") << name << '\n';
    }
    return out.str();
}

void ExpectSameRun(const test::ReplayRun& clicks, const test::ReplayRun& other, const std::string& how) {
    EXPECT_EQ(clicks.Log(), other.Log()) << how;
    EXPECT_EQ(clicks.ReadFile("audio.wav"), other.ReadFile("audio.wav")) << how;
    for (const char* file : {"hiscore.dat", "winner.dat"})
        EXPECT_EQ(clicks.ReadFile(file), other.ReadFile(file)) << how;
    for (const auto& shot : fs::directory_iterator(clicks.Folder() + "/shots")) {
        const std::string name = shot.path().stem().string();
        EXPECT_EQ(test::ReadWholeFile(shot.path().string()),
                  test::ReadWholeFile(other.Folder() + "/shots/" + name + ".png"))
            << how << ": shot " << name;
    }
}

TEST(KeysAndPad, APerfectGameByKeysOrByPadGivesTheSamePicturesSoundsAndHallOfFameAsByClicks) {
    const std::string script = Generated("perfect.script");
    const std::vector<std::string> options = {"--shots", "shots", "--audio", "audio.wav"};
    test::ReplayRun clicks, keys, pad;
    for (test::ReplayRun* run : {&clicks, &keys, &pad}) run->CopyGameData();
    ASSERT_EQ(clicks.Run(script, options), 0) << clicks.Stderr();
    ASSERT_EQ(keys.Run(ByKeys(script, false), options), 0) << keys.Stderr();
    ASSERT_EQ(pad.Run(ByKeys(script, true), options), 0) << pad.Stderr();
    ASSERT_NE(clicks.Log().find("sound congrats"), std::string::npos);
    ASSERT_FALSE(clicks.ReadFile("winner.dat").empty());
    ExpectSameRun(clicks, keys, "keys");
    ExpectSameRun(clicks, pad, "pad");
}

// With the pointer away from every button, each key still finds its button: Back takes the move
// back, H opens the help page and a pad button closes it, the stick moves as the d-pad does. (The
// perfect route starts up, then down.)
TEST(KeysAndPad, KeysFindTheirButtonsWhereverThePointerIs) {
    test::ReplayRun run;
    run.CopyGameData();
    const std::string script =
        "frames 50\nmove 300 20\nkey N\nframes 3\nkey Up\nframes 3\nshot one\nkey Down\nframes 3\nshot two\n"
        "key Backspace\nframes 3\nshot back\npad StickDown\nframes 3\nshot stick\npad B\nframes 3\nkey H\n"
        "frames 5\nshot help\npad Y\nframes 5\nshot closed\npad Down\nframes 3\nshot after-help\n";
    ASSERT_EQ(run.Run(script, {"--shots", "shots"}), 0) << run.Stderr();
    const test::Shot one = run.LoadShot("one"), two = run.LoadShot("two"), back = run.LoadShot("back");
    const test::Shot stick = run.LoadShot("stick"), help = run.LoadShot("help"), closed = run.LoadShot("closed");
    const test::Shot afterHelp = run.LoadShot("after-help");
    auto sameMaze = [](const test::Shot& a, const test::Shot& b) {
        for (int y = 61; y < 481; ++y)
            for (int x = 116; x < 536; ++x)
                if (a.At(x, y) != b.At(x, y)) return false;
        return true;
    };
    EXPECT_FALSE(sameMaze(one, two)) << "Down moved";
    EXPECT_TRUE(sameMaze(one, back)) << "Backspace took it back";
    EXPECT_TRUE(sameMaze(two, stick)) << "the stick moved down as the key did";
    EXPECT_FALSE(sameMaze(one, help)) << "the help page covers the maze";
    EXPECT_TRUE(sameMaze(one, closed)) << "B took it back, a pad button closed the page and moved nothing";
    EXPECT_TRUE(sameMaze(two, afterHelp)) << "the pad works again after the page";
    // Up, Down, the stick and the d-pad: four moves, each with its sound.
    const std::string log = run.Log();
    size_t moves = 0;
    for (size_t at = log.find("sound positive"); at != std::string::npos; at = log.find("sound positive", at + 1))
        ++moves;
    EXPECT_EQ(moves, 4u);
}

// The game's notice line, centred at the bottom, as wide as "Screenshot not saved".
constexpr int kNoticeTop = 580, kNoticeBottom = 598, kNoticeLeft = 279, kNoticeRight = 521;

// The picture F12 keeps is the one presented, byte for byte as the runner's own shot of it; a
// picture that cannot be written is said so and the game goes on.
TEST(KeysAndPad, F12KeepsThePresentedPictureInThePicturesFolder) {
    test::ReplayRun run;
    run.CopyGameData();
    const fs::path pictures = fs::path(run.Folder()) / "pictures";
    setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
    const std::string script =
        "frames 50\nclick 68 238\nframes 20\nshot before\nkey F12\nframes 5\nshot notice\n"
        "frames 450\nshot gone\n";
    ASSERT_EQ(run.Run(script, {"--shots", "shots"}), 0) << run.Stderr();
    const fs::path saved = pictures / "Stalkway" / "stalkway-19700101-000000.png";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_NE(run.Log().find("screenshot saved: " + saved.string()), std::string::npos) << run.Log();
    EXPECT_EQ(test::ReadWholeFile(saved.string()), test::ReadWholeFile(run.Folder() + "/shots/before.png"));
    const test::Shot before = run.LoadShot("before"), notice = run.LoadShot("notice"), gone = run.LoadShot("gone");
    int changed = 0, left = 0;
    for (int y = kNoticeTop; y < kNoticeBottom; ++y) {
        for (int x = kNoticeLeft; x < kNoticeRight; ++x) {
            changed += before.At(x, y) != notice.At(x, y);
            left += before.At(x, y) != gone.At(x, y);
        }
    }
    EXPECT_GT(changed, 100) << "the notice shows";
    EXPECT_EQ(left, 0) << "and goes again";

    // A second picture in the same second takes a name of its own; a folder that refuses writes
    // refuses the picture too, and the game goes on.
    ASSERT_EQ(run.Run(script, {"--shots", "shots"}), 0) << run.Stderr();
    const fs::path second = pictures / "Stalkway" / "stalkway-19700101-000000-2.png";
    EXPECT_EQ(test::ReadWholeFile(second.string()), test::ReadWholeFile(saved.string()));
    EXPECT_NE(run.Log().find("screenshot saved: " + second.string()), std::string::npos) << run.Log();
    fs::remove_all(pictures);
    ASSERT_EQ(run.Run(script + "key N\nframes 3\n", {"--shots", "shots", "--fail", "write"}), 0) << run.Stderr();
    const test::Shot failed = run.LoadShot("notice");
    int differs = 0;
    for (int y = kNoticeTop; y < kNoticeBottom; ++y)
        for (int x = kNoticeLeft; x < kNoticeRight; ++x) differs += failed.At(x, y) != notice.At(x, y);
    EXPECT_GT(differs, 0) << "the failure says so, not that it was saved";
    EXPECT_NE(run.Log().find("screenshot could not be written: "), std::string::npos) << run.Log();
    EXPECT_FALSE(fs::exists(pictures)) << "not even the folder is made";
    unsetenv("XDG_PICTURES_DIR");
}

}  // namespace
