#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "profile_support.h"
#include "support/scratch_dir.h"

using namespace std::string_literals;

namespace {

const std::string kFixtures = STALKWAY_CORPORA "/ini/fixtures/";

class ProfileWriteTest : public testing::Test {
protected:
    BOOL Write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, file_.c_str());
    }
    std::string Text() const { return ReadBytes(file_); }

    ScratchDir scratch_;
    std::string file_ = scratch_ / "t.ini";
};

TEST_F(ProfileWriteTest, BuildsUpAndDeletes) {
    scratch_.Write("t.ini", "");
    EXPECT_TRUE(Write("Video", "Width", "640"));
    EXPECT_TRUE(Write("Video", "Height", "480"));
    EXPECT_TRUE(Write("Video", "Depth", "16"));
    EXPECT_TRUE(Write("Audio", "Rate", "22050"));
    EXPECT_TRUE(Write("Net", "Port", "2300"));
    EXPECT_EQ(Text(), ReadBytes(kFixtures + "case45_buildup_expected.ini"));

    EXPECT_TRUE(Write("Video", "Height", nullptr));
    const std::string once = Text();
    EXPECT_EQ(once, "[Video]\r\nWidth=640\r\nDepth=16\r\n[Audio]\r\nRate=22050\r\n[Net]\r\nPort=2300\r\n");
    EXPECT_TRUE(Write("Video", "Height", nullptr));
    EXPECT_EQ(Text(), once);
    EXPECT_TRUE(Write("Video", nullptr, "ignored"));
    EXPECT_TRUE(Write("Audio", nullptr, nullptr));
    EXPECT_EQ(Text(), "[Net]\r\nPort=2300\r\n");
    EXPECT_TRUE(Write("Net", "Port", nullptr));
    EXPECT_EQ(Text(), "[Net]\r\n");
}

TEST_F(ProfileWriteTest, CreatesFilesOnlyForValues) {
    EXPECT_TRUE(Write("App", nullptr, "x"));
    EXPECT_TRUE(Write("App", "Key", nullptr));
    EXPECT_FALSE(std::filesystem::exists(file_));
    EXPECT_FALSE(Write(nullptr, "Key", "v"));
    EXPECT_FALSE(std::filesystem::exists(file_));
    EXPECT_FALSE(WritePrivateProfileStringA("App", "Key", "v", ""));
    EXPECT_FALSE(WritePrivateProfileStringA("App", "Key", "v", (scratch_ / "no/t.ini").c_str()));
    scratch_.Write("file", "");
    EXPECT_FALSE(WritePrivateProfileStringA("App", "Key", "v", (scratch_ / "file/t.ini").c_str()));
    EXPECT_TRUE(Write("App", "Key", ""));
    EXPECT_EQ(Text(), "[App]\r\nKey=\r\n");
}

TEST_F(ProfileWriteTest, KeepsEveryOtherByte) {
    const std::string before = ReadBytes(kFixtures + "case55_prefix_before.bin");
    scratch_.Write("t.ini", before);
    EXPECT_TRUE(Write("Main", "Key", "Val"));
    EXPECT_EQ(Text(), ReadBytes(kFixtures + "case55_prefix_after.bin"));

    scratch_.Write("t.ini", ";top\n[Display]\nWidth=640\n; about width\n\n[Sound]\nSFX=Y");
    EXPECT_TRUE(Write("DISPLAY", "WIDTH", "800"));
    EXPECT_TRUE(Write(" Display ", " Depth ", "  16  "));
    EXPECT_TRUE(Write("sound", "Music", "N"));
    EXPECT_TRUE(Write("Display", ";K", "v"));
    EXPECT_EQ(Text(),
              ";top\n[Display]\nWidth=800\n; about width\nDepth=  16  \n;K=v\n\n"
              "[Sound]\nSFX=Y\nMusic=N\n");
    EXPECT_EQ(Value("Display", "Depth", "", file_), "2 16");
    EXPECT_EQ(Value("Display", ";K", "-", file_), "1 -");
    EXPECT_TRUE(Write("Display", nullptr, nullptr));
    EXPECT_EQ(Text(), ";top\n; about width\n;K=v\n[Sound]\nSFX=Y\nMusic=N\n");
}

TEST_F(ProfileWriteTest, NewKeysFollowTheirSectionInCrOnlyFiles) {
    scratch_.Write("t.ini", ReadBytes(kFixtures + "F1_cr.ini") + '\0');  // a stray NUL at the end
    EXPECT_TRUE(Write("Display", "Music", "on"));
    EXPECT_EQ(List("Display", nullptr, file_, 260), "30 Width\0Title\0Depth\0Gamma\0Music\0\0\f"s);
    EXPECT_EQ(Text().substr(0x3A, 10), "Music=on\r["s);
    EXPECT_TRUE(Write("Sound", "SFX", "Y"));
    EXPECT_EQ(Value("Sound", "SFX", "", file_), "1 Y");
}

TEST_F(ProfileWriteTest, WindowsNamesFindTheExistingFile) {
    scratch_.Write("Options.INI", "[setup]\r\n");
    scratch_.Write("Game/x", "");
    WorkingDir cwd(scratch_ / "Game");
    EXPECT_TRUE(WritePrivateProfileStringA("setup", "playerid", "2", "..\\options.ini"));
    EXPECT_EQ(ReadBytes(scratch_ / "Options.INI"), "[setup]\r\nplayerid=2\r\n");
    EXPECT_TRUE(WritePrivateProfileStringA("setup", "fullscreen", "1", ".\\setup.ini"));
    EXPECT_EQ(ReadBytes(scratch_ / "Game/setup.ini"), "[setup]\r\nfullscreen=1\r\n");
}

TEST_F(ProfileWriteTest, OversizedFilesAreLeftAlone) {
    scratch_.Write("t.ini", "[S]\r\nK=v\r\n");
    std::filesystem::resize_file(file_, 17u << 20);
    EXPECT_EQ(Value("S", "K", "dflt", file_), "4 dflt");
    EXPECT_FALSE(Write("S", "K", "w"));
    EXPECT_EQ(std::filesystem::file_size(file_), 17u << 20);
}

}  // namespace
