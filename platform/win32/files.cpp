// The file handle calls, over the file objects of file_objects.h. Windows share modes are accepted but not enforced:
// the program never opens one file twice in conflicting ways. The stored files are written through StoreFileA
// (stored_files.cpp); these calls serve reads, locks and moving a file aside.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/core/backend.h"
#include "platform/core/file_faults.h"
#include "platform/core/handles.h"
#include "platform/core/cached_reads.h"
#include "platform/win32/file_objects.h"
#include "platform/api/file_names.h"
#include "platform/api/kernel.h"

namespace platform {
namespace {

thread_local DWORD g_lastError = 0;

// A file read through the read cache is read whole when it is opened; the game's largest, its
// music, is under 3 MiB.
constexpr std::size_t kMostReadWhole = std::size_t{16} << 20;

HANDLE Failed(DWORD error) {
    g_lastError = error;
    return INVALID_HANDLE_VALUE;
}

BOOL Refused(DWORD error) {
    g_lastError = error;
    return FALSE;
}

int OpenFlags(DWORD access, DWORD disposition, DWORD flagsAndAttributes) {
    const bool read = (access & GENERIC_READ) != 0;
    const bool write = (access & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | (write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY);
    if (flagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT) flags |= O_NOFOLLOW;
    switch (disposition) {
    // A new file is never reached through a link, not even one that points nowhere.
    case CREATE_NEW: return flags | O_CREAT | O_EXCL | O_NOFOLLOW;
    case CREATE_ALWAYS: return flags | O_CREAT | O_TRUNC;
    case OPEN_EXISTING: return flags;
    case OPEN_ALWAYS: return flags | O_CREAT;
    default: return -1;
    }
}

// Writing, or creating or emptying a file: what a folder that refuses writes refuses.
bool Writes(DWORD access, DWORD disposition) {
    return (access & GENERIC_WRITE) != 0 || disposition == CREATE_NEW || disposition == CREATE_ALWAYS ||
           disposition == OPEN_ALWAYS;
}

std::int64_t Combine(LONG low, const LONG* high) {
    if (high == nullptr) return low;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*high)) << 32) |
                                     static_cast<DWORD>(low));
}

// The position a seek lands on, or -1 when the method is unknown or the file cannot tell.
std::int64_t SeekTarget(const FileObject& file, std::int64_t distance, DWORD method) {
    std::int64_t origin = 0;
    if (method == FILE_CURRENT) {
        origin = file.Position();
    } else if (method == FILE_END) {
        origin = file.Size();
    } else if (method != FILE_BEGIN) {
        return -1;
    }
    if (origin < 0) return -1;
    if (distance > 0 && origin > INT64_MAX - distance) return -1;
    return origin + distance;
}

}  // namespace
}  // namespace platform

using platform::FileObject;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD /*shareMode*/, LPVOID /*security*/, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE /*templateFile*/) {
    const int flags = platform::OpenFlags(access, disposition, flagsAndAttributes);
    const bool writes = platform::Writes(access, disposition);
    const std::string path = writes ? platform::NativeWritePath(name) : platform::NativePath(name);
    if (flags < 0 || path.empty()) return platform::Failed(ERROR_ACCESS_DENIED);
    if (platform::faults::IsHidden(path)) return platform::Failed(ERROR_FILE_NOT_FOUND);
    if ((platform::faults::WritesFail() && writes) || platform::faults::IsRefused(path)) {
        return platform::Failed(ERROR_ACCESS_DENIED);
    }
    // Opened for reading alone, a file is read whole through the read cache, when it is on.
    if (!writes && (access & GENERIC_READ) != 0) {
        if (auto contents = platform::cached::WholeFile(path, platform::kMostReadWhole)) {
            if (contents->missing) return platform::Failed(ERROR_FILE_NOT_FOUND);
            return platform::NewHandle(platform::MemoryFile(std::move(contents->bytes)));
        }
    }
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (writes) platform::read_cache::Changed(path);
    if (descriptor < 0) return platform::Failed(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
    // A folder opens on POSIX but never as a file on Windows.
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return platform::Failed(ERROR_ACCESS_DENIED);
    }
    const bool writable = (access & GENERIC_WRITE) != 0;
    return platform::NewHandle(
        platform::DescriptorFile(descriptor, (access & GENERIC_READ) != 0, writable, writable ? path : std::string()));
}

DWORD GetLastError() { return platform::g_lastError; }

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID /*overlapped*/) {
    if (read != nullptr) *read = 0;
    auto object = platform::HandleObject<FileObject>(file);
    if (!object || !object->Readable() || (buffer == nullptr && toRead > 0)) return FALSE;
    return object->Read(static_cast<char*>(buffer), toRead, read) ? TRUE : FALSE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPVOID /*overlapped*/) {
    if (written != nullptr) *written = 0;
    auto object = platform::HandleObject<FileObject>(file);
    if (!object) return FALSE;
    // What a handle opened for reading alone gives on Windows.
    if (!object->Writable()) return platform::Refused(ERROR_ACCESS_DENIED);
    if (buffer == nullptr && toWrite > 0) return FALSE;
    return object->Write(static_cast<const char*>(buffer), toWrite, written) ? TRUE : FALSE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD method) {
    auto object = platform::HandleObject<FileObject>(file);
    if (!object) return INVALID_SET_FILE_POINTER;
    const std::int64_t target = platform::SeekTarget(*object, platform::Combine(distance, distanceHigh), method);
    // Without a high part the new position has to fit in 32 bits.
    if (target < 0 || (distanceHigh == nullptr && target > 0xFFFFFFFFll)) {
        return INVALID_SET_FILE_POINTER;
    }
    if (!object->SeekTo(target)) return INVALID_SET_FILE_POINTER;
    if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(target >> 32);
    return static_cast<DWORD>(target & 0xFFFFFFFFll);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    auto object = platform::HandleObject<FileObject>(file);
    const std::int64_t known = object ? object->Size() : -1;
    if (known < 0) return INVALID_FILE_SIZE;
    const auto size = static_cast<std::uint64_t>(known);
    if (sizeHigh != nullptr) *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL DeleteFileA(LPCSTR name) {
    if (platform::faults::WritesFail()) return FALSE;
    const std::string path = platform::NativeWritePath(name);
    if (platform::faults::IsHidden(path)) return FALSE;
    // unlink refuses folders, as DeleteFile does.
    const bool deleted = !path.empty() && ::unlink(path.c_str()) == 0;
    platform::read_cache::Changed(path);
    return deleted ? TRUE : FALSE;
}

BOOL FlushFileBuffers(HANDLE file) {
    auto object = platform::HandleObject<FileObject>(file);
    if (!object) return FALSE;
    if (!object->Writable()) return platform::Refused(ERROR_ACCESS_DENIED);
    return object->Flush() ? TRUE : FALSE;
}

BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags) {
    if (platform::faults::WritesFail()) return FALSE;
    const std::string from = platform::NativeWritePath(existingName);
    const std::string to = platform::NativeWritePath(newName);
    // A missing file cannot be moved; one may be moved into a missing file's place.
    if (from.empty() || to.empty() || platform::faults::IsHidden(from)) return FALSE;
    struct stat info {};
    // lstat: a link that points nowhere still takes the name.
    if ((flags & MOVEFILE_REPLACE_EXISTING) == 0 && ::lstat(to.c_str(), &info) == 0) return FALSE;
    const bool moved = ::rename(from.c_str(), to.c_str()) == 0;
    platform::read_cache::Changed(from);
    platform::read_cache::Changed(to);
    if (!moved) return FALSE;
    if (flags & MOVEFILE_WRITE_THROUGH) {
        // The rename itself is durable only once the folder holding it is on disk.
        const std::string::size_type slash = to.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : to.substr(0, slash));
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor >= 0) {
            ::fsync(descriptor);
            ::close(descriptor);
        }
    }
    return platform::GetBackend().Persist(to, to) ? TRUE : FALSE;
}

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD /*reserved*/, DWORD /*bytesLow*/, DWORD /*bytesHigh*/,
                LPOVERLAPPED /*overlapped*/) {
    auto object = platform::HandleObject<FileObject>(file);
    if (!object) return FALSE;
    const int operation = ((flags & LOCKFILE_EXCLUSIVE_LOCK) ? LOCK_EX : LOCK_SH) |
                          ((flags & LOCKFILE_FAIL_IMMEDIATELY) ? LOCK_NB : 0);
    if (!object->Lock(operation)) return FALSE;
    // A read-merge-write: other instances that keep the same files (the browser's tabs) take turns
    // too, and what they stored comes in before the caller reads.
    if ((flags & LOCKFILE_EXCLUSIVE_LOCK) == 0) return TRUE;
    if (!platform::GetBackend().HoldStores()) {
        object->Lock(LOCK_UN);
        return FALSE;
    }
    object->ReleaseStores();
    object->HoldStores();
    return TRUE;
}

BOOL UnlockFileEx(HANDLE file, DWORD /*reserved*/, DWORD /*bytesLow*/, DWORD /*bytesHigh*/,
                  LPOVERLAPPED /*overlapped*/) {
    auto object = platform::HandleObject<FileObject>(file);
    if (!object) return FALSE;
    object->ReleaseStores();
    return object->Lock(LOCK_UN) ? TRUE : FALSE;
}
