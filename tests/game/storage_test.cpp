// Every file the family stores, through a failure at each step of its store, on a full disk, and
// written by several programs at once: the old file stays whole, the caller hears of the failure,
// and no write that was reported done is lost.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/hall_of_fame.h"
#include "game/player_settings.h"
#include "game/score_keeper.h"
#include "game/winner_file.h"
#include "platform/core/file_faults.h"
#include "platform/core/stored_file.h"
#include "platform/api/kernel.h"
#include "support/hall_of_fame_file.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// One kind of stored file: its name, what it holds before, and a write that changes it.
struct Writer {
    const char* file;
    std::string before;
    std::function<bool(const std::string& path)> write;
};

PlayerRecord LongRecord() {
    PlayerRecord record{};
    std::strcpy(record.name, "A name lengthened by forty-five characters......");
    std::strcpy(record.address, "New Address");
    std::strcpy(record.send, "N");
    return record;
}

std::vector<Writer> Writers() {
    // Near a page's size, as the options file of the report was, so that a full disk bites at once.
    std::string options = "[setup]\r\nplayerid=0\r\nmusic=Y\r\n[Player1]\r\nname=Ann\r\naddress=Old\r\n";
    options += "[Other]\r\nnotes=" + std::string(4080 - options.size() - 17, 'x') + "\r\n";
    return {
        {"hiscore.dat", test::HallOfFameBytes({{"old", 50}}),
         [](const std::string& path) {
             HallOfFame fame;
             fame.Allocate(20);
             fame.Load(path.c_str());
             fame.Insert("new", 900);
             return fame.Save(path.c_str()) == 1;
         }},
        {"winner.dat", std::string(12, '\1'),
         [](const std::string& path) { return SaveWinnerFile(path.c_str(), std::vector<std::int32_t>(500, 2), 7); }},
        {"options.ini", options,
         [](const std::string& path) {
             PlayerSettings players;
             players.SetIniPath(path.c_str());
             return players.WritePlayer(0, LongRecord());
         }},
        {"setup.ini", "[setup]\r\nfullscreen=0\r\n",
         [](const std::string& path) {
             return WritePrivateProfileStringA("video", "width", "1600", path.c_str()) != FALSE;
         }},
    };
}

class StorageTest : public ::testing::Test {
protected:
    void TearDown() override { platform::faults::Clear(); }

    // Every name in the folder but the lock files, which stay by design.
    static std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (!name.ends_with(".lock")) names.push_back(name);
        }
        return names;
    }

    ScratchDir scratch_;
};

TEST_F(StorageTest, AFailureAtAnyStepLeavesEveryStoredFileAsItWas) {
    for (const Writer& writer : Writers()) {
        const std::string path = scratch_ / writer.file;
        for (int step = 0; step < platform::storage::kStoreSteps; ++step) {
            scratch_.Write(writer.file, writer.before);
            platform::faults::FailStoreStep(step);
            EXPECT_FALSE(writer.write(path)) << writer.file << " at step " << step;
            EXPECT_EQ(ReadBytes(path), writer.before) << writer.file << " at step " << step;
            EXPECT_EQ(Names(scratch_.Path()), std::vector<std::string>{writer.file}) << "no temporary file stays";
        }
        platform::faults::Clear();
        EXPECT_TRUE(writer.write(path)) << writer.file;
        EXPECT_NE(ReadBytes(path), writer.before) << writer.file;
        fs::remove(path);
    }
}

// A small file system of its own, filled up: only root may mount one, so elsewhere this is skipped.
class FullDisk {
public:
    explicit FullDisk(const std::string& folder) : folder_(folder) {
        fs::create_directories(folder);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    void Fill() const {
        std::ofstream filler(folder_ + "/filler", std::ios::binary);
        const std::string block(512, 'f');
        while (filler.write(block.data(), block.size()) && filler.flush()) {}
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(StorageTest, OnAFullDiskEveryStoredFileKeepsItsOldContents) {
    const FullDisk disk(scratch_ / "disk");
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small file system here";
    for (const Writer& writer : Writers()) scratch_.Write(std::string("disk/") + writer.file, writer.before);
    disk.Fill();
    for (const Writer& writer : Writers()) {
        const std::string path = scratch_ / (std::string("disk/") + writer.file);
        EXPECT_FALSE(writer.write(path)) << writer.file << " reported done on a full disk";
        EXPECT_EQ(ReadBytes(path), writer.before) << writer.file;
    }
}

// Runs `work` in `count` child processes at once, and `watch` here until they are all done.
// True when every child exited 0.
bool InProcesses(int count, const std::function<bool(int child)>& work, const std::function<void()>& watch) {
    std::vector<pid_t> children;
    for (int child = 0; child < count; ++child) {
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(work(child) ? 0 : 1);
        children.push_back(pid);
    }
    bool ok = true;
    for (const pid_t pid : children) {
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) watch();
        if (WIFSIGNALED(status)) std::fprintf(stderr, "a child ended by signal %d\n", WTERMSIG(status));
        ok &= WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
}

std::string Value(const std::string& file, const char* section, const std::string& key) {
    char value[64];
    GetPrivateProfileStringA(section, key.c_str(), "", value, sizeof value, file.c_str());
    return value;
}

// Every line a section, a key with its value, each ended by CR LF.
bool ParsesAsProfile(const std::string& text) {
    if (!text.empty() && !text.ends_with("\r\n")) return false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        if (!(line.starts_with('[') && line.ends_with(']')) && line.find('=') == std::string::npos) return false;
        at = end + 2;
    }
    return true;
}

TEST_F(StorageTest, TwoLaunchersAndTwoGamesWritingAtOnceLoseNothingReportedDone) {
    constexpr int kRounds = 200;
    const std::string options = scratch_ / "options.ini";
    const std::string setup = scratch_ / "setup.ini";
    const std::string scores = scratch_ / "hiscore.dat";
    // Launchers store a player record and a switch per round, games a setting and a score: each
    // write under a name of its own, so that a lost one shows.
    const auto work = [&](int child) {
        PlayerSettings players;
        players.SetIniPath(options.c_str());
        ScoreKeeper keeper(scores);
        bool ok = true;
        for (int round = 0; round < kRounds; ++round) {
            const std::string tag = std::to_string(child) + "_" + std::to_string(round);
            PlayerRecord record{};
            std::snprintf(record.name, sizeof record.name, "name%s", tag.c_str());
            std::snprintf(record.address, sizeof record.address, "address%s", tag.c_str());
            // Which write failed, for a failure seen once in a while only.
            const auto done = [&](bool written, const char* what) {
                if (!written) std::fprintf(stderr, "child %d, round %d: %s failed\n", child, round, what);
                ok &= written;
            };
            done(players.WritePlayer(child, record), "the player record");
            done(WritePrivateProfileStringA("setup", ("switch" + tag).c_str(), "Y", options.c_str()) != FALSE,
                 "the switch");
            done(WritePrivateProfileStringA("video", ("width" + tag).c_str(), "800", setup.c_str()) != FALSE,
                 "the setting");
            keeper.Reload();
            done(keeper.Offer(tag.c_str(), 1 + round * 2 + child) == ScoreKeeper::Offered::kStored, "the score");
        }
        return ok;
    };
    int torn = 0;
    const auto watch = [&] {
        std::string why;
        const std::string table = ReadBytes(scores);
        if (table != "<missing>" && !test::ParseHallOfFame(table, &why)) ++torn;
        for (const std::string& file : {options, setup}) {
            const std::string text = ReadBytes(file);
            if (text != "<missing>" && !ParsesAsProfile(text)) ++torn;
        }
    };
    ASSERT_TRUE(InProcesses(2, work, watch)) << "a write failed";
    EXPECT_EQ(torn, 0) << "a reader saw a half-written file";

    for (int child = 0; child < 2; ++child) {
        const std::string section = "Player" + std::to_string(child + 1);
        const std::string last = std::to_string(child) + "_" + std::to_string(kRounds - 1);
        EXPECT_EQ(Value(options, section.c_str(), "name"), "name" + last);
        EXPECT_EQ(Value(options, section.c_str(), "address"), "address" + last) << "a record is one write";
        for (int round = 0; round < kRounds; ++round) {
            const std::string tag = std::to_string(child) + "_" + std::to_string(round);
            EXPECT_EQ(Value(options, "setup", "switch" + tag), "Y") << tag;
            EXPECT_EQ(Value(setup, "video", "width" + tag), "800") << tag;
        }
    }
    std::string why;
    const auto table = test::ParseHallOfFame(ReadBytes(scores), &why);
    ASSERT_TRUE(table.has_value()) << why;
    // The scores were 1 to 2 * kRounds, each stored once: the table holds the twenty best.
    for (int i = 0; i < 20; ++i) EXPECT_EQ((*table)[i].score, 2 * kRounds - i) << i;
}

}  // namespace
