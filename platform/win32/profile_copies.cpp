#include "platform/win32/profile_copies.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <unordered_map>
#include <utility>

#include "platform/core/cached_reads.h"
#include "platform/core/file_faults.h"
#include "platform/core/file_folders.h"
#include "platform/core/read_cache.h"
#include "platform/api/file_names.h"

namespace platform::profile {
namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;

// More are never read by one program; past this the copies start over rather than grow.
constexpr std::size_t kMostCopies = 64;

// A file's times move in steps of the system's clock tick, so a file written again within the tick
// of a read can keep the status it had at that read. A copy of a file (or folder) modified more
// recently than this is not trusted: it is read again next time, until its last change is old
// enough that any later write moves its modification time.
constexpr std::int64_t kSettledNs = 1'000'000'000;

// What the system says of a file: which file it is, its size and its times. Equal statuses are
// taken for an unchanged file; a missing one has an all-zero status.
struct Status {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const Status&) const = default;
};

std::int64_t Nanoseconds(const timespec& time) { return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec; }

Status StatusOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino), info.st_size,
            Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

bool Settled(const Status& status) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now) - status.modifiedNs >= kSettledNs;
}

// What a copy was read from and the status that vouches for it: the file's own, or its folder's
// when it was missing (a file made there changes the folder).
struct Copy {
    std::string nativePath;
    Profile profile;
    std::uint64_t ticket = 0;
    std::string vouching;  // the path whose status was taken; unused with the read cache on
    Status status;
};

std::unordered_map<std::string, Copy>& Copies() {
    static std::unordered_map<std::string, Copy> copies;
    return copies;
}

// The name means another file once the program's folders change.
std::string KeyOf(const char* fileName) {
    const FileFolders folders = CurrentFileFolders();
    return std::string(fileName) + '\n' + folders.settings + '\n' + folders.user + '\n' + folders.data +
           (folders.installed ? "\n1" : "\n0");
}

bool Faulted(const std::string& nativePath) { return faults::IsHidden(nativePath) || faults::IsRefused(nativePath); }

// With the read cache on (in the browser) nothing changes a file but what its signals tell; a
// status would cost a round trip to the page.
bool StillCurrent(const Copy& copy) {
    if (copy.ticket != read_cache::Ticket() || Faulted(copy.nativePath)) return false;
    return read_cache::Enabled() || StatusOf(copy.vouching) == copy.status;
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

Profile ReadAndKeep(const std::string& key, const char* fileName) {
    const std::uint64_t ticket = read_cache::Ticket();
    Copy copy;
    copy.nativePath = NativePath(fileName);
    const bool cacheOn = read_cache::Enabled();
    if (!cacheOn && !copy.nativePath.empty()) {
        copy.status = StatusOf(copy.nativePath);
        copy.vouching = copy.nativePath;
        if (copy.status == Status{}) {
            copy.vouching = FolderOf(copy.nativePath);
            copy.status = StatusOf(copy.vouching);
        }
    }
    std::string text;
    copy.profile.load = ReadWhole(copy.nativePath, &text);
    if (copy.profile.load == Load::Read) copy.profile.text = std::make_shared<const std::string>(std::move(text));
    // Kept only when nothing changed meanwhile and the status taken vouches for what was read.
    const bool missingAsStatused = (copy.vouching == copy.nativePath) == (copy.profile.load == Load::Read);
    const bool keep = copy.profile.load != Load::Refused && !Faulted(copy.nativePath) &&
                      ticket == read_cache::Ticket() && (cacheOn || (missingAsStatused && Settled(copy.status)));
    if (!keep) {
        Copies().erase(key);
        return copy.profile;
    }
    if (Copies().size() >= kMostCopies) Copies().clear();
    copy.ticket = ticket;
    return Copies().insert_or_assign(key, std::move(copy)).first->second.profile;
}

}  // namespace

Load ReadWhole(const std::string& path, std::string* text) {
    if (path.empty() || faults::IsHidden(path)) return Load::Missing;
    if (faults::IsRefused(path)) return Load::Refused;
    if (const auto cached = cached::WholeFile(path, kMaxFileBytes)) {
        if (cached->missing) return Load::Missing;
        *text = *cached->bytes;
        return Load::Read;
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return errno == ENOENT ? Load::Missing : Load::Refused;
    struct stat info {};
    Load result = Load::Read;
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) result = Load::Refused;
    char chunk[65536];
    while (result == Load::Read) {
        const ssize_t n = ::read(descriptor, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) break;
        if (n < 0 || text->size() + static_cast<std::size_t>(n) > kMaxFileBytes) {
            result = Load::Refused;
        } else {
            text->append(chunk, static_cast<std::size_t>(n));
        }
    }
    ::close(descriptor);
    return result;
}

Profile CurrentProfile(const char* fileName) {
    const std::string key = KeyOf(fileName);
    const auto known = Copies().find(key);
    if (known != Copies().end() && StillCurrent(known->second)) return known->second.profile;
    return ReadAndKeep(key, fileName);
}

}  // namespace platform::profile
