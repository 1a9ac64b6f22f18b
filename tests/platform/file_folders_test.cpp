// The game's relative names over an installed game's folders: reads fall back from the player's
// folders to the data folder, writes land in the player's folder alone, made private when first
// needed, and a player's folder that cannot be made refuses writes as a read-only disk does.
#include "platform/core/file_folders.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"
#include "platform/api/win32.h"
#include "support/scratch_dir.h"

namespace {

using platform::FileFolders;

class FileFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        scratch_.Write("data/Sounds/Bell.wav", "bell");
        scratch_.Write("data/setup.ini", "[setup]\r\nfullscreen=0\r\n");
        scratch_.Write("options.ini", "[setup]\r\nmusic=Y\r\n");
        scratch_.Write("config/stalkway/setup.ini", "[setup]\r\nfullscreen=1\r\n");
        FileFolders folders;
        folders.data = scratch_ / "data";
        folders.user = scratch_ / "home/data/stalkway";
        folders.settings = scratch_ / "config/stalkway";
        folders.separate = true;
        platform::UseFileFolders(folders);
    }
    void TearDown() override { platform::UseFileFolders({}); }

    static std::string Profile(const char* section, const char* key, const char* file) {
        char value[64] = {};
        GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file);
        return value;
    }
    static bool Create(const char* name, const std::string& bytes) {
        HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return ok && written == bytes.size();
    }

    ScratchDir scratch_;
    std::string user_ = scratch_ / "home/data/stalkway";
};

TEST_F(FileFoldersTest, ReadsTakeThePlayersCopyFirstThenTheSettingsThenTheData) {
    EXPECT_EQ(platform::NativePath(".\\sounds\\bell.wav"), scratch_ / "data/Sounds/Bell.wav");
    EXPECT_EQ(Profile("setup", "fullscreen", ".\\setup.ini"), "1");
    // The launcher's file sits above the data folder, and in the player's folders beside the rest.
    EXPECT_EQ(Profile("setup", "music", "..\\options.ini"), "Y");
    scratch_.Write("config/stalkway/options.ini", "[setup]\r\nmusic=N\r\n");
    EXPECT_EQ(Profile("setup", "music", "..\\options.ini"), "N");
    scratch_.Write("home/data/stalkway/SETUP.INI", "[setup]\r\nfullscreen=2\r\n");
    EXPECT_EQ(Profile("setup", "fullscreen", ".\\setup.ini"), "1") << "a profile is read from the settings first";
    scratch_.Write("home/data/stalkway/hiscore.dat", "mine");
    scratch_.Write("config/stalkway/hiscore.dat", "not read");
    EXPECT_EQ(platform::NativePath("hiscore.dat"), user_ + "/hiscore.dat");
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "home/data/stalkway/options.ini"));
}

TEST_F(FileFoldersTest, WritesRenamesAndDeletesGoToThePlayersFolderMadePrivate) {
    ASSERT_TRUE(Create("hiscore.dat.new", "scores"));
    struct stat info {};
    ASSERT_EQ(::stat(user_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_TRUE(MoveFileExA("hiscore.dat.new", ".\\hiscore.dat", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadBytes(user_ + "/hiscore.dat"), "scores");
    EXPECT_EQ(platform::NativePath("hiscore.dat"), user_ + "/hiscore.dat");
    // "..\\" cannot climb out of the player's folder into the home.
    ASSERT_TRUE(Create("..\\..\\winner.dat", "route"));
    EXPECT_EQ(ReadBytes(user_ + "/winner.dat"), "route");
    // A delete never reaches the data folder's copy behind the player's.
    EXPECT_FALSE(DeleteFileA("sounds\\bell.wav"));
    EXPECT_TRUE(std::filesystem::exists(scratch_ / "data/Sounds/Bell.wav"));
    EXPECT_TRUE(DeleteFileA("hiscore.dat"));
    EXPECT_FALSE(std::filesystem::exists(user_ + "/hiscore.dat"));
    EXPECT_EQ(ReadBytes(scratch_ / "data/setup.ini"), "[setup]\r\nfullscreen=0\r\n");
}

// Settings are written where they are read first, so that an edit there is never hidden.
TEST_F(FileFoldersTest, AnEditedProfileStartsFromTheCopyItReplacesInTheSettingsFolder) {
    ASSERT_TRUE(WritePrivateProfileStringA("Player1", "name", "Ida", "..\\options.ini"));
    const std::string settings = scratch_ / "config/stalkway";
    EXPECT_EQ(ReadBytes(settings + "/options.ini"), "[setup]\r\nmusic=Y\r\n[Player1]\r\nname=Ida\r\n");
    EXPECT_EQ(ReadBytes(scratch_ / "options.ini"), "[setup]\r\nmusic=Y\r\n");
    EXPECT_EQ(Profile("Player1", "name", "..\\options.ini"), "Ida");

    ASSERT_TRUE(WritePrivateProfileStringA("video", "width", "1024", ".\\setup.ini"));
    EXPECT_EQ(ReadBytes(settings + "/setup.ini"), "[setup]\r\nfullscreen=1\r\n[video]\r\nwidth=1024\r\n");
    EXPECT_FALSE(std::filesystem::exists(user_ + "/setup.ini"));
    scratch_.Write("config/stalkway/setup.ini", "[setup]\r\nfullscreen=0\r\n");
    EXPECT_EQ(Profile("setup", "fullscreen", ".\\setup.ini"), "0") << "the player's edit shows";
}

TEST_F(FileFoldersTest, APlayersFolderThatCannotBeMadeRefusesWritesAndReadsGoOn) {
    scratch_.Write("home/data", "a file where the folder should be");
    EXPECT_FALSE(Create("hiscore.dat", "scores"));
    EXPECT_FALSE(StoreFileA("winner.dat", "route", 5));
    EXPECT_FALSE(MoveFileExA("a", "b", 0));
    EXPECT_FALSE(DeleteFileA("hiscore.dat"));
    EXPECT_EQ(platform::NativeWritePath("hiscore.dat"), "");
    EXPECT_EQ(Profile("setup", "fullscreen", ".\\setup.ini"), "1");
    HANDLE bell = CreateFileA("sounds\\bell.wav", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(bell, INVALID_HANDLE_VALUE);
    CloseHandle(bell);
}

TEST_F(FileFoldersTest, AnInstalledGameReadsNothingFromBesideItsDataFolder) {
    std::filesystem::remove(scratch_ / "config/stalkway/setup.ini");
    EXPECT_EQ(Profile("setup", "music", "..\\options.ini"), "Y") << "a portable game's launcher file above the data";
    FileFolders installed = platform::CurrentFileFolders();
    installed.installed = true;
    platform::UseFileFolders(installed);
    EXPECT_EQ(Profile("setup", "music", "..\\options.ini"), "<none>");
    scratch_.Write("data/options.ini", "[setup]\r\nmusic=N\r\n");
    EXPECT_EQ(Profile("setup", "music", "..\\options.ini"), "N");
    EXPECT_EQ(Profile("setup", "fullscreen", "..\\setup.ini"), "0");
}

TEST_F(FileFoldersTest, APortableGameReadsAndWritesInItsDataFolder) {
    FileFolders portable;
    portable.data = scratch_ / "data";
    platform::UseFileFolders(portable);
    ASSERT_TRUE(Create("hiscore.dat", "scores"));
    EXPECT_EQ(ReadBytes(scratch_ / "data/hiscore.dat"), "scores");
    EXPECT_EQ(Profile("setup", "fullscreen", "setup.ini"), "0");
    EXPECT_EQ(platform::NativePath("..\\options.ini"), scratch_ / "options.ini");
    EXPECT_FALSE(std::filesystem::exists(user_));
}

}  // namespace
