#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/read_cache.h"
#include "platform/api/file_names.h"
#include "platform/api/kernel.h"
#include "platform/api/stored_files.h"
#include "support/scratch_dir.h"

namespace {

namespace cache = platform::read_cache;

// The file through CreateFileA and ReadFile, or "<missing>".
std::string ReadThroughHandle(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(64, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

// The value of [s] k, or "<missing>".
std::string ReadThroughProfile(const std::string& path) {
    char value[64];
    GetPrivateProfileStringA("s", "k", "<missing>", value, sizeof value, path.c_str());
    return value;
}

// With the cache on, as in the browser: what the program read is answered from memory, and what it
// changes itself is read again.
class ReadCacheTest : public testing::Test {
protected:
    void SetUp() override { cache::Enable(true); }
    void TearDown() override { cache::Enable(false); }

    ScratchDir scratch_;
    std::string path_ = scratch_ / "file.ini";
};

TEST_F(ReadCacheTest, EveryChangeOfTheProgramsOwnIsReadAgainByEveryReader) {
    const std::string other = scratch_ / "other.ini";
    const auto write = [](const std::string& path, std::string_view text) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
        DWORD written = 0;
        WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
        CloseHandle(file);
    };
    struct Change {
        const char* what;
        std::function<void()> change;
        const char* value;  // [s] k afterwards
    };
    const std::vector<Change> changes = {
        {"StoreFileA", [&] { StoreFileA(path_.c_str(), "[s]\nk=stored\n", 13); }, "stored"},
        {"a profile write", [&] { WritePrivateProfileStringA("s", "k", "profile", path_.c_str()); }, "profile"},
        {"DeleteFileA", [&] { DeleteFileA(path_.c_str()); }, "<missing>"},
        {"a file written through its handle", [&] { write(path_, "[s]\nk=handle\n"); }, "handle"},
        {"MoveFileExA",
         [&] {
             scratch_.Write("other.ini", "[s]\nk=moved\n");
             MoveFileExA(other.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
         },
         "moved"},
    };
    for (const auto& reader : {ReadThroughProfile, ReadThroughHandle}) {
        for (const Change& change : changes) {
            SCOPED_TRACE(change.what);
            change.change();
            const std::string read = reader(path_);
            EXPECT_NE(read.find(change.value), std::string::npos) << read;
            // Changed behind the program's back, the file reads as the program last read it.
            scratch_.Write("file.ini", "[s]\nk=unseen\n");
            EXPECT_EQ(reader(path_), read);
        }
    }
}

TEST_F(ReadCacheTest, AChangeElsewhereForgetsEverything) {
    scratch_.Write("file.ini", "[s]\nk=old\n");
    const std::string missing = scratch_ / "missing.ini";
    EXPECT_EQ(ReadThroughProfile(path_), "old");
    EXPECT_EQ(ReadThroughHandle(missing), "<missing>");
    scratch_.Write("file.ini", "[s]\nk=new\n");
    scratch_.Write("missing.ini", "here");
    EXPECT_EQ(ReadThroughProfile(path_), "old");
    EXPECT_EQ(ReadThroughHandle(missing), "<missing>");
    cache::ChangedElsewhere();
    EXPECT_EQ(ReadThroughProfile(path_), "new");
    EXPECT_EQ(ReadThroughHandle(missing), "here");
}

// A name found without regard to case is looked for in the folder's listing, which a new file of
// the program's own replaces.
TEST_F(ReadCacheTest, ANewFileOfTheProgramsOwnIsFoundByAnyCase) {
    scratch_.Write("Known.txt", "");
    EXPECT_EQ(platform::NativePath((scratch_ / "KNOWN.TXT").c_str()), scratch_ / "Known.txt");
    EXPECT_EQ(platform::NativePath((scratch_ / "NEW.TXT").c_str()), scratch_ / "NEW.TXT");
    ASSERT_TRUE(StoreFileA((scratch_ / "New.txt").c_str(), "x", 1));
    EXPECT_EQ(platform::NativePath((scratch_ / "NEW.TXT").c_str()), scratch_ / "New.txt");
}

// A read that began before a change is not kept after it: the next read sees the change.
TEST_F(ReadCacheTest, AReadOverTakenByAChangeIsNotKept) {
    for (const auto& change :
         std::vector<std::function<void()>>{[&] { cache::Changed(path_); }, [] { cache::ChangedElsewhere(); }}) {
        const std::uint64_t ticket = cache::Ticket();
        change();
        cache::KeepFile(path_, std::make_shared<const std::string>("stale"), ticket);
        cache::KeepExists(path_, true, ticket);
        EXPECT_FALSE(cache::File(path_).has_value());
        EXPECT_FALSE(cache::Exists(path_).has_value());
    }
}

}  // namespace
