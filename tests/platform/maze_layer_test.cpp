// The file names' maze layer: a numbered maze's pictures read before the data folder's, its
// players' files (and the files named after them) kept in its own folder, everything else as before.
#include "platform/core/maze_layer.h"

#include <gtest/gtest.h>

#include "platform/api/file_names.h"
#include "platform/core/file_folders.h"
#include "support/scratch_dir.h"

namespace {

class MazeLayerTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"data/maze02.bmp", "data/hilite2.bmp", "data/hiscore.dat", "data/sounds/bell.wav",
                                 "options.ini", "cache/Maze02.bmp", "cache/background.bmp"})
            scratch_.Write(name, "");
        platform::FileFolders folders;
        folders.data = scratch_ / "data";
        platform::UseFileFolders(folders);
        platform::UseMazeLayer({scratch_ / "cache", scratch_ / "data/mazes/7", {"hiscore.dat", "winner.dat"}});
    }
    void TearDown() override {
        platform::UseMazeLayer({});
        platform::UseFileFolders({});
    }
    ScratchDir scratch_;
};

TEST_F(MazeLayerTest, ReadsTheMazesFolderFirstAndKeepsItsPlayersFilesApart) {
    const struct {
        const char* name;
        const char* read;   // below the scratch folder
        const char* write;  // likewise; the same as `read` when null
    } cases[] = {
        {".\\maze02.bmp", "cache/Maze02.bmp", "data/maze02.bmp"},
        {"BACKGROUND.BMP", "cache/background.bmp", "data/BACKGROUND.BMP"},
        {".\\hilite2.bmp", "data/hilite2.bmp", nullptr},
        {"sounds\\bell.wav", "data/sounds/bell.wav", nullptr},
        {"..\\options.ini", "options.ini", nullptr},
        // The classic hall of fame is there, but the maze's own is not yet: it is a new file.
        {".\\hiscore.dat", "data/mazes/7/hiscore.dat", nullptr},
        {"Winner.dat", "data/mazes/7/Winner.dat", nullptr},
        {".\\hiscore.dat.0badf00d.tmp", "data/mazes/7/hiscore.dat.0badf00d.tmp", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::NativePath(c.name), scratch_ / c.read) << c.name;
        EXPECT_EQ(platform::NativeWritePath(c.name), scratch_ / (c.write != nullptr ? c.write : c.read)) << c.name;
    }
}

TEST_F(MazeLayerTest, TheClassicMazeHasNoLayer) {
    platform::UseMazeLayer({});
    EXPECT_EQ(platform::NativePath(".\\maze02.bmp"), scratch_ / "data/maze02.bmp");
    EXPECT_EQ(platform::NativePath(".\\hiscore.dat"), scratch_ / "data/hiscore.dat");
}

}  // namespace
