#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/read_cache.h"
#include "profile_support.h"
#include "support/scratch_dir.h"

using namespace std::string_literals;

namespace {

const std::string kFixtures = STALKWAY_CORPORA "/ini/fixtures/";

// The same expectations hold for CR LF and for CR-only line ends.
class F1Test : public testing::TestWithParam<const char*> {
protected:
    std::string file_ = kFixtures + GetParam();
};

TEST_P(F1Test, Lookups) {
    EXPECT_EQ(Value("Display", "Width", "dflt", file_), "3 640");
    EXPECT_EQ(Value("DISPLAY", "wIDTH", "dflt", file_), "3 640");
    EXPECT_EQ(Value(" Display ", " Width ", "dflt", file_), "3 640");
    EXPECT_EQ(Value("Display", "\tWidth", "dflt", file_), "4 dflt");
    EXPECT_EQ(Value("Display", "Title", "dflt", file_), "5 Intro");
    EXPECT_EQ(Value("Display", "Depth", "dflt", file_), "1 8");
    EXPECT_EQ(Value("Display", "Gamma", "dflt", file_), "0 ");         // empty, but there
    EXPECT_EQ(Value("Display", "Windowed", "dflt", file_), "4 dflt");  // no '=': not a key
    EXPECT_EQ(Value("Display", "Height", "dflt", file_), "4 dflt");
    EXPECT_EQ(Value("Audio", "Width", "dflt", file_), "4 dflt");
    EXPECT_EQ(Value("Sound", "Anything", "", file_), "0 ");
}

TEST_P(F1Test, DefaultsLoseTrailingSpacesOnly) {
    EXPECT_EQ(Value("", "Width", "dflt", file_), "4 dflt");
    EXPECT_EQ(Value("", "Width", nullptr, file_), "0 ");
    EXPECT_EQ(Value("", "Width", "dflt  ", file_), "4 dflt");
    EXPECT_EQ(Value("Display", "", "on off  ", file_), "6 on off");
    EXPECT_EQ(Value("Display", "", "dflt\t", file_), "5 dflt\t");
    EXPECT_EQ(Value("Display", "", "  dflt", file_), "6   dflt");
    EXPECT_EQ(Value("Display", "Height", "default", file_, 4), "3 def");
    // The caller's strings are never written to.
    char section[8] = {}, key[8] = {}, defaultValue[8] = "x  ";
    Value(section, key, defaultValue, file_);
    EXPECT_EQ(std::string(section, 8), std::string(8, '\0'));
    EXPECT_EQ(std::string(key, 8), std::string(8, '\0'));
    EXPECT_STREQ(defaultValue, "x  ");
}

TEST_P(F1Test, ListingsEndInTwoNulsAndCutTheLastName) {
    EXPECT_EQ(List(nullptr, "Width", file_, 260), "14 Display\0Sound\0\0\f"s);
    EXPECT_EQ(List(nullptr, "Width", file_, 12), "10 Display\0So\0\0"s);
    EXPECT_EQ(List("Display", nullptr, file_, 260), "24 Width\0Title\0Depth\0Gamma\0\0\f"s);
    EXPECT_EQ(List("Display", nullptr, file_, 16), "14 Width\0Title\0De\0\0"s);
    // An exact fit counts as too small.
    EXPECT_EQ(List(nullptr, nullptr, file_, 15), "13 Display\0Sound\0\0"s);
    EXPECT_EQ(List(nullptr, nullptr, file_, 1), "0 \0"s);
    EXPECT_EQ(List("Audio", nullptr, file_, 260), "4 dflt\0\f"s);  // no such section
}

TEST_P(F1Test, ValuesAreCutToTheBuffer) {
    EXPECT_EQ(Value("Display", "Width", "dflt", file_, 3), "2 64");
    EXPECT_EQ(Value("Display", "Width", "dflt", file_, 4), "3 640");
    EXPECT_EQ(Value("Display", "Depth", "dflt", file_, 1), "0 ");
    char untouched[] = "kumquat";
    EXPECT_EQ(GetPrivateProfileStringA("Display", "Width", "", untouched, 0, file_.c_str()), 0u);
    EXPECT_STREQ(untouched, "kumquat");
}

INSTANTIATE_TEST_SUITE_P(LineEnds, F1Test, testing::Values("F1_crlf.ini", "F1_cr.ini"));

TEST(ProfileReadTest, FileNames) {
    ScratchDir scratch;
    scratch.Write("Game/Setup.INI", "[setup]\r\nfullscreen=1\r\n");
    scratch.Write("options.ini", "[setup]\r\nmusic=N\r\n");
    WorkingDir cwd(scratch / "Game");
    EXPECT_EQ(Value("setup", "fullscreen", "0", ".\\setup.ini"), "1 1");
    EXPECT_EQ(Value("setup", "fullscreen", "0", "setup.ini"), "1 1");  // no Windows folder here
    EXPECT_EQ(Value("setup", "music", "Y", "..\\options.ini", 2), "1 N");
    EXPECT_EQ(Value("setup", "music", "Y", "missing.ini"), "1 Y");
    EXPECT_EQ(Value("setup", "music", "Y", ""), "1 Y");
    EXPECT_EQ(Value("setup", "music", "Y", ".."), "1 Y");  // a folder
    char buffer[8];
    EXPECT_EQ(GetPrivateProfileStringA("setup", "music", "dflt", buffer, 8, nullptr), 4u);
    // Every call reads the file again.
    scratch.Write("options.ini", "[setup]\r\nmusic=Y\r\n");
    EXPECT_EQ(Value("setup", "music", "N", "..\\options.ini"), "1 Y");
}

TEST(ProfileReadTest, EmptyNamesAndTextBeforeTheFirstSection) {
    const std::string file = kFixtures + "F2_empty_names.ini";
    EXPECT_EQ(Value("", "Orphan", "", file), "1 2");
    EXPECT_EQ(Value("Keys", "", "", file), "8 nameless");
    EXPECT_EQ(List(nullptr, nullptr, file, 260), "11 \0Keys\0Tail\0\0\f"s);
}

TEST(ProfileReadTest, LineRules) {
    ScratchDir scratch;
    scratch.Write("t.ini",
                  "  [ Display ]\r\n  Width =   640   \n;Height=1\r  ;Depth=2\nWid;th=1\r\n"
                  "Note=640 ;note\r\n#Hash=1\r\nQ1='Intro'\r\nQ2= \" Intro \" \r\nQ3=\"\"Intro\"\"\r\n"
                  "Q4=\"Intro'\r\nWidth=999\r\n\n\r[;x]\r\n[Dis]play]junk\r\n[Display]\r\nLate=1\r\n"
                  "[Open\r\nK=v");
    const std::string file = scratch / "t.ini";
    EXPECT_EQ(Value("Display", "Width", "", file), "3 640");  // the first one wins
    EXPECT_EQ(Value("Display", "Height", "-", file), "1 -");
    EXPECT_EQ(Value("Display", "Depth", "-", file), "1 -");
    EXPECT_EQ(Value("Display", "Wid;th", "", file), "1 1");
    EXPECT_EQ(Value("Display", "Note", "", file), "9 640 ;note");
    EXPECT_EQ(Value("Display", "#Hash", "", file), "1 1");
    EXPECT_EQ(Value("Display", "Q1", "", file), "5 Intro");
    EXPECT_EQ(Value("Display", "Q2", "", file), "7  Intro ");
    EXPECT_EQ(Value("Display", "Q3", "", file), "7 \"Intro\"");
    EXPECT_EQ(Value("Display", "Q4", "", file), "7 \"Intro'");
    EXPECT_EQ(Value("Display", "Late", "-", file), "1 -");  // in the second [Display]
    EXPECT_EQ(Value("Open", "K", "", file), "1 v");
    EXPECT_EQ(List(nullptr, nullptr, file, 260), "28 Display\0;x\0Dis\0Display\0Open\0\0\f"s);
    EXPECT_EQ(List("display", nullptr, file, 260), "47 Width\0Wid;th\0Note\0#Hash\0Q1\0Q2\0Q3\0Q4\0Width\0Late\0\0\f"s);
}

TEST(ProfileReadTest, AnyBytesAreSafe) {
    ScratchDir scratch;
    const std::string file = scratch / "t.ini";
    scratch.Write("t.ini", "\xEF\xBB\xBF[Top]\r\nA=1\r\n[S]\r\nA=x\0y\r\nB=2\r\nL="s + std::string(1 << 20, 'v'));
    EXPECT_EQ(Value("Top", "A", "-", file), "1 -");  // a UTF-8 mark hides the first header
    EXPECT_EQ(Value("S", "A", "", file), "1 x");     // a NUL ends the line's text
    EXPECT_EQ(Value("S", "B", "", file), "1 2");
    EXPECT_EQ(Value("S", "L", "", file), "259 " + std::string(259, 'v'));
    EXPECT_EQ(Value("S", "L", "", file, (1 << 20) + 1), std::to_string(1 << 20) + " " + std::string(1 << 20, 'v'));
    // Random bytes rich in the characters that matter must never break the reader.
    unsigned seed = 12345;
    const char alphabet[] = "[]=;\"' \t\r\n\0aAbB";
    for (int round = 0; round < 200; ++round) {
        std::string bytes(1 + round * 7, '\0');
        for (char& c : bytes) c = alphabet[(seed = seed * 1103515245 + 12345) >> 16 & 15];
        scratch.Write("t.ini", bytes);
        for (DWORD size : {1u, 2u, 5u, 64u}) {
            EXPECT_NE(Value("a", "b", "dflt", file, size)[0], '<');
            EXPECT_NE(List(nullptr, nullptr, file, size)[0], '<');
            EXPECT_NE(List("a", nullptr, file, size)[0], '<');
        }
    }
}

// A file read once is answered from memory until it changes: whoever changes it, the next read
// sees the change. Natively the file's status tells; with the read cache on (the browser) the
// page says so (ChangedElsewhere) after replacing a file.
struct ProfileChange {
    const char* name;
    const char* before;  // the file's text, or null for none
    std::function<void(const ScratchDir&)> change;
    const char* after;  // the value read after the change
};

// Modified an hour ago (or `age` ago): a copy of it is kept, not read again as one just written.
void Age(const std::string& path, std::chrono::minutes age = std::chrono::minutes(60)) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - age);
}

const ProfileChange kProfileChanges[] = {
    {"the program writes", "[s]\r\nk=old\r\n",
     [](const ScratchDir&) { WritePrivateProfileStringA("s", "k", "new", ".\\p.ini"); }, "new"},
    {"the program deletes", "[s]\r\nk=old\r\n", [](const ScratchDir&) { DeleteFileA("p.ini"); }, "dflt"},
    {"written elsewhere, longer", "[s]\r\nk=old\r\n",
     [](const ScratchDir& s) { s.Write("p.ini", "[s]\r\nk=newer\r\n"); }, "newer"},
    {"written elsewhere, same size, modified later", "[s]\r\nk=old\r\n",
     [](const ScratchDir& s) {
         s.Write("p.ini", "[s]\r\nk=new\r\n");
         Age(s / "p.ini", std::chrono::minutes(30));
     },
     "new"},
    {"made elsewhere", nullptr, [](const ScratchDir& s) { s.Write("p.ini", "[s]\r\nk=new\r\n"); }, "new"},
    {"deleted elsewhere", "[s]\r\nk=old\r\n", [](const ScratchDir& s) { std::filesystem::remove(s / "p.ini"); },
     "dflt"},
};

class ProfileChangeTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { platform::read_cache::Enable(GetParam()); }
    void TearDown() override { platform::read_cache::Enable(false); }
    ScratchDir scratch_;
    WorkingDir cwd_{scratch_.Path()};
};
INSTANTIATE_TEST_SUITE_P(ReadCache, ProfileChangeTest, testing::Bool());

TEST_P(ProfileChangeTest, AReadAfterAChangeSeesIt) {
    for (const ProfileChange& row : kProfileChanges) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(scratch_ / "p.ini");
        if (row.before != nullptr) {
            scratch_.Write("p.ini", row.before);
            Age(scratch_ / "p.ini");
        }
        Age(scratch_.Path());
        platform::read_cache::ChangedElsewhere();  // what the row starts from is made here
        const std::string before = row.before != nullptr ? "3 old" : "4 dflt";
        EXPECT_EQ(Value("s", "k", "dflt", ".\\p.ini"), before);
        EXPECT_EQ(Value("s", "k", "dflt", ".\\p.ini"), before);
        row.change(scratch_);
        // What the page does after it replaced a file; natively the file itself tells.
        if (GetParam() && std::string(row.name).find("elsewhere") != std::string::npos)
            platform::read_cache::ChangedElsewhere();
        EXPECT_EQ(Value("s", "k", "dflt", ".\\p.ini"), std::to_string(std::strlen(row.after)) + " " + row.after);
    }
}

}  // namespace
