#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/game_controller.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// The best-score table works in the current folder, as the game does.
class InFolder : public ::testing::Test {
protected:
    ScratchDir scratch_;
    WorkingDir here_{scratch_.Path()};
};

class SharingGame : public GameController {
public:
    SharingGame() { bestFileTaken_ = true; }
};

TEST_F(InFolder, BestScoresAreKeptPerPlayer) {
    GameController game;
    EXPECT_EQ(game.LoadBest(), 0) << "no file yet";
    game.SetPlayerId(3);
    game.SetBest(4500);
    game.SaveBest();
    EXPECT_EQ(fs::file_size("hiscore.dat"), 40u);

    GameController other;
    other.SetPlayerId(3);
    EXPECT_EQ(other.LoadBest(), 4500);
    other.SetPlayerId(2);
    EXPECT_EQ(other.LoadBest(), 0);
}

TEST_F(InFolder, AGameWhoseHallOfFameUsesTheFileNeverWritesIt) {
    std::ofstream("hiscore.dat", std::ios::binary) << std::string(5204, 'x');
    SharingGame game;
    game.SetBest(99);
    game.SaveBest();
    EXPECT_EQ(fs::file_size("hiscore.dat"), 5204u);
    EXPECT_EQ(game.LoadBest(), 0);
}

TEST(GameController, BaseOperationsStoreAndAnswer) {
    GameController game;
    EXPECT_EQ(game.Frame(), -1);
    EXPECT_EQ(game.SetScore(12), 12);
    game.SetPlayState(kPlaying);
    game.SetExtra4(44);
    EXPECT_EQ(game.GetScore(), 12);
    EXPECT_EQ(game.GetPlayState(), kPlaying);
    EXPECT_EQ(game.GetExtra4(), 44);
    EXPECT_EQ(game.GetExtra5(), 0);
}

}  // namespace
