// The hall of fame under several games, damage and failed saves, against the file on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/score_keeper.h"
#include "platform/core/file_faults.h"
#include "support/hall_of_fame_file.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

class ScoreKeeperTest : public ::testing::Test {
protected:
    void TearDown() override { platform::faults::Clear(); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::vector<test::HallOfFameEntry> Stored() const {
        std::string why;
        auto entries = test::ParseHallOfFame(Read("hiscore.dat"), &why);
        EXPECT_TRUE(entries.has_value()) << why;
        return entries.value_or(std::vector<test::HallOfFameEntry>(20));
    }

    ScratchDir scratch_;
    fs::path folder_{scratch_.Path()};
};

using Offered = ScoreKeeper::Offered;

TEST_F(ScoreKeeperTest, GamesStartedTogetherBothKeepTheirScores) {
    ScoreKeeper slow(Path("hiscore.dat"));
    ScoreKeeper quick(Path("hiscore.dat"));
    slow.Reload();
    quick.Reload();
    EXPECT_EQ(quick.Offer("quick", 875574), Offered::kStored);
    EXPECT_EQ(slow.Offer("slow", 2214822), Offered::kStored);
    const auto stored = Stored();
    EXPECT_EQ(stored[0], (test::HallOfFameEntry{"slow", 2214822}));
    EXPECT_EQ(stored[1], (test::HallOfFameEntry{"quick", 875574}));
    EXPECT_EQ(slow.Shown().Records()[1].score, 875574) << "the other game's score shows after saving";
    EXPECT_EQ(quick.Offer("low", 0), Offered::kNotEntered);
}

TEST_F(ScoreKeeperTest, ADamagedTableIsMovedAsideBeforeTheFirstSave) {
    const std::string oneShort = test::HallOfFameBytes({{"someone", 5000}}).substr(0, 5203);
    Write("hiscore.dat", oneShort);
    ScoreKeeper game(Path("hiscore.dat"));
    game.Reload();
    EXPECT_EQ(game.Shown().TopScore(), 0) << "it reads as an empty table";
    EXPECT_EQ(Read("hiscore.dat"), oneShort) << "reading changes nothing";

    EXPECT_EQ(game.Offer("new", 40), Offered::kStored);
    EXPECT_EQ(Read("hiscore.dat.damaged"), oneShort);
    EXPECT_EQ(Stored()[0], (test::HallOfFameEntry{"new", 40}));

    std::string wrongCount = test::HallOfFameBytes({{"other", 7}});
    wrongCount[0] = 19;
    Write("hiscore.dat", wrongCount);
    game.Reload();
    EXPECT_EQ(game.Offer("newer", 50), Offered::kStored);
    EXPECT_EQ(Read("hiscore.dat.damaged"), oneShort) << "an earlier copy is never replaced";
    EXPECT_EQ(Read("hiscore.dat.damaged.1"), wrongCount);
    EXPECT_EQ(Stored()[0], (test::HallOfFameEntry{"newer", 50}));
}

TEST_F(ScoreKeeperTest, AScoreThatCouldNotBeSavedGoesWithTheNextSave) {
    Write("hiscore.dat", test::HallOfFameBytes({{"old", 50}}));
    const std::string before = Read("hiscore.dat");
    ScoreKeeper game(Path("hiscore.dat"));
    game.Reload();
    platform::faults::FailWrites(true);
    EXPECT_EQ(game.Offer("unsaved", 200), Offered::kKept);
    EXPECT_EQ(game.Shown().TopScore(), 200);
    game.Reload();
    EXPECT_EQ(game.Shown().TopScore(), 200) << "a new game still shows it";
    EXPECT_EQ(game.Waiting(), 1);
    EXPECT_EQ(Read("hiscore.dat"), before);

    platform::faults::FailWrites(false);
    EXPECT_EQ(game.Offer("next", 100), Offered::kStored);
    EXPECT_EQ(game.Waiting(), 0);
    const auto stored = Stored();
    EXPECT_EQ(stored[0], (test::HallOfFameEntry{"unsaved", 200}));
    EXPECT_EQ(stored[1], (test::HallOfFameEntry{"next", 100}));
    EXPECT_EQ(stored[2], (test::HallOfFameEntry{"old", 50}));
}

// Only a missing file is an empty table. One that is there but cannot be read (refused to this
// player, or a link that leads nowhere readable) stays as it is, and the scores wait for it.
TEST_F(ScoreKeeperTest, ATableThatCannotBeReadIsLeftAloneAndTheScoresWait) {
    const std::string perfect = test::HallOfFameBytes({{"perfect", 2214822}});
    const std::vector<std::pair<const char*, std::function<void()>>> unreadable = {
        {"refused", [] { platform::faults::RefuseFile("hiscore.dat"); }},
        {"link loop",
         [this] {
             fs::remove(Path("hiscore.dat"));
             fs::create_symlink("hiscore.dat", Path("hiscore.dat"));
         }},
    };
    for (const auto& [what, makeUnreadable] : unreadable) {
        Write("hiscore.dat", perfect);
        makeUnreadable();
        const bool link = fs::is_symlink(Path("hiscore.dat"));
        ScoreKeeper game(Path("hiscore.dat"));
        game.Reload();
        EXPECT_EQ(game.Offer("short", 875574), Offered::kKept) << what;
        EXPECT_EQ(game.Waiting(), 1) << what;
        EXPECT_EQ(fs::is_symlink(Path("hiscore.dat")), link) << what;
        if (!link) {
            EXPECT_EQ(Read("hiscore.dat"), perfect) << what;
        }
        EXPECT_FALSE(fs::exists(Path("hiscore.dat.damaged"))) << what;

        platform::faults::Clear();
        fs::remove(Path("hiscore.dat"));
        Write("hiscore.dat", perfect);
        EXPECT_EQ(game.Offer("later", 100), Offered::kStored) << what;
        const auto stored = Stored();
        EXPECT_EQ(stored[0], (test::HallOfFameEntry{"perfect", 2214822})) << what;
        EXPECT_EQ(stored[1], (test::HallOfFameEntry{"short", 875574})) << what;
    }
}

}  // namespace
