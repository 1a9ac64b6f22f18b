#include "platform/core/spawn.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace {

// The script writes its working folder and its arguments, one per line, and then renames the
// file into place, so that a file that exists is complete. It sets its own PATH, as a test may
// have narrowed the one it inherits.
void WriteRecorder(const ScratchDir& scratch, const std::string& name) {
    const std::string out = scratch / "out.txt";
    scratch.Write(name, "#!/bin/sh\nPATH=/usr/bin:/bin\n{ pwd; for a in \"$@\"; do echo \"<$a>\"; done; } > '" + out +
                            ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
    std::filesystem::permissions(scratch / name, std::filesystem::perms::owner_all);
}

// Generous: a loaded machine may take its time to start a process.
std::string AwaitFile(const std::string& path) {
    for (int i = 0; i < 3000 && !std::filesystem::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ReadBytes(path);
}

int ThisProcess() { return std::stoi(std::filesystem::read_symlink("/proc/self").string()); }

// Children of this process that have ended but were not waited for.
int Zombies() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream status(entry.path() / "status");
        std::string line, state;
        int parent = -1;
        while (std::getline(status, line)) {
            if (line.rfind("State:", 0) == 0) state = line;
            if (line.rfind("PPid:", 0) == 0) parent = std::stoi(line.substr(5));
        }
        if (parent == ThisProcess() && state.find('Z') != std::string::npos) ++count;
    }
    return count;
}

TEST(SpawnTest, StartsAnExecutableWithWindowsArgumentsAndFolder) {
    ScratchDir scratch;
    WriteRecorder(scratch, "Launcher/portico.exe");
    scratch.Write("Work Dir/x", "");
    const std::string launcher = scratch / "Launcher";
    ASSERT_TRUE(platform::SpawnDetached("open", (launcher + "\\Portico.exe").c_str(), "Stalkway \"two words\" a\\\"b",
                                        (scratch / "work dir").c_str()));
    EXPECT_EQ(AwaitFile(scratch / "out.txt"), scratch / "Work Dir\n<Stalkway>\n<two words>\n<a\"b>\n");
    bool reaped = false;
    for (int i = 0; i < 3000 && !(reaped = Zombies() == 0); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(reaped);
}

TEST(SpawnTest, RelativeNamesAndTheCurrentFolder) {
    ScratchDir scratch;
    WriteRecorder(scratch, "Launcher/Portico.exe");
    WorkingDir cwd(scratch.Path());
    ASSERT_TRUE(platform::SpawnDetached(nullptr, ".\\launcher\\portico.exe", nullptr, ""));
    EXPECT_EQ(AwaitFile(scratch / "out.txt"), scratch.Path() + "\n");
}

TEST(SpawnTest, DocumentsAndAddressesGoToTheOpenerOnPath) {
    ScratchDir scratch;
    WriteRecorder(scratch, "bin/xdg-open");
    scratch.Write("readme.txt", "");
    const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (scratch / "bin").c_str(), 1);
    EXPECT_TRUE(platform::SpawnDetached("open", "www.example.com", nullptr, scratch.Path().c_str()));
    const std::string address = AwaitFile(scratch / "out.txt");
    std::filesystem::remove(scratch / "out.txt");
    WorkingDir cwd(scratch.Path());
    EXPECT_TRUE(platform::SpawnDetached("OPEN", "README.TXT", "x", nullptr));
    const std::string document = AwaitFile(scratch / "out.txt");
    setenv("PATH", (scratch / "none").c_str(), 1);
    const bool withoutOpener = platform::SpawnDetached("open", "https://example.com", nullptr, nullptr);
    setenv("PATH", oldPath.c_str(), 1);

    EXPECT_EQ(address, scratch.Path() + "\n<http://www.example.com>\n");
    EXPECT_EQ(document, scratch.Path() + "\n<" + (scratch / "readme.txt") + ">\n");
    EXPECT_FALSE(withoutOpener);
}

TEST(SpawnTest, NothingToStart) {
    ScratchDir scratch;
    WriteRecorder(scratch, "run.sh");
    EXPECT_FALSE(platform::SpawnDetached("edit", (scratch / "run.sh").c_str(), nullptr, nullptr));
    EXPECT_FALSE(platform::SpawnDetached("open", (scratch / "missing").c_str(), nullptr, nullptr));
    EXPECT_FALSE(platform::SpawnDetached("open", nullptr, nullptr, nullptr));
    EXPECT_FALSE(
        platform::SpawnDetached("open", (scratch / "run.sh").c_str(), nullptr, (scratch / "no such folder").c_str()));
}

}  // namespace
