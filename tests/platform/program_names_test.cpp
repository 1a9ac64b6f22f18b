// The family's programs by their Windows names: found beside the running program, never by the
// name's folder.
#include "platform/core/program_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string ThisProgram() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

TEST(ProgramNames, AnExeNameIsTheProgramBesideThisOneInLowerCase) {
    EXPECT_TRUE(platform::IsProgramName("C:\\Games\\Portico.exe"));
    EXPECT_TRUE(platform::IsProgramName(".\\Stalkway\\STALKWAY.EXE"));
    EXPECT_FALSE(platform::IsProgramName("about.html"));
    EXPECT_FALSE(platform::IsProgramName(".exe"));
    EXPECT_FALSE(platform::IsProgramName("folder.exe\\readme"));

    const std::filesystem::path self = ThisProgram();
    std::string upper = self.filename().string();
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    EXPECT_EQ(platform::ProgramBesideThisOne(("Z:\\nowhere\\" + upper + ".Exe").c_str()), self.string())
        << "the folder in the name is not looked at";
    EXPECT_EQ(platform::ProgramBesideThisOne("..\\NoSuchProgramHere.exe"), "");
    EXPECT_EQ(platform::ProgramBesideThisOne(self.string().c_str()), "") << "not a Windows program name";

    // The name a backend that runs the family in one process is asked for.
    EXPECT_EQ(platform::ProgramOf("/\\Portico.exe"), "portico");
    EXPECT_EQ(platform::ProgramOf(".\\Stalkway\\STALKWAY.EXE"), "stalkway");
    EXPECT_EQ(platform::ProgramOf("about.html"), "");
}

}  // namespace
