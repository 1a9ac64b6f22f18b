// The launcher's side of the options file, read back as the game reads it; typed text; the hall
// of fame and winner file as the launcher shows them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game/hall_of_fame.h"
#include "game/player_settings.h"
#include "game/sound_switches.h"
#include "game/winner_file.h"
#include "launcher/hall_of_fame_view.h"
#include "launcher/launcher_options.h"
#include "launcher/text_field.h"
#include "platform/api/user.h"
#include "platform/headless/headless.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

class LauncherOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Reset(); }
    void TearDown() override { platform::headless::FailWrites(false); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    // What the game would show and store for its current player.
    std::string GameText() const {
        PlayerSettings game;
        game.SetIniPath(Path("options.ini").c_str());
        char text[256];
        game.PlayerText(game.ReadPlayerId(), text);
        return text;
    }

    ScratchDir scratch_;
    fs::path folder_{scratch_.Path()};
};

PlayerRecord Record(const char* name, const char* address, const char* email, const char* send) {
    PlayerRecord r{};
    std::snprintf(r.name, sizeof r.name, "%s", name);
    std::snprintf(r.address, sizeof r.address, "%s", address);
    std::snprintf(r.email, sizeof r.email, "%s", email);
    std::snprintf(r.send, sizeof r.send, "%s", send);
    return r;
}

TEST_F(LauncherOptionsTest, WhatTheLauncherWritesTheGameReadsBack) {
    LauncherOptions options;
    options.Load(Path("options.ini").c_str());
    for (int p = 0; p < PlayerSettings::kPlayers; ++p) EXPECT_FALSE(options.SlotUsed(p)) << p;
    EXPECT_EQ(options.Current(), 0);
    EXPECT_TRUE(options.Music());
    EXPECT_TRUE(options.Effects());

    ASSERT_TRUE(options.StorePlayer(0, Record("Ann Smith", "1 Mill Road", "ann@example.org", "Y")));
    ASSERT_TRUE(options.StorePlayer(1, Record("Bob Jones", "", "bob@example.org", "N")));
    ASSERT_TRUE(options.ChooseCurrent(1));
    ASSERT_TRUE(options.SetMusic(false));
    EXPECT_EQ(GameText(), "Bob Jones::bob@example.org:N");
    EXPECT_EQ(ReadSoundSwitch("music", Path("options.ini").c_str()), 0);
    EXPECT_EQ(ReadSoundSwitch("SFX", Path("options.ini").c_str()), 1);

    LauncherOptions again;
    again.Load(Path("options.ini").c_str());
    EXPECT_EQ(again.Current(), 1);
    EXPECT_TRUE(again.SlotUsed(0) && again.SlotUsed(1) && !again.SlotUsed(2));
    EXPECT_STREQ(again.Player(0).address, "1 Mill Road");
    EXPECT_FALSE(again.Music());
    EXPECT_TRUE(again.Effects());

    ASSERT_TRUE(again.ClearSlot(1));
    EXPECT_FALSE(again.SlotUsed(1));
    EXPECT_EQ(Read("options.ini").find("[Player2]"), std::string::npos);
    EXPECT_EQ(GameText(), "Player2:::Y") << "a cleared slot reads as the game's default player";
}

TEST_F(LauncherOptionsTest, HandEditedFilesReadAsTheGameReadsThem) {
    // Line ends of a single CR, sections missing, a playerid beyond the eight slots.
    Write("options.ini", "[Player3]\rname=Cara\raddress=Farm Lane\r[setup]\rplayerid=12\rmusic=no\r");
    LauncherOptions options;
    options.Load(Path("options.ini").c_str());
    EXPECT_EQ(options.Current(), 0) << "out of range selects player 1, as in the game";
    EXPECT_TRUE(options.SlotUsed(2));
    EXPECT_STREQ(options.Player(2).name, "Cara");
    EXPECT_STREQ(options.Player(2).address, "Farm Lane");
    EXPECT_FALSE(options.SlotUsed(0));
    EXPECT_FALSE(options.Music()) << "only an upper-case Y is on";
    EXPECT_TRUE(options.Effects());

    Write("options.ini", "; kept by hand\r\n[setup]\r\nplayerid=-1\r\n[Other]\r\nx=1\r\n");
    options.Load(Path("options.ini").c_str());
    EXPECT_EQ(options.Current(), 0);
    ASSERT_TRUE(options.ChooseCurrent(4));
    ASSERT_TRUE(options.StorePlayer(4, Record("Dee", "", "", "Y")));
    const std::string file = Read("options.ini");
    EXPECT_NE(file.find("; kept by hand"), std::string::npos);
    EXPECT_NE(file.find("[Other]"), std::string::npos);
    EXPECT_EQ(GameText(), "Dee:::Y");
}

TEST_F(LauncherOptionsTest, AFailedWriteSaysSoAndChangesNothing) {
    Write("options.ini", "[setup]\nplayerid=1\n[Player2]\nname=Bob\n");
    LauncherOptions options;
    options.Load(Path("options.ini").c_str());
    platform::headless::FailWrites(true);
    EXPECT_FALSE(options.StorePlayer(1, Record("Robert", "", "", "Y")));
    EXPECT_FALSE(options.ChooseCurrent(3));
    EXPECT_FALSE(options.SetEffects(false));
    EXPECT_FALSE(options.ClearSlot(1));
    platform::headless::FailWrites(false);
    EXPECT_STREQ(options.Player(1).name, "Bob") << "what is shown is what the file still holds";
    EXPECT_EQ(options.Current(), 1);
    EXPECT_TRUE(options.Effects());
    EXPECT_TRUE(options.SlotUsed(1));
    EXPECT_EQ(Read("options.ini"), "[setup]\nplayerid=1\n[Player2]\nname=Bob\n");
}

TEST_F(LauncherOptionsTest, AnUnreadableFileStartsEmptyWithPlayerOneCurrent) {
    fs::create_directories(folder_ / "options.ini");
    LauncherOptions options;
    options.Load(Path("options.ini").c_str());
    EXPECT_EQ(options.Current(), 0);
    for (int p = 0; p < PlayerSettings::kPlayers; ++p) EXPECT_FALSE(options.SlotUsed(p)) << p;
    EXPECT_FALSE(options.StorePlayer(0, Record("Ann", "", "", "Y")));
    EXPECT_FALSE(options.SlotUsed(0));
}

TEST(TextFieldTest, TakesPrintableTextUpToItsLimitAtTheCaret) {
    TextField field;
    field.Start("Ann", 5);
    EXPECT_FALSE(field.Type('\t'));
    EXPECT_FALSE(field.Type(0xE9)) << "the font draws printable ASCII only";
    EXPECT_FALSE(field.Type(':')) << "it separates the fields of the stored player text";
    field.MoveCaret(VK_LEFT);
    field.MoveCaret(VK_LEFT);
    EXPECT_TRUE(field.Type('x'));
    EXPECT_EQ(field.Text(), "Axnn");
    field.Backspace();
    field.Backspace();
    field.Backspace();
    EXPECT_EQ(field.Text(), "nn");
    EXPECT_EQ(field.Caret(), 0u);
    field.MoveCaret(VK_RIGHT);
    EXPECT_TRUE(field.Type('1') && field.Type('2') && field.Type('3'));
    EXPECT_FALSE(field.Type('4')) << "full";
    EXPECT_EQ(field.Text(), "n123n");
    field.Start(std::string(80, 'a'), 63);
    EXPECT_EQ(field.Text().size(), 63u);
}

TEST_F(LauncherOptionsTest, AcceptedTextIsWhatTheProfileFunctionsReadBack) {
    LauncherOptions options;
    options.Load(Path("options.ini").c_str());
    TextField field;
    for (const char* typed : {"  Ann  ", "'Bob'", " \"Cy Dee\" ", "O'Neil"}) {
        field.Start(typed, 63);
        PlayerRecord record = Record(field.Accepted().c_str(), "", "", "Y");
        ASSERT_TRUE(options.StorePlayer(0, record));
        PlayerSettings game;
        game.SetIniPath(Path("options.ini").c_str());
        game.ReadPlayer(0);
        EXPECT_EQ(std::string(game.Player(0).name), field.Accepted()) << typed;
    }
}

TEST_F(LauncherOptionsTest, HallOfFameRowsAndThePerfectRoute) {
    HallOfFame fame;
    fame.Allocate(20);
    fame.Insert("Bob Jones::bob@example.org:N", 900);
    fame.Insert("Ann:1 Mill Road::Y", 1200);
    ASSERT_EQ(fame.Save(Path("hiscore.dat").c_str()), 1);
    ASSERT_TRUE(SaveWinnerFile(Path("winner.dat").c_str(), {1, 2, 4, 8, 1, 2, 4}, 99));

    FameTable table = ReadFameTable(Path("hiscore.dat").c_str(), Path("winner.dat").c_str());
    ASSERT_EQ(table.rows.size(), 20u);
    EXPECT_EQ(table.rows[0].name, "Ann");
    EXPECT_EQ(table.rows[0].score, 1200);
    EXPECT_EQ(table.rows[1].name, "Bob Jones");
    EXPECT_EQ(table.rows[1].rank, 2);
    EXPECT_TRUE(table.rows[2].empty);
    EXPECT_EQ(table.perfectMoves, 7);

    // Damaged files show as empty, never as garbage.
    Write("hiscore.dat", Read("hiscore.dat").substr(0, 1000));
    Write("winner.dat", Read("winner.dat").substr(0, 20));
    table = ReadFameTable(Path("hiscore.dat").c_str(), Path("winner.dat").c_str());
    EXPECT_TRUE(table.rows[0].empty);
    EXPECT_EQ(table.perfectMoves, -1);
    EXPECT_EQ(ReadWinnerMoves(Path("missing.dat").c_str()), -1);
}

}  // namespace
