// Injected file faults: a folder that refuses every write, and files hidden as if missing. Every
// way the program reaches a file has to honour them, or the runner's fault tests prove nothing.
#include <gtest/gtest.h>

#include <string>

#include "platform/bmp_builder.h"
#include "platform/qz/bmp_decoder.h"
#include "platform/core/file_faults.h"
#include "platform/api/kernel.h"
#include "support/scratch_dir.h"

namespace {

HANDLE Open(const char* name, DWORD access, DWORD disposition) {
    return CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Opens(const char* name, DWORD access, DWORD disposition) {
    HANDLE file = Open(name, access, disposition);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string Profile(const char* file) {
    char value[64];
    GetPrivateProfileStringA("setup", "music", "default", value, sizeof value, file);
    return value;
}

class FileFaults : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_.Write("data.bin", "stored");
        scratch_.Write("options.ini", "[setup]\nmusic=N\n");
        scratch_.Write("sounds/Bell.wav", "RIFF");
        scratch_.Write("bell.wav", "RIFF");
        scratch_.Write("xsounds/bell.wav", "RIFF");
        testing_bmp::WriteFile(scratch_ / "maze.bmp", testing_bmp::BuildBmp({.pixels = {1, 2, 3, 0}}));
    }
    void TearDown() override { platform::faults::Clear(); }

    ScratchDir scratch_;
    WorkingDir inScratch_{scratch_.Path()};
};

TEST_F(FileFaults, AFolderThatRefusesWritesStillReadsButChangesNothing) {
    platform::faults::FailWrites(true);
    EXPECT_TRUE(Opens("data.bin", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(Profile("options.ini"), "N");
    EXPECT_FALSE(Opens("data.bin", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_FALSE(Opens("data.bin", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING));
    // Creating or emptying is writing, whatever access is asked for.
    EXPECT_FALSE(Opens("data.bin", GENERIC_READ, CREATE_ALWAYS));
    EXPECT_FALSE(Opens("new.bin", GENERIC_READ, OPEN_ALWAYS));
    EXPECT_FALSE(WritePrivateProfileStringA("setup", "music", "Y", "options.ini"));
    EXPECT_FALSE(MoveFileExA("data.bin", "moved.bin", MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(DeleteFileA("data.bin"));
    EXPECT_EQ(ReadBytes(scratch_ / "data.bin"), "stored");
    EXPECT_EQ(ReadBytes(scratch_ / "options.ini"), "[setup]\nmusic=N\n");
    EXPECT_EQ(ReadBytes(scratch_ / "new.bin"), "<missing>");

    platform::faults::FailWrites(false);
    EXPECT_TRUE(WritePrivateProfileStringA("setup", "music", "Y", "options.ini"));
    EXPECT_TRUE(DeleteFileA("data.bin"));
}

TEST_F(FileFaults, AHiddenFileIsMissingForEveryKindOfOpenAndOnlyItIs) {
    platform::faults::HideFile("Sounds\\BELL.WAV");
    platform::faults::HideFile("maze.bmp");
    platform::faults::HideFile("options.ini");
    EXPECT_FALSE(Opens(".\\sounds\\Bell.wav", GENERIC_READ, OPEN_EXISTING));
    EXPECT_FALSE(Opens("sounds/bell.wav", GENERIC_WRITE, CREATE_ALWAYS));
    // Another file of the same name elsewhere, or a folder that merely ends like it, is not hidden.
    EXPECT_TRUE(Opens("bell.wav", GENERIC_READ, OPEN_EXISTING));
    EXPECT_TRUE(Opens("xsounds\\bell.wav", GENERIC_READ, OPEN_EXISTING));
    EXPECT_FALSE(platform::LoadBmpFile(scratch_ / "maze.bmp").has_value());
    EXPECT_EQ(Profile("options.ini"), "default");
    EXPECT_FALSE(WritePrivateProfileStringA("setup", "music", "Y", "options.ini"));
    EXPECT_EQ(ReadBytes(scratch_ / "options.ini"), "[setup]\nmusic=N\n");
    EXPECT_FALSE(MoveFileExA("maze.bmp", "moved.bmp", 0));
    EXPECT_FALSE(DeleteFileA("maze.bmp"));
    platform::faults::HideFile("target.bin");
    EXPECT_TRUE(MoveFileExA("bell.wav", "target.bin", 0)) << "a file may take a missing one's place";

    platform::faults::Clear();
    EXPECT_TRUE(Opens("sounds\\bell.wav", GENERIC_READ, OPEN_EXISTING));
    EXPECT_TRUE(platform::LoadBmpFile(scratch_ / "maze.bmp").has_value());
    EXPECT_EQ(ReadBytes(scratch_ / "target.bin"), "RIFF");
    EXPECT_EQ(Profile("options.ini"), "N");
}

}  // namespace
