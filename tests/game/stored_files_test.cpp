// The hall of fame, the winners' file and the players, against their files' bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "game/hall_of_fame.h"
#include "game/player_settings.h"
#include "game/winner_file.h"
#include "platform/core/file_faults.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

class StoredFilesTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::set<std::string> FolderNames() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
        return names;
    }

    ScratchDir scratch_;
    fs::path folder_{scratch_.Path()};
};

std::int32_t Int32At(const std::string& bytes, size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(v);
}

TEST_F(StoredFilesTest, InsertKeepsBestFirstAndOlderFirstAmongEquals) {
    HallOfFame fame;
    fame.Allocate(20);
    EXPECT_EQ(fame.Insert("zero", 0), 0) << "0 never enters a table of empty records";
    EXPECT_EQ(fame.Insert("first", 500), 1);
    EXPECT_EQ(fame.Insert("second", 500), 1);
    EXPECT_EQ(fame.Insert("best", 900), 1);
    EXPECT_STREQ(fame.Records()[0].text, "best");
    EXPECT_STREQ(fame.Records()[1].text, "first");
    EXPECT_STREQ(fame.Records()[2].text, "second");
    EXPECT_EQ(fame.TopScore(), 900);
    for (int i = 0; i < 17; ++i) EXPECT_EQ(fame.Insert("filler", 1000 + i), 1);
    EXPECT_STREQ(fame.Records()[19].text, "second") << "the table is full now";
    EXPECT_EQ(fame.Insert("new", 600), 1);
    EXPECT_STREQ(fame.Records()[18].text, "new");
    EXPECT_STREQ(fame.Records()[19].text, "first") << "\"second\" dropped out";
    EXPECT_EQ(fame.Insert("too low", 500), 0) << "equal to the last goes after it: out";
}

TEST_F(StoredFilesTest, SavedTableHasItsLayoutAndLoadsBack) {
    HallOfFame fame;
    fame.Allocate(20);
    fame.Insert("Player1:::Y", 123456);
    fame.Insert("Ann:Main St:ann@x:N", -5 + 200000);
    ASSERT_EQ(fame.Save(Path("hiscore.dat").c_str()), 1);
    const std::string bytes = Read("hiscore.dat");
    ASSERT_EQ(bytes.size(), 5204u);
    EXPECT_EQ(Int32At(bytes, 0), 20);
    EXPECT_EQ(std::string(bytes.c_str() + 4), "Ann:Main St:ann@x:N");
    EXPECT_EQ(Int32At(bytes, 4 + 256), 199995);
    EXPECT_EQ(std::string(bytes.c_str() + 4 + 260), "Player1:::Y");
    EXPECT_EQ(Int32At(bytes, 4 + 260 + 256), 123456);
    EXPECT_EQ(FolderNames(), std::set<std::string>{"hiscore.dat"}) << "no temporary file stays";

    HallOfFame loaded;
    loaded.Allocate(20);
    ASSERT_EQ(loaded.Load(Path("hiscore.dat").c_str()), 1);
    EXPECT_EQ(loaded.TopScore(), 199995);
    EXPECT_STREQ(loaded.Records()[1].text, "Player1:::Y");
}

TEST_F(StoredFilesTest, ShortWrongOrUnterminatedFilesNeverHalfLoad) {
    HallOfFame fame;
    fame.Allocate(20);
    fame.Insert("someone", 77);
    ASSERT_EQ(fame.Save(Path("hiscore.dat").c_str()), 1);
    std::string bytes = Read("hiscore.dat");

    Write("short.dat", bytes.substr(0, 5000));
    HallOfFame shortTable;
    shortTable.Allocate(20);
    EXPECT_EQ(shortTable.Load(Path("short.dat").c_str()), 0);
    EXPECT_EQ(shortTable.TopScore(), 0);
    EXPECT_STREQ(shortTable.Records()[0].text, "");

    std::string wrongCount = bytes;
    wrongCount[0] = 19;
    Write("count.dat", wrongCount);
    EXPECT_EQ(shortTable.Load(Path("count.dat").c_str()), 0);
    EXPECT_EQ(shortTable.Load(Path("missing.dat").c_str()), 0);

    std::string unterminated = bytes;
    std::memset(unterminated.data() + 4, 'A', 256);
    Write("long.dat", unterminated);
    ASSERT_EQ(shortTable.Load(Path("long.dat").c_str()), 1);
    EXPECT_EQ(std::strlen(shortTable.Records()[0].text), 255u);
}

TEST_F(StoredFilesTest, AFailedSaveLeavesTheOldFileAndNoLeftovers) {
    HallOfFame fame;
    fame.Allocate(20);
    fame.Insert("kept", 10);
    ASSERT_EQ(fame.Save(Path("hiscore.dat").c_str()), 1);
    const std::string before = Read("hiscore.dat");
    fame.Insert("lost", 20);
    platform::faults::FailWrites(true);
    EXPECT_EQ(fame.Save(Path("hiscore.dat").c_str()), 0);
    platform::faults::FailWrites(false);
    EXPECT_EQ(Read("hiscore.dat"), before);
    // A folder in the stored file's place fails the last step: the temporary file goes again.
    fs::create_directory(Path("in-the-way"));
    EXPECT_EQ(fame.Save(Path("in-the-way").c_str()), 0);
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"hiscore.dat", "in-the-way"}));
    EXPECT_EQ(fame.Save(Path("no-such-folder/hiscore.dat").c_str()), 0);
    EXPECT_FALSE(fs::exists(Path("no-such-folder")));
}

TEST_F(StoredFilesTest, WinnerFileHoldsCountRandomAndDirections) {
    ASSERT_TRUE(SaveWinnerFile(Path("winner.dat").c_str(), {1, 2, 4, 8, 8, 2, 1}, 4242));
    const std::string bytes = Read("winner.dat");
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(Int32At(bytes, 0), 7);
    EXPECT_EQ(Int32At(bytes, 4), 4242);
    EXPECT_EQ(Int32At(bytes, 8), 1);
    EXPECT_EQ(Int32At(bytes, 8 + 4 * 6), 1);
    EXPECT_EQ(Int32At(bytes, 8 + 4 * 3), 8);
}

TEST_F(StoredFilesTest, PlayerTextsFromOddOptionsFiles) {
    PlayerSettings players;
    char text[256];
    players.SetIniPath(Path("options.ini").c_str());
    EXPECT_EQ(players.ReadPlayerId(), 0);
    players.PlayerText(0, text);
    EXPECT_STREQ(text, "Player1:::Y") << "no file at all";

    Write("options.ini", "[setup]\r\nplayerid=2\r\n[Player3]\r\nname=Cara\r\nsend=No\r\naddress=  Farm Lane  \r\n");
    EXPECT_EQ(players.ReadPlayerId(), 2);
    players.PlayerText(2, text);
    EXPECT_STREQ(text, "Cara:Farm Lane::N");

    for (const char* id : {"abc", "9", "-1"}) {
        Write("options.ini", std::string("[setup]\nplayerid=") + id + "\n");
        EXPECT_EQ(players.ReadPlayerId(), 0) << id;
    }
    Write("options.ini", "[Player1]\nname=" + std::string(100, 'n') + "\n");
    players.PlayerText(0, text);
    EXPECT_EQ(std::string(text), std::string(63, 'n') + ":::Y");
}

TEST_F(StoredFilesTest, WritingPlayersKeepsTheRestOfTheOptionsFile) {
    Write("options.ini", "[setup]\r\nmusic=N\r\n");
    PlayerSettings players;
    players.SetIniPath(Path("options.ini").c_str());
    players.ResetPlayer(1);
    players.WritePlayerId(1);
    EXPECT_EQ(players.ReadPlayerId(), 1);
    char text[256];
    players.PlayerText(1, text);
    EXPECT_STREQ(text, "Player2:::Y");
    EXPECT_NE(Read("options.ini").find("music=N"), std::string::npos);
}

}  // namespace
