#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/handles.h"
#include "platform/core/read_cache.h"
#include "platform/api/kernel.h"
#include "support/scratch_dir.h"

namespace {

HANDLE Open(const std::string& name, DWORD access, DWORD disposition) {
    return CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAll(HANDLE file, DWORD size) {
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), size, &read, nullptr)) return "<failed>";
    return bytes.substr(0, read);
}

void WriteText(HANDLE file, std::string_view text) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr));
    ASSERT_EQ(written, text.size());
}

class FilesTest : public testing::Test {
protected:
    ScratchDir scratch_;
    std::string path_ = scratch_ / "data.bin";
};

TEST_F(FilesTest, Dispositions) {
    EXPECT_EQ(Open(path_, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    HANDLE file = Open(path_, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    WriteText(file, "hello");
    CloseHandle(file);
    EXPECT_EQ(Open(path_, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);

    file = Open(path_, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    EXPECT_EQ(ReadAll(file, 16), "hello");
    CloseHandle(file);
    file = Open(path_, GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);
    EXPECT_EQ(Open(path_, GENERIC_READ, 7), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(scratch_.Path(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
}

// Read from the file, or (with the read cache on, as in the browser) from memory, alike.
class FileReadsTest : public FilesTest, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override { platform::read_cache::Enable(GetParam()); }
    void TearDown() override { platform::read_cache::Enable(false); }
};
INSTANTIATE_TEST_SUITE_P(ReadCache, FileReadsTest, testing::Bool());

TEST_P(FileReadsTest, SequentialReadsAndSeeks) {
    scratch_.Write("data.bin", "0123456789");
    HANDLE file = Open(path_, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(ReadAll(file, 4), "0123");
    EXPECT_EQ(ReadAll(file, 4), "4567");
    EXPECT_EQ(ReadAll(file, 4), "89");
    EXPECT_EQ(ReadAll(file, 4), "");  // at the end: success, nothing read
    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_CURRENT), 5u);
    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_END), 9u);
    EXPECT_EQ(ReadAll(file, 4), "9");
    // A seek before the start fails and leaves the position alone.
    EXPECT_EQ(SetFilePointer(file, -11, nullptr, FILE_END), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, 3), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 10u);
    // Opened for reading only.
    EXPECT_EQ(WriteFile(file, "x", 1, nullptr, nullptr), FALSE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(FlushFileBuffers(file), FALSE);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u);
    OVERLAPPED whole{};
    EXPECT_TRUE(LockFileEx(file, 0, 0, 1, 0, &whole));
    EXPECT_TRUE(UnlockFileEx(file, 0, 1, 0, &whole));
    CloseHandle(file);
}

TEST_F(FilesTest, PositionsAndSizesBeyondFourGigabytes) {
    scratch_.Write("data.bin", "");
    std::filesystem::resize_file(path_, (1ull << 32) + 10);  // sparse: costs no disk
    HANDLE file = Open(path_, GENERIC_READ, OPEN_EXISTING);
    DWORD sizeHigh = 0;
    EXPECT_EQ(GetFileSize(file, &sizeHigh), 10u);
    EXPECT_EQ(sizeHigh, 1u);
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(file, 4, &high, FILE_BEGIN), 4u);
    EXPECT_EQ(high, 1);
    // Without a high part a position past 32 bits cannot be told, so the seek fails.
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    high = -1;
    EXPECT_EQ(SetFilePointer(file, -4, &high, FILE_CURRENT), 0u);
    EXPECT_EQ(high, 1);
    CloseHandle(file);
}

struct NotAFile : platform::KernelObject {};

TEST_F(FilesTest, ClosedInvalidAndForeignHandlesFail) {
    scratch_.Write("data.bin", "abc");
    HANDLE closed = Open(path_, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_TRUE(CloseHandle(closed));
    HANDLE foreign = platform::NewHandle(std::make_shared<NotAFile>());
    for (HANDLE handle : {closed, INVALID_HANDLE_VALUE, HANDLE(nullptr), foreign}) {
        char buffer[4];
        DWORD count = 99;
        EXPECT_FALSE(ReadFile(handle, buffer, 4, &count, nullptr));
        EXPECT_EQ(count, 0u);
        EXPECT_FALSE(WriteFile(handle, "x", 1, &count, nullptr));
        EXPECT_EQ(SetFilePointer(handle, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
        EXPECT_EQ(GetFileSize(handle, nullptr), INVALID_FILE_SIZE);
    }
    EXPECT_FALSE(CloseHandle(closed));
    EXPECT_TRUE(CloseHandle(foreign));
}

TEST_F(FilesTest, WindowsNamesFindFilesWithoutRegardToCase) {
    scratch_.Write("Sub/Data.BIN", "xyz");
    WorkingDir cwd(scratch_.Path());
    HANDLE file = Open(".\\sub\\data.bin", GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(ReadAll(file, 8), "xyz");
    CloseHandle(file);
    file = Open("SUB\\new.bin", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(std::filesystem::exists(scratch_ / "Sub/new.bin"));
    EXPECT_TRUE(DeleteFileA("sub\\DATA.bin"));
    EXPECT_FALSE(DeleteFileA("sub\\DATA.bin"));
    EXPECT_FALSE(DeleteFileA("Sub"));
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "Sub/Data.BIN"));
}

}  // namespace

namespace {

TEST_F(FilesTest, MoveReplacesOnlyWhenAskedAndFlushNeedsAWritableFile) {
    const std::string other = scratch_ / "other.bin";
    HANDLE file = Open(path_, GENERIC_WRITE, CREATE_ALWAYS);
    WriteText(file, "new");
    EXPECT_TRUE(FlushFileBuffers(file));
    CloseHandle(file);
    HANDLE target = Open(other, GENERIC_WRITE, CREATE_ALWAYS);
    WriteText(target, "old");
    CloseHandle(target);

    EXPECT_FALSE(MoveFileExA(path_.c_str(), other.c_str(), 0));
    EXPECT_TRUE(MoveFileExA(path_.c_str(), other.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_FALSE(std::filesystem::exists(path_));
    HANDLE moved = Open(other, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(ReadAll(moved, 10), "new");
    EXPECT_FALSE(FlushFileBuffers(moved));
    CloseHandle(moved);
}

}  // namespace

namespace {

// A planted link must never lead a new file, or a rename, to some other file.
TEST_F(FilesTest, NewFilesAndRefusedRenamesNeverFollowALink) {
    const std::string target = scratch_ / "target.bin";
    scratch_.Write("target.bin", "precious");
    const std::string link = scratch_ / "link.bin";
    const std::string dangling = scratch_ / "dangling.bin";
    std::filesystem::create_symlink(target, link);
    std::filesystem::create_symlink(scratch_ / "nowhere.bin", dangling);

    EXPECT_EQ(Open(link, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(dangling, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(std::filesystem::exists(scratch_ / "nowhere.bin"));
    const auto noFollow = [](const std::string& name, DWORD disposition) {
        return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    };
    EXPECT_EQ(noFollow(link, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(noFollow(link, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    HANDLE plain = noFollow(target, OPEN_EXISTING);
    EXPECT_NE(plain, INVALID_HANDLE_VALUE) << "a plain file opens as before";
    CloseHandle(plain);

    scratch_.Write("new.bin", "new");
    EXPECT_FALSE(MoveFileExA((scratch_ / "new.bin").c_str(), dangling.c_str(), 0)) << "a dangling link takes its name";
    EXPECT_EQ(ReadBytes(target), "precious");
}

TEST_F(FilesTest, AnExclusiveLockKeepsOtherHandlesOutUntilReleasedOrClosed) {
    HANDLE first = Open(path_, GENERIC_READ, OPEN_ALWAYS);
    HANDLE second = Open(path_, GENERIC_READ, OPEN_ALWAYS);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    const DWORD exclusiveNow = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;
    EXPECT_TRUE(LockFileEx(first, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole));
    EXPECT_FALSE(LockFileEx(second, exclusiveNow, 0, 1, 0, &whole));
    EXPECT_FALSE(LockFileEx(second, LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) << "nor shared";
    EXPECT_TRUE(UnlockFileEx(first, 0, 1, 0, &whole));
    EXPECT_TRUE(LockFileEx(second, exclusiveNow, 0, 1, 0, &whole));
    CloseHandle(second);
    EXPECT_TRUE(LockFileEx(first, exclusiveNow, 0, 1, 0, &whole)) << "closing released it";
    CloseHandle(first);
    EXPECT_FALSE(LockFileEx(first, exclusiveNow, 0, 1, 0, &whole));
}

}  // namespace
