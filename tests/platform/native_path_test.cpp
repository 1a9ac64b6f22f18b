#include "platform/api/file_names.h"
#include "platform/core/name_matching.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

using platform::NativePath;

class NativePathTest : public testing::Test {
protected:
    void SetUp() override {
        scratch_.Write("Game/Sounds/Bell.WAV", "");
        scratch_.Write("Game/options.ini", "");
        scratch_.Write("Launcher/portico.exe", "");
        for (const char* name : {"Game/Stalkway/data.INI", "Game/Stalkway/Data.ini", "Game/Stalkway/DATA.ini"}) {
            scratch_.Write(name, "");
        }
    }
    ScratchDir scratch_;
};

TEST_F(NativePathTest, MatchesEachComponentWithoutRegardToCase) {
    WorkingDir cwd(scratch_ / "Game");
    EXPECT_EQ(NativePath(".\\Sounds\\Bell.WAV"), "Sounds/Bell.WAV");
    EXPECT_EQ(NativePath("sounds\\bell.wav"), "Sounds/Bell.WAV");
    EXPECT_EQ(NativePath("SOUNDS/BELL.wav"), "Sounds/Bell.WAV");
    EXPECT_EQ(NativePath("Sounds\\\\.\\Bell.wav\\"), "Sounds/Bell.WAV");
}

TEST_F(NativePathTest, PrefersTheExactEntryElseTheFirstInSortedOrder) {
    WorkingDir cwd(scratch_ / "Game/Stalkway");
    EXPECT_EQ(NativePath("Data.ini"), "Data.ini");
    EXPECT_EQ(NativePath("data.ini"), "DATA.ini");
    EXPECT_EQ(NativePath("..\\OPTIONS.INI"), "../options.ini");
}

TEST_F(NativePathTest, NewNamesKeepTheirLastComponentsAsGiven) {
    WorkingDir cwd(scratch_ / "Game");
    EXPECT_EQ(NativePath("SOUNDS\\New.wav"), "Sounds/New.wav");
    EXPECT_EQ(NativePath("Missing\\Sub\\File.txt"), "Missing/Sub/File.txt");
    // ".." goes by name, as on Windows, even below a folder that does not exist.
    EXPECT_EQ(NativePath("missing\\..\\sounds\\bell.wav"), "Sounds/Bell.WAV");
    EXPECT_EQ(NativePath("..\\..\\x"), "../../x");
}

TEST_F(NativePathTest, AbsoluteAndMixedNames) {
    // A native folder from the command line with a Windows-style name after it.
    const std::string launcher = scratch_ / "Launcher";
    EXPECT_EQ(NativePath((launcher + "\\Portico.exe").c_str()), launcher + "/portico.exe");
    EXPECT_EQ(NativePath((scratch_ / "game\\sounds").c_str()), scratch_ / "Game/Sounds");
    EXPECT_EQ(NativePath("\\"), "/");
    EXPECT_EQ(NativePath("/.."), "/");
}

TEST(NativePathEdgeTest, ParentsOfAGivenRootAreLeftByName) {
    // One path for one file, however it was named: the browser keeps files by their path.
    const struct {
        const char* root;
        const char* name;
        bool confined;
        const char* path;
    } cases[] = {
        {"/data", "..\\options.ini", false, "/options.ini"},     {"/game/data", "..\\..\\x", false, "/x"},
        {"Stalkway", "..\\options.ini", false, "./options.ini"}, {"../data", "..\\x", false, "../x"},
        {"/data", "..\\options.ini", true, "/data/options.ini"}, {"/data", "sub\\..\\..\\x", false, "/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MatchName(c.root, c.name, c.confined), c.path) << c.root << " " << c.name;
}

TEST(NativePathEdgeTest, EmptyNullAndCurrentFolder) {
    EXPECT_EQ(NativePath(nullptr), "");
    EXPECT_EQ(NativePath(""), "");
    EXPECT_EQ(NativePath(".\\"), ".");
    EXPECT_EQ(NativePath("a\\.."), ".");
}
