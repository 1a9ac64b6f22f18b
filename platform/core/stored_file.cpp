#include "platform/core/stored_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <random>

#include "platform/core/backend.h"
#include "platform/core/file_faults.h"
#include "platform/core/read_cache.h"

namespace platform::storage {
namespace {

// Enough tries that names taken by chance never matter; a folder that refuses new files fails
// every one of them quickly.
constexpr int kNameTries = 16;

bool StepFails(StoreStep step) {
    return faults::FailingStoreStep() == step || (step == kCreate && faults::WritesFail());
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FreshTemporaryName(const std::string& path) {
    static std::random_device source;
    static std::mutex one;
    std::lock_guard lock(one);
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(source()));
    return path + suffix;
}

int CreateTemporary(const std::string& path, std::string* temporary) {
    if (StepFails(kCreate)) return -1;
    for (int i = 0; i < kNameTries; ++i) {
        *temporary = FreshTemporaryName(path);
        const int descriptor = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

bool WriteAll(int descriptor, std::string_view bytes) {
    if (StepFails(kWrite)) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(descriptor, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A replaced file keeps the permissions (and, where the system lets us, the owner) it had.
void KeepAttributes(int descriptor, const std::string& path) {
    struct stat old {};
    if (::lstat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return;
    ::fchmod(descriptor, old.st_mode & 07777);
    struct stat mine {};
    if (::fstat(descriptor, &mine) == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid))
        (void)::fchown(descriptor, old.st_uid, old.st_gid);
}

bool WriteTemporary(int descriptor, const std::string& path, std::string_view bytes, StoreMode mode) {
    if (mode == StoreMode::kReplace) KeepAttributes(descriptor, path);
    const bool written = WriteAll(descriptor, bytes) && !StepFails(kSync) && ::fsync(descriptor) == 0;
    return ::close(descriptor) == 0 && written;
}

// kFresh links the new name, which fails when it is taken, where a rename would replace it.
Stored Rename(const std::string& temporary, const std::string& path, StoreMode mode) {
    if (StepFails(kRename)) return Stored::kFailed;
    if (mode == StoreMode::kReplace)
        return ::rename(temporary.c_str(), path.c_str()) == 0 ? Stored::kDone : Stored::kFailed;
    if (::link(temporary.c_str(), path.c_str()) == 0) return Stored::kDone;
    if (errno == EEXIST) return Stored::kTaken;
    // A file system without hard links (the browser's says EMLINK, which a new file with one name
    // never meets otherwise): a rename onto a name found free, which only another program of the
    // family taking the same name in the same moment could spoil.
    if (errno != EPERM && errno != ENOSYS && errno != EOPNOTSUPP && errno != EMLINK) return Stored::kFailed;
    struct stat taken {};
    if (::lstat(path.c_str(), &taken) == 0) return Stored::kTaken;
    return ::rename(temporary.c_str(), path.c_str()) == 0 ? Stored::kDone : Stored::kFailed;
}

// Once the rename is made the new file is the stored one; syncing its folder only makes the new
// name outlast a crash, and a failure there changes nothing the caller could act on.
void SyncFolder(const std::string& path) {
    const int descriptor = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

}  // namespace

Stored Store(const std::string& nativePath, std::string_view bytes, StoreMode mode) {
    if (nativePath.empty() || faults::IsHidden(nativePath)) return Stored::kFailed;
    std::string temporary;
    const int descriptor = CreateTemporary(nativePath, &temporary);
    if (descriptor < 0) return Stored::kFailed;
    Stored result = Stored::kFailed;
    // A fresh file (a picture) is the player's own, handed over by Backend::OfferToPlayer where
    // the player cannot reach it; it is not kept with the family's files.
    if (WriteTemporary(descriptor, nativePath, bytes, mode) && !StepFails(kKeep) &&
        (mode == StoreMode::kFresh || GetBackend().Persist(temporary, nativePath))) {
        result = Rename(temporary, nativePath, mode);
    }
    // After a rename the temporary name is gone already; after a link it is a second name.
    if (result != Stored::kDone || mode == StoreMode::kFresh) ::unlink(temporary.c_str());
    read_cache::Changed(nativePath);
    read_cache::Changed(temporary);
    if (result == Stored::kDone) SyncFolder(nativePath);
    return result;
}

StoreLock::StoreLock(const std::string& nativePath) {
    if (nativePath.empty() || faults::WritesFail()) return;
    // A link planted at the lock's name is refused rather than followed to create a file elsewhere.
    const int descriptor = ::open((nativePath + ".lock").c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    read_cache::Changed(nativePath + ".lock");
    if (descriptor < 0) return;
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    // Other instances of the program that keep the same files (the browser's tabs) take turns too.
    if (result == 0 && GetBackend().HoldStores()) {
        descriptor_ = descriptor;
    } else {
        ::close(descriptor);
    }
}

StoreLock::~StoreLock() {
    if (descriptor_ < 0) return;
    GetBackend().ReleaseStores();
    // Closing the last descriptor of the lock file releases the lock.
    ::close(descriptor_);
}

}  // namespace platform::storage
