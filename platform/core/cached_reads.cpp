#include "platform/core/cached_reads.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

namespace platform::cached {
namespace {

namespace fs = std::filesystem;

// One open, one status, reads of the size it gave and one close: in the browser each is a round
// trip, so a file is read in one read where it can be.
std::optional<read_cache::Contents> ReadWhole(const std::string& path, std::size_t maxBytes, std::uint64_t ticket) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno != ENOENT) return std::nullopt;
        read_cache::KeepMissing(path, ticket);
        return read_cache::Contents{true, nullptr};
    }
    struct stat info {};
    std::optional<std::string> bytes;
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= maxBytes)
        bytes.emplace(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (bytes && done < bytes->size()) {
        const ssize_t n = ::read(descriptor, bytes->data() + done, bytes->size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) bytes.reset();  // shorter than its status said, or unreadable
        else done += static_cast<std::size_t>(n);
    }
    ::close(descriptor);
    if (!bytes) return std::nullopt;
    const read_cache::Contents contents{false, std::make_shared<const std::string>(std::move(*bytes))};
    read_cache::KeepFile(path, contents.bytes, ticket);
    return contents;
}

}  // namespace

bool PathExists(const std::string& path) {
    if (const std::optional<bool> known = read_cache::Exists(path)) return *known;
    const std::uint64_t ticket = read_cache::Ticket();
    std::error_code error;
    const bool exists = fs::exists(fs::symlink_status(path, error));
    read_cache::KeepExists(path, exists, ticket);
    return exists;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    if (const auto known = read_cache::Listing(folder)) return *known;
    const std::uint64_t ticket = read_cache::Ticket();
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    if (!error) read_cache::KeepListing(folder, names, ticket);
    return names;
}

std::optional<read_cache::Contents> WholeFile(const std::string& path, std::size_t maxBytes) {
    if (!read_cache::Enabled() || path.empty()) return std::nullopt;
    if (auto known = read_cache::File(path)) {
        if (known->missing || known->bytes->size() <= maxBytes) return known;
        return std::nullopt;
    }
    return ReadWhole(path, maxBytes, read_cache::Ticket());
}

}  // namespace platform::cached
