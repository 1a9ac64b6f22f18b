#include "game/file_lock.h"

#include "platform/api/kernel.h"

FileLock::FileLock(const std::string& storedFile) {
    // A link planted at the lock's name is refused rather than followed to create a file elsewhere.
    file_ = CreateFileA((storedFile + ".lock").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    OVERLAPPED whole{};
    held_ = LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, &whole) != FALSE;
}

FileLock::~FileLock() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    OVERLAPPED whole{};
    if (held_) UnlockFileEx(file_, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, &whole);
    CloseHandle(file_);
}
